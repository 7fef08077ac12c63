// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The connection of a control to one field of a data source's current record.
#pragma once

#include "platform/data/datalink.h"

#include <QString>

#include <functional>

class QObject;
class TDataSource;
class TField;

class TFieldDataLink final : private TDataLink {
public:
    // `Control` is the control the link serves (for whoever asks the link about it).
    explicit TFieldDataLink(QObject* Control = nullptr);
    // Leaves the data source without telling the control: it is going away too.
    ~TFieldDataLink();
    TFieldDataLink(const TFieldDataLink&) = delete;
    TFieldDataLink& operator=(const TFieldDataLink&) = delete;

    QObject* Control() const { return m_control; }

    TDataSource* DataSource() const { return m_dataSource; }
    void SetDataSource(TDataSource* Value);
    const QString& FieldName() const { return m_fieldName; }
    void SetFieldName(const QString& Value);
    // The field of that name in the data source, or nullptr.
    TField* Field() const { return m_field; }
    bool IsBlobField() const;

    // A read-only link never edits, whatever the data source does.
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool Value);
    // The data source edits or inserts a record, and this link may change its field.
    bool Editing() const { return m_editing; }
    bool CanModify() const;
    // Puts the data source into edit mode when the link may modify the field; answers Editing.
    bool Edit();

    // The control changed the field's value (not yet written): at Post the link is asked to
    // write it (OnUpdateData). A data change for the field clears the mark.
    void Modified() { m_modified = true; }
    bool IsModified() const { return m_modified; }

    // The record, or this link's field in it, changed (also: the field or the data source was
    // replaced).
    std::function<void()> OnDataChange;
    // Editing became true or false.
    std::function<void()> OnEditingChange;
    // The data source writes the record: put the control's value into the field.
    std::function<void()> OnUpdateData;

private:
    // What the data source tells the link.
    void RecordChanged(TField* Changed) override;
    void StateChanged() override { UpdateState(); }
    void UpdateRecord() override;
    void FieldsReleased() override { m_field = nullptr; }
    void FieldsRebuilt() override;
    void DataSourceGone() override;

    void UpdateState();
    void UpdateField();

    QObject* m_control;
    TDataSource* m_dataSource = nullptr;
    QString m_fieldName;
    TField* m_field = nullptr;
    bool m_readOnly = false;
    bool m_editing = false;
    bool m_modified = false;
    // While the link writes its own field, the data changes that causes are its own.
    bool m_updating = false;
};
