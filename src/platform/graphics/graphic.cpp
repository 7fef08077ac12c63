// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/graphics/graphic.h"
#include "platform/graphics/graphicprivate.h"

#include "platform/system/exception.h"
#include "platform/system/regularfile.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <istream>
#include <sstream>
#include <streambuf>

namespace {

std::atomic<int32_t> g_maxPictureSide { DefaultMaxPictureSide };

} // namespace

int32_t MaxPictureSide() { return g_maxPictureSide.load(std::memory_order_relaxed); }

void SetMaxPictureSide(int32_t side)
{
    g_maxPictureSide.store(std::max<int32_t>(side, 1), std::memory_order_relaxed);
}

TDecodeSize FitWithin(int64_t width, int64_t height, int32_t limit)
{
    if (width <= limit && height <= limit)
        return { int32_t(width), int32_t(height) };
    const int64_t longest = std::max(width, height);
    return { int32_t(std::max<int64_t>(1, width * limit / longest)),
        int32_t(std::max<int64_t>(1, height * limit / longest)) };
}

TDecodeSize FitSizeFor(int64_t width, int64_t height, const TFitSize& fit)
{
    // A metafile's header can claim more than 32 bits of pixels; the answer is clamped below.
    const auto side = [](int64_t v) { return int32_t(std::min<int64_t>(v, INT32_MAX)); };
    const TDecodeSize wanted = fit(side(width), side(height));
    return FitWithin(std::clamp<int64_t>(wanted.Width, 1, width),
        std::clamp<int64_t>(wanted.Height, 1, height), MaxPictureSide());
}

std::vector<int64_t> SourceIndices(int64_t source, int32_t target)
{
    std::vector<int64_t> map(size_t(std::max(target, 0)));
    for (int32_t i = 0; i < target; ++i)
        map[size_t(i)] = source == target ? i : NearestSource(i, source, target);
    return map;
}

std::vector<int32_t> TargetIndices(int64_t source, int32_t target)
{
    std::vector<int32_t> map(size_t(source), -1);
    const std::vector<int64_t> sources = SourceIndices(source, target);
    for (int32_t i = 0; i < target; ++i)
        map[size_t(sources[size_t(i)])] = i;
    return map;
}

void DrawOpaque(HDC dc, const TRect& rect, TGdiBitmap& source)
{
    if (source.Empty() || rect.IsEmpty())
        return;
    if (rect.Width() == source.Width() && rect.Height() == source.Height())
        BitBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), source.DC(), 0, 0, SRCCOPY);
    else
        StretchBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), source.DC(), 0, 0,
            source.Width(), source.Height(), SRCCOPY);
}

void CopyBitmap(const TGdiBitmap& source, TGdiBitmap& target)
{
    target.SetSize(source.Width(), source.Height());
    if (source.ByteCount())
        std::memcpy(target.Bits(), source.Bits(), source.ByteCount());
}

TGraphic::~TGraphic() = default;

void TGraphic::Changed()
{
    if (OnChange)
        OnChange();
}

void TGraphic::LoadFromStream(std::istream& stream)
{
    const std::vector<uint8_t> data = ReadPictureData(stream);
    LoadFromBytes(data);
}

void TGraphic::LoadFromFile(const std::string& path)
{
    const std::vector<uint8_t> data = ReadPictureFile(path);
    LoadFromBytes(data);
}

void TGraphic::LoadFromBytesToFit(std::span<const uint8_t> data, const TFitSize&)
{
    LoadFromBytes(data);
}

void TGraphic::LoadFromFileToFit(const std::string& path, const TFitSize& fit)
{
    const std::vector<uint8_t> data = ReadPictureFile(path);
    LoadFromBytesToFit(data, fit);
}

namespace {

// Passes a stream's bytes straight to a save file, so that saving a large picture does not
// hold a second copy of it in memory.
class TSaveFileBuffer : public std::streambuf {
public:
    explicit TSaveFileBuffer(QSaveFile& file)
        : m_file(file)
    {
    }

protected:
    std::streamsize xsputn(const char* data, std::streamsize count) override
    {
        return m_file.write(data, qint64(count)) == qint64(count) ? count : 0;
    }
    int_type overflow(int_type c) override
    {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        const char byte = traits_type::to_char_type(c);
        return m_file.write(&byte, 1) == 1 ? c : traits_type::eof();
    }

private:
    QSaveFile& m_file;
};

} // namespace

void TGraphic::SaveToFile(const std::string& path) const
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        throw Exception("Cannot write file \"" + path + "\": " + file.errorString().toStdString());
    TSaveFileBuffer buffer(file);
    std::ostream out(&buffer);
    SaveToStream(out); // on an exception the save file is discarded, the old file kept
    if (!out || !file.commit())
        throw Exception("Cannot write file \"" + path + "\": " + file.errorString().toStdString());
}

std::vector<uint8_t> ReadPictureData(std::istream& stream)
{
    std::vector<uint8_t> data;
    char chunk[64 * 1024];
    while (stream) {
        stream.read(chunk, sizeof chunk);
        const auto got = size_t(stream.gcount());
        if (data.size() + got > MaxPictureDataBytes)
            throw EInvalidGraphic("Picture data is larger than "
                + std::to_string(MaxPictureDataBytes >> 20) + " MiB");
        data.insert(data.end(), chunk, chunk + got);
    }
    if (stream.bad())
        throw EInvalidGraphic("Picture data could not be read");
    return data;
}

std::vector<uint8_t> ReadPictureFile(const std::string& path)
{
    return ReadRegularFile(path, MaxPictureDataBytes);
}

void WritePictureFile(const std::string& path, const std::string& bytes)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)
        || file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) || !file.commit())
        throw Exception("Cannot write file \"" + path + "\": " + file.errorString().toStdString());
}
