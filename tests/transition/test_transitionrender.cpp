// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "transition/transitionview.h"

#include "platform/graphics/bitmap.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr TColorRef Red = RGB(255, 0, 0);
constexpr TColorRef Green = RGB(0, 255, 0);
constexpr TColorRef Blue = RGB(0, 0, 255);
constexpr TColorRef Yellow = RGB(255, 255, 0);

TColorRef At(const QImage& image, int x, int y)
{
    const QRgb rgb = image.pixel(x, y);
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

// A picture of `w` x `h` whose pixel (x, y) is `colour(x, y)`.
template <class F> std::unique_ptr<TBitmap> Painted(int32_t w, int32_t h, F colour)
{
    auto bitmap = std::make_unique<TBitmap>(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            bitmap->Bitmap().SetPixel(x, y, PixelFromColorRef(colour(x, y)));
    return bitmap;
}

// Shows a `w` x `h` picture of one colour at once (manual mode, progress 100).
void ShowSolid(TCustomTransitionView& view, int32_t w, int32_t h, TColorRef colour)
{
    view.SetManual(true);
    view.Picture().SetGraphic(Painted(w, h, [=](int, int) { return colour; }));
    view.Execute();
    view.SetProgress(100);
}

} // namespace

TEST(TransitionViewLayout, DisplayRectangle)
{
    struct Case {
        const char* Name;
        int ClientW, ClientH, FrameWidth, PictureW, PictureH;
        bool Center, Stretch, Proportional;
        TRect Expected;
    };
    const Case cases[] = {
        { "small picture is not enlarged", 400, 400, 0, 200, 100, false, false, true, { 0, 0, 200, 100 } },
        { "small picture centred", 410, 410, 5, 200, 100, true, false, true, { 105, 155, 305, 255 } },
        { "large picture fits its height", 400, 400, 0, 800, 600, true, false, true, { 0, 50, 400, 350 } },
        { "stretched keeps proportions", 300, 200, 0, 100, 100, false, true, true, { 0, 0, 200, 200 } },
        { "stretched fills the area", 300, 200, 2, 100, 50, false, true, false, { 2, 2, 298, 198 } },
        { "odd remainder goes right", 301, 100, 0, 200, 100, true, false, false, { 50, 0, 250, 100 } },
        { "larger picture is cropped", 100, 100, 0, 300, 200, true, false, false, { -100, -50, 200, 150 } },
        { "natural size top-left", 300, 300, 3, 50, 40, false, false, false, { 3, 3, 53, 43 } },
    };
    for (const Case& c : cases) {
        TTransitionView view;
        view.resize(c.ClientW, c.ClientH);
        view.SetFrameWidth(c.FrameWidth);
        view.SetCenter(c.Center);
        view.SetStretch(c.Stretch);
        view.SetProportional(c.Proportional);
        ShowSolid(view, c.PictureW, c.PictureH, Red);
        const TRect r = view.DisplayRect();
        EXPECT_EQ(r, c.Expected) << c.Name << ": got " << r.Left << "," << r.Top << "," << r.Right << ","
                                 << r.Bottom;
    }
}

TEST(TransitionViewLayout, PictureFrameAndBackgroundArePaintedInTheirPlaces)
{
    TTransitionView view;
    view.resize(60, 50);
    view.SetColor(Blue);
    view.SetCenter(true);
    view.SetFrameWidth(5);
    view.SetFrameColor(Yellow);
    ShowSolid(view, 20, 10, Red); // display (20, 20) - (40, 30)
    const QImage image = view.grab().toImage();
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 60; ++x) {
            const bool picture = x >= 20 && x < 40 && y >= 20 && y < 30;
            const bool frame = !picture && x >= 15 && x < 45 && y >= 15 && y < 35;
            const TColorRef expected = picture ? Red : frame ? Yellow : Blue;
            ASSERT_EQ(At(image, x, y), expected) << "pixel " << x << "," << y;
        }
    }
}

TEST(TransitionViewLayout, ScaledPictureDropsAndRepeatsPixels)
{
    TTransitionView view;
    view.resize(40, 20);
    view.SetStretch(true);
    view.SetManual(true);
    // Left half red, right half green, 4 x 2: stretched 10 times, the halves stay sharp.
    view.Picture().SetGraphic(Painted(4, 2, [](int x, int) { return x < 2 ? Red : Green; }));
    view.Execute();
    view.SetProgress(100);
    const QImage image = view.grab().toImage();
    EXPECT_EQ(At(image, 19, 10), Red);
    EXPECT_EQ(At(image, 20, 10), Green);
    EXPECT_EQ(At(image, 0, 19), Red);
    EXPECT_EQ(At(image, 39, 0), Green);
}

TEST(TransitionViewBackground, Modes)
{
    // A 4 x 3 background picture: red with a green top-left pixel marks each tile's corner.
    auto background = [] { return Painted(4, 3, [](int x, int y) { return x == 0 && y == 0 ? Green : Red; }); };
    struct Case {
        TBackgroundMode Mode;
        bool WithPicture;
        std::vector<std::tuple<int, int, TColorRef>> Pixels;
    };
    const Case cases[] = {
        { bmTiled, false, { { 0, 0, Blue }, { 11, 9, Blue } } }, // no background picture: Color
        { bmNone, true, { { 0, 0, Blue }, { 11, 9, Blue } } },
        { bmTiled, true, { { 0, 0, Green }, { 4, 3, Green }, { 8, 6, Green }, { 1, 0, Red }, { 5, 4, Red } } },
        // 4 x 3 stretched to 12 x 10: the marked pixel covers three columns and three rows.
        { bmStretched, true, { { 0, 0, Green }, { 2, 2, Green }, { 3, 0, Red }, { 0, 4, Red }, { 11, 9, Red } } },
        // Centred at (4, 3): the marked pixel there, Color all around.
        { bmCentered, true, { { 4, 3, Green }, { 5, 3, Red }, { 7, 5, Red }, { 3, 3, Blue }, { 8, 6, Blue }, { 0, 0, Blue } } },
    };
    for (const Case& c : cases) {
        TTransitionView view;
        view.resize(12, 10);
        view.SetColor(Blue);
        if (c.WithPicture)
            view.BgPicture().SetGraphic(background());
        view.SetBgMode(c.Mode);
        const QImage image = view.grab().toImage();
        for (auto [x, y, colour] : c.Pixels)
            EXPECT_EQ(At(image, x, y), colour) << "mode " << int(c.Mode) << " pixel " << x << "," << y;
    }
}

TEST(TransitionViewBackground, CentredPictureLargerThanTheViewIsCropped)
{
    TTransitionView view;
    view.resize(10, 10);
    view.SetColor(Blue);
    view.BgPicture().SetGraphic(Painted(20, 20, [](int x, int y) { return x == 5 && y == 5 ? Green : Red; }));
    view.SetBgMode(bmCentered);
    const QImage image = view.grab().toImage();
    EXPECT_EQ(At(image, 0, 0), Green); // (5, 5) of the picture is the view's corner
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_NE(At(image, x, y), Blue) << x << "," << y;
}

TEST(TransitionViewBackground, PartialRepaintKeepsTheTileGrid)
{
    TTransitionView view;
    view.resize(13, 11);
    view.BgPicture().SetGraphic(Painted(4, 3, [](int x, int y) { return x == 0 && y == 0 ? Green : Red; }));
    const QImage whole = view.grab().toImage();
    // Only the lower-right quarter, as a partial repaint would ask.
    const QImage quarter = view.grab(QRect(7, 6, 6, 5)).toImage();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(At(quarter, x, y), At(whole, x + 7, y + 6)) << x << "," << y;
}

TEST(TransitionViewBackground, TransitionFromTheBackgroundStartsWithWhatLiesUnderThePicture)
{
    TTransitionView view;
    view.resize(12, 9);
    view.BgPicture().SetGraphic(Painted(4, 3, [](int x, int y) { return x == 0 && y == 0 ? Green : Red; }));
    view.SetManual(true);
    view.SetCenter(true);
    view.Picture().SetGraphic(Painted(4, 3, [](int, int) { return Blue; }));
    TGdiBitmap start;
    view.OnStart = [&](QObject*, TGdiBitmap&, TGdiBitmap& screen) {
        start.SetSize(screen.Width(), screen.Height());
        std::memcpy(start.Bits(), screen.Bits(), screen.ByteCount());
    };
    view.Execute(); // display (4, 3) - (8, 6): exactly one tile
    ASSERT_EQ(start.Width(), 4);
    EXPECT_EQ(start.Pixel(0, 0), PixelFromColorRef(Green));
    EXPECT_EQ(start.Pixel(1, 0), PixelFromColorRef(Red));

    // Moving the picture rebuilds the start image from the background now under it.
    view.resize(13, 9); // display (4, 3) still: no change
    view.SetCenter(false); // display (0, 0): again one whole tile
    view.SetProgress(0);
    EXPECT_EQ(view.ScreenBitmap().Pixel(0, 0), PixelFromColorRef(Green));
    view.resize(14, 11);
    view.SetCenter(true); // display (5, 4): the tile's corner is off the picture
    EXPECT_EQ(view.ScreenBitmap().Pixel(0, 0), PixelFromColorRef(Red));
    EXPECT_EQ(view.ScreenBitmap().Pixel(3, 2), PixelFromColorRef(Green));
    view.Stop();
}

// A frame shown at its own size goes straight from the frame into the pixels that Qt paints
// on, the top row first; a scaled one goes through the back buffer. Both, whole and in part,
// on every kind of target.
TEST(TransitionViewLayout, TheFrameReachesTheTargetTheRightWayUp)
{
    auto colour = [](int x, int y) { return RGB(uint8_t(40 * x), uint8_t(50 * y), 200); };
    struct Case {
        const char* Name;
        bool Stretch;
        QRect Part; // of the view; empty: all of it
    };
    const Case cases[] = {
        { "1:1 whole", false, {} },
        { "1:1 part of the picture", false, QRect(3, 2, 3, 3) },
        { "scaled whole", true, {} },
        { "scaled part", true, QRect(2, 2, 5, 4) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TTransitionView view;
        view.resize(10, 8);
        view.SetCenter(true);
        view.SetStretch(c.Stretch);
        view.SetColor(Yellow);
        view.SetManual(true);
        view.Picture().SetGraphic(Painted(6, 4, colour));
        view.Execute();
        view.SetProgress(100);
        const TRect display = view.DisplayRect();
        auto expected = [&](int x, int y) {
            if (x < display.Left || x >= display.Right || y < display.Top || y >= display.Bottom)
                return Yellow;
            // Nearest by pixel centres, as the raster layer scales.
            return colour((2 * (x - display.Left) + 1) * 6 / (2 * display.Width()),
                (2 * (y - display.Top) + 1) * 4 / (2 * display.Height()));
        };
        const QRect part = c.Part.isEmpty() ? view.rect() : c.Part;
        for (QImage::Format format : { QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied }) {
            QImage target(14, 12, format);
            target.fill(Qt::black);
            view.render(&target, QPoint(2, 3), QRegion(part));
            for (int y = 0; y < target.height(); ++y)
                for (int x = 0; x < target.width(); ++x) {
                    // render() puts the part's top-left corner at the offset.
                    const QPoint at = QPoint(x - 2, y - 3) + part.topLeft();
                    const TColorRef want = part.contains(at) ? expected(at.x(), at.y()) : RGB(0, 0, 0);
                    ASSERT_EQ(At(target, x, y), want) << "format " << format << " at " << x << "," << y;
                }
        }
        view.Stop();
    }
}
