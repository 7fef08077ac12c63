// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "albumwindow.h"

#include "albumfile.h"
#include "platform/data/datasource.h"
#include "platform/graphics/bitmap.h"
#include "platform/system/exception.h"
#include "transition/dbtransitionview.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRandomGenerator>
#include <QShortcut>
#include <QVBoxLayout>

TAlbumWindow::TAlbumWindow(QSqlDatabase Db, const QString& Path)
    : m_model(nullptr, Db)
{
    setWindowTitle(QStringLiteral("tapsy-album — %1").arg(Path));
    m_model.setTable(AlbumTable);
    m_model.setSort(0, Qt::AscendingOrder);

    OnChoosePictureFile = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Load picture"), QString(),
            QStringLiteral(
                "Pictures (*.bmp *.jpg *.jpeg *.png *.gif *.ico *.wmf *.emf);;All files (*)"));
    };

    m_view = new TDBTransitionView(this);
    m_view->setMinimumSize(480, 360);
    m_view->SetColor(RGB(0, 0, 0));
    m_view->SetCenter(true);
    m_view->SetProportional(true);
    m_view->SetExactTiming(true);
    m_view->SetStep(3);
    m_view->SetDelay(30);
    m_view->SetDataField(QStringLiteral("picture"));
    // Every picture arrives with an effect of its own.
    m_view->OnBeforeLoadPicture = [this](QObject*) { RandomStyle(); };

    m_name = new QLineEdit;
    m_name->setObjectName(QStringLiteral("name"));
    m_name->installEventFilter(this);
    m_position = new QLabel;
    m_status = new QLabel;
    m_status->setWordWrap(true);

    m_buttons = new QGridLayout;
    m_first = AddButton(
        QStringLiteral("First"), QKeySequence(Qt::Key_Home), 0, 0, [this] { m_source->First(); });
    m_prior = AddButton(
        QStringLiteral("Prior"), QKeySequence(Qt::Key_PageUp), 0, 1, [this] { m_source->Prior(); });
    m_next = AddButton(
        QStringLiteral("Next"), QKeySequence(Qt::Key_PageDown), 0, 2, [this] { m_source->Next(); });
    m_last = AddButton(
        QStringLiteral("Last"), QKeySequence(Qt::Key_End), 0, 3, [this] { m_source->Last(); });
    m_edit = AddButton(QStringLiteral("Edit"), QKeySequence(Qt::CTRL | Qt::Key_E), 1, 0,
        [this] { m_source->Edit(); });
    m_insert = AddButton(QStringLiteral("Insert"), QKeySequence(Qt::CTRL | Qt::Key_N), 1, 1,
        [this] { m_source->Insert(); });
    m_delete
        = AddButton(QStringLiteral("Delete"), QKeySequence(), 1, 2, [this] { DeleteRecord(); });
    m_load = AddButton(QStringLiteral("Load picture…"), QKeySequence(Qt::CTRL | Qt::Key_O), 2, 0,
        [this] { LoadFile(); });
    m_paste = AddButton(
        QStringLiteral("Paste"), QKeySequence(Qt::CTRL | Qt::Key_V), 2, 1, [this] { Paste(); });
    m_post = AddButton(QStringLiteral("Post"), QKeySequence(Qt::CTRL | Qt::Key_S), 2, 2,
        [this] { m_source->Post(); });
    m_cancel = AddButton(QStringLiteral("Cancel"), QKeySequence(Qt::Key_Escape), 2, 3,
        [this] { m_source->Cancel(); });

    auto* side = new QVBoxLayout;
    side->addWidget(new QLabel(QStringLiteral("Name")));
    side->addWidget(m_name);
    side->addWidget(m_position);
    side->addLayout(m_buttons);
    side->addWidget(m_status);
    side->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(side);

    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
        Guarded([&] {
            if (!m_source->Editing())
                m_source->Edit();
            m_source->FieldByName(QStringLiteral("name")).SetValue(text);
        });
    });

    m_source = std::make_unique<TDataSource>();
    m_source->OnStateChange = [this](TDataSource*) { UpdateControls(); };
    m_source->OnDataChange = [this](TDataSource*) { UpdateControls(); };
    m_view->SetDataSource(m_source.get());
    Guarded([this] { m_source->SetModel(&m_model); });
    UpdateControls();
}

TAlbumWindow::~TAlbumWindow()
{
    // The view lets go first; the model outlives the data source that reads it.
    m_view->SetDataSource(nullptr);
    m_source.reset();
}

QString TAlbumWindow::Status() const { return m_status->text(); }

QPushButton* TAlbumWindow::AddButton(
    const QString& Text, const QKeySequence& Key, int Row, int Column, std::function<void()> Action)
{
    auto* button = new QPushButton(Text);
    if (!Key.isEmpty()) {
        button->setToolTip(Key.toString(QKeySequence::NativeText));
        // A window-wide key. It clicks at once (animateClick would wait 100 ms and start its
        // wait again at every repeat, so a held Page Down would move only once let go).
        auto* shortcut = new QShortcut(Key, this);
        connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
        m_shortcuts.push_back(shortcut);
    }
    connect(button, &QPushButton::clicked, this,
        [this, Action = std::move(Action)] { Guarded(Action); });
    m_buttons->addWidget(button, Row, Column);
    return button;
}

// The name field, like every line edit, claims Home, End, Ctrl+E and Ctrl+V for itself before
// any shortcut sees them. The album's keys win everywhere, except where the field needs them
// to edit the name: Home and End while the record is being edited, and Ctrl+V when the
// clipboard holds text but no picture.
bool TAlbumWindow::NameFieldKeepsKey(const QKeySequence& Key) const
{
    if (m_source->Editing()
        && (Key == QKeySequence(Qt::Key_Home) || Key == QKeySequence(Qt::Key_End)))
        return true;
    if (Key == QKeySequence(Qt::CTRL | Qt::Key_V)) {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data && data->hasText() && !data->hasImage();
    }
    return false;
}

bool TAlbumWindow::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == m_name && Event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(Event);
        const QKeySequence sequence(
            QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
        for (const QShortcut* shortcut : m_shortcuts) {
            if (shortcut->key() != sequence || NameFieldKeepsKey(sequence))
                continue;
            // Left unaccepted and kept from the field: the window's shortcut takes the key.
            Event->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(Watched, Event);
}

void TAlbumWindow::RandomStyle()
{
    m_view->SetStyle(1 + int(QRandomGenerator::global()->bounded(172)));
}

// Runs an action; what goes wrong is shown in the status line instead of ending the program.
void TAlbumWindow::Guarded(const std::function<void()>& Action)
{
    m_status->clear();
    try {
        Action();
    } catch (const std::exception& error) {
        m_status->setText(QString::fromUtf8(error.what()));
    }
    UpdateControls();
}

void TAlbumWindow::BeginEdit()
{
    if (!m_source->Editing())
        m_source->Edit();
    if (!m_view->DataLink().Editing())
        throw Exception("The picture cannot be changed here");
}

void TAlbumWindow::DeleteRecord()
{
    const QString name = m_source->FieldByName(QStringLiteral("name")).Value().toString();
    if (QMessageBox::question(this, QStringLiteral("Delete"),
            QStringLiteral("Delete the record \u201C%1\u201D and its picture from the album?")
                .arg(name))
        == QMessageBox::Yes)
        m_source->Delete();
}

void TAlbumWindow::LoadFile()
{
    const QString file = OnChoosePictureFile ? OnChoosePictureFile(this) : QString();
    if (file.isEmpty())
        return;
    BeginEdit();
    // Read into a picture of its own first: a file that cannot be read changes nothing.
    TPicture picture;
    picture.LoadFromFile(file.toStdString());
    m_view->Picture().Assign(picture);
    if (m_name->text().isEmpty())
        m_source->FieldByName(QStringLiteral("name")).SetValue(QFileInfo(file).completeBaseName());
}

void TAlbumWindow::Paste()
{
    const QImage image = QGuiApplication::clipboard()->image();
    if (image.isNull())
        throw Exception("The clipboard holds no picture");
    BeginEdit();
    m_view->Picture().SetGraphic(BitmapFromImage(image));
}

void TAlbumWindow::UpdateControls()
{
    if (!m_source)
        return;
    const bool active = m_source->Active();
    const bool editing = m_source->Editing();
    const int count = m_source->RecordCount();
    const int row = m_source->RecNo();
    TField* name = m_source->FindField(QStringLiteral("name"));
    const QString text = name ? name->Value().toString() : QString();
    if (m_name->text() != text)
        m_name->setText(text);
    m_name->setEnabled(active);
    if (m_source->State() == TDataSetState::dsInsert)
        m_position->setText(QStringLiteral("New record (of %1)").arg(count));
    else
        m_position->setText(count ? QStringLiteral("Record %1 of %2%3")
                                        .arg(row + 1)
                                        .arg(count)
                                        .arg(editing ? QStringLiteral(", editing") : QString())
                                  : QStringLiteral("The album is empty"));
    m_first->setEnabled(active && (editing || row > 0));
    m_prior->setEnabled(active && (editing || row > 0));
    m_next->setEnabled(active && (editing || row + 1 < count));
    m_last->setEnabled(active && (editing || row + 1 < count));
    m_edit->setEnabled(active && !editing);
    m_insert->setEnabled(active && !editing);
    m_delete->setEnabled(active && row >= 0 && !editing);
    m_load->setEnabled(active);
    m_paste->setEnabled(active);
    m_post->setEnabled(editing);
    m_cancel->setEnabled(editing);
}
