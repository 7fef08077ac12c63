// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "graphicstest.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>

namespace {

TBytes Encode(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << format;
    return TBytes(bytes.begin(), bytes.end());
}

QImage Sample(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(QColor(200, 40, 10));
    image.setPixelColor(0, 0, QColor(0, 0, 0, 0));
    return image;
}

TBytes BmpBytes(int width, int height)
{
    TBitmap bitmap(width, height);
    bitmap.Bitmap().Fill(RGB(10, 20, 30));
    std::ostringstream out;
    bitmap.SaveToStream(out);
    const std::string text = out.str();
    return TBytes(text.begin(), text.end());
}

// A 1 × 1 GIF whose only pixel is red.
const TBytes GifBytes { 'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0,
    0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, 0x3B };

class PictureFiles : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const TBytes& bytes)
    {
        const std::string path = m_dir.filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }
    std::string Path(const std::string& name) const
    {
        return m_dir.filePath(QString::fromStdString(name)).toStdString();
    }

private:
    QTemporaryDir m_dir;
};

TEST_F(PictureFiles, ChoosesTheClassByExtensionWhateverItsCase)
{
    const TBytes jpeg = Encode(Sample(6, 5).convertToFormat(QImage::Format_RGB32), "jpeg");
    const struct {
        const char* Name;
        TBytes Bytes;
        TGraphicClass Class;
        int32_t Width;
    } cases[] = {
        { "a.bmp", BmpBytes(3, 2), TBitmap::Class(), 3 },
        { "b.BMP", BmpBytes(4, 2), TBitmap::Class(), 4 },
        { "c.jpg", jpeg, TJPEGImage::Class(), 6 },
        { "d.JPEG", jpeg, TJPEGImage::Class(), 6 },
        { "e.Jpeg", jpeg, TJPEGImage::Class(), 6 },
        { "f.ico", Encode(Sample(7, 7), "ico"), TIcon::Class(), 7 },
        { "g.ICO", Encode(Sample(8, 8), "ico"), TIcon::Class(), 8 },
        { "h.png", Encode(Sample(9, 3), "png"), TPngImage::Class(), 9 },
        { "i.Gif", GifBytes, TGIFImage::Class(), 1 },
        { "archive.tar.bmp", BmpBytes(5, 1), TBitmap::Class(), 5 },
    };
    for (const auto& c : cases) {
        TPicture picture;
        int changes = 0;
        picture.OnChange = [&] { ++changes; };
        picture.LoadFromFile(Write(c.Name, c.Bytes));
        ASSERT_NE(picture.Graphic(), nullptr) << c.Name;
        EXPECT_EQ(picture.Graphic()->GraphicClass(), c.Class) << c.Name;
        EXPECT_EQ(picture.Width(), c.Width) << c.Name;
        EXPECT_EQ(changes, 1) << c.Name;
    }
}

TEST_F(PictureFiles, RefusesWhatItCannotRead)
{
    const struct {
        const char* Name;
        TBytes Bytes;
        const char* Message; // a part of the message
    } cases[] = {
        { "x.tiff", BmpBytes(2, 2), "Unknown picture file extension (.tiff)" },
        { "noextension", BmpBytes(2, 2), "Unknown picture file extension (.)" },
        { "dotted.dir/file", BmpBytes(2, 2), "Unknown picture file extension (.)" },
        { "y.wmf", { 0xD7, 0xCD, 0xC6, 0x9A, 0, 0 }, "Invalid metafile" },
        { "z.EMF", TBytes(64, 0), "Invalid metafile" },
        { "jpeg_named.bmp", Encode(Sample(4, 4), "jpeg"), "Invalid BMP picture" },
        { "empty.jpg", {}, "Invalid JPEG picture" },
        { "empty.png", {}, "Invalid PNG picture" },
        { "cut.gif", TBytes(GifBytes.begin(), GifBytes.begin() + 12), "Invalid GIF picture" },
    };
    for (const auto& c : cases) {
        if (std::string(c.Name).find('/') != std::string::npos)
            QDir().mkpath(QString::fromStdString(Path("dotted.dir")));
        TPicture picture;
        picture.SetGraphic(std::make_unique<TBitmap>(2, 3));
        int changes = 0;
        picture.OnChange = [&] { ++changes; };
        try {
            picture.LoadFromFile(Write(c.Name, c.Bytes));
            ADD_FAILURE() << c.Name << " was accepted";
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(std::string(e.what()).find(c.Message), std::string::npos)
                << c.Name << ": " << e.what();
        }
        // The picture it had stays, and nothing is signalled.
        ASSERT_NE(picture.Graphic(), nullptr) << c.Name;
        EXPECT_EQ(picture.Height(), 3) << c.Name;
        EXPECT_EQ(changes, 0) << c.Name;
    }
}

TEST_F(PictureFiles, UnreadableFileRaisesAnExceptionNamingIt)
{
    QDir().mkpath(QString::fromStdString(Path("folder.bmp")));
    for (const char* name : { "missing.bmp", "folder.bmp" }) {
        TPicture picture;
        try {
            picture.LoadFromFile(Path(name));
            ADD_FAILURE() << name << ": no exception";
        } catch (const Exception& e) {
            EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
        }
        EXPECT_EQ(picture.Graphic(), nullptr) << name;
    }
}

TEST_F(PictureFiles, SavesInTheGraphicsOwnFormat)
{
    TPicture picture;
    picture.LoadFromFile(Write("in.ico", Encode(Sample(5, 5), "ico")));
    picture.SaveToFile(Path("out.ico"));
    TPicture back;
    back.LoadFromFile(Path("out.ico"));
    EXPECT_EQ(back.Graphic()->GraphicClass(), TIcon::Class());
    EXPECT_EQ(back.Width(), 5);

    picture.Bitmap().SetSize(3, 1);
    picture.SaveToFile(Path("out.bmp"));
    back.LoadFromFile(Path("out.bmp"));
    EXPECT_EQ(back.Width(), 3);

    EXPECT_THROW(picture.SaveToFile(Path("no/such/dir/out.bmp")), Exception);
    EXPECT_THROW(TPicture().SaveToFile(Path("none.bmp")), EInvalidGraphic);
}

TEST(Picture, AlphaPicturesStayWithinTheSizeLimit)
{
    const TScopedMaxSide limit(256);
    // A GIF whose screen is 8243 x 215 and whose one frame is 0 x 6912: the reader reports a
    // size other than the one it decodes (found by fuzzing).
    const TBytes frameUnlikeScreen { 'G', 'I', 'F', '8', '7', 'a', 0x33, 0x20, 0xD7, 0, 0, 0x2F,
        0x2B, 0x2C, 0, 0, 0, 0, 0, 0, 0, 0x1B, 0, 0, 0, 0, 0 };
    const struct {
        const char* Name;
        TBytes Bytes;
        TGraphicClass Class;
        int32_t Width;
        int32_t Height;
    } cases[] = {
        { "png_wide", Encode(Sample(1024, 128), "png"), TPngImage::Class(), 256, 32 },
        { "png_tall", Encode(Sample(3, 400), "png"), TPngImage::Class(), 1, 256 },
        { "png_small", Encode(Sample(5, 7), "png"), TPngImage::Class(), 5, 7 },
        // Whatever Qt makes of it, never wider than the limit.
        { "gif_frame_unlike_screen", frameUnlikeScreen, TGIFImage::Class(), 0, 0 },
    };
    for (const auto& c : cases) {
        const std::unique_ptr<TGraphic> graphic = c.Class->Create();
        std::istringstream stream(std::string(c.Bytes.begin(), c.Bytes.end()));
        graphic->LoadFromStream(stream);
        EXPECT_FALSE(graphic->Empty()) << c.Name;
        EXPECT_LE(graphic->Width(), 256) << c.Name;
        EXPECT_LE(graphic->Height(), 256) << c.Name;
        if (c.Width > 0) {
            EXPECT_EQ(graphic->Width(), c.Width) << c.Name;
            EXPECT_EQ(graphic->Height(), c.Height) << c.Name;
        }
    }
}

TEST(Picture, SignalsEveryChangeOfItsGraphic)
{
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&] { ++changes; };

    TBitmap bitmap(4, 4);
    picture.SetGraphic(&bitmap);
    EXPECT_EQ(changes, 1);
    bitmap.SetSize(1, 1); // the picture holds a copy
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(changes, 1);

    picture.Bitmap().SetSize(6, 2); // a change inside the held graphic
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(picture.Width(), 6);

    TPicture other;
    other.Assign(picture);
    picture.Bitmap().SetSize(1, 1);
    EXPECT_EQ(other.Width(), 6);

    picture.SetGraphic(static_cast<const TGraphic*>(nullptr));
    EXPECT_EQ(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(changes, 4);
}

TEST(Picture, ClassAccessorsReplaceAGraphicOfAnotherClass)
{
    TPicture picture;
    picture.SetGraphic(std::make_unique<TBitmap>(3, 3));
    TBitmap* held = &picture.Bitmap();
    EXPECT_EQ(held->Width(), 3) << "a bitmap stays";
    TIcon& icon = picture.Icon();
    EXPECT_TRUE(icon.Empty());
    EXPECT_EQ(picture.Graphic(), &icon);
    EXPECT_EQ(picture.Metafile().GraphicClass(), TMetafile::Class());
    EXPECT_EQ(picture.Bitmap().Width(), 0);
}

TEST(Picture, BitmapAssignFlattensTransparencyOntoTheBackground)
{
    TIcon icon;
    icon.LoadFromBytes(Encode(Sample(4, 4), "ico"));
    TBitmap bitmap;
    bitmap.Assign(icon, RGB(0, 0, 255));
    ASSERT_EQ(bitmap.Width(), 4);
    EXPECT_TRUE(PixelsMatch(
        bitmap.Bitmap(), [](int x, int y) { return x == 0 && y == 0 ? 0x0000FFu : 0xC8280Au; }));
}

TBytes At(size_t offset, const std::string& text, size_t total)
{
    TBytes data(std::max(total, offset + text.size()), 0);
    std::copy(text.begin(), text.end(), data.begin() + ptrdiff_t(offset));
    data.resize(total);
    return data;
}

TBytes StartingBM(TBytes data)
{
    data[0] = 'B';
    data[1] = 'M';
    return data;
}

TEST(Sniffing, FindsTheClassByTheFirstBytes)
{
    const struct {
        const char* Name;
        TBytes Data;
        TGraphicClass Class;
    } cases[] = {
        { "empty", {}, nullptr },
        { "letter_B_alone", { 'B' }, nullptr },
        { "BM_exactly", { 'B', 'M' }, TBitmap::Class() },
        { "bm_lower_case", { 'b', 'm', 0, 0 }, nullptr },
        { "JFIF", At(6, "JFIF", 10), TJPEGImage::Class() },
        { "JFIF_cut", At(6, "JFIF", 9), nullptr },
        { "Exif", At(6, "Exif", 20), TJPEGImage::Class() },
        { "JFIF_at_7", At(7, "JFIF", 20), nullptr },
        { "EMF", At(41, "EMF", 44), TMetafile::Class() },
        { "EMF_cut", At(41, "EMF", 43), nullptr },
        { "EMF_at_40", At(40, "EMF", 44), nullptr },
        { "placeable_metafile", { 0xD7, 0xCD, 0xC6, 0x9A }, TMetafile::Class() },
        { "placeable_metafile_cut", { 0xD7, 0xCD, 0xC6 }, nullptr },
        { "BM_wins_over_JFIF", StartingBM(At(6, "JFIF", 12)), TBitmap::Class() },
        { "icon", { 0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0 }, nullptr },
        { "png", { 0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0 }, TPngImage::Class() },
        { "png_cut", { 0x89, 'P', 'N', 'G', 13, 10, 26 }, nullptr },
        { "gif87a", { 'G', 'I', 'F', '8', '7', 'a', 1, 0 }, TGIFImage::Class() },
        { "gif89a", { 'G', 'I', 'F', '8', '9', 'a' }, TGIFImage::Class() },
        { "gif_other_version", { 'G', 'I', 'F', '9', '0', 'a' }, nullptr },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindGraphicClass(c.Data), c.Class) << c.Name;

        // From a stream's current position, which stays where it was.
        std::istringstream stream(std::string("xx") + std::string(c.Data.begin(), c.Data.end()));
        stream.seekg(2);
        EXPECT_EQ(FindGraphicClass(stream), c.Class) << c.Name << " (stream)";
        EXPECT_EQ(stream.tellg(), std::streampos(2)) << c.Name;
    }
}

TEST(Sniffing, ClassesCreateTheirOwnGraphics)
{
    for (TGraphicClass graphicClass : { TBitmap::Class(), TJPEGImage::Class(), TIcon::Class(),
             TMetafile::Class(), TPngImage::Class(), TGIFImage::Class() }) {
        const std::unique_ptr<TGraphic> graphic = graphicClass->Create();
        EXPECT_EQ(graphic->GraphicClass(), graphicClass) << graphicClass->Name;
        EXPECT_TRUE(graphic->Empty()) << graphicClass->Name;
    }
}

} // namespace
