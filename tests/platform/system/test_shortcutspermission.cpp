// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// GNOME's stored answer, against the real permission store (xdg-permission-store) on a session
// bus of the test's own.
#include "platform/system/shortcutspermission.h"

#include "lib/privatesessionbus.h"
#include "lib/waituntil.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <gtest/gtest.h>
#include <optional>

namespace {

using TEntries = QMap<QString, QStringList>;

QDBusMessage StoreCall(const QString& Method)
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.impl.portal.PermissionStore"),
        QStringLiteral("/org/freedesktop/impl/portal/PermissionStore"),
        QStringLiteral("org.freedesktop.impl.portal.PermissionStore"), Method);
}

// The whole entry replaced, as GNOME Shell stores its dialog's answer (Set, data "av").
void StoreAsGnomeDoes(const TEntries& Entries)
{
    QDBusMessage call = StoreCall(QStringLiteral("Set"));
    call << QStringLiteral("gnome") << true << QStringLiteral("shortcuts-inhibitor") << QVariant::fromValue(Entries)
         << QVariant::fromValue(QDBusVariant(QVariant::fromValue(QList<QDBusVariant>())));
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
    ASSERT_NE(reply.type(), QDBusMessage::ErrorMessage) << qPrintable(reply.errorMessage());
}

TEntries Stored()
{
    QDBusMessage call = StoreCall(QStringLiteral("Lookup"));
    call << QStringLiteral("gnome") << QStringLiteral("shortcuts-inhibitor");
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
    if (reply.type() == QDBusMessage::ErrorMessage)
        return {};
    return qdbus_cast<TEntries>(reply.arguments().constFirst().value<QDBusArgument>());
}

class ShortcutsPermission : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        qDBusRegisterMetaType<TEntries>();
        qDBusRegisterMetaType<QList<QDBusVariant>>();
        const QString failure = UsePrivateSessionBus();
        ASSERT_TRUE(failure.isEmpty()) << qPrintable(failure);
    }
    void SetUp() override
    {
        QDBusMessage call = StoreCall(QStringLiteral("Delete"));
        call << QStringLiteral("gnome") << QStringLiteral("shortcuts-inhibitor");
        QDBusConnection::sessionBus().call(call); // "not found" when there was nothing
    }
};

TEST_F(ShortcutsPermission, NothingStoredIsNotStored)
{
    const TPermissionAnswer answer = LookupShortcutsPermission();
    EXPECT_EQ(answer.Permission, TShortcutsPermission::NotStored) << qPrintable(answer.Error);
}

struct TStoredCase {
    const char* Name;
    TEntries Entries;
    TShortcutsPermission Expected;
};

class ShortcutsPermissionStored : public ShortcutsPermission, public testing::WithParamInterface<TStoredCase> { };

TEST_P(ShortcutsPermissionStored, IsReadAsGnomeReadsIt)
{
    StoreAsGnomeDoes(GetParam().Entries);
    EXPECT_EQ(LookupShortcutsPermission().Permission, GetParam().Expected);
    std::optional<TPermissionAnswer> later;
    QObject context;
    LookupShortcutsPermissionLater(&context, [&](const TPermissionAnswer& Answer) { later = Answer; });
    ASSERT_TRUE(WaitUntil([&] { return later.has_value(); })) << "the later lookup never answered";
    EXPECT_EQ(later->Permission, GetParam().Expected);
}

const QString Other = QStringLiteral("org.example.other.desktop");
const QString Game = QStringLiteral("tapsy.desktop");

INSTANTIATE_TEST_SUITE_P(Cases, ShortcutsPermissionStored,
    testing::Values(TStoredCase { "Granted", { { Game, { "GRANTED" } } }, TShortcutsPermission::Granted },
        TStoredCase { "Denied", { { Game, { "DENIED" } }, { Other, { "GRANTED" } } }, TShortcutsPermission::Denied },
        // GNOME compares the whole list with GRANTED: anything else denies.
        TStoredCase { "OtherValue", { { Game, { "GRANTED", "DENIED" } } }, TShortcutsPermission::Other },
        TStoredCase { "OnlyAnotherApplication", { { Other, { "DENIED" } } }, TShortcutsPermission::NotStored },
        // The program file's name is not the desktop file id.
        TStoredCase { "WithoutDesktopSuffix", { { QStringLiteral("tapsy"), { "GRANTED" } } }, TShortcutsPermission::NotStored }),
    [](const testing::TestParamInfo<TStoredCase>& Info) { return Info.param.Name; });

TEST_F(ShortcutsPermission, GrantTurnsADenialIntoGrantedAndLeavesOthersAlone)
{
    StoreAsGnomeDoes({ { Game, { "DENIED" } }, { Other, { "DENIED" } } });
    const QString error = GrantShortcutsPermission();
    EXPECT_TRUE(error.isEmpty()) << qPrintable(error);
    const TEntries expected { { Game, { "GRANTED" } }, { Other, { "DENIED" } } };
    EXPECT_EQ(Stored(), expected);
    EXPECT_EQ(LookupShortcutsPermission().Permission, TShortcutsPermission::Granted);
}

TEST_F(ShortcutsPermission, GrantMakesTheEntryWhenThereIsNone)
{
    EXPECT_TRUE(GrantShortcutsPermission().isEmpty());
    const TEntries expected { { Game, { "GRANTED" } } };
    EXPECT_EQ(Stored(), expected);
}

} // namespace
