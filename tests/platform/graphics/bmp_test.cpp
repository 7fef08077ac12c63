// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "graphicstest.h"

#include "platform/graphics/bmpcodec.h"

#include <bit>
#include <climits>
#include <cmath>
#include <functional>
#include <sstream>

namespace {

enum : uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6 };

// A BMP file assembled field by field, independently of the reader.
struct TBmpFile {
    uint32_t HeaderSize = 40;
    int32_t Width = 0;
    int32_t Height = 0; // negative: top-down
    uint16_t BitCount = 8;
    uint32_t Compression = BI_RGB;
    std::vector<uint32_t> Masks; // inside a header larger than 40 bytes, else after it
    std::vector<uint32_t> Palette; // 0x00RRGGBB
    uint32_t ColoursUsed = 0;
    TBytes Bits;
};

TBytes Build(const TBmpFile& f)
{
    TBytes out { 'B', 'M' };
    Append32(out, 0); // file size, patched below
    Append32(out, 0);
    Append32(out, 0); // pixel data offset, patched below
    if (f.HeaderSize == 12) {
        Append32(out, 12);
        Append16(out, uint32_t(f.Width));
        Append16(out, uint32_t(f.Height));
        Append16(out, 1);
        Append16(out, f.BitCount);
    } else {
        Append32(out, f.HeaderSize);
        Append32(out, uint32_t(f.Width));
        Append32(out, uint32_t(f.Height));
        Append16(out, 1);
        Append16(out, f.BitCount);
        Append32(out, f.Compression);
        Append32(out, uint32_t(f.Bits.size()));
        Append32(out, 2835);
        Append32(out, 2835);
        Append32(out, f.ColoursUsed);
        Append32(out, 0);
        for (uint32_t mask : f.Masks)
            Append32(out, mask);
        out.resize(std::max(out.size(), size_t(14 + f.HeaderSize)));
    }
    for (uint32_t colour : f.Palette) {
        out.push_back(uint8_t(colour));
        out.push_back(uint8_t(colour >> 8));
        out.push_back(uint8_t(colour >> 16));
        if (f.HeaderSize != 12)
            out.push_back(0);
    }
    Poke32(out, 10, uint32_t(out.size()));
    out.insert(out.end(), f.Bits.begin(), f.Bits.end());
    Poke32(out, 2, uint32_t(out.size()));
    return out;
}

// Packs raw(x, y) values of `bpp` bits into rows padded to 4 bytes, in the file's row order.
TBytes PackRows(int32_t width, int32_t height, int bpp, bool topDown,
    const std::function<uint32_t(int, int)>& raw)
{
    const size_t stride = (size_t(width) * size_t(bpp) + 31) / 32 * 4;
    TBytes bits(stride * size_t(height), 0);
    for (int32_t r = 0; r < height; ++r) {
        const int32_t y = topDown ? r : height - 1 - r;
        uint8_t* row = bits.data() + size_t(r) * stride;
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t v = raw(x, y);
            if (bpp < 8) {
                const int bit = x * bpp; // most significant bits first
                row[bit / 8] |= uint8_t(v << (8 - bpp - bit % 8));
            } else {
                for (int b = 0; b < bpp / 8; ++b)
                    row[size_t(x) * size_t(bpp / 8) + size_t(b)] = uint8_t(v >> (8 * b));
            }
        }
    }
    return bits;
}

uint32_t PaletteEntry(uint32_t i)
{
    return ((i * 53 + 7) & 255) << 16 | ((i * 101 + 19) & 255) << 8 | ((i * 197 + 41) & 255);
}

std::vector<uint32_t> MakePalette(size_t count)
{
    std::vector<uint32_t> palette(count);
    for (size_t i = 0; i < count; ++i)
        palette[i] = PaletteEntry(uint32_t(i));
    return palette;
}

// A channel value scaled to 0 … 255 and rounded, computed in floating point.
uint32_t Channel(uint32_t raw, uint32_t mask)
{
    if (!mask)
        return 0;
    const int shift = std::countr_zero(mask);
    const double largest = double(mask >> shift);
    return uint32_t(std::lround(double((raw & mask) >> shift) * 255.0 / largest));
}

uint32_t FromMasks(uint32_t raw, uint32_t red, uint32_t green, uint32_t blue)
{
    return Channel(raw, red) << 16 | Channel(raw, green) << 8 | Channel(raw, blue);
}

std::unique_ptr<TBitmap> Decode(const TBytes& file)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromBytes(file);
    return bitmap;
}

struct TDepthCase {
    const char* Name;
    uint32_t HeaderSize;
    uint16_t BitCount;
    uint32_t Compression;
    bool TopDown;
    std::vector<uint32_t> Masks; // red, green, blue (and alpha) when the file has bit fields
    uint32_t PaletteSize; // colours written for indexed depths
    uint32_t ColoursUsed;
};

class BmpDepth : public ::testing::TestWithParam<TDepthCase> { };

TEST_P(BmpDepth, DecodesEveryPixel)
{
    const TDepthCase& c = GetParam();
    constexpr int32_t W = 7; // odd, so rows need padding and partial bytes
    constexpr int32_t H = 3;
    const uint32_t valueMask = c.BitCount == 32 ? 0xFFFFFFFFu : (1u << c.BitCount) - 1;
    auto raw = [&](int x, int y) -> uint32_t {
        if (c.BitCount <= 8)
            return uint32_t(x * 3 + y * 5) % c.PaletteSize;
        return (uint32_t(x) * 0x9E3779B1u ^ uint32_t(y + 1) * 0x85EBCA77u) & valueMask;
    };
    TBmpFile f;
    f.HeaderSize = c.HeaderSize;
    f.Width = W;
    f.Height = c.TopDown ? -H : H;
    f.BitCount = c.BitCount;
    f.Compression = c.Compression;
    f.Masks = c.Masks;
    f.ColoursUsed = c.ColoursUsed;
    if (c.BitCount <= 8)
        f.Palette = MakePalette(c.PaletteSize);
    f.Bits = PackRows(W, H, c.BitCount, c.TopDown, raw);

    uint32_t red = 0, green = 0, blue = 0;
    if (!c.Masks.empty()) {
        red = c.Masks[0];
        green = c.Masks[1];
        blue = c.Masks[2];
    } else if (c.BitCount == 16) {
        red = 0x7C00, green = 0x03E0, blue = 0x001F;
    } else {
        red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF;
    }
    auto expected = [&](int x, int y) {
        return c.BitCount <= 8 ? PaletteEntry(raw(x, y)) : FromMasks(raw(x, y), red, green, blue);
    };

    const auto bitmap = Decode(Build(f));
    ASSERT_EQ(bitmap->Width(), W);
    ASSERT_EQ(bitmap->Height(), H);
    EXPECT_TRUE(PixelsMatch(bitmap->Bitmap(), expected));
}

INSTANTIATE_TEST_SUITE_P(Bmp, BmpDepth,
    ::testing::Values(TDepthCase { "Bpp1", 40, 1, BI_RGB, false, {}, 2, 0 },
        TDepthCase { "Bpp1TopDown", 40, 1, BI_RGB, true, {}, 2, 0 },
        TDepthCase { "Bpp4", 40, 4, BI_RGB, false, {}, 16, 0 },
        TDepthCase { "Bpp4TopDown", 40, 4, BI_RGB, true, {}, 16, 0 },
        TDepthCase { "Bpp8", 40, 8, BI_RGB, false, {}, 256, 0 },
        TDepthCase { "Bpp8TopDown", 40, 8, BI_RGB, true, {}, 256, 0 },
        TDepthCase { "Bpp8ShortPalette", 40, 8, BI_RGB, false, {}, 20, 20 },
        TDepthCase { "Bpp4ShortPalette", 40, 4, BI_RGB, true, {}, 5, 5 },
        TDepthCase { "Bpp16Rgb555", 40, 16, BI_RGB, false, {}, 0, 0 },
        TDepthCase { "Bpp16Rgb555TopDown", 40, 16, BI_RGB, true, {}, 0, 0 },
        TDepthCase {
            "Bpp16Rgb565Bitfields", 40, 16, BI_BITFIELDS, false, { 0xF800, 0x07E0, 0x001F }, 0, 0 },
        TDepthCase { "Bpp16Argb4444V4Header", 108, 16, BI_BITFIELDS, true,
            { 0x0F00, 0x00F0, 0x000F, 0xF000 }, 0, 0 },
        TDepthCase { "Bpp24", 40, 24, BI_RGB, false, {}, 0, 0 },
        TDepthCase { "Bpp24TopDown", 40, 24, BI_RGB, true, {}, 0, 0 },
        TDepthCase { "Bpp32", 40, 32, BI_RGB, false, {}, 0, 0 },
        TDepthCase { "Bpp32TopDown", 40, 32, BI_RGB, true, {}, 0, 0 },
        TDepthCase { "Bpp32BitfieldsReversed", 40, 32, BI_BITFIELDS, false,
            { 0xFF, 0xFF00, 0xFF0000 }, 0, 0 },
        TDepthCase { "Bpp32BitfieldsV3Header", 56, 32, BI_BITFIELDS, false,
            { 0xFF000000, 0x00FF0000, 0x0000FF00, 0xFF }, 0, 0 },
        TDepthCase { "Bpp32BitfieldsV5Header", 124, 32, BI_BITFIELDS, true,
            { 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000 }, 0, 0 },
        TDepthCase { "Bpp16AlphaBitfields", 40, 16, BI_ALPHABITFIELDS, false,
            { 0x7C00, 0x03E0, 0x001F, 0x8000 }, 0, 0 },
        TDepthCase { "CoreBpp1", 12, 1, BI_RGB, false, {}, 2, 0 },
        TDepthCase { "CoreBpp4", 12, 4, BI_RGB, false, {}, 16, 0 },
        TDepthCase { "CoreBpp8", 12, 8, BI_RGB, false, {}, 256, 0 },
        TDepthCase { "CoreBpp24", 12, 24, BI_RGB, false, {}, 0, 0 }),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Bmp, IndexPastAShortenedPaletteIsBlack)
{
    TBmpFile f;
    f.Width = 4;
    f.Height = 1;
    f.Palette = MakePalette(2);
    f.ColoursUsed = 2;
    f.Bits = { 0, 1, 2, 255 };
    const auto bitmap = Decode(Build(f));
    EXPECT_TRUE(PixelsMatch(
        bitmap->Bitmap(), [](int x, int) { return x < 2 ? PaletteEntry(uint32_t(x)) : 0u; }));
}

const std::vector<uint32_t> RlePalette { 0x112233, 0xAA0000, 0x00BB00, 0x0000CC };

// 6 × 4, bottom row first: a run and a padded literal; a delta that skips a row and two
// pixels; a run; a literal and a run ended by the end-of-bitmap marker.
TBytes Rle8File()
{
    TBmpFile f;
    f.Width = 6;
    f.Height = 4;
    f.Compression = BI_RLE8;
    f.Palette = RlePalette;
    f.Bits = { 3, 1, 0, 3, 2, 3, 1, 0, 0, 0, //
        0, 2, 2, 1, 4, 3, 0, 0, //
        0, 4, 0, 1, 2, 3, 2, 2, 0, 1 };
    return Build(f);
}

// 9 × 2: runs of alternating nibbles; a literal of five nibbles (padded), a delta and a run.
TBytes Rle4File()
{
    TBmpFile f;
    f.Width = 9;
    f.Height = 2;
    f.BitCount = 4;
    f.Compression = BI_RLE4;
    f.Palette = RlePalette;
    f.Bits = { 5, 0x12, 4, 0x30, 0, 0, //
        0, 5, 0x12, 0x30, 0x10, 0x00, 0, 2, 2, 0, 2, 0x33, 0, 1 };
    return Build(f);
}

// Expected pictures as rows of palette indices from the top; '.' is a pixel the data skips.
void ExpectIndices(const TBitmap& bitmap, const std::vector<std::string>& rows)
{
    ASSERT_EQ(bitmap.Height(), int32_t(rows.size()));
    ASSERT_EQ(bitmap.Width(), int32_t(rows[0].size()));
    EXPECT_TRUE(PixelsMatch(bitmap.Bitmap(), [&](int x, int y) {
        const char c = rows[size_t(y)][size_t(x)];
        return c == '.' ? 0u : RlePalette[size_t(c - '0')];
    }));
}

TEST(Bmp, RunLength8)
{
    ExpectIndices(*Decode(Rle8File()), { "012322", "..3333", "......", "111231" });
}

TEST(Bmp, RunLength4) { ExpectIndices(*Decode(Rle4File()), { "12301..33", "121213030" }); }

TEST(Bmp, RunLengthWithoutEndMarkerAfterTheLastRow)
{
    TBmpFile f;
    f.Width = 2;
    f.Height = 2;
    f.Compression = BI_RLE8;
    f.Palette = RlePalette;
    f.Bits = { 2, 1, 0, 0, 2, 3, 0, 0 };
    ExpectIndices(*Decode(Build(f)), { "33", "11" });
}

// Each output pixel of a reduced picture must come from its own cell of the source grid:
// column i from [i·W/w, (i+1)·W/w), likewise for rows, and never from a neighbour's cell.
void ExpectSubsampled(const TGdiBitmap& bitmap, int32_t sourceWidth, int32_t sourceHeight,
    const std::function<std::pair<int, int>(uint32_t)>& origin)
{
    for (int32_t y = 0; y < bitmap.Height(); ++y) {
        for (int32_t x = 0; x < bitmap.Width(); ++x) {
            const auto [sx, sy] = origin(bitmap.Pixel(x, y) & 0xFFFFFF);
            EXPECT_GE(sx * bitmap.Width(), x * sourceWidth) << x << "," << y;
            EXPECT_LT(sx * bitmap.Width(), (x + 1) * sourceWidth) << x << "," << y;
            EXPECT_GE(sy * bitmap.Height(), y * sourceHeight) << x << "," << y;
            EXPECT_LT(sy * bitmap.Height(), (y + 1) * sourceHeight) << x << "," << y;
        }
    }
}

TEST(Bmp, LargePictureIsSubsampledWhileDecoding)
{
    const TScopedMaxSide limit(4);
    TBmpFile f;
    f.Width = 10;
    f.Height = 6;
    f.BitCount = 24;
    f.Bits = PackRows(
        10, 6, 24, false, [](int x, int y) { return uint32_t(x) << 16 | uint32_t(y) << 8; });
    const auto bitmap = Decode(Build(f));
    ASSERT_EQ(bitmap->Width(), 4);
    ASSERT_EQ(bitmap->Height(), 2); // 6 · 4 / 10, proportions kept
    ExpectSubsampled(bitmap->Bitmap(), 10, 6,
        [](uint32_t p) { return std::pair(int(p >> 16), int((p >> 8) & 0xFF)); });
}

TEST(Bmp, LargeRunLengthPictureIsSubsampledWhileDecoding)
{
    const TScopedMaxSide limit(5);
    constexpr int W = 20;
    constexpr int H = 10;
    TBmpFile f;
    f.Width = W;
    f.Height = H;
    f.Compression = BI_RLE8;
    f.Palette = MakePalette(256);
    for (uint32_t i = 0; i < 256; ++i)
        f.Palette[i] = i; // the pixel value is the index: x + W·y
    for (int r = 0; r < H; ++r) {
        const int y = H - 1 - r;
        f.Bits.insert(f.Bits.end(), { 0, uint8_t(W) });
        for (int x = 0; x < W; ++x)
            f.Bits.push_back(uint8_t(x + W * y));
        f.Bits.insert(f.Bits.end(), { 0, uint8_t(r == H - 1 ? 1 : 0) });
    }
    const auto bitmap = Decode(Build(f));
    ASSERT_EQ(bitmap->Width(), 5);
    ASSERT_EQ(bitmap->Height(), 2);
    ExpectSubsampled(
        bitmap->Bitmap(), W, H, [](uint32_t p) { return std::pair(int(p % W), int(p / W)); });
}

TEST(Bmp, HugeRunLengthClaimStaysBounded)
{
    // A few bytes claiming 60000 × 60000: decoded within the limit, all of it skipped (black).
    const TScopedMaxSide limit(64);
    TBmpFile f;
    f.Width = 60000;
    f.Height = 60000;
    f.Compression = BI_RLE8;
    f.Palette = RlePalette;
    f.Bits = { 2, 1, 0, 1 };
    const auto bitmap = Decode(Build(f));
    EXPECT_EQ(bitmap->Width(), 64);
    EXPECT_EQ(bitmap->Height(), 64);
}

// ---------------------------------------------------------------------------------------------
// Refused files

TBytes Base8()
{
    TBmpFile f;
    f.Width = 8;
    f.Height = 2;
    f.Palette = MakePalette(4);
    f.Bits = PackRows(8, 2, 8, false, [](int x, int y) { return uint32_t(x + y) % 4; });
    return Build(f);
}

TBytes With(TBytes file, size_t at, uint32_t value)
{
    Poke32(file, at, value);
    return file;
}

TBytes With16(TBytes file, size_t at, uint16_t value)
{
    file[at] = uint8_t(value);
    file[at + 1] = uint8_t(value >> 8);
    return file;
}

TBytes Rle(int32_t width, int32_t height, TBytes bits)
{
    TBmpFile f;
    f.Width = width;
    f.Height = height;
    f.Compression = BI_RLE8;
    f.Palette = RlePalette;
    f.Bits = std::move(bits);
    return Build(f);
}

TBytes Rle4(int32_t width, int32_t height, TBytes bits)
{
    TBmpFile f;
    f.Width = width;
    f.Height = height;
    f.BitCount = 4;
    f.Compression = BI_RLE4;
    f.Palette = RlePalette;
    f.Bits = std::move(bits);
    return Build(f);
}

struct TBadCase {
    const char* Name;
    TBytes File;
};

std::vector<TBadCase> BadFiles()
{
    const TBytes base = Base8();
    enum : size_t {
        FileSize = 2,
        BitsOffset = 10,
        HeaderSize = 14,
        Width = 18,
        Height = 22,
        BitCount = 28,
        Compression = 30,
        ColoursUsed = 46
    };
    TBmpFile huge;
    huge.Width = 60000;
    huge.Height = 60000;
    huge.BitCount = 24;
    huge.Bits = TBytes(64, 0x55);
    TBytes topDownRle = Rle(2, 1, { 2, 1, 0, 1 });
    Poke32(topDownRle, Height, uint32_t(-1));
    return {
        { "empty", {} },
        { "one_byte", { 'B' } },
        { "signature_only", { 'B', 'M' } },
        { "file_header_only", TBytes(base.begin(), base.begin() + 14) },
        { "headers_only", TBytes(base.begin(), base.begin() + 54) },
        { "wrong_signature", With16(base, 0, 'A' << 8 | 'B') },
        { "header_size_0", With(base, HeaderSize, 0) },
        { "header_size_39", With(base, HeaderSize, 39) },
        { "header_size_huge", With(base, HeaderSize, 0x7FFFFFF0) },
        { "width_0", With(base, Width, 0) },
        { "width_negative", With(base, Width, uint32_t(-8)) },
        { "height_0", With(base, Height, 0) },
        { "height_most_negative", With(base, Height, uint32_t(INT32_MIN)) },
        { "width_beyond_hard_limit", With(base, Width, 1u << 21) },
        { "huge_size_little_data", Build(huge) },
        { "bit_count_0", With16(base, BitCount, 0) },
        { "bit_count_2", With16(base, BitCount, 2) },
        { "bit_count_48", With16(base, BitCount, 48) },
        { "embedded_jpeg", With(base, Compression, 4) },
        { "embedded_png", With(base, Compression, 5) },
        { "unknown_compression", With(base, Compression, 77) },
        { "rle4_with_8_bits", With(base, Compression, BI_RLE4) },
        { "bitfields_with_8_bits", With(base, Compression, BI_BITFIELDS) },
        { "palette_overflow", With(base, ColoursUsed, 257) },
        { "palette_count_huge", With(base, ColoursUsed, 0xFFFFFFFF) },
        { "offset_past_end", With(base, BitsOffset, uint32_t(base.size() + 1)) },
        { "offset_huge", With(base, BitsOffset, 0xFFFFFFFF) },
        { "offset_inside_header", With(base, BitsOffset, 20) },
        { "pixel_data_short", TBytes(base.begin(), base.end() - 1) },
        { "rle_run_beyond_row", Rle(4, 1, { 5, 1, 0, 1 }) },
        { "rle_second_run_beyond_row", Rle(4, 1, { 3, 1, 2, 1, 0, 1 }) },
        { "rle_literal_beyond_row", Rle(4, 1, { 0, 5, 1, 2, 3, 1, 2, 0, 0, 1 }) },
        // Rows of 3 and 5 pixels are padded to 4 and 8 (RLE8) and to 8 and 16 (RLE4).
        { "rle8_run_beyond_padding", Rle(3, 1, { 5, 1, 0, 1 }) },
        { "rle8_runs_beyond_padding", Rle(5, 1, { 7, 1, 2, 2, 0, 1 }) },
        { "rle8_literal_beyond_padding", Rle(5, 1, { 2, 1, 0, 7, 1, 2, 3, 1, 2, 3, 1, 0, 0, 1 }) },
        { "rle8_delta_beyond_padding", Rle(3, 2, { 0, 2, 5, 0, 0, 1 }) },
        { "rle4_run_beyond_padding", Rle4(3, 1, { 9, 0x12, 0, 1 }) },
        { "rle4_literal_beyond_padding", Rle4(5, 1, { 8, 0x11, 0, 9, 0x12, 0x30, 0x12, 0x30, 0x10, 0, 0, 1 }) },
        { "rle4_literal_truncated", Rle4(8, 1, { 0, 8, 0x12, 0x30, 0x12 }) },
        { "rle_delta_beyond_right", Rle(4, 2, { 0, 2, 5, 0, 0, 1 }) },
        { "rle_delta_beyond_top", Rle(4, 2, { 0, 2, 0, 3, 0, 1 }) },
        { "rle_data_beyond_last_row", Rle(2, 1, { 2, 1, 0, 0, 2, 1, 0, 1 }) },
        { "rle_lines_beyond_last_row", Rle(2, 1, { 0, 0, 0, 0, 0, 1 }) },
        { "rle_literal_truncated", Rle(8, 1, { 0, 6, 1, 2, 3 }) },
        { "rle_ends_mid_picture", Rle(2, 2, { 2, 1, 0, 0 }) },
        { "rle_empty_data", Rle(2, 2, {}) },
        { "rle_top_down", topDownRle },
    };
}

TEST(Bmp, RefusesCorruptAndHostileFiles)
{
    for (const TBadCase& c : BadFiles()) {
        TBitmap bitmap(3, 2);
        bitmap.Bitmap().Fill(RGB(1, 2, 3));
        int changes = 0;
        bitmap.OnChange = [&] { ++changes; };
        EXPECT_THROW(bitmap.LoadFromBytes(c.File), EInvalidGraphic) << c.Name;
        // A refused file leaves the graphic as it was.
        EXPECT_EQ(bitmap.Width(), 3) << c.Name;
        EXPECT_EQ(bitmap.Bitmap().Pixel(2, 1), PixelFromColorRef(RGB(1, 2, 3))) << c.Name;
        EXPECT_EQ(changes, 0) << c.Name;
    }
}

// Common writers (ImageMagick among them) encode whole padded rows, so runs and literals cover
// the padding past the width; Windows draws such files, dropping the pixels past the width.
TEST(Bmp, RunsIntoTheRowPaddingAreClipped)
{
    const struct {
        const char* Name;
        TBytes File;
        std::vector<std::string> Rows; // from the top
    } cases[] = {
        { "rle8_run", Rle(3, 2, { 4, 1, 0, 0, 1, 2, 3, 3, 0, 1 }), { "233", "111" } },
        { "rle8_literal", Rle(3, 1, { 0, 4, 1, 2, 3, 0, 0, 1 }), { "123" } },
        { "rle8_run_then_literal_to_row_end",
            Rle(5, 2, { 3, 2, 0, 5, 1, 3, 0, 1, 2, 0, 0, 0, 8, 3, 0, 1 }), { "33333", "22213" } },
        { "rle8_literal_after_run_into_padding", Rle(5, 1, { 5, 1, 0, 3, 2, 2, 2, 0, 0, 1 }), { "11111" } },
        { "rle8_delta_from_the_padding", Rle(3, 2, { 4, 1, 0, 2, 0, 1, 0, 1 }), { "...", "111" } },
        { "rle8_padded_rows_without_end_marker", Rle(3, 2, { 4, 1, 0, 0, 4, 2, 0, 0 }), { "222", "111" } },
        { "rle4_run", Rle4(3, 2, { 8, 0x12, 0, 0, 8, 0x33, 0, 1 }), { "333", "121" } },
        { "rle4_literal", Rle4(3, 1, { 0, 8, 0x12, 0x30, 0x33, 0x33, 0, 1 }), { "123" } },
        { "rle4_odd_literal_to_row_end", Rle4(9, 1, { 2, 0x11, 0, 14, 0x23, 0x12, 0x30, 0x33, 0x33, 0x33, 0x33, 0, 0, 1 }),
            { "112312303" } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ExpectIndices(*Decode(c.File), c.Rows);
    }
}

// An 8-bit run-length file written by ImageMagick (convert -colors 200 -type Palette BMP3:),
// 37 pixels wide with runs to the padded 40; beside it the same pixels as ImageMagick read them,
// written uncompressed at 24 bits.
TEST(Bmp, ImageMagickRunLength8MatchesImageMagicksPixels)
{
    TBitmap written;
    written.LoadFromFile(TAPSY_TEST_DATA "/imagemagick_rle8.bmp");
    TBitmap expected;
    expected.LoadFromFile(TAPSY_TEST_DATA "/imagemagick_rle8_pixels.bmp");
    ASSERT_EQ(written.Width(), 37);
    ASSERT_EQ(written.Height(), 23);
    EXPECT_TRUE(PixelsMatch(
        written.Bitmap(), [&](int x, int y) { return expected.Bitmap().Pixel(x, y) & 0xFFFFFF; }));
}

TEST(Bmp, EveryTruncationIsRefused)
{
    TBmpFile bits24;
    bits24.Width = 4; // 12 bytes a row: no padding, so every cut loses pixels
    bits24.Height = 2;
    bits24.BitCount = 24;
    bits24.Bits = TBytes(24, 0x40);
    TBmpFile core;
    core.HeaderSize = 12;
    core.Width = 4;
    core.Height = 2;
    core.Palette = MakePalette(256);
    core.Bits = TBytes(8, 7);
    for (const TBytes& file : { Base8(), Rle8File(), Rle4File(), Build(bits24), Build(core) })
        ExpectEveryPrefixRefused<TBitmap>(file);
}

TEST(Bmp, ErrorMessagesSayWhatIsWrong)
{
    auto message = [](const TBytes& file) {
        try {
            Decode(file);
        } catch (const EInvalidGraphic& e) {
            return std::string(e.what());
        }
        return std::string("(decoded)");
    };
    EXPECT_EQ(message({}), "Invalid BMP picture: the file is empty");
    EXPECT_EQ(message(With(Base8(), 46, 300)),
        "Invalid BMP picture: a palette of 300 colours for 8 bits a pixel");
    EXPECT_EQ(message(Rle(4, 1, { 5, 1, 0, 1 })),
        "Invalid BMP picture: a run goes past the end of row 0");
}

// ---------------------------------------------------------------------------------------------
// Writing

TEST(Bmp, WritesA32BitBottomUpFileThatReadsBack)
{
    TBitmap source(5, 3);
    auto rule = [](int x, int y) {
        return uint32_t(x * 40) << 16 | uint32_t(y * 90) << 8 | uint32_t(255 - x * y);
    };
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            source.Bitmap().SetPixel(x, y, rule(x, y) | 0xAB000000); // the fourth byte is no colour
    std::ostringstream out;
    source.SaveToStream(out);
    const std::string text = out.str();
    const TBytes file(text.begin(), text.end());

    ASSERT_EQ(file.size(), 14u + 40u + 5u * 3u * 4u);
    auto u32 = [&](size_t at) {
        return uint32_t(
            file[at] | file[at + 1] << 8 | file[at + 2] << 16 | uint32_t(file[at + 3]) << 24);
    };
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(u32(2), file.size());
    EXPECT_EQ(u32(10), 54u);
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(int32_t(u32(22)), 3); // positive height: bottom-up
    EXPECT_EQ(file[28], 32);
    EXPECT_EQ(u32(30), 0u); // BI_RGB
    // The first stored pixel is the bottom-left one, blue first, fourth byte 0.
    EXPECT_EQ(u32(54), rule(0, 2));

    const auto back = Decode(file);
    ASSERT_EQ(back->Width(), 5);
    ASSERT_EQ(back->Height(), 3);
    EXPECT_TRUE(PixelsMatch(back->Bitmap(), rule));
}

TEST(Bmp, EmptyBitmapIsNotSaved)
{
    std::ostringstream out;
    EXPECT_THROW(TBitmap().SaveToStream(out), EInvalidGraphic);
}

// ---------------------------------------------------------------------------------------------
// The graphic

TEST(BitmapGraphic, SetSizeFillsWithTheBrushAndSignals)
{
    TBitmap bitmap(2, 1);
    bitmap.Bitmap().Fill(RGB(9, 9, 9));
    SetBrushColor(bitmap.Bitmap().DC(), RGB(200, 100, 50));
    int changes = 0;
    bitmap.OnChange = [&] { ++changes; };
    bitmap.SetSize(3, 2);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(PixelsMatch(bitmap.Bitmap(), [](int x, int y) {
        return PixelFromColorRef(x < 2 && y < 1 ? RGB(9, 9, 9) : RGB(200, 100, 50));
    }));
    bitmap.SetSize(3, 2);
    EXPECT_EQ(changes, 1) << "an unchanged size is no change";
    bitmap.SetSize(-4, 2);
    EXPECT_TRUE(bitmap.Empty());
}

TEST(BitmapGraphic, DrawsAtNaturalSizeScaledAndClipped)
{
    TBitmap picture(2, 2);
    const uint32_t colours[2][2] = { { 0x0000FF, 0x00FF00 }, { 0xFF0000, 0xFFFFFF } };
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            picture.Bitmap().SetPixel(x, y, colours[y][x]);
    constexpr uint32_t Grey = 0x808080;

    TGdiBitmap canvas(6, 5);
    canvas.Fill(RGB(128, 128, 128));
    picture.Draw(canvas.DC(), 1, 2);
    EXPECT_TRUE(PixelsMatch(canvas, [&](int x, int y) {
        return x >= 1 && x < 3 && y >= 2 && y < 4 ? colours[y - 2][x - 1] : Grey;
    }));

    canvas.Fill(RGB(128, 128, 128));
    picture.Draw(canvas.DC(), TRect { 0, 0, 4, 4 });
    EXPECT_TRUE(PixelsMatch(
        canvas, [&](int x, int y) { return x < 4 && y < 4 ? colours[y / 2][x / 2] : Grey; }));

    canvas.Fill(RGB(128, 128, 128));
    IntersectClipRect(canvas.DC(), 0, 0, 1, 5);
    picture.Draw(canvas.DC(), 0, 0);
    EXPECT_TRUE(
        PixelsMatch(canvas, [&](int x, int y) { return x < 1 && y < 2 ? colours[y][x] : Grey; }));
}

TEST(BitmapGraphic, AssignCopiesAndCloneIsIndependent)
{
    TBitmap source(2, 1);
    source.Bitmap().SetPixel(0, 0, 0x123456);
    source.Bitmap().SetPixel(1, 0, 0x654321);
    TBitmap target;
    int changes = 0;
    target.OnChange = [&] { ++changes; };
    target.Assign(source);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(PixelsMatch(target.Bitmap(), [](int x, int) { return x ? 0x654321u : 0x123456u; }));

    std::unique_ptr<TGraphic> clone = source.Clone();
    source.Bitmap().SetPixel(0, 0, 0);
    auto& copy = dynamic_cast<TBitmap&>(*clone);
    EXPECT_EQ(copy.Bitmap().Pixel(0, 0), 0x123456u);
    EXPECT_FALSE(copy.OnChange);
}

} // namespace
