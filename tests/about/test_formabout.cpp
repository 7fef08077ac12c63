// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "about/formabout.h"
#include "lib/privatesessionbus.h"
#include "platform/system/productidentity.h"
#include "platform/system/shell.h"
#include "platform/system/shortcutspermission.h"
#include "platform/widgets/label.h"
#include "platform/widgets/panel.h"

#include "lib/formfixture.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

class FormAbout : public TFormFixture<TfrmAbout> {
protected:
    std::unique_ptr<TfrmAbout> MakeForm() override
    {
        return std::make_unique<TfrmAbout>(nullptr, QStringLiteral(TAPSY_EXECUTABLE));
    }

    void Click(const char* Name)
    {
        QWidget* widget = Component(Name);
        ASSERT_NE(widget, nullptr);
        const QPoint at(3, 3);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), widget->mapToGlobal(QPointF(at)),
            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at),
            widget->mapToGlobal(QPointF(at)), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
};

TEST_F(FormAbout, IsAFixedDialogTitledAbout)
{
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(Form->size(), QSize(414, 279));
    EXPECT_EQ(Form->minimumSize(), Form->maximumSize());
    EXPECT_EQ(Form->windowType(), Qt::Dialog);
    EXPECT_TRUE(Form->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(
        Form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

TEST_F(FormAbout, ShowsTheTitleAndTheProgramsVersion)
{
    const TLabel* title = Component<TLabel>("lblProductFullName");
    const TLabel* version = Component<TLabel>("lblVersion");
    ASSERT_TRUE(title && version);
    EXPECT_EQ(title->Caption(), QStringLiteral("Tapsy"));
    EXPECT_TRUE(title->font().bold());
    EXPECT_EQ(title->font().pixelSize(), 13);
    EXPECT_TRUE(title->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(title->geometry(), QRect(32, 24, 334, 16));
    EXPECT_EQ(version->Caption().toStdString(), std::string("Version:") + TAPSY_PROJECT_VERSION);
    EXPECT_EQ(version->pos(), QPoint(136, 68));
}

TEST_F(FormAbout, WithoutAVersionTheLabelSaysVersionAlone)
{
    // This test program carries no version.
    TfrmAbout about;
    const TLabel* version = about.findChild<TLabel*>(QStringLiteral("lblVersion"));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->Caption(), QStringLiteral("Version:"));
}

TEST_F(FormAbout, ComponentsAreWhereTheyBelong)
{
    const TPanel* panel = Component<TPanel>("Panel1");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry(), QRect(16, 8, 385, 145));
    EXPECT_EQ(panel->BevelOuter(), bvRaised);
    EXPECT_EQ(panel->BevelInner(), bvLowered);

    const struct {
        const char* Name;
        const char* Parent;
        QString Caption;
        QPoint TopLeft;
        bool Underlined;
    } labels[] = {
        { "lblVersion", "Panel1", {}, { 136, 68 }, false },
        { "Label3", "frmAbout", {}, { 112, 172 }, false },
        { "labelWeb", "frmAbout", QStringLiteral("https://tapsy.example.org"), { 160, 200 }, true },
        { "labelMail", "frmAbout", QStringLiteral("support@tapsy.example.org"), { 160, 224 },
            true },
    };
    for (const auto& c : labels) {
        const TLabel* label = Component<TLabel>(c.Name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->parentWidget()->objectName().toStdString(), c.Parent) << c.Name;
        if (!c.Caption.isEmpty()) {
            EXPECT_EQ(label->Caption(), c.Caption) << c.Name;
        }
        EXPECT_EQ(label->pos(), c.TopLeft) << c.Name;
        EXPECT_EQ(label->font().underline(), c.Underlined) << c.Name;
    }
    EXPECT_FALSE(Component<TLabel>("Label3")->Caption().isEmpty());

    // The two names end where their links begin, however wide the font draws them.
    for (const auto& [name, caption] :
        { std::pair { "Label4", "Web Site:" }, std::pair { "Label5", "Support Email:" } }) {
        const TLabel* label = Component<TLabel>(name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->Caption().toStdString(), caption);
        EXPECT_EQ(label->geometry().right() + 1, 151) << name;
    }

    const struct {
        const char* Name;
        const char* Caption;
        QRect Bounds;
    } buttons[] = {
        { "btnVisitHomePage", "Visit Home Page", { 0, 248, 91, 25 } },
        { "btnAllowLockdown", "Allow Lock-down...", { 140, 248, 131, 25 } },
        { "btnClose", "Close", { 320, 248, 91, 25 } },
    };
    for (const auto& c : buttons) {
        const QPushButton* button = Component<QPushButton>(c.Name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text().toStdString(), c.Caption);
        EXPECT_EQ(button->geometry(), c.Bounds) << c.Name;
    }
}

TEST_F(FormAbout, LinksTurnBlueWithAHandCursorWhileTheMouseIsOverThem)
{
    for (const char* name : { "labelWeb", "labelMail" }) {
        TLabel* link = Component<TLabel>(name);
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->FontColor(), QColor(Qt::black)) << name;
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(link, &enter);
        EXPECT_EQ(link->FontColor(), QColor(Qt::blue)) << name;
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor) << name;
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(link, &leave);
        EXPECT_EQ(link->FontColor(), QColor(Qt::black)) << name;
        EXPECT_FALSE(link->testAttribute(Qt::WA_SetCursor)) << name;
    }
}

TEST_F(FormAbout, LinksOpenTheirTargetsAndTheWindowStays)
{
    Form->show();
    const struct {
        const char* Name;
        QString Target;
    } cases[] = {
        { "btnVisitHomePage", HomePageUrl },
        { "labelWeb", WebSiteUrl },
        { "labelMail", QStringLiteral("mailto:support@tapsy.example.org") },
    };
    for (const auto& c : cases) {
        Opened.clear();
        Click(c.Name);
        ASSERT_EQ(Opened.size(), 1u) << c.Name;
        EXPECT_EQ(Opened[0], c.Target) << c.Name;
        EXPECT_TRUE(Form->isVisible()) << c.Name;
    }
}

TEST_F(FormAbout, CloseClosesTheWindow)
{
    Form->show();
    Click("btnClose");
    EXPECT_FALSE(Form->isVisible());
    EXPECT_TRUE(Opened.empty());
}

// The consent button, against the real permission store on a session bus of the test's own.
class FormAboutConsent : public FormAbout {
protected:
    static void SetUpTestSuite()
    {
        const QString failure = UsePrivateSessionBus();
        ASSERT_TRUE(failure.isEmpty()) << qPrintable(failure);
    }
    void SetUp() override
    {
        FormAbout::SetUp();
        QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.impl.portal.PermissionStore"),
            QStringLiteral("/org/freedesktop/impl/portal/PermissionStore"),
            QStringLiteral("org.freedesktop.impl.portal.PermissionStore"), QStringLiteral("Delete"));
        call << QStringLiteral("gnome") << QStringLiteral("shortcuts-inhibitor");
        QDBusConnection::sessionBus().call(call); // "not found" when there was nothing
    }

    // Clicks Name and answers the message boxes it opens, in turn, with the buttons Answers
    // names; Texts gets what each box said. A box without such a button is closed (and the
    // test fails), so that nothing waits for ever.
    void ClickAndAnswer(const char* Name, const std::vector<QString>& Answers, std::vector<QString>& Texts)
    {
        size_t next = 0;
        QTimer answerer;
        answerer.setInterval(20);
        QObject::connect(&answerer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            Texts.push_back(box->text());
            for (QAbstractButton* button : box->buttons()) {
                if (next < Answers.size() && button->text().remove(u'&') == Answers[next]) {
                    ++next;
                    button->click();
                    return;
                }
            }
            ADD_FAILURE() << "no button " << (next < Answers.size() ? qPrintable(Answers[next]) : "(none expected)")
                          << " in the box saying: " << qPrintable(box->text());
            box->reject();
        });
        answerer.start();
        Click(Name);
        EXPECT_EQ(next, Answers.size()) << "not every expected box came";
    }
};

TEST_F(FormAboutConsent, AllowSaysWhatItDoesThenStoresGranted)
{
    Form->show();
    std::vector<QString> texts;
    ClickAndAnswer("btnAllowLockdown", { QStringLiteral("Allow"), QStringLiteral("OK") }, texts);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], LockdownConsentText());
    EXPECT_TRUE(texts[1].startsWith(u"Done: GNOME lets Tapsy hold its keyboard shortcuts")) << qPrintable(texts[1]);
    EXPECT_EQ(LookupShortcutsPermission().Permission, TShortcutsPermission::Granted);
    EXPECT_TRUE(Form->isVisible());
}

TEST_F(FormAboutConsent, CancelStoresNothing)
{
    std::vector<QString> texts;
    ClickAndAnswer("btnAllowLockdown", { QStringLiteral("Cancel") }, texts);
    EXPECT_EQ(texts.size(), 1u);
    EXPECT_EQ(LookupShortcutsPermission().Permission, TShortcutsPermission::NotStored);
}

} // namespace
