// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "app/application.h"
#include "platform/system/exception.h"
#include "platform/system/productidentity.h"

#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// One application object for the whole binary, made by the first test that needs it.
TApplication& App()
{
    static int argc = 1;
    static char name[] = "test_application";
    static char* argv[] = { name, nullptr };
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static TApplication app(argc, argv);
    return app;
}

// What a message box showed; the watcher closes every box it sees, as a user pressing OK.
struct TShownBox {
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
};

class TBoxWatcher {
public:
    TBoxWatcher()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                Boxes.push_back({ box->windowTitle(), box->text(), box->icon() });
                box->accept();
            }
        });
        m_timer.start(10);
    }
    std::vector<TShownBox> Boxes;

private:
    QTimer m_timer;
};

TEST(ProductIdentity, AddressesAreBuiltFromTheDomainAndTheProductId)
{
    InitProductIdentity();
    EXPECT_EQ(ProductTitle, QStringLiteral("Tapsy"));
    EXPECT_EQ(ProductId, QStringLiteral("Tapsy_V1"));
    EXPECT_EQ(ApplicationTitle(), ProductTitle);
    const struct {
        QString Url;
        QString PathAndQuery;
    } links[] = {
        { WebSiteUrl, QStringLiteral("/?come_from=Tapsy_V1") },
        { HomePageUrl, QStringLiteral("/en/Tapsy_Screen_Saver_Detail.aspx?come_from=Tapsy_V1") },
    };
    for (const auto& link : links) {
        const QUrl url(link.Url, QUrl::StrictMode);
        EXPECT_TRUE(url.isValid()) << link.Url.toStdString();
        EXPECT_EQ(url.scheme(), QStringLiteral("https"));
        EXPECT_EQ(url.host(), MakerDomain);
        EXPECT_EQ(url.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority), link.PathAndQuery);
    }
    EXPECT_EQ(SupportEmail, QStringLiteral("support@") + MakerDomain);
}

TEST(ExceptionDisplay, MessageEndsInAFullStop)
{
    const struct {
        const char* Message;
        const char* Shown;
    } cases[] = {
        { "'' is not a valid integer value", "'' is not a valid integer value." },
        { "Cannot open file.", "Cannot open file." },
        { "Stop!", "Stop!" },
        { "Why?", "Why?" },
        { "", "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExceptionMessageText(Exception(c.Message)).toStdString(), c.Shown);
}

TEST(ExceptionDisplay, ShowsTheStandardErrorBoxAndTellsStandardError)
{
    App();
    InitProductIdentity();
    TBoxWatcher watcher;
    testing::internal::CaptureStderr();
    ShowException(EConvertError("' xyz' is not a valid integer value"));
    const std::string written = testing::internal::GetCapturedStderr();

    ASSERT_EQ(watcher.Boxes.size(), 1u);
    EXPECT_EQ(watcher.Boxes[0].Title, QStringLiteral("Tapsy"));
    EXPECT_EQ(watcher.Boxes[0].Text, QStringLiteral("' xyz' is not a valid integer value."));
    EXPECT_EQ(watcher.Boxes[0].Icon, QMessageBox::Critical);
    EXPECT_NE(written.find("Tapsy: ' xyz' is not a valid integer value.\n"), std::string::npos)
        << written;
}

class TThrowingObject : public QObject {
public:
    bool event(QEvent* Event) override
    {
        if (Event->type() == QEvent::User)
            throw Exception("Broken handler");
        return QObject::event(Event);
    }
};

TEST(ExceptionDisplay, AnExceptionFromAnEventHandlerIsShownAndTheLoopGoesOn)
{
    App();
    InitProductIdentity();
    TBoxWatcher watcher;
    TThrowingObject thrower;
    QEventLoop loop;
    bool carriedOn = false;
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QTimer::singleShot(0, &loop, [&] {
        carriedOn = true;
        loop.quit();
    });
    testing::internal::CaptureStderr();
    loop.exec();
    testing::internal::GetCapturedStderr();

    EXPECT_TRUE(carriedOn);
    ASSERT_EQ(watcher.Boxes.size(), 1u);
    EXPECT_EQ(watcher.Boxes[0].Text, QStringLiteral("Broken handler."));
}

} // namespace
