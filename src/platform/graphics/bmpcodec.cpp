// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/graphics/bmpcodec.h"
#include "platform/graphics/areareduction.h"
#include "platform/graphics/graphic.h"
#include "platform/graphics/graphicprivate.h"

#include "platform/system/exception.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <ostream>
#include <sstream>
#include <vector>

namespace {

enum : uint32_t {
    BI_RGB = 0,
    BI_RLE8 = 1,
    BI_RLE4 = 2,
    BI_BITFIELDS = 3,
    BI_JPEG = 4,
    BI_PNG = 5,
    BI_ALPHABITFIELDS = 6
};

constexpr size_t FileHeaderSize = 14;
constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t Os2HeaderSize = 64;
// The largest header in use is version 5 (124 bytes); a header claiming much more is corrupt.
constexpr uint32_t MaxHeaderSize = 1024;

[[noreturn]] void Fail(const std::string& what)
{
    throw EInvalidGraphic("Invalid BMP picture: " + what);
}

uint32_t Little16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }

uint32_t Little32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Little-endian reads that refuse to leave the data.
class TBytes {
public:
    explicit TBytes(std::span<const uint8_t> data)
        : m_data(data)
    {
    }
    size_t Size() const { return m_data.size(); }
    const uint8_t* At(size_t offset) const { return m_data.data() + offset; }
    void Need(size_t offset, size_t count, const char* what) const
    {
        if (offset > m_data.size() || count > m_data.size() - offset)
            Fail(std::string(what) + " is truncated");
    }
    uint16_t U16(size_t offset) const
    {
        Need(offset, 2, "the header");
        return uint16_t(Little16(At(offset)));
    }
    uint32_t U32(size_t offset) const
    {
        Need(offset, 4, "the header");
        return Little32(At(offset));
    }
    int32_t I32(size_t offset) const { return int32_t(U32(offset)); }

private:
    std::span<const uint8_t> m_data;
};

// One colour channel of a bit-field pixel, widened or narrowed to 8 bits.
struct TChannel {
    uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;

    explicit TChannel(uint32_t mask = 0)
        : Mask(mask)
    {
        if (!mask)
            return;
        Shift = std::countr_zero(mask);
        Bits = 32 - std::countl_zero(mask >> Shift);
    }
    uint32_t Extract(uint32_t pixel) const
    {
        const uint32_t value = (pixel & Mask) >> Shift;
        if (Bits == 0)
            return 0;
        if (Bits >= 8)
            return value >> (Bits - 8);
        const uint32_t largest = (1u << Bits) - 1;
        return (value * 255 + largest / 2) / largest;
    }
};

struct THeader {
    int64_t Width = 0;
    int64_t Height = 0;
    bool TopDown = false;
    uint16_t BitCount = 0;
    uint32_t Compression = BI_RGB;
    TChannel Red, Green, Blue;
    std::vector<uint32_t> Palette; // pixel values 0x00RRGGBB
    size_t BitsOffset = 0;
};

THeader ReadHeader(const TBytes& bytes)
{
    if (bytes.Size() < 2 || bytes.At(0)[0] != 'B' || bytes.At(0)[1] != 'M')
        Fail("no \"BM\" signature");
    THeader h;
    const uint32_t bitsOffset = bytes.U32(10);
    const uint32_t headerSize = bytes.U32(FileHeaderSize);
    if (headerSize != CoreHeaderSize && (headerSize < InfoHeaderSize || headerSize > MaxHeaderSize))
        Fail("unsupported header size " + std::to_string(headerSize));
    bytes.Need(FileHeaderSize, headerSize, "the header");
    const size_t info = FileHeaderSize;
    size_t paletteStart = FileHeaderSize + headerSize;
    size_t paletteEntrySize = 4;
    uint32_t coloursUsed = 0;
    if (headerSize == CoreHeaderSize) {
        h.Width = bytes.U16(info + 4);
        h.Height = bytes.U16(info + 6);
        h.BitCount = bytes.U16(info + 10);
        paletteEntrySize = 3;
        if (h.BitCount != 1 && h.BitCount != 4 && h.BitCount != 8 && h.BitCount != 24)
            Fail("unsupported bit count " + std::to_string(h.BitCount));
    } else {
        h.Width = bytes.I32(info + 4);
        const int64_t height = bytes.I32(info + 8);
        h.TopDown = height < 0;
        h.Height = height < 0 ? -height : height;
        h.BitCount = bytes.U16(info + 14);
        h.Compression = bytes.U32(info + 16);
        coloursUsed = bytes.U32(info + 32);
    }
    if (h.Width <= 0 || h.Height <= 0)
        Fail("size " + std::to_string(h.Width) + " x " + std::to_string(h.Height)
            + " has no pixels");
    if (h.Width > MaxBmpSide || h.Height > MaxBmpSide)
        Fail(
            "size " + std::to_string(h.Width) + " x " + std::to_string(h.Height) + " is too large");

    const uint16_t bpp = h.BitCount;
    switch (h.Compression) {
    case BI_RGB:
        if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
            Fail("unsupported bit count " + std::to_string(bpp));
        break;
    case BI_RLE8:
    case BI_RLE4:
        if (bpp != (h.Compression == BI_RLE8 ? 8 : 4))
            Fail("run-length compression with " + std::to_string(bpp) + " bits a pixel");
        if (h.TopDown)
            Fail("a top-down picture cannot be run-length compressed");
        break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
        // The OS/2 header gives these numbers other meanings (Huffman and RLE24).
        if (headerSize == Os2HeaderSize)
            Fail("OS/2 compression " + std::to_string(h.Compression) + " is not supported");
        if (bpp != 16 && bpp != 32)
            Fail("bit fields with " + std::to_string(bpp) + " bits a pixel");
        break;
    case BI_JPEG:
    case BI_PNG:
        Fail("embedded JPEG or PNG data is not supported");
    default:
        Fail("unknown compression " + std::to_string(h.Compression));
    }

    if (h.Compression == BI_BITFIELDS || h.Compression == BI_ALPHABITFIELDS) {
        // Version 2 and later headers hold the masks; after a plain info header they follow it.
        size_t masks = info + InfoHeaderSize;
        if (headerSize == InfoHeaderSize)
            paletteStart += h.Compression == BI_ALPHABITFIELDS ? 16 : 12;
        bytes.Need(masks, 12, "the colour masks");
        h.Red = TChannel(bytes.U32(masks));
        h.Green = TChannel(bytes.U32(masks + 4));
        h.Blue = TChannel(bytes.U32(masks + 8));
    } else if (bpp == 16) {
        h.Red = TChannel(0x7C00);
        h.Green = TChannel(0x03E0);
        h.Blue = TChannel(0x001F);
    } else if (bpp == 32) {
        h.Red = TChannel(0xFF0000);
        h.Green = TChannel(0x00FF00);
        h.Blue = TChannel(0x0000FF);
    }

    if (bitsOffset > bytes.Size())
        Fail("the pixel data offset " + std::to_string(bitsOffset)
            + " lies past the end of the file");
    if (bitsOffset < paletteStart)
        Fail("the pixel data offset " + std::to_string(bitsOffset) + " lies inside the header");
    h.BitsOffset = bitsOffset;

    if (bpp <= 8) {
        const uint32_t full = 1u << bpp;
        if (coloursUsed > full)
            Fail("a palette of " + std::to_string(coloursUsed) + " colours for "
                + std::to_string(bpp) + " bits a pixel");
        size_t count = coloursUsed ? coloursUsed : full;
        // Writers that shorten the palette say so through the pixel data offset.
        count = std::min(count, (bitsOffset - paletteStart) / paletteEntrySize);
        h.Palette.resize(count);
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* p = bytes.At(paletteStart + i * paletteEntrySize);
            h.Palette[i] = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
        }
    }
    return h;
}

uint32_t PaletteColour(const THeader& h, uint32_t index)
{
    // An index past a shortened palette shows black, as a fresh device-independent bitmap would.
    return index < h.Palette.size() ? h.Palette[index] : 0;
}

// Decodes the pixels cols[0 … n−1] of one file row into dst. One decoder a bit depth, chosen
// once for the picture, so no pixel asks for the depth again.
using TRowDecoder = void (*)(const THeader& h, const uint8_t* row, const int64_t* cols, uint32_t* dst, int32_t n);

// 1, 4 or 8 bits a pixel, the most significant first: palette indices.
template <unsigned Bits>
void DecodeIndexedRow(const THeader& h, const uint8_t* row, const int64_t* cols, uint32_t* dst, int32_t n)
{
    constexpr unsigned PerByte = 8 / Bits;
    constexpr unsigned Mask = (1u << Bits) - 1;
    for (int32_t x = 0; x < n; ++x) {
        const size_t sx = size_t(cols[x]);
        const unsigned shift = Bits * (PerByte - 1 - unsigned(sx % PerByte));
        dst[x] = PaletteColour(h, (row[sx / PerByte] >> shift) & Mask);
    }
}

void DecodeBgrRow(const THeader&, const uint8_t* row, const int64_t* cols, uint32_t* dst, int32_t n)
{
    for (int32_t x = 0; x < n; ++x) {
        const uint8_t* p = row + 3 * size_t(cols[x]);
        dst[x] = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
    }
}

// 16 or 32 bits a pixel with a mask for each channel.
template <unsigned Bytes>
void DecodeMaskedRow(const THeader& h, const uint8_t* row, const int64_t* cols, uint32_t* dst, int32_t n)
{
    for (int32_t x = 0; x < n; ++x) {
        const uint8_t* p = row + Bytes * size_t(cols[x]);
        const uint32_t pixel = Bytes == 2 ? Little16(p) : Little32(p);
        dst[x] = h.Red.Extract(pixel) << 16 | h.Green.Extract(pixel) << 8 | h.Blue.Extract(pixel);
    }
}

TRowDecoder RowDecoderFor(uint16_t bitCount)
{
    switch (bitCount) {
    case 1:
        return DecodeIndexedRow<1>;
    case 4:
        return DecodeIndexedRow<4>;
    case 8:
        return DecodeIndexedRow<8>;
    case 24:
        return DecodeBgrRow;
    case 16:
        return DecodeMaskedRow<2>;
    default: // 32: the header admits no other depth
        return DecodeMaskedRow<4>;
    }
}

int64_t Stride(const THeader& h) { return (h.Width * h.BitCount + 31) / 32 * 4; }

// Called before the picture is allocated, so that a short file claiming a huge size costs nothing.
void NeedUncompressedData(const TBytes& bytes, const THeader& h)
{
    const int64_t rowBytes = (h.Width * h.BitCount + 7) / 8;
    // The last row may lack its padding: some writers stop right after its pixels.
    const int64_t need = Stride(h) * (h.Height - 1) + rowBytes;
    bytes.Need(h.BitsOffset, size_t(need), "the pixel data");
}

void DecodeUncompressed(const TBytes& bytes, const THeader& h, TGdiBitmap& out)
{
    const int64_t stride = Stride(h);
    const std::vector<int64_t> cols = SourceIndices(h.Width, out.Width());
    const std::vector<int64_t> rows = SourceIndices(h.Height, out.Height());
    const TRowDecoder decodeRow = RowDecoderFor(h.BitCount);
    for (int32_t y = 0; y < out.Height(); ++y) {
        const int64_t sy = rows[size_t(y)];
        const int64_t fileRow = h.TopDown ? sy : h.Height - 1 - sy;
        const uint8_t* row = bytes.At(h.BitsOffset + size_t(fileRow * stride));
        decodeRow(h, row, cols.data(), out.ScanLine(y), out.Width());
    }
}

// Every row whole, top row first, into the reduction.
void ReduceUncompressed(const TBytes& bytes, const THeader& h, TAreaReduction& reduction)
{
    const int64_t stride = Stride(h);
    const std::vector<int64_t> cols = SourceIndices(h.Width, int32_t(h.Width));
    std::vector<uint32_t> pixels(size_t(h.Width));
    const TRowDecoder decodeRow = RowDecoderFor(h.BitCount);
    for (int64_t sy = 0; sy < h.Height; ++sy) {
        const int64_t fileRow = h.TopDown ? sy : h.Height - 1 - sy;
        const uint8_t* row = bytes.At(h.BitsOffset + size_t(fileRow * stride));
        decodeRow(h, row, cols.data(), pixels.data(), int32_t(h.Width));
        reduction.AddRow(sy, pixels.data());
    }
}

// Where the run-length decoder puts the pixels it meets; y counts from the bottom row.
// Subsampled: each pixel goes to its place in the smaller bitmap, or is dropped.
class TSubsampledPixels {
public:
    TSubsampledPixels(const THeader& h, TGdiBitmap& out)
        : m_height(h.Height)
        , m_cols(TargetIndices(h.Width, out.Width()))
        , m_rows(TargetIndices(h.Height, out.Height()))
        , m_out(out)
    {
        // Pixels the data skips stay black, as in a fresh device-independent bitmap.
        out.Fill(0);
    }
    void Put(int64_t x, int64_t y, uint32_t colour)
    {
        const int32_t tx = m_cols[size_t(x)];
        const int32_t ty = m_rows[size_t(m_height - 1 - y)];
        if (tx >= 0 && ty >= 0)
            m_out.ScanLine(ty)[tx] = colour;
    }
    void Finish() { }

private:
    int64_t m_height;
    std::vector<int32_t> m_cols;
    std::vector<int32_t> m_rows;
    TGdiBitmap& m_out;
};

// Area-averaged: one row of the file at a time, only the part the data reached, and pixels
// the data skips count as black.
class TReducedPixels {
public:
    TReducedPixels(const THeader& h, TAreaReduction& reduction)
        : m_height(h.Height)
        , m_row(size_t(h.Width), 0)
        , m_reduction(reduction)
    {
    }
    void Put(int64_t x, int64_t y, uint32_t colour)
    {
        if (y != m_y) {
            Flush();
            m_y = y;
        }
        m_row[size_t(x)] = colour;
        m_begin = std::min(m_begin, x);
        m_end = std::max(m_end, x + 1);
    }
    void Finish()
    {
        Flush();
        m_reduction.Finish();
    }

private:
    void Flush()
    {
        if (m_begin >= m_end)
            return;
        m_reduction.AddRow(m_height - 1 - m_y, m_row.data(), m_begin, m_end);
        std::fill(m_row.begin() + m_begin, m_row.begin() + m_end, 0u);
        m_begin = INT64_MAX;
        m_end = 0;
    }

    int64_t m_height;
    std::vector<uint32_t> m_row;
    TAreaReduction& m_reduction;
    int64_t m_y = -1;
    int64_t m_begin = INT64_MAX;
    int64_t m_end = 0;
};

template <class TPixels> void DecodeRunLength(const TBytes& bytes, const THeader& h, TPixels& out)
{
    const bool four = h.Compression == BI_RLE4;

    // Writers such as ImageMagick encode whole padded rows, so runs may cover the padding past
    // the width; those pixels are dropped, as Windows' decoder does. Past the padding a run is
    // corrupt.
    const int64_t rowEnd = Stride(h) * 8 / h.BitCount;
    int64_t x = 0;
    int64_t y = 0; // counted from the bottom row, as the file stores them
    auto put = [&](int64_t px, uint32_t index) {
        if (px < h.Width)
            out.Put(px, y, PaletteColour(h, index));
    };
    auto needRoom = [&](int64_t count) {
        if (y >= h.Height)
            Fail("run-length data goes past the last row");
        if (count > rowEnd - x)
            Fail("a run goes past the end of row " + std::to_string(y));
    };

    size_t pos = h.BitsOffset;
    const size_t end = bytes.Size();
    for (;;) {
        if (end - pos < 2) {
            // Data that stops after the last row only lacks its end marker; earlier, it is cut off.
            if (y >= h.Height)
                return;
            Fail("the run-length data is truncated");
        }
        const uint8_t count = bytes.At(pos)[0];
        const uint8_t code = bytes.At(pos)[1];
        pos += 2;
        if (count) {
            needRoom(count);
            for (int64_t k = 0; k < count; ++k)
                put(x + k, four ? ((k & 1) ? code & 15 : code >> 4) : code);
            x += count;
            continue;
        }
        switch (code) {
        case 0: // end of line
            x = 0;
            if (++y > h.Height)
                Fail("run-length data goes past the last row");
            break;
        case 1: // end of bitmap
            return;
        case 2: { // delta
            bytes.Need(pos, 2, "the run-length data");
            const uint8_t dx = bytes.At(pos)[0];
            const uint8_t dy = bytes.At(pos)[1];
            pos += 2;
            x += dx;
            y += dy;
            if (x > rowEnd || y > h.Height)
                Fail("a run-length delta moves outside the picture");
            break;
        }
        default: { // literal pixels, padded to an even number of bytes
            const size_t literal = four ? (code + 1u) / 2 : code;
            const size_t padded = literal + (literal & 1);
            bytes.Need(pos, padded, "the run-length data");
            needRoom(code);
            const uint8_t* p = bytes.At(pos);
            for (int64_t k = 0; k < code; ++k)
                put(x + k, four ? ((k & 1) ? p[k / 2] & 15 : p[k / 2] >> 4) : p[k]);
            x += code;
            pos += padded;
            break;
        }
        }
    }
}

void Put16(std::string& out, size_t at, uint16_t v)
{
    out[at] = char(v & 0xFF);
    out[at + 1] = char(v >> 8);
}

void Put32(std::string& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + size_t(i)] = char((v >> (8 * i)) & 0xFF);
}

std::unique_ptr<TGdiBitmap> Read(std::span<const uint8_t> data, const TFitSize* fit)
{
    const TBytes bytes(data);
    if (data.empty())
        Fail("the file is empty");
    const THeader h = ReadHeader(bytes);
    const bool runLength = h.Compression == BI_RLE4 || h.Compression == BI_RLE8;
    if (!runLength)
        NeedUncompressedData(bytes, h);
    const TDecodeSize size
        = fit ? FitSizeFor(h.Width, h.Height, *fit) : FitWithin(h.Width, h.Height, MaxPictureSide());
    auto decoded = std::make_unique<TGdiBitmap>(size.Width, size.Height);
    if (fit && (size.Width != h.Width || size.Height != h.Height)) {
        // Run-length data comes bottom row first; uncompressed rows are read top row first.
        TAreaReduction reduction(h.Width, h.Height, size.Width, size.Height,
            runLength ? TRowOrder::BottomUp : TRowOrder::TopDown,
            [&decoded](int32_t row) { return decoded->ScanLine(row); });
        if (runLength) {
            TReducedPixels pixels(h, reduction);
            DecodeRunLength(bytes, h, pixels);
            pixels.Finish();
        } else {
            ReduceUncompressed(bytes, h, reduction);
            reduction.Finish();
        }
    } else if (runLength) {
        TSubsampledPixels pixels(h, *decoded);
        DecodeRunLength(bytes, h, pixels);
    } else {
        DecodeUncompressed(bytes, h, *decoded);
    }
    return decoded;
}

} // namespace

std::unique_ptr<TGdiBitmap> ReadBmp(std::span<const uint8_t> data) { return Read(data, nullptr); }

std::unique_ptr<TGdiBitmap> ReadBmp(std::span<const uint8_t> data, const TFitSize& fit)
{
    return Read(data, &fit);
}

void WriteBmp(const TGdiBitmap& bitmap, std::ostream& stream)
{
    constexpr size_t headers = FileHeaderSize + InfoHeaderSize;
    const size_t pixels = bitmap.ByteCount();
    if (pixels > UINT32_MAX - headers)
        throw EInvalidGraphic("The picture is too large for a BMP file");
    std::string head(headers, '\0');
    head[0] = 'B';
    head[1] = 'M';
    Put32(head, 2, uint32_t(headers + pixels));
    Put32(head, 10, uint32_t(headers));
    Put32(head, 14, InfoHeaderSize);
    Put32(head, 18, uint32_t(bitmap.Width()));
    Put32(head, 22, uint32_t(bitmap.Height())); // positive: bottom-up, like the bitmap's own block
    Put16(head, 26, 1);
    Put16(head, 28, 32);
    Put32(head, 30, BI_RGB);
    Put32(head, 34, uint32_t(pixels));
    stream.write(head.data(), std::streamsize(head.size()));
    // In slices, so that writing a large picture needs no second copy of it.
    constexpr size_t slice = size_t(1) << 16;
    std::string chunk;
    const auto* bits = reinterpret_cast<const char*>(bitmap.Bits());
    for (size_t at = 0; at < pixels; at += slice) {
        chunk.assign(bits + at, std::min(slice, pixels - at));
        for (size_t i = 3; i < chunk.size(); i += 4)
            chunk[i] = 0;
        stream.write(chunk.data(), std::streamsize(chunk.size()));
    }
}

std::string WriteBmp(const TGdiBitmap& bitmap)
{
    std::ostringstream out(std::ios::binary);
    WriteBmp(bitmap, out);
    return std::move(out).str();
}
