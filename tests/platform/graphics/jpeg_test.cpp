// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "graphicstest.h"
#include "lib/jpegencode.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>

#include <jpeglib.h>

namespace {

// Four flat quadrants of 16 × 16 (whole chroma blocks, so the colours survive compression).
constexpr uint32_t Quadrants[2][2] = { { 0xE02010, 0x10C040 }, { 0x2040E0, 0xF0F0F0 } };

uint32_t QuadrantColour(int x, int y) { return Quadrants[y / 16][x / 16]; }

uint8_t RgbSample(int x, int y, int c) { return uint8_t(QuadrantColour(x, y) >> (16 - 8 * c)); }

std::unique_ptr<TJPEGImage> Decode(const TBytes& file)
{
    auto image = std::make_unique<TJPEGImage>();
    image->LoadFromBytes(file);
    return image;
}

// Away from the quadrant borders, where compression blurs.
::testing::AssertionResult QuadrantsMatch(
    const TGdiBitmap& bitmap, int tolerance, const std::function<uint32_t(uint32_t)>& convert)
{
    for (int qy = 0; qy < 2; ++qy) {
        for (int qx = 0; qx < 2; ++qx) {
            const int x = qx * bitmap.Width() / 2 + bitmap.Width() / 4;
            const int y = qy * bitmap.Height() / 2 + bitmap.Height() / 4;
            const uint32_t want = convert(Quadrants[qy][qx]);
            const uint32_t got = bitmap.Pixel(x, y);
            if (ChannelDistance(want, got) > tolerance)
                return ::testing::AssertionFailure() << "quadrant " << qx << "," << qy << " is "
                                                     << Hex(got) << ", expected " << Hex(want);
        }
    }
    return ::testing::AssertionSuccess();
}

uint32_t Same(uint32_t c) { return c; }

TEST(Jpeg, DecodesRgbBaselineAndProgressive)
{
    for (bool progressive : { false, true }) {
        TJpegOptions options;
        options.Progressive = progressive;
        const auto image = Decode(CompressJpeg(32, 32, RgbSample, options));
        ASSERT_EQ(image->Width(), 32);
        ASSERT_EQ(image->Height(), 32);
        EXPECT_FALSE(image->Grayscale());
        EXPECT_TRUE(QuadrantsMatch(image->Bitmap(), 6, Same)) << "progressive " << progressive;
        EXPECT_EQ(image->Bitmap().Pixel(3, 3) >> 24, 0u) << "the fourth byte carries no colour";
    }
}

TEST(Jpeg, DecodesGrey)
{
    TJpegOptions options;
    options.InSpace = JCS_GRAYSCALE;
    options.Components = 1;
    const auto image = Decode(CompressJpeg(
        16, 8, [](int x, int, int) { return uint8_t(x * 16); }, options));
    EXPECT_TRUE(image->Grayscale());
    EXPECT_TRUE(PixelsMatch(
        image->Bitmap(), [](int x, int) { return uint32_t(x * 16) * 0x010101u; }, 4));
}

TEST(Jpeg, DecodesCmykInvertedWithAdobeMarkerAndPlainWithout)
{
    // Cyan, magenta, yellow from the colour, and a black that halves every channel.
    auto ink = [](int x, int y, int c) -> uint8_t {
        if (c == 3)
            return 128;
        return uint8_t(255 - ((QuadrantColour(x, y) >> (16 - 8 * c)) & 0xFF));
    };
    auto halved = [](uint32_t colour) {
        uint32_t out = 0;
        for (int shift = 0; shift < 24; shift += 8)
            out |= (((colour >> shift) & 0xFF) * 127 / 255) << shift;
        return out;
    };
    TJpegOptions plain;
    plain.InSpace = JCS_CMYK;
    plain.Components = 4;
    plain.AdobeMarker = false;
    EXPECT_TRUE(QuadrantsMatch(Decode(CompressJpeg(32, 32, ink, plain))->Bitmap(), 8, halved));

    // Adobe's files store every ink inverted.
    TJpegOptions adobe = plain;
    adobe.AdobeMarker = true;
    auto inverted = [&](int x, int y, int c) { return uint8_t(255 - ink(x, y, c)); };
    EXPECT_TRUE(QuadrantsMatch(Decode(CompressJpeg(32, 32, inverted, adobe))->Bitmap(), 8, halved));
}

TEST(Jpeg, LargePictureIsDecodedAtAReducedDctScale)
{
    const TScopedMaxSide limit(16);
    // 64 × 40 fits 16 at 2/8: 16 × 10.
    const auto image = Decode(
        CompressJpeg(64, 40, [](int x, int y, int c) { return RgbSample(x / 2, y * 32 / 40, c); }));
    ASSERT_EQ(image->Width(), 16);
    ASSERT_EQ(image->Height(), 10);
    EXPECT_TRUE(QuadrantsMatch(image->Bitmap(), 12, Same));
}

TEST(Jpeg, BeyondOneEighthItIsSubsampledToo)
{
    const TScopedMaxSide limit(4);
    // 1/8 of 64 × 40 is 8 × 5, still too large: nearest subsampling to 4 × 2.
    const auto image = Decode(
        CompressJpeg(64, 40, [](int x, int y, int c) { return RgbSample(x / 2, y * 32 / 40, c); }));
    ASSERT_EQ(image->Width(), 4);
    ASSERT_EQ(image->Height(), 2);
    EXPECT_TRUE(QuadrantsMatch(image->Bitmap(), 24, Same));
}

// Rewrites the picture size in the frame header of a JPEG file.
TBytes WithClaimedSize(TBytes file, uint16_t width, uint16_t height)
{
    for (size_t i = 0; i + 9 < file.size(); ++i) {
        if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2)) {
            file[i + 5] = uint8_t(height >> 8);
            file[i + 6] = uint8_t(height);
            file[i + 7] = uint8_t(width >> 8);
            file[i + 8] = uint8_t(width);
            return file;
        }
    }
    ADD_FAILURE() << "no frame header";
    return file;
}

TEST(Jpeg, HeaderClaiming60000SquareDoesNotExhaustMemory)
{
    // Baseline: decoded at 1/8 (7500 × 7500) until the data stops, then refused. Progressive:
    // its whole-picture coefficient buffers (gigabytes) are refused before any is allocated.
    for (bool progressive : { false, true }) {
        TJpegOptions options;
        options.Progressive = progressive;
        const TBytes file = WithClaimedSize(CompressJpeg(16, 16, RgbSample, options), 60000, 60000);
        TJPEGImage image;
        EXPECT_THROW(image.LoadFromBytes(file), EInvalidGraphic) << "progressive " << progressive;
        EXPECT_TRUE(image.Empty());
    }
}

TEST(Jpeg, ThousandsOfScansAreRefused)
{
    // Each scan costs a pass over the whole picture: a small file repeating its last scan
    // over and over would keep the decoder busy for minutes at a large size.
    TJpegOptions options;
    options.Progressive = true;
    const TBytes file = CompressJpeg(16, 16, RgbSample, options);
    size_t lastScan = 0;
    for (size_t i = 0; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xDA)
            lastScan = i;
    ASSERT_GT(lastScan, 0u);
    const TBytes scan(file.begin() + ptrdiff_t(lastScan), file.end() - 2);
    TBytes repeated(file.begin(), file.end() - 2);
    for (int i = 0; i < 1000; ++i)
        repeated.insert(repeated.end(), scan.begin(), scan.end());
    repeated.insert(repeated.end(), { 0xFF, 0xD9 });
    TJPEGImage image;
    EXPECT_THROW(image.LoadFromBytes(repeated), EInvalidGraphic);

    // A few repeats are only odd, not hostile.
    TBytes some(file.begin(), file.end() - 2);
    for (int i = 0; i < 3; ++i)
        some.insert(some.end(), scan.begin(), scan.end());
    some.insert(some.end(), { 0xFF, 0xD9 });
    image.LoadFromBytes(some);
    EXPECT_EQ(image.Width(), 16);
}

TEST(Jpeg, TruncatedFileIsRefusedNotPaddedGrey)
{
    ExpectEveryPrefixRefused<TJPEGImage>(CompressJpeg(16, 16, RgbSample));
    TJpegOptions progressive;
    progressive.Progressive = true;
    const TBytes file = CompressJpeg(16, 16, RgbSample, progressive);
    // Every 7th prefix: progressive files take longer per attempt.
    for (size_t length = 0; length < file.size(); length += 7) {
        TJPEGImage image;
        EXPECT_THROW(
            image.LoadFromBytes(std::span<const uint8_t>(file.data(), length)), EInvalidGraphic)
            << length;
    }
}

TEST(Jpeg, RefusesCorruptFiles)
{
    const TBytes good
        = CompressJpeg(64, 64, [](int x, int y, int c) { return uint8_t((x * 7 + y * 13) * (c + 1)); });
    ASSERT_GT(good.size(), 800u);
    TBytes garbageAfterHeader(good.begin(), good.begin() + 2);
    garbageAfterHeader.insert(garbageAfterHeader.end(), 200, 0x5A);
    TBytes zeroWidth = WithClaimedSize(good, 0, 16);
    // Compressed data cut in the middle but closed with a proper end-of-image marker.
    TBytes cutData(good.begin(), good.begin() + ptrdiff_t(good.size() - 2) / 2 + 300);
    cutData.insert(cutData.end(), { 0xFF, 0xD9 });
    TJpegOptions two;
    two.InSpace = JCS_UNKNOWN;
    two.Components = 2;
    const struct {
        const char* Name;
        TBytes File;
    } cases[] = {
        { "empty", {} },
        { "one_byte", { 0xFF } },
        { "start_marker_only", { 0xFF, 0xD8 } },
        { "garbage_after_start", garbageAfterHeader },
        { "zero_width", zeroWidth },
        { "data_cut_before_end_marker", cutData },
        { "two_components",
            CompressJpeg(
                8, 8, [](int, int, int c) { return uint8_t(c * 100); }, two) },
        { "bitmap_data", { 'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 } },
    };
    for (const auto& c : cases) {
        TJPEGImage image;
        EXPECT_THROW(image.LoadFromBytes(c.File), EInvalidGraphic) << c.Name;
    }
}

TEST(Jpeg, FailedLoadKeepsThePicture)
{
    auto image = Decode(CompressJpeg(32, 32, RgbSample));
    int changes = 0;
    image->OnChange = [&] { ++changes; };
    EXPECT_THROW(image->LoadFromBytes(TBytes { 0xFF, 0xD8, 0xFF }), EInvalidGraphic);
    EXPECT_EQ(image->Width(), 32);
    EXPECT_EQ(changes, 0);
    image->LoadFromBytes(CompressJpeg(8, 8, RgbSample));
    EXPECT_EQ(image->Width(), 8);
    EXPECT_EQ(changes, 1);
}

TEST(Jpeg, SavesThroughTheCompressorAndReadsBack)
{
    TBitmap bitmap(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            bitmap.Bitmap().SetPixel(x, y, QuadrantColour(x, y));
    TJPEGImage image;
    image.Assign(bitmap);
    image.SetCompressionQuality(95);
    std::ostringstream out;
    image.SaveToStream(out);
    const std::string text = out.str();
    ASSERT_GT(text.size(), 4u);
    EXPECT_EQ(uint8_t(text[0]), 0xFF);
    EXPECT_EQ(uint8_t(text[1]), 0xD8);
    const auto back = Decode(TBytes(text.begin(), text.end()));
    EXPECT_TRUE(QuadrantsMatch(back->Bitmap(), 6, Same));
    EXPECT_FALSE(back->Grayscale());

    image.SetGrayscale(true);
    std::ostringstream grey;
    image.SaveToStream(grey);
    const std::string greyText = grey.str();
    const auto greyBack = Decode(TBytes(greyText.begin(), greyText.end()));
    EXPECT_TRUE(greyBack->Grayscale());
    const uint32_t p = greyBack->Bitmap().Pixel(8, 8);
    EXPECT_EQ(p & 0xFF, (p >> 8) & 0xFF);
    EXPECT_EQ(p & 0xFF, (p >> 16) & 0xFF);

    std::ostringstream none;
    EXPECT_THROW(TJPEGImage().SaveToStream(none), EInvalidGraphic);
}

} // namespace
