// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/system/shortcutspermission.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QFileInfo>
#include <QMap>
#include <QStringList>

namespace {

const QString Service = QStringLiteral("org.freedesktop.impl.portal.PermissionStore");
const QString Path = QStringLiteral("/org/freedesktop/impl/portal/PermissionStore");
const QString Interface = QStringLiteral("org.freedesktop.impl.portal.PermissionStore");
const QString Table = QStringLiteral("gnome");
const QString Id = QStringLiteral("shortcuts-inhibitor");
const QString Granted = QStringLiteral("GRANTED");
const QString Denied = QStringLiteral("DENIED");

// The store is started on demand by the bus; that and its database read take well under this.
constexpr int CallTimeoutMs = 5000;

QDBusMessage LookupCall()
{
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Lookup"));
    call << Table << Id;
    return call;
}

// Without a connected session bus there is no desktop to ask. Without its address or the
// session's bus socket there is none to connect to: the bus library would only try to start one.
QString NoBusError()
{
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const bool busKnown = !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
        || (!runtimeDir.isEmpty() && QFileInfo::exists(runtimeDir + QStringLiteral("/bus")));
    if (!busKnown)
        return QStringLiteral("there is no session bus (DBUS_SESSION_BUS_ADDRESS is not set)");
    if (QDBusConnection::sessionBus().isConnected())
        return QString();
    const QString why = QDBusConnection::sessionBus().lastError().message();
    return QStringLiteral("there is no session bus%1").arg(why.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(why));
}

TPermissionAnswer Answer(const QDBusMessage& Reply)
{
    TPermissionAnswer answer;
    if (Reply.type() == QDBusMessage::ErrorMessage) {
        // An id without any entry is the store's way of saying "nothing stored".
        if (Reply.errorName() == u"org.freedesktop.portal.Error.NotFound")
            answer.Permission = TShortcutsPermission::NotStored;
        else
            answer.Error = QStringLiteral("the permission store did not answer: %1").arg(Reply.errorMessage());
        return answer;
    }
    if (Reply.arguments().isEmpty() || !Reply.arguments().constFirst().canConvert<QDBusArgument>()) {
        answer.Error = QStringLiteral("the permission store answered in an unknown form");
        return answer;
    }
    const auto permissions
        = qdbus_cast<QMap<QString, QStringList>>(Reply.arguments().constFirst().value<QDBusArgument>());
    const auto entry = permissions.constFind(QLatin1String(GameDesktopFileId));
    if (entry == permissions.constEnd())
        answer.Permission = TShortcutsPermission::NotStored;
    // GNOME Shell compares the whole list with "GRANTED", so only that one value grants.
    else if (*entry == QStringList { Granted })
        answer.Permission = TShortcutsPermission::Granted;
    else if (*entry == QStringList { Denied })
        answer.Permission = TShortcutsPermission::Denied;
    else
        answer.Permission = TShortcutsPermission::Other;
    return answer;
}

} // namespace

TPermissionAnswer LookupShortcutsPermission()
{
    if (const QString error = NoBusError(); !error.isEmpty())
        return { TShortcutsPermission::NoStore, error };
    return Answer(QDBusConnection::sessionBus().call(LookupCall(), QDBus::Block, CallTimeoutMs));
}

void LookupShortcutsPermissionLater(QObject* Context, std::function<void(const TPermissionAnswer&)> Done)
{
    if (const QString error = NoBusError(); !error.isEmpty()) {
        QMetaObject::invokeMethod(Context, [Done, error] { Done({ TShortcutsPermission::NoStore, error }); },
            Qt::QueuedConnection);
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(LookupCall(), CallTimeoutMs), Context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, Context, [Done](QDBusPendingCallWatcher* Watcher) {
        Watcher->deleteLater();
        Done(Answer(Watcher->reply()));
    });
}

QString GrantShortcutsPermission()
{
    if (const QString error = NoBusError(); !error.isEmpty())
        return error;
    // SetPermission changes the game's entry only; Set, which GNOME Shell uses, would replace
    // the answers stored for every other application.
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("SetPermission"));
    call << Table << true << Id << QString::fromLatin1(GameDesktopFileId) << QStringList { Granted };
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, CallTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage)
        return QStringLiteral("the permission store refused: %1").arg(reply.errorMessage());
    const TPermissionAnswer check = LookupShortcutsPermission();
    if (check.Permission != TShortcutsPermission::Granted)
        return check.Error.isEmpty() ? QStringLiteral("the permission store did not keep the answer") : check.Error;
    return QString();
}

QString LockdownConsentText()
{
    // Translated under the context "LockdownConsent": the About window and --allow-lockdown say it.
    return QCoreApplication::translate("LockdownConsent",
        "Tapsy keeps a small child inside the game. On GNOME (Wayland) it asks GNOME to pass the "
        "desktop's keyboard shortcuts (Super, Alt+Tab, Alt+F4 and the others) to the game while "
        "it runs. GNOME asks once, in a dialog \"Allow inhibiting shortcuts\" that a child "
        "answers Deny with a key or two (Escape, or Tab and Enter), and remembers that answer.\n\n"
        "This gives GNOME the answer Allow for Tapsy (%1), for your user only, in the desktop's "
        "permission store, so that GNOME does not ask. While the game runs it also switches off "
        "Super+Escape, GNOME's key that turns the shortcuts on again, and puts it back when the "
        "game ends. A grown-up leaves the game with Ctrl+Alt+Q.")
        .arg(QLatin1String(GameDesktopFileId));
}

QString LockdownConsentResult(const QString& Error)
{
    if (Error.isEmpty())
        return QCoreApplication::translate("LockdownConsent",
            "Done: GNOME lets Tapsy hold its keyboard shortcuts while the game runs (GRANTED for "
            "%1 in the permission store's table gnome, id shortcuts-inhibitor).")
            .arg(QLatin1String(GameDesktopFileId));
    // The reason itself is the system's message and stays as it is.
    return QCoreApplication::translate("LockdownConsent", "Nothing was stored: %1.").arg(Error);
}

QString AllowLockdownCommand()
{
    const QString program = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    return (program.isEmpty() ? QStringLiteral("tapsy") : program) + QStringLiteral(" --allow-lockdown");
}
