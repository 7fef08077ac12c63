// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "effecthelpers.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

uint32_t RandomSeed = 0;

// ---------------------------------------------------------------------------------------------
// TComplexRegion

TComplexRegion::TComplexRegion()
{
    Clear();
}

TComplexRegion::~TComplexRegion()
{
    std::free(m_rgnData);
}

void TComplexRegion::Clear()
{
    std::free(m_rgnData);
    m_rgnData = nullptr;
    m_count = 0;
    m_capacity = 0;
    m_bounds = EmptyBounds;
    // m_nextRect is left alone: the next AddRect finds Count = Capacity and sets it afresh.
}

void TComplexRegion::AddRect(int32_t Left, int32_t Top, int32_t Right, int32_t Bottom)
{
    if (m_count == m_capacity) {
        const int32_t capacity = m_capacity + GrowBy;
        const size_t oldSize = m_rgnData ? BlockSize() : 0;
        const size_t newSize = size_t(capacity) * 16 + 36;
        // realloc keeps the rectangles already stored; on failure the old block stays ours.
        auto* block = static_cast<uint8_t*>(std::realloc(m_rgnData, newSize));
        if (!block)
            throw std::bad_alloc();
        std::memset(block + oldSize, 0, newSize - oldSize);
        m_rgnData = block;
        m_capacity = capacity;
        m_nextRect = m_rgnData + 32 + size_t(m_count) * 16;
    }
    const int32_t rect[4] = { Left, Top, Right, Bottom };
    std::memcpy(m_nextRect, rect, sizeof rect);
    m_nextRect += 16;
    ++m_count;

    if (Left < m_bounds.Left)
        m_bounds.Left = Left;
    if (Top < m_bounds.Top)
        m_bounds.Top = Top;
    if (Right > m_bounds.Right)
        m_bounds.Right = Right;
    if (Bottom > m_bounds.Bottom)
        m_bounds.Bottom = Bottom;
}

HRGN TComplexRegion::CreateRegion()
{
    if (!m_rgnData)
        return nullptr;
    // nRgnSize is 16 (one rectangle's size), as the block has always been written.
    const TRgnDataHeader header { 32, RDH_RECTANGLES, uint32_t(m_count), 16, m_bounds };
    std::memcpy(m_rgnData, &header, sizeof header);
    return ExtCreateRegion(nullptr, uint32_t(m_count) * 16 + 36, m_rgnData);
}

// ---------------------------------------------------------------------------------------------
// Region builders

namespace {

// The builders step through bands with an int32 thickness derived from Min(W, H); sizes the
// engine never passes (negative ones) would give a thickness of 0 or less and a loop that never
// ends, or a division by zero, so the thickness is kept at 1 or more.
int32_t BandThickness(int32_t W, int32_t H, int32_t divisor)
{
    return std::max(std::min(W, H) / divisor + 1, 1);
}

} // namespace

namespace {

// Bars of thickness B across the axis, filled along it to the extent P of the axis length L.
// Kinds 1, 2, 4 and 5 fill every second bar first (P up to L) and then the others (P from L to
// 2L); kind 3 fills both sets at once, from opposite ends.
void AddBars(const TAxisRects& rects, int32_t P, int32_t L, int32_t Across, int32_t B, int32_t Kind)
{
    // 64-bit counters: c + 2B must not overflow next to the largest sizes.
    const bool second = L < P;
    for (int64_t c64 = second ? B : 0; c64 < int64_t(Across) + B; c64 += 2 * int64_t(B)) {
        const int32_t c = int32_t(c64);
        if (second) {
            if (Kind == 1 || Kind == 4)
                rects.Add(2 * L - P, c, L, c + B);
            else if (Kind == 2 || Kind == 5)
                rects.Add(0, c, P - L, c + B);
            rects.Add(0, c - B, L, c);
            continue;
        }
        switch (Kind) {
        case 1:
        case 5:
            rects.Add(L - P, c, L, c + B);
            break;
        case 2:
        case 4:
            rects.Add(0, c, P, c + B);
            break;
        case 3:
            rects.Add(0, c + B, P, c + 2 * B);
            rects.Add(L - P, c, L, c + B);
            break;
        default:
            break;
        }
    }
}

// Strips of thickness B across the axis whose lengths scatter by up to a tenth of L around P;
// the last strip reaches the far side. Kinds: 1 from the far end, 2 from the near end, 3 out from
// the middle, 4 in from both ends.
void AddUnevenShreds(const TAxisRects& rects, int32_t P, int32_t L, int32_t Across, int32_t B, int32_t Kind)
{
    const int32_t rest = Across % B;
    const int32_t M = L / 2;
    const int32_t J = P < L ? L / 10 : 0;
    for (int64_t c64 = 0; c64 < Across; c64 += B) {
        const int32_t c = int32_t(c64);
        const int32_t r = RandomBelow(2 * J) - J + P;
        const int32_t e = c + B + rest;
        const int32_t h = r / 2;
        switch (Kind) {
        case 1:
            rects.Add(L - r, c, L, e);
            break;
        case 2:
            rects.Add(0, c, r, e);
            break;
        case 3:
            rects.Add(M - h, c, M, e);
            rects.Add(M, c, M + h, e);
            break;
        default:
            rects.Add(L - h, c, L, e);
            rects.Add(0, c, h, e);
            break;
        }
    }
}

// Squares near the band are the likeliest: one number is drawn for every i, whether the square
// is added or not.
bool SpeckleHit(int32_t i, int32_t T)
{
    const int32_t k = RandomBelow(i);
    return i <= T ? k <= 1 : k == 0;
}

// A band filled to the extent P of the axis length L (from the far end for kind 1, else from the
// near end) with squares sprayed ahead of its front.
void AddSpeckles(const TAxisRects& rects, int32_t P, int32_t L, int32_t Across, int32_t Kind)
{
    const int32_t Z = P < L ? L / 10 : 0;
    const int32_t S = std::max(Z / 20, 2);
    const int32_t D = S / 2;
    const int32_t N = Z / S;
    const int32_t T = (3 * Z) / (4 * S);
    for (int64_t c64 = 0; c64 < Across; c64 += D) {
        const int32_t c = int32_t(c64);
        if (Kind == 1) {
            const int32_t edge = L - P;
            rects.Add(edge, c, L, c + S);
            for (int32_t i = N; i >= 1; --i)
                if (SpeckleHit(i, T))
                    rects.Add(edge - i * S, c, edge - i * S + S, c + S);
        } else {
            rects.Add(0, c, P, c + S);
            for (int32_t i = N; i >= 1; --i)
                if (SpeckleHit(i, T))
                    rects.Add(P + i * S - S, c, P + i * S, c + S);
        }
    }
}

} // namespace

// Each builder writes its horizontal bands (along x, extent XP) and then the same bands
// transposed (along y, extent YP).

HRGN CreateBarsRgn(int32_t XP, int32_t YP, int32_t W, int32_t H, int32_t HKind, int32_t VKind)
{
    const int32_t B = BandThickness(W, H, 50);
    TComplexRegion region;
    AddBars({ region, false }, XP, W, H, B, HKind);
    AddBars({ region, true }, YP, H, W, B, VKind);
    return region.CreateRegion();
}

HRGN CreateUnevenShredRgn(int32_t XP, int32_t YP, int32_t W, int32_t H, int32_t HKind, int32_t VKind)
{
    const int32_t B = BandThickness(W, H, 200);
    TComplexRegion region;
    if (HKind != 0)
        AddUnevenShreds({ region, false }, XP, W, H, B, HKind);
    if (VKind != 0)
        AddUnevenShreds({ region, true }, YP, H, W, B, VKind);
    return region.CreateRegion();
}

HRGN CreateSpeckleRgn(int32_t XP, int32_t YP, int32_t W, int32_t H, int32_t HKind, int32_t VKind)
{
    TComplexRegion region;
    if (HKind != 0)
        AddSpeckles({ region, false }, XP, W, H, HKind);
    if (VKind != 0)
        AddSpeckles({ region, true }, YP, H, W, VKind);
    return region.CreateRegion();
}

namespace {

// Nearest integer, halves to even (the default rounding mode).
int32_t RoundEven(long double value)
{
    return int32_t(std::llrint(value));
}

} // namespace

HRGN CreateSectorRgn(int32_t CX, int32_t CY, int32_t Radius, long double StartAngle,
    long double EndAngle, int32_t Steps)
{
    // A negative step count leaves the centre alone (an empty shape) instead of a negative array.
    const int32_t steps = std::max(Steps, 0);
    std::vector<TPoint> points(size_t(steps) + 1);
    points[0] = { CX, CY };
    const long double delta = steps > 0 ? (EndAngle - StartAngle) / steps : 0.0L;
    long double a = StartAngle;
    for (int32_t k = 1; k <= steps; ++k) {
        points[size_t(k)] = { CX + RoundEven(Radius * std::cos(a)), CY + RoundEven(Radius * std::sin(a)) };
        a += delta;
    }
    return CreatePolygonRgn(points.data(), int32_t(points.size()), WINDING);
}

HRGN CreatePolyRgn(std::span<const int32_t> Values)
{
    std::vector<TPoint> points(Values.size() / 2);
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = { Values[2 * i], Values[2 * i + 1] };
    return CreatePolygonRgn(points.data(), int32_t(points.size()), WINDING);
}

// ---------------------------------------------------------------------------------------------
// Pixel routines

namespace {

// A saturating add of any offset in [minOffset, maxOffset] to a byte, as one table lookup:
// Clamp()[byte + offset].
class TSaturateTable {
public:
    TSaturateTable(int32_t minOffset, int32_t maxOffset)
        : m_base(-minOffset)
        , m_table(size_t(256 + maxOffset - minOffset))
    {
        for (size_t i = 0; i < m_table.size(); ++i)
            m_table[i] = uint8_t(std::clamp(int32_t(i) - m_base, 0, 255));
    }
    // Pointer p such that p[byte + offset] is the clamped sum.
    const uint8_t* Clamp() const { return m_table.data() + m_base; }

private:
    int32_t m_base;
    std::vector<uint8_t> m_table;
};

} // namespace

namespace {

// The shading offsets of a rolled band, one line after the other from −Depth up towards 0 at the
// middle and down again: a step of Depth div half on every line for a deep shade, else a step of
// 1 every half div Depth lines. The vertical band takes its step at the middle line downwards
// already, the horizontal one (`risesAtMiddle`) still upwards.
// What a deep ramp does at its middle line: the horizontal reflection rises once more there,
// the vertical one already falls.
enum class TMiddleLine : uint8_t { Rises, Falls };

class TReflectRamp {
public:
    TReflectRamp(uint8_t Depth, int32_t Count, TMiddleLine Middle)
        : m_half(Count / 2)
        , m_deep(Depth > m_half)
        , m_every(m_deep ? 1 : m_half / Depth)
        , m_delta(m_deep ? Depth / m_half : 1)
        , m_risesAtMiddle(Middle == TMiddleLine::Rises)
        , m_value(-int32_t(Depth))
        , m_next(m_every)
    {
    }
    // The offset of line i (1, 2, … in turn).
    int32_t Line(int32_t i)
    {
        const int32_t value = m_value;
        if (i == m_next) {
            const bool rising = i < m_half || (m_deep && m_risesAtMiddle && i == m_half);
            m_value += rising ? m_delta : -m_delta;
            m_next += m_every;
        }
        return value;
    }

private:
    int32_t m_half;
    bool m_deep;
    int32_t m_every, m_delta;
    bool m_risesAtMiddle;
    int32_t m_value, m_next;
};

} // namespace

void ApplyHReflect(TGdiBitmap& Bitmap, uint8_t Depth, int32_t Left, int32_t Count)
{
    if (Count < 2 || Depth == 0)
        return;
    std::vector<int32_t> t(static_cast<size_t>(Count));
    TReflectRamp ramp(Depth, Count, TMiddleLine::Rises);
    for (int32_t i = 1; i <= Count; ++i)
        t[size_t(i - 1)] = ramp.Line(i);

    // Only the columns inside the bitmap are shaded; a band reaching past an edge would
    // otherwise spill into the neighbouring row or past the block.
    const int32_t first = std::max(Left, 0);
    const int32_t last = int32_t(std::min<int64_t>(int64_t(Left) + Count, Bitmap.Width()));
    if (first >= last || Bitmap.Height() <= 0)
        return;
    const auto [lo, hi] = std::minmax_element(t.begin(), t.end());
    const TSaturateTable table(*lo, *hi);
    const uint8_t* clamp = table.Clamp();
    const int32_t* offsets = t.data() + (first - Left);
    const int32_t n = last - first;
    const size_t stride = size_t(Bitmap.Width()) * 4;
    uint8_t* row = Bitmap.Bits() + size_t(first) * 4;
    for (int32_t r = 0; r < Bitmap.Height(); ++r, row += stride) {
        uint8_t* p = row;
        for (int32_t c = 0; c < n; ++c, p += 4) {
            const int32_t o = offsets[c];
            p[0] = clamp[p[0] + o];
            p[1] = clamp[p[1] + o];
            p[2] = clamp[p[2] + o];
        }
    }
}

void ApplyVReflect(TGdiBitmap& Bitmap, uint8_t Depth, int32_t Top, int32_t Count)
{
    if (Count < 2 || Depth == 0)
        return;
    TReflectRamp ramp(Depth, Count, TMiddleLine::Falls);
    const int32_t width = Bitmap.Width();
    const int32_t height = Bitmap.Height();
    uint8_t lut[256];
    bool lutBuilt = false;
    int32_t lutOffset = 0;
    for (int32_t i = 1; i <= Count; ++i) {
        const int32_t v = ramp.Line(i);
        // Bottom row of the band first; rows outside the bitmap keep the sequence but are
        // not touched.
        const int64_t row = int64_t(Top) + Count - i;
        if (row < 0 || row >= height || width <= 0)
            continue;
        if (!lutBuilt || v != lutOffset) {
            for (int32_t b = 0; b < 256; ++b)
                lut[b] = uint8_t(std::clamp(b + v, 0, 255));
            lutOffset = v;
            lutBuilt = true;
        }
        uint8_t* p = reinterpret_cast<uint8_t*>(Bitmap.ScanLine(int32_t(row)));
        for (int32_t c = 0; c < width; ++c, p += 4) {
            p[0] = lut[p[0]];
            p[1] = lut[p[1]];
            p[2] = lut[p[2]];
        }
    }
}

namespace {

typedef uint8_t TPixelBytes __attribute__((vector_size(16))); // four pixels
typedef uint16_t TPixelWords __attribute__((vector_size(16))); // two pixels, a byte a word

} // namespace

void BlendPixels(uint32_t* dst, const uint32_t* src, size_t count, const TByteWeights& weights)
{
    // dst + floor((src − dst)·w / 256) = (dst·(256 − w) + src·w) >> 8, as dst·256 is a multiple
    // of 256; the sum is at most 255·256, so a byte widened to 16 bits holds it and four pixels
    // are blended at a time.
    const TPixelWords take = { weights[0], weights[1], weights[2], weights[3], weights[0], weights[1],
        weights[2], weights[3] };
    const TPixelWords keep = 256 - take;
    const TPixelBytes zero {};
    const auto Group = [&](size_t i, size_t n) {
        TPixelBytes d {}, s {};
        std::memcpy(&d, dst + i, n * 4);
        std::memcpy(&s, src + i, n * 4);
        const auto Low = [&](TPixelBytes v) {
            return TPixelWords(__builtin_shufflevector(v, zero, 0, 16, 1, 17, 2, 18, 3, 19, 4, 20, 5, 21, 6, 22, 7, 23));
        };
        const auto High = [&](TPixelBytes v) {
            return TPixelWords(
                __builtin_shufflevector(v, zero, 8, 24, 9, 25, 10, 26, 11, 27, 12, 28, 13, 29, 14, 30, 15, 31));
        };
        const TPixelBytes lo = TPixelBytes((Low(d) * keep + Low(s) * take) >> 8);
        const TPixelBytes hi = TPixelBytes((High(d) * keep + High(s) * take) >> 8);
        d = __builtin_shufflevector(lo, hi, 0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
        std::memcpy(dst + i, &d, n * 4);
    };
    size_t i = 0;
    for (; i + 4 <= count; i += 4)
        Group(i, 4);
    if (i < count)
        Group(i, count - i);
}

void MergeTransparent(TGdiBitmap& Dst, const TGdiBitmap& Src, int32_t Percent, int32_t Left,
    int32_t Top, int32_t Width, int32_t Height)
{
    // Beyond 0 … 100 a blend would leave the range between the two values and wrap in the byte.
    const auto a = uint16_t(MulDiv(256, std::clamp(Percent, 0, 100), 100));
    // Clipped to both bitmaps, so a rectangle or a size mismatch can never reach past a block.
    const int32_t x0 = std::max(Left, 0);
    const int32_t y0 = std::max(Top, 0);
    const int32_t x1 = int32_t(std::min<int64_t>({ int64_t(Left) + Width, Src.Width(), Dst.Width() }));
    const int32_t y1 = int32_t(std::min<int64_t>({ int64_t(Top) + Height, Src.Height(), Dst.Height() }));
    if (x0 >= x1 || y0 >= y1)
        return;
    for (int32_t y = y0; y < y1; ++y)
        BlendPixels(Dst.ScanLine(y) + x0, Src.ScanLine(y) + x0, size_t(x1 - x0), { a, a, a, 0 });
}

namespace {

// a / d rounded down and up, for d > 0.
int64_t FloorDiv(int64_t a, int64_t d) { return a >= 0 ? a / d : -((-a + d - 1) / d); }
int64_t CeilDiv(int64_t a, int64_t d) { return -FloorDiv(-a, d); }

// The steps k = 0, 1, … for which lo ≤ a0 + k·d < hi, as [first, last) (first ≥ last: none).
std::pair<int64_t, int64_t> StepsWithin(int64_t a0, int64_t d, int64_t lo, int64_t hi)
{
    if (d == 0)
        return lo <= a0 && a0 < hi ? std::pair<int64_t, int64_t> { 0, INT64_MAX } : std::pair<int64_t, int64_t> { 0, 0 };
    if (d > 0)
        return { CeilDiv(lo - a0, d), FloorDiv(hi - 1 - a0, d) + 1 };
    return { CeilDiv(a0 - hi + 1, -d), FloorDiv(a0 - lo, -d) + 1 };
}

} // namespace

void MergeRotate(TGdiBitmap& Dst, const TGdiBitmap& Src, int32_t CX, int32_t CY, long double Angle)
{
    const int32_t S = int32_t(std::trunc(std::sin(-Angle) * 65536.0L));
    const int32_t C = int32_t(std::trunc(std::cos(-Angle) * 65536.0L));
    const int32_t W = Src.Width();
    const int32_t H = Src.Height();
    // Destination pixels outside Dst are never written, whatever Src's size.
    const int32_t cols = std::min(W, Dst.Width());
    const int32_t rows = std::min(H, Dst.Height());
    // Rows are stored bottom-up, so the source row sb counted from the bottom starts sb rows
    // into the block.
    const uint32_t* srcBits = reinterpret_cast<const uint32_t*>(Src.Bits());
    // Source rows by their number counted from the bottom, which is their order in memory.
    thread_local std::vector<const uint32_t*> sourceRow;
    sourceRow.resize(size_t(std::max(H, 0)));
    for (int32_t sb = 0; sb < H; ++sb)
        sourceRow[size_t(sb)] = srcBits + size_t(sb) * size_t(W);
    auto inside = [&](uint32_t ax, uint32_t ab) {
        // Centres lie within the picture, so the sums fit; one unsigned compare per axis.
        return uint32_t(CX + (int32_t(ax) >> 16)) < uint32_t(W) && uint32_t(CY + (int32_t(ab) >> 16)) < uint32_t(H);
    };
    // The products are 32-bit; they are linear in the column and the row, so unsigned
    // accumulators give the same values with an add per pixel. Up to this size they never
    // wrap, so along a row both source coordinates are monotonic and the pixels that find a
    // source form one run: it is worked out once for each row and then copied without tests.
    const bool monotonic = std::max({ W, H, std::abs(CX), std::abs(CY) }) <= 8192;
    const uint32_t u0 = 1u - uint32_t(CX);
    thread_local std::vector<std::pair<int32_t, int32_t>> runs;
    if (monotonic) {
        runs.resize(size_t(std::max(rows, 0)));
        for (int32_t r = 0; r < rows; ++r) {
            // Exact in 64 bits: the source column is CX + floor(ax / 2^16), inside for
            // −CX·2^16 ≤ ax < (W − CX)·2^16; likewise the source row.
            const int64_t v = int64_t(H) - r - CY;
            const int64_t ax0 = (1 - int64_t(CX)) * C - v * S, ab0 = (1 - int64_t(CX)) * S + v * C;
            const auto [x0, x1] = StepsWithin(ax0, C, -int64_t(CX) * 65536, (int64_t(W) - CX) * 65536);
            const auto [y0, y1] = StepsWithin(ab0, S, -int64_t(CY) * 65536, (int64_t(H) - CY) * 65536);
            const int64_t first = std::max<int64_t>({ x0, y0, 0 });
            const int64_t last = std::min<int64_t>({ x1, y1, cols });
            runs[size_t(r)] = first < last ? std::pair { int32_t(first), int32_t(last) } : std::pair { 0, 0 };
        }
    }
    // A rotated row reads the source across many rows, so the frame is walked in tiles that
    // keep those reads (and their pages) close together.
    constexpr int32_t TileW = 32, TileH = 32;
    for (int32_t r0 = 0; r0 < rows; r0 += TileH) {
        const int32_t r1 = std::min(rows, r0 + TileH);
        for (int32_t c0 = 0; c0 < cols; c0 += TileW) {
            const int32_t c1 = std::min(cols, c0 + TileW);
            const uint32_t u = u0 + uint32_t(c0);
            for (int32_t r = r0; r < r1; ++r) {
                const uint32_t v = uint32_t(H) - uint32_t(r) - uint32_t(CY);
                uint32_t ax = u * uint32_t(C) - v * uint32_t(S);
                uint32_t ab = u * uint32_t(S) + v * uint32_t(C);
                uint32_t* dst = Dst.ScanLine(r);
                if (!monotonic) {
                    for (int32_t c = c0; c < c1; ++c, ax += uint32_t(C), ab += uint32_t(S))
                        if (inside(ax, ab))
                            dst[c] = sourceRow[size_t(CY + (int32_t(ab) >> 16))][CX + (int32_t(ax) >> 16)];
                    continue;
                }
                const int32_t first = std::max(c0, runs[size_t(r)].first);
                const int32_t last = std::min(c1, runs[size_t(r)].second);
                ax += uint32_t(first - c0) * uint32_t(C);
                ab += uint32_t(first - c0) * uint32_t(S);
                for (int32_t c = first; c < last; ++c, ax += uint32_t(C), ab += uint32_t(S))
                    dst[c] = sourceRow[size_t(CY + (int32_t(ab) >> 16))][CX + (int32_t(ax) >> 16)];
            }
        }
    }
}

void RotatePoints(std::span<TPoint> Points, int32_t CX, int32_t CY, long double Angle)
{
    const long double sinA = std::sin(Angle);
    const long double cosA = std::cos(Angle);
    for (TPoint& p : Points) {
        const long double dx = (long double)p.X - CX;
        const long double dy = (long double)p.Y - CY;
        p.X = RoundEven(dx * cosA - dy * sinA) + CX;
        p.Y = RoundEven(dx * sinA + dy * cosA) + CY;
    }
}

// ---------------------------------------------------------------------------------------------
// Random numbers and the clipped copy

int32_t RandomBelow(int32_t N)
{
    RandomSeed = RandomSeed * 0x08088405u + 1u;
    return int32_t((uint64_t(RandomSeed) * uint32_t(N)) >> 32);
}

void ClippedCopy(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t H, HRGN R)
{
    const TOwnedRegion region(R);
    SelectClipRgn(Screen.DC(), R);
    const TClipGuard clip(Screen.DC());
    BitBlt(Screen.DC(), 0, 0, W, H, Picture.DC(), 0, 0, SRCCOPY);
}

void CopyThrough(TGdiBitmap& Screen, TGdiBitmap& Picture, int32_t W, int32_t H, HRGN R)
{
    if (R)
        ClippedCopy(Screen, Picture, W, H, R);
}
