// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/widgets/label.h"
#include "platform/widgets/panel.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

const QRgb Lit = TPanel::BtnHighlight;
const QRgb Shaded = TPanel::BtnShadow;
const QRgb Fill = qRgb(0, 0, 0x80);

// The colour every pixel of a W × H panel should have: rings of bevel from the outside in,
// each with its top and left edges in one colour and its right and bottom edges (which own the
// top-right and bottom-left corners) in the other.
QRgb ExpectedPixel(int X, int Y, int W, int H, const std::vector<std::pair<QRgb, QRgb>>& Rings)
{
    for (size_t ring = 0; ring < Rings.size(); ++ring) {
        const int left = int(ring), top = int(ring), right = W - 1 - int(ring),
                  bottom = H - 1 - int(ring);
        if (X == right || Y == bottom)
            return Rings[ring].second;
        if (X == left || Y == top)
            return Rings[ring].first;
    }
    return Fill;
}

void ExpectPanel(TPanel& Panel, const std::vector<std::pair<QRgb, QRgb>>& Rings)
{
    const QImage image = Panel.grab().toImage();
    ASSERT_EQ(image.size(), Panel.size());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb expected
                = ExpectedPixel(x, y, image.width(), image.height(), Rings) | 0xFF000000;
            const QRgb actual = image.pixel(x, y) | 0xFF000000;
            ASSERT_EQ(actual, expected)
                << "first difference at (" << x << ", " << y << "): " << std::hex << actual
                << " instead of " << expected;
        }
}

TEST(Panel, BevelsArePaintedInsideTheRectangle)
{
    const struct {
        TPanelBevel Outer;
        TPanelBevel Inner;
        std::vector<std::pair<QRgb, QRgb>> Rings;
        int Margin;
    } cases[] = {
        { bvNone, bvNone, {}, 0 },
        { bvRaised, bvNone, { { Lit, Shaded } }, 1 },
        { bvLowered, bvNone, { { Shaded, Lit } }, 1 },
        { bvRaised, bvLowered, { { Lit, Shaded }, { Shaded, Lit } }, 2 },
        { bvNone, bvRaised, { { Lit, Shaded } }, 1 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "outer " << c.Outer << ", inner " << c.Inner);
        TPanel panel;
        panel.SetBevelOuter(c.Outer);
        panel.SetBevelInner(c.Inner);
        panel.SetColor(QColor::fromRgb(Fill));
        panel.resize(9, 6);
        ExpectPanel(panel, c.Rings);
        // Children laid out in the panel keep clear of its bevels.
        EXPECT_EQ(panel.contentsRect(),
            QRect(0, 0, 9, 6).adjusted(c.Margin, c.Margin, -c.Margin, -c.Margin));
    }
}

TEST(Panel, ChildrenWithoutAColourShowThePanels)
{
    TPanel panel;
    panel.SetColor(Qt::black);
    TLabel label(&panel);
    EXPECT_EQ(label.palette().color(QPalette::Window), QColor(Qt::black));
}

TEST(Label, SizedToItsCaptionItKeepsTheEdgeOfItsAlignment)
{
    const struct {
        Qt::Alignment Alignment;
        bool StaticText;
        const char* Kept; // "left", "right" or "middle"
    } cases[] = {
        { Qt::AlignLeft, false, "left" },
        { Qt::AlignRight, false, "right" },
        { Qt::AlignHCenter, false, "middle" },
        { Qt::AlignRight, true, "left" },
        { Qt::AlignHCenter, true, "left" },
    };
    QWidget parent;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
            << "alignment " << int(c.Alignment) << (c.StaticText ? ", static text" : ""));
        std::unique_ptr<TLabel> label(
            c.StaticText ? new TStaticText(&parent) : new TLabel(&parent));
        label->setAlignment(c.Alignment);
        label->setGeometry(100, 50, 400, 30);
        label->SetAutoSize(true);
        label->SetCaption(QStringLiteral("Hi"));
        const QRect bounds = label->geometry();
        EXPECT_EQ(bounds.top(), 50);
        EXPECT_EQ(bounds.size(), label->fontMetrics().size(0, QStringLiteral("Hi")));
        if (std::string(c.Kept) == "left")
            EXPECT_EQ(bounds.left(), 100);
        else if (std::string(c.Kept) == "right")
            EXPECT_EQ(bounds.left() + bounds.width(), 500);
        else
            EXPECT_NEAR(2 * bounds.left() + bounds.width(), 600,
                1); // the middle, give or take the odd pixel
    }
}

TEST(Label, WithoutAutoSizeItKeepsItsBounds)
{
    TLabel label;
    label.setGeometry(16, 40, 169, 19);
    label.SetCaption(QStringLiteral("A much longer caption than the label is wide"));
    EXPECT_EQ(label.geometry(), QRect(16, 40, 169, 19));
}

class TPressRecorder : public QWidget {
public:
    int Presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++Presses; }
};

void SendMouse(QWidget& Target, QEvent::Type Type, QPoint At, Qt::MouseButton Button)
{
    QMouseEvent event(Type, QPointF(At), Target.mapToGlobal(QPointF(At)), Button,
        Type == QEvent::MouseButtonRelease ? Qt::NoButton : Button, Qt::NoModifier);
    QApplication::sendEvent(&Target, &event);
}

TEST(Label, ClickIsALeftPressAndReleaseOverIt)
{
    const struct {
        Qt::MouseButton Button;
        QPoint ReleaseAt;
        int Clicks;
    } cases[] = {
        { Qt::LeftButton, { 5, 5 }, 1 },
        { Qt::LeftButton, { 500, 5 }, 0 }, // dragged off before letting go
        { Qt::RightButton, { 5, 5 }, 0 },
    };
    for (const auto& c : cases) {
        TPressRecorder parent;
        TLabel label(&parent);
        label.setGeometry(0, 0, 50, 20);
        int clicks = 0;
        label.OnClick = [&] { ++clicks; };
        SendMouse(label, QEvent::MouseButtonPress, { 5, 5 }, c.Button);
        SendMouse(label, QEvent::MouseButtonRelease, c.ReleaseAt, c.Button);
        EXPECT_EQ(clicks, c.Clicks) << "button " << c.Button << " released at " << c.ReleaseAt.x();
        EXPECT_EQ(parent.Presses, 0) << "a link keeps its presses";
    }
}

TEST(Label, WithoutAClickHandlerPressesGoToTheParent)
{
    TPressRecorder parent;
    TLabel label(&parent);
    label.setGeometry(0, 0, 50, 20);
    SendMouse(label, QEvent::MouseButtonPress, { 5, 5 }, Qt::LeftButton);
    EXPECT_EQ(parent.Presses, 1);
}

TEST(Label, ReportsTheMouseEnteringAndLeaving)
{
    TLabel label;
    std::string seen;
    label.OnMouseEnter = [&] { seen += "enter "; };
    label.OnMouseLeave = [&] { seen += "leave "; };
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&label, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&label, &leave);
    EXPECT_EQ(seen, "enter leave ");
}

} // namespace
