// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/registry.h"

#include <QSettings>

TRegistry::TRegistry()
    : m_settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
          QStringLiteral("Tapsy"), QStringLiteral("Tapsy")))
{
}

// Written values reach the file here at the latest.
TRegistry::~TRegistry() { CloseKey(); }

QString TRegistry::GroupOf(const QString& Key)
{
    QString group = Key;
    group.replace(u'\\', u'/');
    while (group.startsWith(u'/'))
        group.remove(0, 1);
    while (group.endsWith(u'/'))
        group.chop(1);
    return group;
}

bool TRegistry::OpenKey(const QString& Key, bool CanCreate)
{
    CloseKey();
    const QString group = GroupOf(Key);
    if (!CanCreate && !group.isEmpty()) {
        // The settings file keeps no empty groups: a key exists when something lies in it.
        m_settings->beginGroup(group);
        const bool exists = !m_settings->childKeys().isEmpty() || !m_settings->childGroups().isEmpty();
        m_settings->endGroup();
        if (!exists)
            return false;
    }
    m_currentPath = Key;
    m_group = group;
    return true;
}

void TRegistry::CloseKey()
{
    if (!m_currentPath.isEmpty())
        m_settings->sync();
    m_currentPath.clear();
    m_group.clear();
}

QString TRegistry::ValuePath(const QString& Name) const
{
    return m_group.isEmpty() ? Name : m_group + u'/' + Name;
}

bool TRegistry::ValueExists(const QString& Name) const
{
    return m_settings->contains(ValuePath(Name));
}

int32_t TRegistry::ReadInteger(const QString& Name) const
{
    const QVariant value = m_settings->value(ValuePath(Name));
    if (!value.isValid())
        throw ERegistryException("Invalid data type for '" + Name.toStdString() + "'");
    // Read back from the file, an integer comes as text: convert it explicitly.
    bool ok = false;
    const int result = value.toString().trimmed().toInt(&ok);
    if (!ok)
        throw ERegistryException("Invalid data type for '" + Name.toStdString() + "'");
    return int32_t(result);
}

void TRegistry::WriteInteger(const QString& Name, int32_t Value)
{
    m_settings->setValue(ValuePath(Name), int(Value));
}
