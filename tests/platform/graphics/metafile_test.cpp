// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "graphicstest.h"
#include "metafilefixtures.h"

#include <QDir>
#include <QTemporaryDir>

#include <fstream>
#include <functional>
#include <sstream>

namespace {

using namespace metafixture;
using metafixture::TBytes;

constexpr uint32_t Red = Ref(255, 0, 0);
constexpr uint32_t Green = Ref(0, 255, 0);
constexpr uint32_t Blue = Ref(0, 0, 255);
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t NullPen = 0x80000008; // the stock object
constexpr uint32_t SrcCopy = 0x00CC0020;

// The metafile drawn over white at its natural size.
TGdiBitmap& Drawn(const TMetafile& metafile, TGdiBitmap& canvas)
{
    canvas.SetSize(metafile.Width(), metafile.Height());
    canvas.Fill(RGB(255, 255, 255));
    metafile.Draw(canvas.DC(), 0, 0);
    return canvas;
}

bool Inside(int x, int y, int l, int t, int r, int b) { return x >= l && x < r && y >= t && y < b; }

TEST(Metafile, PlaceableWmfMapsItsBoundsOntoThePicture)
{
    // 100 × 50 units at 48 units an inch: 200 × 100 pixels, two pixels a unit.
    const TBytes data = TWmfWriter()
                            .Pen(5, 0, 0) // null pen, object 0
                            .SolidBrush(Red) // object 1
                            .Select(0)
                            .Select(1)
                            .Rectangle(10, 10, 40, 30)
                            .Placeable(0, 0, 100, 50, 48);
    TMetafile metafile;
    metafile.LoadFromBytes(data);
    EXPECT_FALSE(metafile.Enhanced());
    ASSERT_EQ(metafile.Width(), 200);
    ASSERT_EQ(metafile.Height(), 100);
    TGdiBitmap canvas;
    EXPECT_TRUE(PixelsMatch(Drawn(metafile, canvas),
        [](int x, int y) { return Inside(x, y, 20, 20, 80, 60) ? 0xFF0000u : 0xFFFFFFu; }));
}

TEST(Metafile, PlainWmfTakesItsSizeFromItsWindow)
{
    const TBytes data = TWmfWriter()
                            .WindowOrg(100, 100)
                            .WindowExt(60, 40)
                            .Pen(5, 0, 0)
                            .SolidBrush(Green)
                            .Select(0)
                            .Select(1)
                            .Ellipse(100, 100, 160, 140)
                            .Plain();
    TMetafile metafile;
    metafile.LoadFromBytes(data);
    ASSERT_EQ(metafile.Width(), 60);
    ASSERT_EQ(metafile.Height(), 40);
    TGdiBitmap canvas;
    Drawn(metafile, canvas);
    EXPECT_EQ(canvas.Pixel(30, 20) & 0xFFFFFF, 0x00FF00u);
    for (auto [x, y] : { std::pair { 0, 0 }, { 59, 0 }, { 0, 39 }, { 59, 39 } })
        EXPECT_EQ(canvas.Pixel(x, y) & 0xFFFFFF, 0xFFFFFFu)
            << x << ", " << y << ": outside the ellipse";
}

TEST(Metafile, PlainWmfWithoutWindowReachesToWhatItDraws)
{
    const TBytes data = TWmfWriter()
                            .Pen(5, 0, 0)
                            .SolidBrush(Blue)
                            .Select(0)
                            .Select(1)
                            .Rectangle(5, 4, 30, 20)
                            .Plain();
    TMetafile metafile;
    metafile.LoadFromBytes(data);
    EXPECT_EQ(metafile.Width(), 30);
    EXPECT_EQ(metafile.Height(), 20);
    TGdiBitmap canvas;
    EXPECT_TRUE(PixelsMatch(Drawn(metafile, canvas),
        [](int x, int y) { return Inside(x, y, 5, 4, 30, 20) ? 0x0000FFu : 0xFFFFFFu; }));
}

TEST(Metafile, EmfMapsItsFrameOntoThePicture)
{
    const TBytes data = TEmfWriter(80, 60)
                            .Select(NullPen)
                            .SolidBrush(1, Blue)
                            .Select(1)
                            .Rectangle(10, 10, 50, 40)
                            .Build();
    TMetafile metafile;
    metafile.LoadFromBytes(data);
    EXPECT_TRUE(metafile.Enhanced());
    ASSERT_EQ(metafile.Width(), 80);
    ASSERT_EQ(metafile.Height(), 60);
    TGdiBitmap canvas;
    EXPECT_TRUE(PixelsMatch(Drawn(metafile, canvas),
        [](int x, int y) { return Inside(x, y, 10, 10, 50, 40) ? 0x0000FFu : 0xFFFFFFu; }));
}

TEST(Metafile, EmfLinesPolygonsAndPens)
{
    TBytes polyline; // bounds, count, then 16-bit points
    for (uint32_t v : { 0u, 0u, 0u, 0u, 2u })
        Put32(polyline, v);
    for (int16_t v : { 0, 5, 79, 5 })
        Put16(polyline, uint16_t(v));
    TBytes polygon;
    for (uint32_t v : { 0u, 0u, 0u, 0u, 3u })
        Put32(polygon, v);
    for (int32_t v : { 10, 20, 40, 20, 10, 50 })
        Put32(polygon, uint32_t(v));
    const TBytes data = TEmfWriter(80, 60)
                            .Pen(1, 0, 1, Red) // solid, one pixel
                            .Select(1)
                            .Raw(87, polyline)
                            .Select(NullPen)
                            .SolidBrush(2, Green)
                            .Select(2)
                            .Raw(3, polygon)
                            .Build();
    TMetafile metafile;
    metafile.LoadFromBytes(data);
    TGdiBitmap canvas;
    Drawn(metafile, canvas);
    for (int x : { 0, 40, 78 })
        EXPECT_EQ(canvas.Pixel(x, 5) & 0xFFFFFF, 0xFF0000u) << "line at x " << x;
    EXPECT_EQ(canvas.Pixel(40, 7) & 0xFFFFFF, 0xFFFFFFu) << "the line is thin";
    EXPECT_EQ(canvas.Pixel(15, 25) & 0xFFFFFF, 0x00FF00u) << "inside the triangle";
    EXPECT_EQ(canvas.Pixel(35, 45) & 0xFFFFFF, 0xFFFFFFu) << "beside the triangle's slope";
    EXPECT_EQ(metafile.SkippedRecords(), 0);
}

// A 2 × 2 DIB: red, green on top; blue, white below.
uint32_t Quadrant(int x, int y)
{
    return y == 0 ? (x == 0 ? 0xFF0000u : 0x00FF00u) : (x == 0 ? 0x0000FFu : 0xFFFFFFu);
}

TEST(Metafile, DeviceIndependentBitmapsInBothFormats)
{
    const TBytes dib = Dib24(2, 2, Quadrant);

    TBytes wmfParams; // rop, usage, source h, w, y, x, destination h, w, y, x, DIB
    Put32(wmfParams, SrcCopy);
    for (uint16_t v : { 0, 2, 2, 0, 0, 20, 20, 0, 0 })
        Put16(wmfParams, v);
    wmfParams.insert(wmfParams.end(), dib.begin(), dib.end());
    const TBytes wmf = TWmfWriter().Raw(0x0F43, wmfParams).Placeable(0, 0, 20, 20, 96);

    TBytes emfParams; // bounds, x, y, source x, y, w, h, info and bits, usage, rop, w, h
    for (uint32_t v : { 0u, 0u, 19u, 19u, 0u, 0u, 0u, 0u, 2u, 2u, 80u, 40u, 120u,
             uint32_t(dib.size() - 40), 0u, SrcCopy, 20u, 20u })
        Put32(emfParams, v);
    emfParams.insert(emfParams.end(), dib.begin(), dib.end());
    const TBytes emf = TEmfWriter(20, 20).Raw(81, emfParams).Build();

    for (const auto& [name, data] : { std::pair { "WMF", wmf }, { "EMF", emf } }) {
        TMetafile metafile;
        metafile.LoadFromBytes(data);
        ASSERT_EQ(metafile.Width(), 20) << name;
        EXPECT_EQ(metafile.SkippedRecords(), 0) << name;
        TGdiBitmap canvas;
        EXPECT_TRUE(PixelsMatch(Drawn(metafile, canvas), [](int x, int y) {
            return Quadrant(x / 10, y / 10);
        })) << name;
    }
}

TEST(Metafile, TextIsDrawnInTheSelectedFontFromItsReferencePoint)
{
    TBytes font; // height, width, escapement, orientation, weight, italic … quality, face
    for (uint16_t v : std::initializer_list<uint16_t> { uint16_t(-20), 0, 0, 0, 700 })
        Put16(font, v);
    for (int i = 0; i < 8; ++i)
        font.push_back(0);
    for (char c : std::string("DejaVu Sans"))
        font.push_back(uint8_t(c));
    font.resize(18 + 32, 0);
    TBytes text; // length, string (padded to words), y, x
    Put16(text, 2);
    text.push_back('H');
    text.push_back('i');
    Put16(text, 10);
    Put16(text, 10);
    for (const bool opaque : { false, true }) {
        const TBytes data = TWmfWriter()
                                .Raw(0x02FB, font)
                                .Select(0)
                                .Record(0x0209, { 0, 0 }) // text colour black
                                .Record(0x0201, { 0x00FF, 0 }) // background colour red
                                .Record(0x0102, { uint32_t(opaque ? 2 : 1) }) // background mode
                                .Raw(0x0521, text)
                                .Placeable(0, 0, 100, 50, 96);
        TMetafile metafile;
        metafile.LoadFromBytes(data);
        const char* mode = opaque ? "opaque" : "transparent";
        int dark = 0;
        int red = 0;
        int astray = 0;
        int light = 0;
        for (int y = 0; y < metafile.Height(); ++y) {
            for (int x = 0; x < metafile.Width(); ++x) {
                const QRgb pixel = metafile.Image().pixel(x, y);
                if (qAlpha(pixel) == 0)
                    continue;
                if (!Inside(x, y, 9, 9, 60, 40))
                    ++astray;
                if (qRed(pixel) > 200 && qGreen(pixel) < 50)
                    ++red;
                else if (qGreen(pixel) > 128)
                    ++light;
                else if (qAlpha(pixel) > 128 && qRed(pixel) < 64)
                    ++dark;
            }
        }
        EXPECT_GT(dark, 40) << mode << ": two bold letters 20 pixels high";
        EXPECT_EQ(astray, 0) << mode << ": the text hangs below and right of its reference point";
        EXPECT_EQ(light, 0) << mode << ": nothing but the letters and the background colour";
        if (opaque)
            EXPECT_GT(red, 100) << "the background box behind the letters";
        else
            EXPECT_EQ(red, 0) << "no background box";
    }
}

TEST(Metafile, UnknownRecordsAreSkipped)
{
    const TBytes wmf = TWmfWriter()
                           .Record(0x0999, { 1, 2, 3 })
                           .Pen(5, 0, 0)
                           .SolidBrush(Red)
                           .Select(0)
                           .Select(1)
                           .Rectangle(0, 0, 10, 10)
                           .Placeable(0, 0, 10, 10, 96);
    const TBytes emf = TEmfWriter(10, 10)
                           .Record(250, { 7, 7 })
                           .Select(NullPen)
                           .SolidBrush(1, Red)
                           .Select(1)
                           .Rectangle(0, 0, 10, 10)
                           .Build();
    for (const auto& [name, data] : { std::pair { "WMF", wmf }, { "EMF", emf } }) {
        TMetafile metafile;
        metafile.LoadFromBytes(data);
        EXPECT_EQ(metafile.SkippedRecords(), 1) << name;
        EXPECT_GE(metafile.PlayedRecords(), 5) << name;
        TGdiBitmap canvas;
        EXPECT_TRUE(PixelsMatch(Drawn(metafile, canvas), [](int, int) { return 0xFF0000u; }))
            << name;
    }
}

TEST(Metafile, WmfObjectsTakeTheLowestFreeSlot)
{
    // A palette takes slot 0 although nothing draws with it; deleting slot 1 frees it for the
    // next brush.
    const TBytes data = TWmfWriter()
                            .Record(0x00F7, { 0x300, 1, 0, 0 }) // palette: slot 0
                            .SolidBrush(Red) // slot 1
                            .SolidBrush(Blue) // slot 2
                            .Record(0x01F0, { 1 }) // delete slot 1
                            .SolidBrush(Green) // slot 1 again
                            .Pen(5, 0, 0) // slot 3
                            .Select(3)
                            .Select(1)
                            .Rectangle(0, 0, 10, 10)
                            .Select(2)
                            .Rectangle(10, 0, 20, 10)
                            .Placeable(0, 0, 20, 10, 96);
    TMetafile metafile;
    metafile.LoadFromBytes(data);
    TGdiBitmap canvas;
    EXPECT_TRUE(PixelsMatch(
        Drawn(metafile, canvas), [](int x, int) { return x < 10 ? 0x00FF00u : 0x0000FFu; }));
}

TEST(Metafile, PlayingStopsAtARecordThatRunsPastTheEnd)
{
    TBytes data = TWmfWriter()
                      .Pen(5, 0, 0)
                      .SolidBrush(Red)
                      .Select(0)
                      .Select(1)
                      .Rectangle(0, 0, 5, 10)
                      .Rectangle(5, 0, 10, 10)
                      .Placeable(0, 0, 10, 10, 96);
    // The last rectangle claims 1000 words; the end record follows too soon.
    const size_t last = data.size() - 6 - 14;
    Poke32(data, last, 1000);
    TMetafile metafile;
    metafile.LoadFromBytes(data);
    TGdiBitmap canvas;
    EXPECT_TRUE(PixelsMatch(
        Drawn(metafile, canvas), [](int x, int) { return x < 5 ? 0xFF0000u : 0xFFFFFFu; }));
}

TEST(Metafile, DataThatIsNotAMetafileIsRefused)
{
    TBytes placeableCut { 0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0 };
    TBytes badWmfHeader = TWmfWriter().Rectangle(0, 0, 1, 1).Placeable(0, 0, 10, 10, 96);
    badWmfHeader[22] = 7; // file type neither memory nor disk
    TBytes badVersion = TWmfWriter().Plain();
    badVersion[4] = 0x00;
    badVersion[5] = 0x02;
    TBytes emfShortHeader = TEmfWriter(10, 10).Build();
    Poke32(emfShortHeader, 4, 48);
    TBytes emfLongHeader = TEmfWriter(10, 10).Build();
    Poke32(emfLongHeader, 4, 100000);
    TBytes emfNoSize = TEmfWriter(10, 10).Build();
    for (size_t at : { 8, 12, 24, 28 })
        Poke32(emfNoSize, at, 10000); // bounds and frame: right and bottom before left and top
    const std::string text = "a plain text file, not a picture at all";
    TBytes placeableEmpty = TWmfWriter().Placeable(5, 5, 5, 5, 96);
    const struct {
        const char* Name;
        TBytes Data;
    } cases[] = {
        { "empty", {} },
        { "bitmap", { 'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 } },
        { "text", TBytes(text.begin(), text.end()) },
        { "placeable_cut", placeableCut },
        { "wmf_bad_type", badWmfHeader },
        { "wmf_bad_version", badVersion },
        { "emf_header_too_short", emfShortHeader },
        { "emf_header_past_the_end", emfLongHeader },
        { "emf_without_size", emfNoSize },
        { "placeable_empty_bounds", placeableEmpty },
    };
    const TBytes good = TEmfWriter(4, 3).Build();
    for (const auto& c : cases) {
        TMetafile metafile;
        metafile.LoadFromBytes(good);
        int changes = 0;
        metafile.OnChange = [&] { ++changes; };
        EXPECT_THROW(metafile.LoadFromBytes(c.Data), EInvalidGraphic) << c.Name;
        EXPECT_EQ(metafile.Width(), 4) << c.Name << ": the picture is kept";
        EXPECT_EQ(changes, 0) << c.Name;
    }
}

TEST(Metafile, SavingWritesTheOriginalBytes)
{
    const TBytes data
        = TWmfWriter().Record(0x0999, { 9 }).Rectangle(1, 1, 5, 5).Placeable(0, 0, 8, 8, 96);
    TMetafile metafile;
    metafile.LoadFromBytes(data);
    const std::unique_ptr<TGraphic> copy = metafile.Clone();
    for (const TGraphic* graphic :
        std::initializer_list<const TGraphic*> { &metafile, copy.get() }) {
        std::ostringstream out;
        graphic->SaveToStream(out);
        EXPECT_EQ(out.str(), std::string(data.begin(), data.end()));
    }
    TMetafile empty;
    std::ostringstream out;
    EXPECT_THROW(empty.SaveToStream(out), EInvalidGraphic);
}

TEST(Metafile, LargePicturesArePlayedScaledDown)
{
    const TScopedMaxSide limit(64);
    // 3000 × 1500 units at 10 an inch: 28800 × 14400 pixels.
    const TBytes data = TWmfWriter()
                            .Pen(5, 0, 0)
                            .SolidBrush(Red)
                            .Select(0)
                            .Select(1)
                            .Rectangle(0, 0, 1500, 1500)
                            .Placeable(0, 0, 3000, 1500, 10);
    TMetafile metafile;
    metafile.LoadFromBytes(data);
    EXPECT_EQ(metafile.Width(), 64);
    EXPECT_EQ(metafile.Height(), 32);
    TGdiBitmap canvas;
    EXPECT_TRUE(PixelsMatch(
        Drawn(metafile, canvas), [](int x, int) { return x < 32 ? 0xFF0000u : 0xFFFFFFu; }));
}

TEST(Metafile, PicturesLoadByExtensionAndBySignature)
{
    QTemporaryDir dir;
    const TBytes wmf
        = TWmfWriter().SolidBrush(Red).Select(0).Rectangle(0, 0, 4, 4).Placeable(0, 0, 4, 4, 96);
    const TBytes emf = TEmfWriter(6, 5).Build();
    for (const auto& [name, data] : { std::pair { "picture.WMF", wmf }, { "picture.emf", emf } }) {
        const std::string path = dir.filePath(name).toStdString();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
        TPicture picture;
        picture.LoadFromFile(path);
        ASSERT_NE(picture.Graphic(), nullptr) << name;
        EXPECT_EQ(picture.Graphic()->GraphicClass(), TMetafile::Class()) << name;
        EXPECT_FALSE(picture.Graphic()->Empty()) << name;
        EXPECT_EQ(FindGraphicClass(data), TMetafile::Class()) << name;
    }
}

} // namespace
