// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// A small data-binding layer on Qt SQL: a data source walks the rows of a QSqlTableModel with a
// current record, edits or inserts one record at a time and writes it with Post; field data
// links connect controls to one field of the current record and are told of every change.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class TDataLink;
class TDataSource;

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

// One column of the current record. Fields belong to their data source and live as long as it
// shows the same table.
class TField {
public:
    TField(TDataSource& Owner, int Index, const QString& Name, bool Blob);

    const QString& FieldName() const { return m_name; }
    int Index() const { return m_index; }
    // A binary large object: a column declared BLOB, whose values are bytes.
    bool IsBlob() const { return m_blob; }

    QVariant Value() const;
    bool IsNull() const;
    QByteArray AsBytes() const;
    // Writing needs the data source in edit or insert mode; otherwise Exception.
    void SetValue(const QVariant& Value);
    void SetBytes(const QByteArray& Bytes);
    void Clear();

private:
    TDataSource& m_owner;
    int m_index;
    QString m_name;
    bool m_blob;
};

class TDataSource : public QObject {
    Q_OBJECT
public:
    // The data source reads the model (it does not own it) and sets it to write only when told:
    // records are written by Post, one at a time.
    explicit TDataSource(QSqlTableModel* Model = nullptr, QObject* Parent = nullptr);
    // Detaches every link first, so that no link keeps a dangling data source.
    ~TDataSource() override;

    QSqlTableModel* Model() const { return m_model; }
    // Opens the model (selecting its rows when it has none yet) on its first record; nullptr
    // closes. A record being edited is posted first.
    void SetModel(QSqlTableModel* Model);

    TDataSetState State() const { return m_state; }
    bool Active() const { return m_state != TDataSetState::dsInactive; }
    bool Editing() const
    {
        return m_state == TDataSetState::dsEdit || m_state == TDataSetState::dsInsert;
    }
    // A field was changed since Edit or Insert.
    bool Modified() const { return m_modified; }

    int RecordCount() const;
    // The current row, 0-based; -1 when there is none (closed, or an empty table) and while a
    // new record is inserted.
    int RecNo() const { return m_state == TDataSetState::dsInsert ? -1 : m_row; }
    bool IsEmpty() const { return RecordCount() == 0; }

    // Navigation posts a record being edited first; moving where it already is does nothing.
    void First();
    void Prior();
    void Next();
    void Last();
    void MoveTo(int Row);

    // Edit: the current record becomes editable (with no record at all, a new one is inserted).
    // Insert: a new, empty record. Both do nothing while editing.
    void Edit();
    void Insert();
    // Writes the record being edited: the links write their changes first (update data), then
    // the model submits it. On failure the record stays in edit mode and Exception tells why.
    void Post();
    // Drops the changes of the record being edited.
    void Cancel();
    // Removes the current record (not while editing).
    void Delete();

    const std::vector<std::unique_ptr<TField>>& Fields() const { return m_fields; }
    TField* FindField(const QString& Name) const;
    // Exception when there is no such field.
    TField& FieldByName(const QString& Name) const;

    // Links (field data links, for one) are told of every change until they leave; a link
    // never added is not told, one added twice is told once.
    void AddLink(TDataLink* Link);
    void RemoveLink(TDataLink* Link);

    // Events, after the links were told.
    std::function<void(TDataSource*)> OnStateChange;
    std::function<void(TDataSource*)> OnDataChange;

private:
    friend class TField;

    QVariant FieldValue(int Index) const;
    void SetFieldValue(TField& Field, const QVariant& Value);
    void BuildFields();
    void SetState(TDataSetState State);
    // Tells the links (and OnDataChange) that the record, or one field of it (Field), changed.
    void DataEvent(TField* Field);
    void CheckBrowseMode();
    void CheckActive() const;
    int PrimaryKeyRow(const QSqlRecord& Written) const;

    QPointer<QSqlTableModel> m_model;
    TDataSetState m_state = TDataSetState::dsInactive;
    int m_row = -1;
    int m_rowBeforeInsert = -1;
    QSqlRecord m_buffer; // the record being edited or inserted
    bool m_modified = false;
    std::vector<std::unique_ptr<TField>> m_fields;
    std::vector<TDataLink*> m_links;
};
