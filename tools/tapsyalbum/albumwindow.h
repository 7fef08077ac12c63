// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The album's window: the data-aware transition view on the album table, the name field, the
// record buttons and their keys.
#pragma once

#include <QKeySequence>
#include <QSqlTableModel>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QShortcut;
class TDataSource;
class TDBTransitionView;

class TAlbumWindow : public QWidget {
public:
    TAlbumWindow(QSqlDatabase Db, const QString& Path);
    ~TAlbumWindow() override;

    TDataSource& DataSource() const { return *m_source; }
    TDBTransitionView& View() const { return *m_view; }
    QLineEdit& NameEdit() const { return *m_name; }
    // The status line: what the last action could not do.
    QString Status() const;

    // Asks for the picture file that Load picture… reads; an empty answer loads nothing.
    std::function<QString(QWidget* Parent)> OnChoosePictureFile;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    QPushButton* AddButton(const QString& Text, const QKeySequence& Key, int Row, int Column,
        std::function<void()> Action);
    bool NameFieldKeepsKey(const QKeySequence& Key) const;
    void RandomStyle();
    void Guarded(const std::function<void()>& Action);
    void BeginEdit();
    void DeleteRecord();
    void LoadFile();
    void Paste();
    void UpdateControls();

    QSqlTableModel m_model;
    std::unique_ptr<TDataSource> m_source;
    TDBTransitionView* m_view;
    QLineEdit* m_name;
    QLabel* m_position;
    QLabel* m_status;
    QGridLayout* m_buttons;
    std::vector<QShortcut*> m_shortcuts;
    QPushButton* m_first;
    QPushButton* m_prior;
    QPushButton* m_next;
    QPushButton* m_last;
    QPushButton* m_edit;
    QPushButton* m_insert;
    QPushButton* m_delete;
    QPushButton* m_load;
    QPushButton* m_paste;
    QPushButton* m_post;
    QPushButton* m_cancel;
};
