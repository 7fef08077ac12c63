// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "graphicstest.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include <sstream>

namespace {

// 16 × 16: left half opaque colours, top right transparent, bottom right half-transparent blue.
QColor IconColour(int x, int y)
{
    if (x < 8)
        return QColor(x * 30, y * 15, 200);
    if (y < 8)
        return QColor(0, 0, 0, 0);
    return QColor(0, 0, 255, 128);
}

QImage IconImage(int size = 16)
{
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixelColor(x, y, IconColour(x * 16 / size, y * 16 / size));
    return image;
}

TBytes WriteIco(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return TBytes(bytes.begin(), bytes.end());
}

uint32_t Read32(const TBytes& b, size_t at)
{
    return uint32_t(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24);
}

// One file with the single images of several ICO files, in the given order.
TBytes JoinIcos(const std::vector<TBytes>& files)
{
    TBytes out { 0, 0, 1, 0, uint8_t(files.size()), 0 };
    size_t offset = 6 + 16 * files.size();
    TBytes data;
    for (const TBytes& file : files) {
        const uint32_t size = Read32(file, 6 + 8);
        const uint32_t start = Read32(file, 6 + 12);
        out.insert(out.end(), file.begin() + 6, file.begin() + 6 + 8);
        Append32(out, size);
        Append32(out, uint32_t(offset + data.size()));
        data.insert(data.end(), file.begin() + start, file.begin() + start + size);
    }
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

TEST(Icon, DecodesColoursAndTransparency)
{
    TIcon icon;
    icon.LoadFromBytes(WriteIco(IconImage()));
    ASSERT_EQ(icon.Width(), 16);
    ASSERT_EQ(icon.Height(), 16);
    const QImage& image = icon.Image();
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QColor want = IconColour(x, y);
            const QColor got = image.pixelColor(x, y).toRgb();
            ASSERT_NEAR(got.alpha(), want.alpha(), 1) << x << "," << y;
            if (want.alpha() == 255) {
                ASSERT_EQ(got.rgb(), want.rgb()) << x << "," << y;
            }
        }
    }
}

TEST(Icon, DrawingKeepsTheDestinationUnderTransparentPixels)
{
    TIcon icon;
    icon.LoadFromBytes(WriteIco(IconImage()));
    constexpr uint32_t Green = 0x00FF00;
    auto expected = [&](int x, int y) -> uint32_t {
        const QColor c = IconColour(x, y);
        if (c.alpha() == 0)
            return Green;
        if (c.alpha() == 255)
            return c.rgb() & 0xFFFFFF;
        return 0x007F80; // half blue over green
    };

    TGdiBitmap canvas(20, 18);
    canvas.Fill(RGB(0, 255, 0));
    icon.Draw(canvas.DC(), 2, 1);
    EXPECT_TRUE(PixelsMatch(
        canvas,
        [&](int x, int y) {
            return x >= 2 && x < 18 && y >= 1 && y < 17 ? expected(x - 2, y - 1) : Green;
        },
        2));

    // Scaled to twice the size, and clipped on the left by the canvas edge.
    TGdiBitmap big(30, 32);
    big.Fill(RGB(0, 255, 0));
    icon.Draw(big.DC(), TRect { -2, 0, 30, 32 });
    EXPECT_TRUE(PixelsMatch(
        big, [&](int x, int y) { return expected((x + 2) / 2, y / 2); }, 2));

    // Through a clip region: nothing outside it changes.
    TGdiBitmap clipped(16, 16);
    clipped.Fill(RGB(0, 255, 0));
    ExcludeClipRect(clipped.DC(), 0, 0, 4, 16);
    icon.Draw(clipped.DC(), 0, 0);
    EXPECT_TRUE(PixelsMatch(
        clipped, [&](int x, int y) { return x < 4 ? Green : expected(x, y); }, 2));
}

TEST(Icon, ChoosesTheLargestImage)
{
    TIcon icon;
    icon.LoadFromBytes(
        JoinIcos({ WriteIco(IconImage(8)), WriteIco(IconImage(24)), WriteIco(IconImage(16)) }));
    EXPECT_EQ(icon.Width(), 24);
    EXPECT_EQ(icon.Height(), 24);
}

TEST(Icon, SavesTheBytesItLoaded)
{
    const TBytes file = WriteIco(IconImage());
    TIcon icon;
    icon.LoadFromBytes(file);
    std::ostringstream out;
    icon.SaveToStream(out);
    const std::string text = out.str();
    EXPECT_EQ(TBytes(text.begin(), text.end()), file);
    const std::unique_ptr<TGraphic> copy = icon.Clone();
    EXPECT_EQ(copy->GraphicClass(), TIcon::Class());
    EXPECT_EQ(copy->Width(), 16);
}

TEST(Icon, RefusesCorruptFiles)
{
    const TBytes good = WriteIco(IconImage());
    auto with = [&](size_t at, uint32_t value, int bytes) {
        TBytes file = good;
        for (int i = 0; i < bytes; ++i)
            file[at + size_t(i)] = uint8_t(value >> (8 * i));
        return file;
    };
    TBytes garbage = good;
    for (size_t i = Read32(good, 18); i < garbage.size(); ++i)
        garbage[i] = uint8_t(i * 37);
    const struct {
        const char* Name;
        TBytes File;
    } cases[] = {
        { "empty", {} },
        { "one_byte", { 0 } },
        { "header_only", TBytes(good.begin(), good.begin() + 6) },
        { "reserved_set", with(0, 1, 2) },
        { "type_3", with(2, 3, 2) },
        { "no_images", with(4, 0, 2) },
        { "directory_beyond_end", with(4, 1000, 2) },
        { "image_size_0", with(14, 0, 4) },
        { "image_beyond_end", with(14, uint32_t(good.size()), 4) },
        { "image_offset_huge", with(18, 0xFFFFFFF0, 4) },
        { "image_inside_directory", with(18, 8, 4) },
        { "image_data_garbage", garbage },
        { "bitmap_data", { 'B', 'M', 0, 0, 0, 0 } },
    };
    for (const auto& c : cases) {
        TIcon icon;
        EXPECT_THROW(icon.LoadFromBytes(c.File), EInvalidGraphic) << c.Name;
        EXPECT_TRUE(icon.Empty()) << c.Name;
    }
    ExpectEveryPrefixRefused<TIcon>(good);
}

TEST(Icon, LargeIconIsDecodedWithinTheLimit)
{
    const TScopedMaxSide limit(10);
    TIcon icon;
    icon.LoadFromBytes(WriteIco(IconImage(16)));
    EXPECT_EQ(icon.Width(), 10);
    EXPECT_EQ(icon.Height(), 10);
}

} // namespace
