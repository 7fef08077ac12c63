// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/data/fielddatalink.h"
#include "platform/data/datasource.h"

#include "platform/system/scopeexit.h"

TFieldDataLink::TFieldDataLink(QObject* Control)
    : m_control(Control)
{
}

TFieldDataLink::~TFieldDataLink()
{
    if (m_dataSource)
        m_dataSource->RemoveLink(this);
}

void TFieldDataLink::SetDataSource(TDataSource* Value)
{
    if (Value == m_dataSource)
        return;
    if (m_dataSource)
        m_dataSource->RemoveLink(this);
    m_dataSource = Value;
    if (m_dataSource)
        m_dataSource->AddLink(this);
    UpdateField();
}

void TFieldDataLink::SetFieldName(const QString& Value)
{
    if (Value == m_fieldName)
        return;
    m_fieldName = Value;
    UpdateField();
}

void TFieldDataLink::UpdateField()
{
    m_field = m_dataSource ? m_dataSource->FindField(m_fieldName) : nullptr;
    m_modified = false;
    UpdateState();
    if (OnDataChange)
        OnDataChange();
}

bool TFieldDataLink::IsBlobField() const { return m_field && m_field->IsBlob(); }

void TFieldDataLink::SetReadOnly(bool Value)
{
    if (Value == m_readOnly)
        return;
    m_readOnly = Value;
    UpdateState();
}

bool TFieldDataLink::CanModify() const { return !m_readOnly && m_field; }

bool TFieldDataLink::Edit()
{
    if (CanModify() && m_dataSource && m_dataSource->Active())
        m_dataSource->Edit();
    return m_editing;
}

void TFieldDataLink::UpdateState()
{
    const bool editing = m_dataSource && m_dataSource->Editing() && CanModify();
    if (editing == m_editing)
        return;
    m_editing = editing;
    m_modified = false;
    if (OnEditingChange)
        OnEditingChange();
}

void TFieldDataLink::RecordChanged(TField* Changed)
{
    if (m_updating)
        return;
    if (Changed && Changed != m_field)
        return;
    m_modified = false;
    if (OnDataChange)
        OnDataChange();
}

void TFieldDataLink::UpdateRecord()
{
    if (!m_modified)
        return;
    m_updating = true;
    const TScopeExit done([this] { m_updating = false; });
    if (m_field && OnUpdateData)
        OnUpdateData();
    m_modified = false;
}

void TFieldDataLink::FieldsRebuilt()
{
    m_field = m_dataSource ? m_dataSource->FindField(m_fieldName) : nullptr;
}

void TFieldDataLink::DataSourceGone()
{
    m_dataSource = nullptr;
    UpdateField();
}
