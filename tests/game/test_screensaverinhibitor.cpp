// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The hold on the desktop's screen saver against a stand-in for org.freedesktop.ScreenSaver on
// a private session bus (the test runs under dbus-run-session), and with no such service.
#include "game/screensaverinhibitor.h"

#include "lib/waituntil.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QMutex>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>

// Answers Inhibit with cookies 41, 42, … and writes down every call.
class TFakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QStringList Calls() const
    {
        QMutexLocker lock(&m_mutex);
        return m_calls;
    }

public Q_SLOTS:
    uint Inhibit(const QString& Application, const QString& Reason)
    {
        QMutexLocker lock(&m_mutex);
        m_calls << QStringLiteral("Inhibit %1 %2").arg(Application, Reason);
        return m_next++;
    }
    void UnInhibit(uint Cookie)
    {
        QMutexLocker lock(&m_mutex);
        m_calls << QStringLiteral("UnInhibit %1").arg(Cookie);
    }

private:
    mutable QMutex m_mutex;
    QStringList m_calls;
    uint m_next = 41;
};

namespace {

class ScreenSaverInhibitor : public testing::Test {
protected:
    void SetUp() override
    {
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no session bus (run under dbus-run-session)";
    }

    // The stand-in service on a connection and a thread of its own, so that the game's waited
    // call to it is answered.
    void StartService()
    {
        m_thread = std::make_unique<QThread>();
        m_thread->start();
        m_service = std::make_unique<TFakeScreenSaver>();
        m_service->moveToThread(m_thread.get());
        m_connection = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-screensaver")));
        ASSERT_TRUE(m_connection->registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"),
            m_service.get(), QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(m_connection->registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
    }

    void TearDown() override
    {
        if (m_connection) {
            m_connection->unregisterService(QStringLiteral("org.freedesktop.ScreenSaver"));
            m_connection->unregisterObject(QStringLiteral("/org/freedesktop/ScreenSaver"));
            QDBusConnection::disconnectFromBus(QStringLiteral("fake-screensaver"));
            m_connection.reset();
        }
        if (m_thread) {
            m_thread->quit();
            m_thread->wait();
        }
    }

    std::unique_ptr<QThread> m_thread;
    std::unique_ptr<TFakeScreenSaver> m_service;
    std::unique_ptr<QDBusConnection> m_connection;
};

TEST_F(ScreenSaverInhibitor, HoldsTheScreenSaverOffAndGivesItBack)
{
    StartService();
    TScreenSaverInhibitor inhibitor;
    inhibitor.Inhibit(QStringLiteral("Tapsy"), QStringLiteral("A child is playing"));
    ASSERT_TRUE(WaitUntil([&] { return inhibitor.Answered(); }));
    EXPECT_TRUE(inhibitor.Inhibited());
    inhibitor.Release();
    EXPECT_FALSE(inhibitor.Inhibited());
    EXPECT_EQ(m_service->Calls(),
        (QStringList { QStringLiteral("Inhibit Tapsy A child is playing"), QStringLiteral("UnInhibit 41") }));
}

TEST_F(ScreenSaverInhibitor, AHoldGrantedAfterTheReleaseIsGivenBackAtOnce)
{
    StartService();
    TScreenSaverInhibitor inhibitor;
    inhibitor.Inhibit(QStringLiteral("Tapsy"), QStringLiteral("playing"));
    inhibitor.Release(); // before the answer
    ASSERT_TRUE(WaitUntil([&] { return inhibitor.Answered(); }));
    EXPECT_FALSE(inhibitor.Inhibited());
    EXPECT_EQ(m_service->Calls(),
        (QStringList { QStringLiteral("Inhibit Tapsy playing"), QStringLiteral("UnInhibit 41") }));
}

TEST_F(ScreenSaverInhibitor, WithoutTheServiceNothingIsHeldAndNothingBreaks)
{
    TScreenSaverInhibitor inhibitor;
    inhibitor.Inhibit(QStringLiteral("Tapsy"), QStringLiteral("playing"));
    ASSERT_TRUE(WaitUntil([&] { return inhibitor.Answered(); }));
    EXPECT_FALSE(inhibitor.Inhibited());
    inhibitor.Release();
    EXPECT_FALSE(inhibitor.Inhibited());
}

} // namespace

#include "test_screensaverinhibitor.moc"
