// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/data/datasource.h"
#include "platform/data/datalink.h"

#include "platform/system/exception.h"

#include <QMetaType>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlTableModel>

#include <algorithm>

TField::TField(TDataSource& Owner, int Index, const QString& Name, bool Blob)
    : m_owner(Owner)
    , m_index(Index)
    , m_name(Name)
    , m_blob(Blob)
{
}

QVariant TField::Value() const { return m_owner.FieldValue(m_index); }

bool TField::IsNull() const { return Value().isNull(); }

QByteArray TField::AsBytes() const { return Value().toByteArray(); }

void TField::SetValue(const QVariant& Value) { m_owner.SetFieldValue(*this, Value); }

void TField::SetBytes(const QByteArray& Bytes)
{
    // A null QByteArray would be written as SQL NULL: keep "empty" and "null" apart.
    SetValue(Bytes.isNull() ? QVariant(QByteArray("")) : QVariant(Bytes));
}

void TField::Clear()
{
    SetValue(QVariant(m_blob ? QMetaType::fromType<QByteArray>() : QMetaType()));
}

TDataSource::TDataSource(QSqlTableModel* Model, QObject* Parent)
    : QObject(Parent)
{
    SetModel(Model);
}

TDataSource::~TDataSource()
{
    OnStateChange = nullptr;
    OnDataChange = nullptr;
    const std::vector<TDataLink*> links = m_links;
    m_links.clear();
    for (TDataLink* link : links)
        link->DataSourceGone();
}

void TDataSource::SetModel(QSqlTableModel* Model)
{
    if (Model == m_model && (Model != nullptr) == Active())
        return;
    if (Active())
        CheckBrowseMode();
    m_model = Model;
    m_row = -1;
    if (m_model) {
        m_model->setEditStrategy(QSqlTableModel::OnManualSubmit);
        if (m_model->rowCount() == 0 && !m_model->select())
            throw Exception(
                "The table cannot be read: " + m_model->lastError().text().toStdString());
        while (m_model->canFetchMore())
            m_model->fetchMore();
        m_row = m_model->rowCount() > 0 ? 0 : -1;
    }
    BuildFields();
    SetState(m_model ? TDataSetState::dsBrowse : TDataSetState::dsInactive);
    DataEvent(nullptr);
}

void TDataSource::BuildFields()
{
    // The links let go of the old fields before those are freed.
    for (TDataLink* link : m_links)
        link->FieldsReleased();
    m_fields.clear();
    if (m_model) {
        const QSqlRecord record = m_model->record();
        for (int i = 0; i < record.count(); ++i) {
            const bool blob = record.field(i).metaType().id() == QMetaType::QByteArray;
            m_fields.push_back(std::make_unique<TField>(*this, i, record.fieldName(i), blob));
        }
    }
    for (TDataLink* link : m_links)
        link->FieldsRebuilt();
}

int TDataSource::RecordCount() const { return m_model ? m_model->rowCount() : 0; }

TField* TDataSource::FindField(const QString& Name) const
{
    for (const auto& field : m_fields) {
        if (field->FieldName().compare(Name, Qt::CaseInsensitive) == 0)
            return field.get();
    }
    return nullptr;
}

TField& TDataSource::FieldByName(const QString& Name) const
{
    TField* field = FindField(Name);
    if (!field)
        throw Exception("Field '" + Name.toStdString() + "' not found");
    return *field;
}

QVariant TDataSource::FieldValue(int Index) const
{
    if (Editing())
        return m_buffer.value(Index);
    if (!m_model || m_row < 0)
        return QVariant();
    return m_model->record(m_row).value(Index);
}

void TDataSource::SetFieldValue(TField& Field, const QVariant& Value)
{
    if (!Editing())
        throw Exception("The data source is not in edit or insert mode");
    m_buffer.setValue(Field.Index(), Value);
    m_buffer.setGenerated(Field.Index(), true);
    m_modified = true;
    DataEvent(&Field);
}

void TDataSource::CheckActive() const
{
    if (!Active())
        throw Exception("The data source has no table");
}

void TDataSource::CheckBrowseMode()
{
    if (Editing())
        Post();
}

void TDataSource::MoveTo(int Row)
{
    CheckActive();
    CheckBrowseMode();
    const int count = RecordCount();
    Row = count == 0 ? -1 : std::clamp(Row, 0, count - 1);
    if (Row == m_row)
        return;
    m_row = Row;
    DataEvent(nullptr);
}

void TDataSource::First() { MoveTo(0); }

void TDataSource::Prior() { MoveTo(std::max(m_row - 1, 0)); }

void TDataSource::Next() { MoveTo(m_row + 1); }

void TDataSource::Last() { MoveTo(RecordCount() - 1); }

void TDataSource::Edit()
{
    CheckActive();
    if (Editing())
        return;
    if (m_row < 0) {
        Insert();
        return;
    }
    m_buffer = m_model->record(m_row);
    m_modified = false;
    SetState(TDataSetState::dsEdit);
}

void TDataSource::Insert()
{
    CheckActive();
    if (Editing())
        return;
    m_rowBeforeInsert = m_row;
    m_buffer = m_model->record();
    m_buffer.clearValues();
    // Columns nobody sets are left to the table's defaults (an integer key numbers itself).
    for (int i = 0; i < m_buffer.count(); ++i)
        m_buffer.setGenerated(i, false);
    m_modified = false;
    SetState(TDataSetState::dsInsert);
    DataEvent(nullptr);
}

void TDataSource::Post()
{
    if (!Editing())
        return;
    // The links write what their controls changed.
    const std::vector<TDataLink*> links = m_links;
    for (TDataLink* link : links) {
        if (std::find(m_links.begin(), m_links.end(), link) != m_links.end())
            link->UpdateRecord();
    }
    const bool inserting = m_state == TDataSetState::dsInsert;
    const bool written
        = inserting ? m_model->insertRecord(-1, m_buffer) : m_model->setRecord(m_row, m_buffer);
    if (!written || !m_model->submitAll()) {
        const QString error = m_model->lastError().text();
        m_model->revertAll();
        throw Exception("The record cannot be written: " + error.toStdString());
    }
    while (m_model->canFetchMore())
        m_model->fetchMore();
    if (inserting)
        m_row = PrimaryKeyRow(m_buffer);
    m_row = std::min(m_row, RecordCount() - 1);
    m_buffer = QSqlRecord();
    m_modified = false;
    SetState(TDataSetState::dsBrowse);
    DataEvent(nullptr);
}

int TDataSource::PrimaryKeyRow(const QSqlRecord& Written) const
{
    // The new record is found by its key: the one it was given, or the one SQLite numbered.
    const QSqlIndex key = m_model->primaryKey();
    if (key.count() == 1) {
        const int column = m_model->record().indexOf(key.fieldName(0));
        QVariant value = Written.isGenerated(column) ? Written.value(column) : QVariant();
        if (value.isNull() && m_model->database().driverName() == QLatin1String("QSQLITE")) {
            QSqlQuery query(QStringLiteral("SELECT last_insert_rowid()"), m_model->database());
            if (query.next())
                value = query.value(0);
        }
        if (!value.isNull()) {
            for (int row = 0; row < m_model->rowCount(); ++row) {
                if (m_model->record(row).value(column) == value)
                    return row;
            }
        }
    }
    return RecordCount() - 1;
}

void TDataSource::Cancel()
{
    if (!Editing())
        return;
    if (m_state == TDataSetState::dsInsert)
        m_row = std::min(m_rowBeforeInsert, RecordCount() - 1);
    m_buffer = QSqlRecord();
    m_modified = false;
    SetState(TDataSetState::dsBrowse);
    DataEvent(nullptr);
}

void TDataSource::Delete()
{
    CheckActive();
    if (m_state == TDataSetState::dsInsert) {
        Cancel();
        return;
    }
    if (m_state == TDataSetState::dsEdit)
        Cancel();
    if (m_row < 0)
        return;
    if (!m_model->removeRow(m_row) || !m_model->submitAll()) {
        const QString error = m_model->lastError().text();
        m_model->revertAll();
        throw Exception("The record cannot be deleted: " + error.toStdString());
    }
    while (m_model->canFetchMore())
        m_model->fetchMore();
    m_row = std::min(m_row, RecordCount() - 1);
    DataEvent(nullptr);
}

void TDataSource::SetState(TDataSetState State)
{
    if (State == m_state)
        return;
    m_state = State;
    const std::vector<TDataLink*> links = m_links;
    for (TDataLink* link : links) {
        if (std::find(m_links.begin(), m_links.end(), link) != m_links.end())
            link->StateChanged();
    }
    if (OnStateChange)
        OnStateChange(this);
}

void TDataSource::DataEvent(TField* Field)
{
    // A link may leave (or an exception may end the round) while the others are told.
    const std::vector<TDataLink*> links = m_links;
    for (TDataLink* link : links) {
        if (std::find(m_links.begin(), m_links.end(), link) != m_links.end())
            link->RecordChanged(Field);
    }
    if (OnDataChange)
        OnDataChange(this);
}

void TDataSource::AddLink(TDataLink* Link)
{
    if (std::find(m_links.begin(), m_links.end(), Link) == m_links.end())
        m_links.push_back(Link);
}

void TDataSource::RemoveLink(TDataLink* Link) { std::erase(m_links, Link); }
