// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "game/contextmenufilter.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A widget that would open a menu: it counts the requests that reach it.
class TMenuWidget : public QWidget {
public:
    using QWidget::QWidget;
    int Requests = 0;
    int Presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++Presses; }
    void contextMenuEvent(QContextMenuEvent* Event) override
    {
        ++Requests;
        Event->accept();
    }
};

// Asks Target for its context menu as a right click or the menu key does; returns what was traced.
std::string RequestMenu(
    QWidget& Target, QContextMenuEvent::Reason Reason = QContextMenuEvent::Mouse)
{
    QContextMenuEvent event(Reason, QPoint(2, 2), Target.mapToGlobal(QPoint(2, 2)));
    testing::internal::CaptureStderr();
    QApplication::sendEvent(&Target, &event);
    return testing::internal::GetCapturedStderr();
}

size_t Traces(const std::string& Written)
{
    size_t count = 0;
    for (size_t at = Written.find("  WM_CONTEXTMENU captured...\n"); at != std::string::npos;
         at = Written.find("  WM_CONTEXTMENU captured...\n", at + 1))
        ++count;
    return count;
}

struct TWindow {
    std::unique_ptr<TMenuWidget> Window = std::make_unique<TMenuWidget>();
    TMenuWidget* Child = new TMenuWidget(Window.get());
    TMenuWidget* GrandChild = new TMenuWidget(Child);
};

TEST(ContextMenuFilter, NoWidgetOfTheWindowGetsAMenuAndEachRequestIsTraced)
{
    TWindow game;
    new TContextMenuFilter(game.Window.get());
    for (TMenuWidget* target : { game.Window.get(), game.Child, game.GrandChild }) {
        for (auto reason : { QContextMenuEvent::Mouse, QContextMenuEvent::Keyboard }) {
            const std::string written = RequestMenu(*target, reason);
            EXPECT_EQ(Traces(written), 1u) << written;
        }
    }
    EXPECT_EQ(game.Window->Requests + game.Child->Requests + game.GrandChild->Requests, 0);
}

TEST(ContextMenuFilter, OtherWindowsKeepTheirMenus)
{
    TWindow game;
    TWindow other;
    new TContextMenuFilter(game.Window.get());
    EXPECT_EQ(Traces(RequestMenu(*other.GrandChild)), 0u);
    EXPECT_EQ(other.GrandChild->Requests, 1);
}

TEST(ContextMenuFilter, GoesWithItsWindow)
{
    TWindow other;
    {
        TWindow game;
        new TContextMenuFilter(game.Window.get());
    }
    EXPECT_EQ(Traces(RequestMenu(*other.Child)), 0u);
    EXPECT_EQ(other.Child->Requests, 1);
}

TEST(ContextMenuFilter, OtherEventsPassUntouched)
{
    TWindow game;
    new TContextMenuFilter(game.Window.get());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2),
        game.Child->mapToGlobal(QPointF(2, 2)), Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    testing::internal::CaptureStderr();
    QApplication::sendEvent(game.Child, &press);
    EXPECT_EQ(Traces(testing::internal::GetCapturedStderr()), 0u);
    EXPECT_EQ(game.Child->Presses, 1);
}

} // namespace
