// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The game window on a 1280 x 1024 screen. The FormMainLayout tests run twice: on Qt's offscreen
// platform and in a real X11 window under a window manager.
#include "game/formmain.h"
#include "platform/system/productidentity.h"
#include "platform/system/programpath.h"
#include "platform/system/shell.h"
#include "platform/widgets/label.h"
#include "platform/widgets/panel.h"

#include "lib/formfixture.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class FormMainTest : public TFormFixture<TfrmMain> {
protected:
    // Where a component lies in the window.
    QRect InWindow(const char* Name) const
    {
        const QWidget* widget = Component(Name);
        return widget ? QRect(widget->mapTo(Form.get(), QPoint(0, 0)), widget->size()) : QRect();
    }

    void ShowAndWait()
    {
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    }
};

using FormMainLayout = FormMainTest;
using FormMain = FormMainTest;

TEST_F(FormMainLayout, CoversThePrimaryScreenWithoutABorderAboveOtherWindows)
{
    ShowAndWait();
    EXPECT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1280, 1024));
    EXPECT_EQ(Form->frameGeometry(), QRect(0, 0, 1280, 1024));
    EXPECT_EQ(Form->geometry(), QRect(0, 0, 1280, 1024));
    EXPECT_TRUE(Form->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(Form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(Form->isFullScreen());
}

TEST_F(FormMainLayout, BandColumnAndDescriptionAreWhereTheScreenPutsThem)
{
    ShowAndWait();
    const struct {
        const char* Name;
        QRect Bounds;
    } cases[] = {
        { "panelTop", { 0, 0, 1280, 204 } },
        { "panelLeftTop", { 0, 0, 408, 204 } },
        { "m_textKeyName", { 1, 1, 406, 202 } }, // inside the raised bevel
        { "panelRightTop", { 408, 0, 872, 204 } },
        { "panelBottom", { 0, 204, 1280, 820 } },
        { "panelLeftBottom", { 0, 204, 408, 820 } },
        { "Panel1", { 0, 724, 408, 300 } },
        { "panelRightBottom", { 408, 204, 872, 820 } },
        { "m_transitionView", { 409, 205, 870, 818 } }, // inside the lowered bevel
        { "LabelAbout", { 16, 764, 169, 19 } },
        { "LabelHomePage", { 16, 793, 169, 19 } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(InWindow(c.Name), c.Bounds) << c.Name;

    // The description: 52 below the band's top, 50 right of the name area, 100 high.
    const QRect desc = InWindow("m_textKeyDesc");
    EXPECT_EQ(desc.topLeft(), QPoint(408 + 50, 52));
    EXPECT_EQ(desc.height(), 100);
    EXPECT_GT(desc.width(), 0);
}

TEST_F(FormMainLayout, TheNameAreaIsRaisedAndThePictureAreaLowered)
{
    ShowAndWait();
    const QImage image = Form->grab().toImage();
    const struct {
        QPoint At;
        QRgb Colour;
    } cases[] = {
        { { 0, 0 }, TPanel::BtnHighlight }, // name area, top left
        { { 0, 202 }, TPanel::BtnHighlight },
        { { 407, 1 }, TPanel::BtnShadow }, // name area, right edge
        { { 1, 203 }, TPanel::BtnShadow }, // name area, bottom edge
        { { 408, 204 }, TPanel::BtnShadow }, // picture area, top left
        { { 1279, 1023 }, TPanel::BtnHighlight }, // picture area, bottom right
        { { 408, 1022 }, TPanel::BtnShadow },
        { { 1200, 190 }, qRgb(0, 0, 0) }, // the band, right of the description
        { { 200, 400 }, qRgb(0, 0, 0) }, // the links' column
    };
    for (const auto& c : cases)
        EXPECT_EQ(image.pixel(c.At) | 0xFF000000, c.Colour | 0xFF000000)
            << "at (" << c.At.x() << ", " << c.At.y() << ")";
}

TEST_F(FormMain, ComponentsSitInTheirParents)
{
    const struct {
        const char* Name;
        const char* Parent;
    } cases[] = {
        { "panelTop", "frmMain" },
        { "panelBottom", "frmMain" },
        { "panelLeftTop", "panelTop" },
        { "panelRightTop", "panelTop" },
        { "m_textKeyName", "panelLeftTop" },
        { "m_textKeyDesc", "panelRightTop" },
        { "panelLeftBottom", "panelBottom" },
        { "panelRightBottom", "panelBottom" },
        { "m_transitionView", "panelRightBottom" },
        { "Panel1", "panelLeftBottom" },
        { "LabelAbout", "Panel1" },
        { "LabelHomePage", "Panel1" },
        { "StaticText1", "Panel1" },
        { "Label1", "Panel1" },
    };
    for (const auto& c : cases) {
        const QWidget* widget = Component(c.Name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->parentWidget()->objectName().toStdString(), c.Parent) << c.Name;
    }
}

TEST_F(FormMain, PanelsHaveTheirBevelsAndColours)
{
    const struct {
        const char* Name;
        TPanelBevel Outer;
        QColor Colour;
    } cases[] = {
        { "panelTop", bvNone, Qt::black },
        { "panelLeftTop", bvRaised, Qt::black },
        { "panelRightTop", bvNone, Qt::black },
        { "panelBottom", bvNone, QColor() },
        { "panelLeftBottom", bvNone, Qt::black },
        { "Panel1", bvNone, Qt::black },
        { "panelRightBottom", bvLowered, Qt::black },
    };
    for (const auto& c : cases) {
        const TPanel* panel = Component<TPanel>(c.Name);
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->BevelOuter(), c.Outer) << c.Name;
        EXPECT_EQ(panel->BevelInner(), bvNone) << c.Name;
        if (c.Colour.isValid()) {
            EXPECT_EQ(panel->Color(), c.Colour) << c.Name;
        }
    }
    EXPECT_EQ(Form->palette().color(QPalette::Window), QColor(128, 128, 128));
}

TEST_F(FormMain, TextsHaveTheirCaptionsAndFonts)
{
    const struct {
        const char* Name;
        const char* Caption;
        int Height;
        bool Bold;
        bool Underline;
    } cases[] = {
        { "m_textKeyName", "ABC", 96, true, false },
        { "m_textKeyDesc", "Description...", 64, true, false },
        { "LabelAbout", "About", 16, false, true },
        { "LabelHomePage", "Home Page", 16, false, true },
        { "StaticText1", "Quillon Soft.", 32, true, false },
        { "Label1", nullptr, 13, false, false },
    };
    for (const auto& c : cases) {
        const TLabel* text = Component<TLabel>(c.Name);
        ASSERT_NE(text, nullptr);
        if (c.Caption) {
            EXPECT_EQ(text->Caption().toStdString(), c.Caption);
        }
        EXPECT_EQ(text->font().family(), QStringLiteral("Tahoma")) << c.Name;
        EXPECT_EQ(text->font().pixelSize(), c.Height) << c.Name;
        EXPECT_EQ(text->font().bold(), c.Bold) << c.Name;
        EXPECT_EQ(text->font().underline(), c.Underline) << c.Name;
        EXPECT_EQ(text->FontColor(), QColor(Qt::white)) << c.Name;
        EXPECT_EQ(text->palette().color(QPalette::Window), QColor(Qt::black)) << c.Name;
    }
    EXPECT_TRUE(Component<TLabel>("m_textKeyName")->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(Component<TLabel>("m_textKeyDesc")->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(Form->font().pixelSize(), 11);
}

TEST_F(FormMain, TheNoteForParentsHasSixLinesAndAHint)
{
    const TLabel* note = Component<TLabel>("Label1");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->Caption(),
        QStringLiteral("Note:\r\n\r\n1. Don't let your baby play with this game \r\n"
                       "     for more than 15 minutes every time.\r\n\r\n2. Press Ctrl + Alt + Q "
                       "to exit game."));
    EXPECT_EQ(note->toolTip(),
        QStringLiteral(
            "As everybody knows, a child's attention span is limited. Don't let your baby play "
            "with this game for more than 15 minutes at a time. "));
    EXPECT_EQ(note->pos(), QPoint(16, 200));
    // It sizes itself to the six lines, whatever the font turns out to be.
    EXPECT_GE(note->height(), 6 * note->fontMetrics().height());
}

TEST_F(FormMain, CtrlAltQClosesWithOrWithoutShiftAndNothingElseDoes)
{
    const struct {
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        bool Closes;
    } cases[] = {
        { Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier, true },
        { Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier, true },
        { Qt::Key_Q, Qt::ControlModifier, false },
        { Qt::Key_Q, Qt::AltModifier, false },
        { Qt::Key_Q, Qt::NoModifier, false },
        { Qt::Key_W, Qt::ControlModifier | Qt::AltModifier, false },
        { Qt::Key_Escape, Qt::NoModifier, false },
        { Qt::Key_F4, Qt::AltModifier, false },
    };
    for (const auto& c : cases) {
        TfrmMain form;
        form.show();
        QTest::keyClick(&form, c.Key, c.Modifiers);
        EXPECT_EQ(!form.isVisible(), c.Closes) << "key " << c.Key << ", modifiers " << c.Modifiers;
    }
}

TEST_F(FormMain, TheChordClosesRightAfterOtherKeys)
{
    Form->show();
    for (Qt::Key key : { Qt::Key_A, Qt::Key_B, Qt::Key_C })
        QTest::keyClick(Form.get(), key);
    QTest::keyClick(Form.get(), Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_FALSE(Form->isVisible());
}

TEST_F(FormMain, AMouseButtonPausesTheIdleDemoAndTheMouseNeverCloses)
{
    Form->show();
    for (Qt::MouseButton button : { Qt::LeftButton, Qt::RightButton, Qt::MiddleButton }) {
        for (const char* where : { "m_textKeyDesc", "m_transitionView", "Label1" }) {
            Form->IdleTimer().SetEnabled(true);
            QTest::mousePress(Component(where), button, Qt::NoModifier, QPoint(3, 3));
            EXPECT_FALSE(Form->IdleTimer().Enabled()) << where << ", button " << button;
            QTest::mouseRelease(Component(where), button, Qt::NoModifier, QPoint(3, 3));
        }
    }
    QTest::mouseMove(Component("m_transitionView"), QPoint(10, 10));
    QTest::mouseMove(Component("LabelAbout"), QPoint(3, 3));
    EXPECT_TRUE(Form->isVisible());
}

TEST_F(FormMain, RightClickOpensNoMenuAndIsTraced)
{
    Form->show();
    for (const char* where : { "m_textKeyName", "Label1", "m_transitionView" }) {
        QWidget* target = Component(where);
        QContextMenuEvent event(
            QContextMenuEvent::Mouse, QPoint(3, 3), target->mapToGlobal(QPoint(3, 3)));
        testing::internal::CaptureStderr();
        QApplication::sendEvent(target, &event);
        const std::string written = testing::internal::GetCapturedStderr();
        EXPECT_NE(written.find("  WM_CONTEXTMENU captured...\n"), std::string::npos) << where;
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << where;
    }
    EXPECT_EQ(Form->contextMenuPolicy(), Qt::PreventContextMenu);
}

TEST_F(FormMain, LinksTurnRedWithAHandCursorWhileTheMouseIsOverThem)
{
    for (const char* name : { "LabelAbout", "LabelHomePage" }) {
        TLabel* link = Component<TLabel>(name);
        ASSERT_NE(link, nullptr);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(link, &enter);
        EXPECT_EQ(link->FontColor(), QColor(Qt::red)) << name;
        EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor) << name;
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(link, &leave);
        EXPECT_EQ(link->FontColor(), QColor(Qt::white)) << name;
        EXPECT_FALSE(link->testAttribute(Qt::WA_SetCursor)) << name << " keeps the default cursor";
    }
}

TEST_F(FormMain, LinksOpenTheirTargetThenCloseTheGame)
{
    const struct {
        const char* Name;
        QString Target;
    } cases[] = {
        { "LabelHomePage", HomePageUrl },
        // A second instance without arguments: it shows the About window.
        { "LabelAbout", QString::fromStdString(ProgramFilePath().string()) },
    };
    for (const auto& c : cases) {
        TfrmMain form;
        form.show();
        Opened.clear();
        QTest::mouseClick(form.findChild<QWidget*>(QLatin1String(c.Name)), Qt::LeftButton);
        ASSERT_EQ(Opened.size(), 1u) << c.Name;
        EXPECT_EQ(Opened[0], c.Target) << c.Name;
        EXPECT_FALSE(form.isVisible()) << c.Name;
    }
}

} // namespace
