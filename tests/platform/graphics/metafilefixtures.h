// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Small WMF and EMF files written record by record, for the tests of the metafile player and of
// the views that load pictures from data.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace metafixture {

using TBytes = std::vector<uint8_t>;

inline void Put16(TBytes& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

inline void Put32(TBytes& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

constexpr uint32_t Ref(uint8_t r, uint8_t g, uint8_t b) { return r | g << 8 | b << 16; }

// A WMF: records of 16-bit words, written after the header (and the placeable header when
// Bounds are given).
class TWmfWriter {
public:
    // Parameters as 16-bit words, in the record's order.
    TWmfWriter& Record(uint16_t function, std::initializer_list<uint32_t> words)
    {
        TBytes params;
        for (uint32_t w : words)
            Put16(params, w);
        return Raw(function, params);
    }
    TWmfWriter& Raw(uint16_t function, const TBytes& params)
    {
        Put32(m_records, uint32_t(3 + params.size() / 2));
        Put16(m_records, function);
        m_records.insert(m_records.end(), params.begin(), params.end());
        return *this;
    }
    // Helpers for the common records.
    TWmfWriter& SolidBrush(uint32_t colour)
    {
        return Record(0x02FC, { 0, colour & 0xFFFF, colour >> 16, 0 });
    }
    TWmfWriter& Pen(uint16_t style, int16_t width, uint32_t colour)
    {
        return Record(0x02FA, { style, uint16_t(width), 0, colour & 0xFFFF, colour >> 16 });
    }
    TWmfWriter& Select(uint16_t index) { return Record(0x012D, { index }); }
    TWmfWriter& Rectangle(int16_t l, int16_t t, int16_t r, int16_t b)
    {
        return Record(0x041B, { uint16_t(b), uint16_t(r), uint16_t(t), uint16_t(l) });
    }
    TWmfWriter& Ellipse(int16_t l, int16_t t, int16_t r, int16_t b)
    {
        return Record(0x0418, { uint16_t(b), uint16_t(r), uint16_t(t), uint16_t(l) });
    }
    TWmfWriter& WindowOrg(int16_t x, int16_t y)
    {
        return Record(0x020B, { uint16_t(y), uint16_t(x) });
    }
    TWmfWriter& WindowExt(int16_t x, int16_t y)
    {
        return Record(0x020C, { uint16_t(y), uint16_t(x) });
    }

    TBytes Plain() const { return Build(false, 0, 0, 0, 0, 0); }
    TBytes Placeable(int16_t l, int16_t t, int16_t r, int16_t b, uint16_t inch) const
    {
        return Build(true, l, t, r, b, inch);
    }

private:
    TBytes Build(bool placeable, int16_t l, int16_t t, int16_t r, int16_t b, uint16_t inch) const
    {
        TBytes out;
        if (placeable) {
            Put32(out, 0x9AC6CDD7);
            Put16(out, 0);
            for (int16_t v : { l, t, r, b })
                Put16(out, uint16_t(v));
            Put16(out, inch);
            Put32(out, 0);
            uint16_t sum = 0;
            for (size_t i = 0; i < 20; i += 2)
                sum ^= uint16_t(out[i] | out[i + 1] << 8);
            Put16(out, sum);
        }
        const uint32_t words = uint32_t(9 + m_records.size() / 2 + 3);
        Put16(out, 1); // in memory
        Put16(out, 9);
        Put16(out, 0x0300);
        Put32(out, words);
        Put16(out, 0);
        Put32(out, 0);
        Put16(out, 0);
        out.insert(out.end(), m_records.begin(), m_records.end());
        Put32(out, 3); // the end record
        Put16(out, 0);
        return out;
    }

    TBytes m_records;
};

// An EMF whose reference device has 96 pixels an inch, so that logical units (in the default
// mapping) are the picture's own pixels when the frame covers Width × Height pixels.
class TEmfWriter {
public:
    TEmfWriter(int32_t width, int32_t height)
        : m_width(width)
        , m_height(height)
    {
    }
    // Parameters as 32-bit values, after the record's type and size.
    TEmfWriter& Record(uint32_t type, std::initializer_list<uint32_t> values)
    {
        TBytes params;
        for (uint32_t v : values)
            Put32(params, v);
        return Raw(type, params);
    }
    TEmfWriter& Raw(uint32_t type, const TBytes& params)
    {
        Put32(m_records, type);
        Put32(m_records, uint32_t(8 + params.size()));
        m_records.insert(m_records.end(), params.begin(), params.end());
        ++m_count;
        return *this;
    }
    TEmfWriter& SolidBrush(uint32_t index, uint32_t colour)
    {
        return Record(39, { index, 0, colour, 0 });
    }
    TEmfWriter& Pen(uint32_t index, uint32_t style, int32_t width, uint32_t colour)
    {
        return Record(38, { index, style, uint32_t(width), 0, colour });
    }
    TEmfWriter& Select(uint32_t index) { return Record(37, { index }); }
    TEmfWriter& Rectangle(int32_t l, int32_t t, int32_t r, int32_t b)
    {
        return Record(43, { uint32_t(l), uint32_t(t), uint32_t(r), uint32_t(b) });
    }

    TBytes Build() const
    {
        TBytes out;
        Put32(out, 1);
        Put32(out, 88);
        for (int32_t v : { 0, 0, m_width - 1, m_height - 1 }) // bounds, inclusive
            Put32(out, uint32_t(v));
        // The frame in hundredths of a millimetre: 2540 of them an inch.
        for (int32_t v : { 0, 0, m_width * 2540 / 96, m_height * 2540 / 96 })
            Put32(out, uint32_t(v));
        Put32(out, 0x464D4520);
        Put32(out, 0x10000);
        const size_t total = 88 + m_records.size() + 20;
        Put32(out, uint32_t(total));
        Put32(out, m_count + 2);
        Put32(out, 1); // handles
        Put32(out, 0);
        Put32(out, 0);
        Put32(out, 0);
        for (int32_t v : { 960, 960, 254, 254 }) // device pixels and millimetres
            Put32(out, uint32_t(v));
        out.insert(out.end(), m_records.begin(), m_records.end());
        for (uint32_t v : { 14u, 20u, 0u, 0u, 20u }) // the end record
            Put32(out, v);
        return out;
    }

private:
    int32_t m_width;
    int32_t m_height;
    TBytes m_records;
    uint32_t m_count = 0;
};

// A BITMAPINFOHEADER and 24-bit pixels (bottom-up) for a width × height DIB whose pixel (x, y)
// (y from the top) has colour(x, y), as 0xRRGGBB.
template <class F> TBytes Dib24(int32_t width, int32_t height, F colour)
{
    TBytes out;
    Put32(out, 40);
    Put32(out, uint32_t(width));
    Put32(out, uint32_t(height));
    Put16(out, 1);
    Put16(out, 24);
    for (int i = 0; i < 6; ++i)
        Put32(out, 0);
    const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    for (int32_t y = height - 1; y >= 0; --y) {
        TBytes row(stride, 0);
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t c = colour(x, y);
            row[size_t(x) * 3] = uint8_t(c);
            row[size_t(x) * 3 + 1] = uint8_t(c >> 8);
            row[size_t(x) * 3 + 2] = uint8_t(c >> 16);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace metafixture
