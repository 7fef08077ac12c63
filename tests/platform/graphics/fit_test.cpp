// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Loading a picture no larger than the place it is shown in: the size it comes out at, and
// that area averaging gives the colours of the regions it reduces.
#include "graphicstest.h"
#include "lib/jpegencode.h"
#include "metafilefixtures.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include <cstdlib>
#include <functional>
#include <memory>


namespace {

using namespace metafixture;

// A JPEG of width × height whose pixel (x, y) has `colour(x, y)`, 0x00RRGGBB.
template <class FColour> TBytes JpegOf(int width, int height, FColour colour)
{
    TJpegOptions options;
    options.Quality = 75;
    return CompressJpeg(
        width, height, [&](int x, int y, int c) { return uint8_t(colour(x, y) >> (16 - 8 * c)); },
        options);
}

// A BMP file with a 40-byte header and the given pixel data.
TBytes BmpFile(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression,
    const std::vector<uint32_t>& palette, const TBytes& bits)
{
    TBytes out { 'B', 'M' };
    Append32(out, 0);
    Append32(out, 0);
    Append32(out, 0);
    Append32(out, 40);
    Append32(out, uint32_t(width));
    Append32(out, uint32_t(height));
    Append16(out, 1);
    Append16(out, bitCount);
    Append32(out, compression);
    Append32(out, uint32_t(bits.size()));
    Append32(out, 2835);
    Append32(out, 2835);
    Append32(out, uint32_t(palette.size()));
    Append32(out, 0);
    for (uint32_t colour : palette)
        Append32(out, colour);
    Poke32(out, 10, uint32_t(out.size()));
    out.insert(out.end(), bits.begin(), bits.end());
    Poke32(out, 2, uint32_t(out.size()));
    return out;
}

// 24 bits a pixel, bottom row first; `colour(x, y)` is 0x00RRGGBB.
TBytes Bmp24(int32_t width, int32_t height, const std::function<uint32_t(int, int)>& colour)
{
    const size_t stride = (size_t(width) * 3 + 3) / 4 * 4;
    TBytes bits(stride * size_t(height), 0);
    for (int32_t r = 0; r < height; ++r)
        for (int32_t x = 0; x < width; ++x)
            for (int b = 0; b < 3; ++b)
                bits[size_t(r) * stride + size_t(x) * 3 + size_t(b)]
                    = uint8_t(colour(x, height - 1 - r) >> (8 * b));
    return BmpFile(width, height, 24, 0, {}, bits);
}

// 8192 × 8192 in run-length data of a few kilobytes: the bottom 64 rows red, the rest never
// reached (black) because the data ends there.
TBytes ClaimedHugeRle8()
{
    TBytes bits;
    for (int row = 0; row < 64; ++row) {
        for (int left = 8192; left > 0; left -= 255)
            bits.insert(bits.end(), { uint8_t(std::min(left, 255)), 1 });
        bits.insert(bits.end(), { 0, 0 });
    }
    bits.insert(bits.end(), { 0, 1 });
    return BmpFile(8192, 8192, 8, 1, { 0x000000, 0xFF0000 }, bits);
}

TBytes Png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(QImageWriter(&buffer, "png").write(image));
    return TBytes(bytes.begin(), bytes.end());
}

// 300 × 200: the left half columns alternately opaque white and fully transparent, the right
// half opaque blue.
TBytes StripesAndBluePng()
{
    QImage image(300, 200, QImage::Format_ARGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            image.setPixel(x, y, x >= 150 ? 0xFF0000FF : x % 2 ? 0xFFFFFFFF : 0x00000000);
    return Png(image);
}

// The fourth byte as well: it is alpha for the classes read through Qt.
uint32_t PixelOf(const TGraphic& graphic, int x, int y)
{
    if (const auto* alpha = dynamic_cast<const TAlphaGraphic*>(&graphic))
        return reinterpret_cast<const uint32_t*>(alpha->Image().constScanLine(y))[x];
    if (const auto* metafile = dynamic_cast<const TMetafile*>(&graphic))
        return reinterpret_cast<const uint32_t*>(metafile->Image().constScanLine(y))[x];
    if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(&graphic))
        return jpeg->Bitmap().Pixel(x, y);
    return dynamic_cast<const TBitmap&>(graphic).Bitmap().Pixel(x, y);
}

// A pixel that must have a colour, within a tolerance for each of the four bytes.
struct TProbe {
    int X;
    int Y;
    uint32_t Colour; // 0xAARRGGBB (alpha only checked for the classes read through Qt)
    int Tolerance;
};

struct TFitCase {
    const char* Name;
    TGraphicClass Class;
    std::function<TBytes()> File;
    TDecodeSize Fit; // what the fit answers, whatever the picture's size
    TDecodeSize Expected;
    std::vector<TProbe> Probes;
};

void PrintTo(const TFitCase& c, std::ostream* out) { *out << c.Name; }

class Fit : public ::testing::TestWithParam<TFitCase> { };

TEST_P(Fit, DecodesAtTheSizeWantedWithTheAreaAveragedColours)
{
    const TFitCase& c = GetParam();
    const TBytes file = c.File();
    std::unique_ptr<TGraphic> graphic = c.Class->Create();
    int32_t asked[2] = { 0, 0 };
    graphic->LoadFromBytesToFit(file, [&](int32_t width, int32_t height) {
        asked[0] = width;
        asked[1] = height;
        return c.Fit;
    });
    EXPECT_GT(asked[0], 0) << "the fit was never asked";
    ASSERT_EQ(graphic->Width(), c.Expected.Width);
    ASSERT_EQ(graphic->Height(), c.Expected.Height);
    const bool alpha = dynamic_cast<const TAlphaGraphic*>(graphic.get()) != nullptr
        || dynamic_cast<const TMetafile*>(graphic.get()) != nullptr;
    for (const TProbe& probe : c.Probes) {
        const uint32_t got = PixelOf(*graphic, probe.X, probe.Y);
        int worst = ChannelDistance(got, probe.Colour);
        if (alpha)
            worst = std::max(worst, std::abs(int(got >> 24) - int(probe.Colour >> 24)));
        EXPECT_LE(worst, probe.Tolerance) << "pixel (" << probe.X << ", " << probe.Y << ") is "
                                          << std::hex << got << ", expected " << probe.Colour;
    }
}

uint32_t Quadrant(int x, int y, int side)
{
    constexpr uint32_t colours[2][2] = { { 0xE02010, 0x10C040 }, { 0x2040E0, 0xF0F0F0 } };
    return colours[y * 2 / side][x * 2 / side];
}

INSTANTIATE_TEST_SUITE_P(Graphics, Fit,
    ::testing::Values(
        // 1/8 of 8000 is 1000, the smallest scale still at least 800; then averaged down.
        TFitCase { "Jpeg8000Square", TJPEGImage::Class(),
            [] { return JpegOf(8000, 8000, [](int x, int y) { return Quadrant(x, y, 8000); }); },
            { 800, 800 }, { 800, 800 },
            { { 200, 200, 0xE02010, 10 }, { 600, 200, 0x10C040, 10 }, { 200, 600, 0x2040E0, 10 },
                { 600, 600, 0xF0F0F0, 10 } } },
        // Columns of one pixel, black and white: grey, not one of the two.
        TFitCase { "JpegStripesComeOutGrey", TJPEGImage::Class(),
            [] { return JpegOf(400, 64, [](int x, int) { return x % 2 ? 0xFFFFFFu : 0u; }); },
            { 30, 5 }, { 30, 5 }, { { 15, 2, 0x808080, 12 }, { 3, 4, 0x808080, 12 } } },
        TFitCase { "Rle8Claiming8192Square", TBitmap::Class(), ClaimedHugeRle8, { 512, 512 },
            { 512, 512 },
            { { 100, 511, 0xFF0000, 0 }, { 511, 508, 0xFF0000, 0 }, { 0, 507, 0x000000, 0 },
                { 300, 0, 0x000000, 0 } } },
        // Each of three source columns covers 2/3 of a target column: (0·2 + 90)/3 and
        // (90 + 180·2)/3.
        TFitCase { "BmpThreeColumnsIntoTwo", TBitmap::Class(),
            [] { return Bmp24(3, 1, [](int x, int) { return uint32_t(90 * x) << 16; }); },
            { 2, 1 }, { 2, 1 }, { { 0, 0, 0x1E0000, 0 }, { 1, 0, 0x960000, 0 } } },
        TFitCase { "BmpStripesComeOutGrey", TBitmap::Class(),
            [] { return Bmp24(64, 64, [](int x, int) { return x % 2 ? 0xFFFFFFu : 0u; }); },
            { 16, 16 }, { 16, 16 }, { { 0, 0, 0x808080, 0 }, { 15, 15, 0x808080, 0 } } },
        // Premultiplied: white over transparent averages to half-transparent white.
        TFitCase { "PngLargerThanTheArea", TPngImage::Class(), StripesAndBluePng, { 150, 100 },
            { 150, 100 }, { { 30, 50, 0x80808080, 1 }, { 120, 10, 0xFF0000FF, 0 } } },
        // An answer beyond the natural size keeps it: nothing is enlarged or touched.
        TFitCase { "SmallerPictureStaysUntouched", TBitmap::Class(),
            [] { return Bmp24(5, 3, [](int x, int y) { return uint32_t(40 * x) << 16 | uint32_t(y); }); },
            { 500, 300 }, { 5, 3 }, { { 0, 0, 0x000000, 0 }, { 4, 2, 0xA00002, 0 }, { 2, 1, 0x500001, 0 } } },
        // Metafiles are played straight at the fitted size; where nothing is drawn stays clear.
        TFitCase { "EmfPlayedAtTheFittedSize", TMetafile::Class(),
            [] {
                return TEmfWriter(400, 200)
                    .Select(0x80000008) // the null pen
                    .SolidBrush(1, Ref(255, 0, 0))
                    .Select(1)
                    .Rectangle(0, 0, 200, 200)
                    .Build();
            },
            { 100, 50 }, { 100, 50 }, { { 25, 25, 0xFFFF0000, 0 }, { 75, 25, 0x00000000, 0 } } },
        // 100 × 50 units at 48 an inch is 200 × 100 pixels; the rectangle is at a fifth of it.
        TFitCase { "WmfPlayedAtTheFittedSize", TMetafile::Class(),
            [] {
                return TWmfWriter()
                    .Pen(5, 0, 0)
                    .SolidBrush(Ref(0, 0, 255))
                    .Select(0)
                    .Select(1)
                    .Rectangle(10, 10, 40, 30)
                    .Placeable(0, 0, 100, 50, 48);
            },
            { 50, 25 }, { 50, 25 }, { { 12, 10, 0xFF0000FF, 0 }, { 40, 20, 0x00000000, 0 } } },
        TFitCase { "SmallerJpegStaysUntouched", TJPEGImage::Class(),
            [] { return JpegOf(64, 64, [](int x, int y) { return Quadrant(x, y, 64); }); },
            { 640, 480 }, { 64, 64 }, { { 16, 16, 0xE02010, 10 }, { 48, 48, 0xF0F0F0, 10 } } }),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Fit, SmallerPictureDecodesExactlyAsWithoutAFit)
{
    const TBytes file = JpegOf(40, 30, [](int x, int y) { return uint32_t(x * 6) << 16 | uint32_t(y * 8); });
    TJPEGImage plain;
    plain.LoadFromBytes(file);
    TJPEGImage fitted;
    fitted.LoadFromBytesToFit(file, [](int32_t, int32_t) { return TDecodeSize { 1000, 1000 }; });
    ASSERT_EQ(fitted.Width(), 40);
    ASSERT_EQ(fitted.Height(), 30);
    EXPECT_TRUE(PixelsMatch(fitted.Bitmap(), [&](int x, int y) { return plain.Bitmap().Pixel(x, y); }));
}

TEST(Fit, RefusesWhatLoadingRefusesAndKeepsThePicture)
{
    const auto fit = [](int32_t, int32_t) { return TDecodeSize { 10, 10 }; };
    TBytes cut = ClaimedHugeRle8();
    cut.resize(cut.size() - 200); // ends inside a row: the data is truncated
    TBitmap bitmap(3, 2);
    EXPECT_THROW(bitmap.LoadFromBytesToFit(cut, fit), EInvalidGraphic);
    EXPECT_EQ(bitmap.Width(), 3);
    TJPEGImage jpeg;
    TBytes jpegFile = JpegOf(64, 64, [](int, int) { return 0x123456u; });
    jpegFile.resize(jpegFile.size() / 2);
    EXPECT_THROW(jpeg.LoadFromBytesToFit(jpegFile, fit), EInvalidGraphic);
    EXPECT_TRUE(jpeg.Empty());
}

} // namespace
