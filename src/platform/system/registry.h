// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The user's part of the registry, as the class library's registry object reaches it: a key is
// opened by its path ("\Control Panel\Desktop"), its integer values are tested, read and
// written, and the key is closed. The values live in the user's settings file of the program
// (~/.config/Tapsy/Tapsy.conf), one group per key: "Control Panel/Desktop" and so on.
#pragma once

#include "platform/system/exception.h"

#include <QString>
#include <cstdint>
#include <memory>

class QSettings;

// A value that is missing, or is not an integer where one is read.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

class TRegistry {
public:
    // HKEY_CURRENT_USER, opened with full access.
    TRegistry();
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // Opens Key, closing the one open before. Without CanCreate a key that holds nothing (and so
    // does not exist) is not opened: false. With CanCreate the key is made if needed.
    bool OpenKey(const QString& Key, bool CanCreate);
    void CloseKey();
    // The open key's path as given to OpenKey; empty when none is open.
    QString CurrentPath() const { return m_currentPath; }

    bool ValueExists(const QString& Name) const;
    // The value as a 32-bit signed integer; ERegistryException when it is missing or is not an
    // integer in that range.
    int32_t ReadInteger(const QString& Name) const;
    void WriteInteger(const QString& Name, int32_t Value);

private:
    // The settings group of a key path: separators become "/", none at either end.
    static QString GroupOf(const QString& Key);
    QString ValuePath(const QString& Name) const;

    std::unique_ptr<QSettings> m_settings;
    QString m_currentPath;
    QString m_group;
};
