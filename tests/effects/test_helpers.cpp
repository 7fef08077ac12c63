// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The shared effect helpers and the frame composer.
#include "effectrules.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <numbers>
#include <sstream>
#include <vector>

using namespace effecttest;

namespace {

std::string Describe(HRGN region)
{
    if (!region)
        return "no region";
    std::ostringstream text;
    for (const TRect& r : GetRegionRects(region))
        text << "(" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << ") ";
    return text.str();
}

// The union of the rectangles, empty ones skipped, built with plain rectangle regions.
TOwnedRegion UnionOf(const std::vector<TRect>& rects)
{
    TOwnedRegion result(CreateRectRgn(0, 0, 0, 0));
    for (const TRect& r : rects) {
        if (r.IsEmpty())
            continue;
        const TOwnedRegion part(CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom));
        CombineRgn(result.get(), result.get(), part.get(), RGN_OR);
    }
    return result;
}

::testing::AssertionResult RegionIs(HRGN got, const std::vector<TRect>& rects)
{
    if (!got)
        return ::testing::AssertionFailure() << "no region";
    const TOwnedRegion want = UnionOf(rects);
    if (EqualRgn(got, want.get()))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "region " << Describe(got) << "\n expected " << Describe(want.get());
}

TRect StoredRect(const TComplexRegion& store, int32_t index)
{
    TRect r;
    std::memcpy(&r, store.RgnData() + 32 + size_t(index) * 16, sizeof r);
    return r;
}

// Advances a copy of the effects' generator `count` times, independently of RandomBelow.
uint32_t SeedAfter(uint32_t seed, int count)
{
    for (int i = 0; i < count; ++i)
        seed = seed * 0x08088405u + 1u;
    return seed;
}

// Every pixel (b, g, r, x) the same.
void FillBytes(TGdiBitmap& bitmap, uint8_t b, uint8_t g, uint8_t r, uint8_t x)
{
    for (size_t i = 0; i < bitmap.ByteCount(); i += 4) {
        bitmap.Bits()[i] = b;
        bitmap.Bits()[i + 1] = g;
        bitmap.Bits()[i + 2] = r;
        bitmap.Bits()[i + 3] = x;
    }
}

uint32_t Bgrx(int b, int g, int r, int x)
{
    return uint32_t(b) | (uint32_t(g) << 8) | (uint32_t(r) << 16) | (uint32_t(x) << 24);
}

// Restores the process-wide seed after a test that sets it.
struct TSeedFixture : ::testing::Test {
    uint32_t Saved = RandomSeed;
    int64_t Regions = LiveRegionCount();
    void TearDown() override
    {
        RandomSeed = Saved;
        EXPECT_EQ(LiveRegionCount(), Regions) << "a region leaked";
    }
};

} // namespace

// ---------------------------------------------------------------------------------------------
// TComplexRegion

using ComplexRegionTest = TSeedFixture;

TEST_F(ComplexRegionTest, EmptyStoreMakesNoRegionAndHasTheOddEmptyBounds)
{
    TComplexRegion store;
    EXPECT_EQ(store.RgnData(), nullptr);
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.Capacity(), 0);
    EXPECT_EQ(store.Bounds(), (TRect { 2147483647, 2147483647, -2147483647, -2147483647 }));
    EXPECT_EQ(store.CreateRegion(), nullptr);

    // Right and bottom start one above the smallest integer, so that value never gets in.
    store.AddRect(0, 0, INT_MIN, INT_MIN);
    EXPECT_EQ(store.Bounds(), (TRect { 0, 0, -2147483647, -2147483647 }));

    store.Clear();
    EXPECT_EQ(store.RgnData(), nullptr);
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.Capacity(), 0);
    EXPECT_EQ(store.Bounds(), TComplexRegion::EmptyBounds);
    EXPECT_EQ(store.CreateRegion(), nullptr);

    // Refilled after Clear, the first rectangle goes to the first slot again.
    store.AddRect(1, 2, 3, 4);
    EXPECT_EQ(StoredRect(store, 0), (TRect { 1, 2, 3, 4 }));
    EXPECT_EQ(store.Bounds(), (TRect { 1, 2, 3, 4 }));
}

TEST_F(ComplexRegionTest, BoundsAndHeaderOfTheRegion)
{
    TComplexRegion store;
    store.AddRect(5, 6, 7, 8);
    store.AddRect(1, 9, 3, 10);
    EXPECT_EQ(store.Bounds(), (TRect { 1, 6, 7, 10 }));
    store.AddRect(9, 9, 4, 4); // inverted: stored as passed, adds nothing to the region
    store.AddRect(0, 12, 0, 2); // edge by edge: only its left edge extends Bounds
    EXPECT_EQ(store.Bounds(), (TRect { 0, 6, 7, 10 }));
    EXPECT_EQ(StoredRect(store, 2), (TRect { 9, 9, 4, 4 }));
    EXPECT_EQ(StoredRect(store, 3), (TRect { 0, 12, 0, 2 }));

    const TOwnedRegion region(store.CreateRegion());
    EXPECT_TRUE(RegionIs(region.get(), { { 5, 6, 7, 8 }, { 1, 9, 3, 10 } }));
    TRgnDataHeader header;
    std::memcpy(&header, store.RgnData(), sizeof header);
    EXPECT_EQ(header.dwSize, 32u);
    EXPECT_EQ(header.iType, uint32_t(RDH_RECTANGLES));
    EXPECT_EQ(header.nCount, 4u);
    EXPECT_EQ(header.nRgnSize, 16u);
    EXPECT_EQ(header.rcBound, store.Bounds());

    // The store keeps its rectangles: a second call makes a second, equal region.
    const TOwnedRegion again(store.CreateRegion());
    ASSERT_NE(again.get(), region.get());
    EXPECT_TRUE(EqualRgn(again.get(), region.get()));

}

TEST_F(ComplexRegionTest, GrowsBy500KeepingWhatItHolds)
{
    TComplexRegion store;
    store.AddRect(0, 0, 1, 1);
    EXPECT_EQ(store.Capacity(), 500);
    EXPECT_EQ(store.BlockSize(), 500u * 16 + 36);
    for (int32_t i = 1; i < 500; ++i)
        store.AddRect(i, 2 * i, i + 1, 2 * i + 1);
    EXPECT_EQ(store.Capacity(), 500);

    store.AddRect(-7, -8, -9, -10);
    EXPECT_EQ(store.Count(), 501);
    EXPECT_EQ(store.Capacity(), 1000);
    EXPECT_EQ(store.BlockSize(), 1000u * 16 + 36);
    for (int32_t i = 0; i < 500; ++i)
        ASSERT_EQ(StoredRect(store, i), (TRect { i, 2 * i, i + 1, 2 * i + 1 })) << "rectangle " << i;
    EXPECT_EQ(StoredRect(store, 500), (TRect { -7, -8, -9, -10 }));
}

// ---------------------------------------------------------------------------------------------
// Region builders

struct TBarsCase {
    const char* Name;
    int32_t XP, YP, W, H, HKind, VKind;
    std::vector<TRect> Rects; // what the builder stores, in order
};

class BarsTest : public ::testing::TestWithParam<TBarsCase> { };

TEST_P(BarsTest, StoresTheBands)
{
    const TBarsCase& c = GetParam();
    const int64_t regions = LiveRegionCount();
    {
        const TOwnedRegion region(CreateBarsRgn(c.XP, c.YP, c.W, c.H, c.HKind, c.VKind));
        EXPECT_TRUE(RegionIs(region.get(), c.Rects));
    }
    EXPECT_EQ(LiveRegionCount(), regions);
}

INSTANTIATE_TEST_SUITE_P(Helpers, BarsTest,
    ::testing::Values(
        // First phase, from the right: B = 1, bands at 0, 2, 4, 6.
        TBarsCase { "Kind1FirstPhase", 4, 0, 10, 6, 1, 0,
            { { 6, 0, 10, 1 }, { 6, 2, 10, 3 }, { 6, 4, 10, 5 }, { 6, 6, 10, 7 } } },
        // Second phase: the odd bands from the right, the even ones full.
        TBarsCase { "Kind1SecondPhase", 14, 0, 10, 6, 1, 0,
            { { 6, 1, 10, 2 }, { 0, 0, 10, 1 }, { 6, 3, 10, 4 }, { 0, 2, 10, 3 }, { 6, 5, 10, 6 }, { 0, 4, 10, 5 } } },
        // Kind 2 and 5 in the second phase grow from the left.
        TBarsCase { "Kind5SecondPhase", 14, 0, 10, 6, 5, 0,
            { { 0, 1, 4, 2 }, { 0, 0, 10, 1 }, { 0, 3, 4, 4 }, { 0, 2, 10, 3 }, { 0, 5, 4, 6 }, { 0, 4, 10, 5 } } },
        // Kind 3: odd bands from the left, even bands from the right at once.
        TBarsCase { "Kind3FromBothSides", 4, 0, 10, 6, 3, 0,
            { { 0, 1, 4, 2 }, { 6, 0, 10, 1 }, { 0, 3, 4, 4 }, { 6, 2, 10, 3 }, { 0, 5, 4, 6 }, { 6, 4, 10, 5 },
                { 0, 7, 4, 8 }, { 6, 6, 10, 7 } } },
        // Columns: kind 2 from the top, then kind 1 in its second phase.
        TBarsCase { "ColumnsKind2", 0, 3, 6, 10, 0, 2,
            { { 0, 0, 1, 3 }, { 2, 0, 3, 3 }, { 4, 0, 5, 3 }, { 6, 0, 7, 3 } } },
        TBarsCase { "ColumnsKind1SecondPhase", 0, 13, 6, 10, 0, 1,
            { { 1, 7, 2, 10 }, { 0, 0, 1, 10 }, { 3, 7, 4, 10 }, { 2, 0, 3, 10 }, { 5, 7, 6, 10 }, { 4, 0, 5, 10 } } },
        // W = H = 100 (B = 3): nothing at XP 0, everything at XP = 2W.
        TBarsCase { "NothingAtTheStart", 0, 0, 100, 100, 1, 0, {} },
        TBarsCase { "EverythingAtTwiceTheWidth", 200, 0, 100, 100, 1, 0, { { 0, 0, 100, 102 } } }),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(HelpersTest, BarsAtTheStartAreAnEmptyRegionNotNone)
{
    const TOwnedRegion region(CreateBarsRgn(0, 0, 100, 100, 1, 0));
    ASSERT_NE(region.get(), nullptr);
    TRect box;
    EXPECT_EQ(GetRgnBox(region.get(), &box), NULLREGION);
}

struct TShredCase {
    const char* Name;
    int32_t HKind, VKind;
    std::vector<TRect> Rects;
};

class ExactShredTest : public ::testing::TestWithParam<TShredCase> { };

// W = 10, H = 6: strips of B = 1, no remainder. XP = 12 and YP = 8 are past the size, so there
// is no jitter, yet every strip still draws one number.
TEST_P(ExactShredTest, StripsAreExactAndEachDrawsOneNumber)
{
    const TShredCase& c = GetParam();
    const TRandomSeedGuard seed(12345);
    const TOwnedRegion region(CreateUnevenShredRgn(12, 8, 10, 6, c.HKind, c.VKind));
    EXPECT_TRUE(RegionIs(region.get(), c.Rects));
    const int strips = (c.HKind ? 6 : 0) + (c.VKind ? 10 : 0);
    EXPECT_EQ(RandomSeed, SeedAfter(12345, strips));
}

namespace {

std::vector<TRect> Rows(int32_t left, int32_t right)
{
    std::vector<TRect> rects;
    for (int32_t y = 0; y < 6; ++y)
        rects.push_back({ left, y, right, y + 1 });
    return rects;
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Helpers, ExactShredTest,
    ::testing::Values(TShredCase { "Kind1", 1, 0, Rows(-2, 10) },
        TShredCase { "Kind2", 2, 0, Rows(0, 12) },
        // Kind 3: out from the middle line x = 5 by r div 2 = 6 each way.
        TShredCase { "Kind3FromTheMiddle", 3, 0, Rows(-1, 11) },
        // Other kinds: in from both sides by 6 each, overlapping.
        TShredCase { "Kind4FromBothSides", 4, 0, Rows(0, 10) },
        // Columns: from the bottom, YP 8 past H 6 reaches above the top.
        TShredCase { "ColumnsFromTheBottom", 0, 1, { { 0, -2, 10, 6 } } },
        TShredCase { "ColumnsFromTheTop", 0, 2, { { 0, 0, 10, 8 } } },
        TShredCase { "RowsAndColumns", 2, 3, { { 0, 0, 12, 6 }, { 0, -1, 10, 7 } } }),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(HelpersTest, ShredLengthsScatterAroundXPBeforeTheEnd)
{
    // W = H = 200: B = 2, J = 20. Every strip's length lies in XP - J … XP + J - 1.
    const TRandomSeedGuard seed(7);
    const TOwnedRegion region(CreateUnevenShredRgn(100, 0, 200, 200, 2, 0));
    for (int32_t y = 0; y < 200; ++y) {
        EXPECT_TRUE(PtInRegion(region.get(), 79, y)) << y;
        EXPECT_FALSE(PtInRegion(region.get(), 119, y)) << y;
    }
    EXPECT_EQ(RandomSeed, SeedAfter(7, 100));
}

TEST(HelpersTest, SpeckleDrawsOneNumberPerSquareSlotAndStaysAheadOfTheBand)
{
    // W = 400: zone Z = 40, squares S = 2, rows every D = 1, N = 20 slots per row.
    const TRandomSeedGuard seed(99);
    const int64_t regions = LiveRegionCount();
    {
        const TOwnedRegion region(CreateSpeckleRgn(100, 0, 400, 3, 1, 0));
        EXPECT_EQ(RandomSeed, SeedAfter(99, 3 * 20));
        // The band (300 … 400) is solid, squares lie within 40 columns before it, nothing else.
        const TOwnedRegion band(CreateRectRgn(300, 0, 400, 4));
        const TOwnedRegion zone(CreateRectRgn(260, 0, 400, 4));
        const TOwnedRegion inside(CreateRectRgn(0, 0, 0, 0));
        CombineRgn(inside.get(), region.get(), band.get(), RGN_AND);
        EXPECT_TRUE(EqualRgn(inside.get(), band.get())) << Describe(region.get());
        CombineRgn(inside.get(), region.get(), zone.get(), RGN_AND);
        EXPECT_TRUE(EqualRgn(inside.get(), region.get())) << Describe(region.get());
        TRect box;
        GetRgnBox(region.get(), &box);
        EXPECT_LT(box.Left, 300) << "no square was drawn at all";
    }
    {
        // Past the size there is no zone: only the band, and no numbers.
        const TOwnedRegion region(CreateSpeckleRgn(0, 10, 4, 10, 0, 2));
        EXPECT_TRUE(RegionIs(region.get(), { { 0, 0, 5, 10 } }));
        EXPECT_EQ(RandomSeed, SeedAfter(99, 3 * 20));
    }
    EXPECT_EQ(LiveRegionCount(), regions);
}

TEST(HelpersTest, BuildersSurviveSizesTheEngineNeverPasses)
{
    // Negative sizes would make a band thickness of 0 or less: an endless loop or a division
    // by zero. Sizes of 0 give nothing to see.
    const TRandomSeedGuard seed(3);
    const int64_t regions = LiveRegionCount();
    {
        const TOwnedRegion bars(CreateBarsRgn(10, 10, -100, 100, 1, 1));
        const TOwnedRegion shred(CreateUnevenShredRgn(10, 10, 100, -400, 3, 3));
        const TOwnedRegion sector(CreateSectorRgn(5, 5, 10, 0.0L, 1.0L, -3));
        const TOwnedRegion empty(CreateBarsRgn(0, 0, 0, 0, 2, 2));
        TRect box;
        EXPECT_EQ(GetRgnBox(empty.get(), &box), NULLREGION);
        EXPECT_FALSE(sector.get() && PtInRegion(sector.get(), 5, 5));
    }
    EXPECT_EQ(LiveRegionCount(), regions);
}

TEST(HelpersTest, SectorEndsBeforeEndAngleAndRunsDownward)
{
    // Four steps over a full turn: right, below, left, above; EndAngle (right again) is no point,
    // so the quarter between "above" and "right" stays out.
    const TOwnedRegion sector(CreateSectorRgn(50, 50, 40, 0.0L, 2 * std::numbers::pi_v<long double>, 4));
    const TPoint points[] = { { 50, 50 }, { 90, 50 }, { 50, 90 }, { 10, 50 }, { 50, 10 } };
    const TOwnedRegion want(CreatePolygonRgn(points, 5, WINDING));
    EXPECT_TRUE(EqualRgn(sector.get(), want.get())) << Describe(sector.get());
    EXPECT_TRUE(PtInRegion(sector.get(), 60, 60));
    EXPECT_FALSE(PtInRegion(sector.get(), 60, 40));
}

TEST(HelpersTest, PolyRgnIgnoresAnOddLastValue)
{
    const TOwnedRegion poly(CreatePolyRgn({ 0, 0, 10, 0, 10, 10, 99 }));
    const TPoint points[] = { { 0, 0 }, { 10, 0 }, { 10, 10 } };
    const TOwnedRegion want(CreatePolygonRgn(points, 3, WINDING));
    EXPECT_TRUE(EqualRgn(poly.get(), want.get())) << Describe(poly.get());
}

// ---------------------------------------------------------------------------------------------
// Pixel routines

struct TReflectCase {
    uint8_t Depth;
    std::vector<int> Offsets; // per column (H) or per row from the top (V) of the band
};

namespace {

// Blue 200, green 30 (clamps at 0 for deep offsets), red 128, fourth byte 7 (untouched).
uint32_t Shaded(int offset)
{
    return Bgrx(std::clamp(200 + offset, 0, 255), std::clamp(30 + offset, 0, 255),
        std::clamp(128 + offset, 0, 255), 7);
}

} // namespace

TEST(ReflectTest, HorizontalOffsets)
{
    const TReflectCase cases[] = {
        { 64, { -64, -58, -52, -46, -40, -34, -28, -22, -16, -10, -4, -10, -16, -22, -28, -34, -40, -46, -52, -58 } },
        { 2, { -2, -2, -2, -2, -2, -1, -1, -1, -1, -1, -2, -2, -2, -2, -2, -3, -3, -3, -3, -3 } },
    };
    for (const TReflectCase& c : cases) {
        SCOPED_TRACE(int(c.Depth));
        TGdiBitmap bitmap(24, 3);
        FillBytes(bitmap, 200, 30, 128, 7);
        ApplyHReflect(bitmap, c.Depth, 2, 20);
        EXPECT_TRUE(FrameMatches(bitmap, [&](int32_t x, int32_t) {
            return x >= 2 && x < 22 ? Shaded(c.Offsets[size_t(x - 2)]) : Shaded(0);
        }));
    }
}

TEST(ReflectTest, VerticalOffsetsRunFromTheBottomRowUp)
{
    // The step at half is already downward, unlike the horizontal table.
    const TReflectCase c { 64,
        { -70, -64, -58, -52, -46, -40, -34, -28, -22, -16, -10, -16, -22, -28, -34, -40, -46, -52, -58, -64 } };
    TGdiBitmap bitmap(3, 24);
    FillBytes(bitmap, 200, 30, 128, 7);
    ApplyVReflect(bitmap, c.Depth, 2, 20);
    EXPECT_TRUE(FrameMatches(bitmap, [&](int32_t, int32_t y) {
        return y >= 2 && y < 22 ? Shaded(c.Offsets[size_t(y - 2)]) : Shaded(0);
    }));
}

TEST(ReflectTest, NothingForShortBandsOrNoDepthAndNothingOutsideTheBitmap)
{
    TGdiBitmap bitmap(8, 8);
    FillBytes(bitmap, 200, 30, 128, 7);
    ApplyHReflect(bitmap, 64, 2, 1);
    ApplyHReflect(bitmap, 0, 2, 5);
    ApplyVReflect(bitmap, 64, 2, 1);
    ApplyVReflect(bitmap, 0, 2, 5);
    EXPECT_TRUE(FrameMatches(bitmap, [](int32_t, int32_t) { return Shaded(0); }));

    // Bands reaching past the edges shade only what lies inside (no spill into the next row).
    ApplyHReflect(bitmap, 2, 6, 20);
    ApplyVReflect(bitmap, 2, -18, 20);
    EXPECT_TRUE(FrameMatches(bitmap, [](int32_t x, int32_t y) {
        const int h = x >= 6 ? -2 : 0;
        const int v = y <= 1 ? -2 : 0;
        return Shaded(h + v);
    }));
}

TEST(MergeTransparentTest, BlendsInsideTheRectangleOnly)
{
    struct {
        int32_t Percent;
        int Low, High; // results for dst 10 / src 255 and dst 255 / src 10
    } const cases[] = {
        { 0, 10, 255 },
        { 100, 255, 10 },
        { 50, 132, 132 }, // a = 128; the second floors -122.5 to -123
        { 33, 90, 174 }, // a = 84
        { 150, 255, 10 }, // kept to 100: a blend never leaves the range between the two values
        { -20, 10, 255 }, // kept to 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Percent);
        TGdiBitmap dst(6, 5), src(6, 5);
        FillBytes(dst, 10, 255, 10, 1);
        FillBytes(src, 255, 10, 255, 2);
        MergeTransparent(dst, src, c.Percent, 1, 2, 4, 2);
        EXPECT_TRUE(FrameMatches(dst, [&](int32_t x, int32_t y) {
            const bool in = x >= 1 && x < 5 && y >= 2 && y < 4;
            return in ? Bgrx(c.Low, c.High, c.Low, 1) : Bgrx(10, 255, 10, 1);
        }));
    }
}

// Every byte by its own weight, for runs of every length up to two groups of four and a tail.
TEST(BlendPixelsTest, EachByteMovesByItsWeightTowardsTheSource)
{
    const TByteWeights weightSets[] = { { 0, 0, 0, 0 }, { 256, 256, 256, 256 }, { 128, 1, 255, 0 }, { 84, 256, 0, 200 } };
    for (const TByteWeights& weights : weightSets)
        for (size_t count = 0; count <= 9; ++count) {
            SCOPED_TRACE(::testing::Message() << count << " pixels, weights " << weights[0] << " " << weights[1] << " "
                                              << weights[2] << " " << weights[3]);
            std::vector<uint32_t> dst(count + 1), src(count + 1);
            for (size_t i = 0; i <= count; ++i) {
                dst[i] = 0x00FF8010u + uint32_t(i) * 0x01030507u;
                src[i] = 0xFF00F0E0u - uint32_t(i) * 0x02040608u;
            }
            const std::vector<uint32_t> before = dst;
            BlendPixels(dst.data(), src.data(), count, weights);
            for (size_t i = 0; i < count; ++i)
                for (int b = 0; b < 4; ++b) {
                    const int32_t d = int32_t(before[i] >> (8 * b)) & 0xFF, s = int32_t(src[i] >> (8 * b)) & 0xFF;
                    EXPECT_EQ(int32_t(dst[i] >> (8 * b)) & 0xFF, d + FloorDiv256((s - d) * weights[size_t(b)]))
                        << "pixel " << i << ", byte " << b;
                }
            EXPECT_EQ(dst[count], before[count]) << "the pixel after the run was written";
        }
}

TEST(MergeTransparentTest, RectanglePastTheEdgesIsClipped)
{
    TGdiBitmap dst(4, 4), src(4, 4);
    FillBytes(dst, 0, 0, 0, 0);
    FillBytes(src, 100, 100, 100, 0);
    MergeTransparent(dst, src, 100, -3, 2, 50, 50);
    EXPECT_TRUE(FrameMatches(dst, [](int32_t, int32_t y) { return y >= 2 ? Bgrx(100, 100, 100, 0) : 0u; }));
}

TEST(MergeRotateTest, AngleZeroShiftsByOnePixel)
{
    const TPoint centres[] = { { 0, 0 }, { 5, 3 }, { -20, 40 } };
    for (const TPoint& centre : centres) {
        SCOPED_TRACE(::testing::Message() << centre.X << "," << centre.Y);
        TFrame frame(9, 7);
        MergeRotate(frame.Screen, frame.Picture, centre.X, centre.Y, 0.0L);
        EXPECT_TRUE(FrameMatches(frame.Screen, [&](int32_t x, int32_t y) {
            return x <= frame.W - 2 && y >= 1 ? frame.PictureAt(x + 1, y - 1) : frame.StartAt(x, y);
        }));
    }
}

TEST(MergeRotateTest, QuarterTurnAboutTheMiddle)
{
    // Angle π/2 about (4, 4) on 8 x 8 (CY from the bottom): Dst(c, r) = Src(8 − r, c), r ≥ 1.
    TFrame frame(8, 8);
    MergeRotate(frame.Screen, frame.Picture, 4, 4, std::numbers::pi_v<long double> / 2);
    EXPECT_TRUE(FrameMatches(frame.Screen, [&](int32_t x, int32_t y) {
        return y >= 1 ? frame.PictureAt(8 - y, x) : frame.StartAt(x, y);
    }));
}

TEST(MergeRotateTest, SmallerDestinationIsNotOverrun)
{
    TGdiBitmap src(10, 10), dst(4, 3);
    FillPattern(src, PictureTag);
    FillPattern(dst, StartTag);
    MergeRotate(dst, src, 0, 0, 0.0L);
    EXPECT_TRUE(FrameMatches(dst, [&](int32_t x, int32_t y) {
        return y >= 1 ? PatternPixel(PictureTag, x + 1, y - 1) : PatternPixel(StartTag, x, y);
    }));
}

TEST(HelpersTest, RotatePoints)
{
    TPoint points[] = { { 15, 10 }, { 10, 3 }, { 10, 10 } };
    RotatePoints(points, 10, 10, std::numbers::pi_v<long double> / 2);
    EXPECT_EQ(points[0], (TPoint { 10, 15 }));
    EXPECT_EQ(points[1], (TPoint { 17, 10 }));
    EXPECT_EQ(points[2], (TPoint { 10, 10 }));
    RotatePoints(points, 0, 0, std::numbers::pi_v<long double>);
    EXPECT_EQ(points[0], (TPoint { -10, -15 }));
}

TEST(HelpersTest, RandomBelowSequence)
{
    const TRandomSeedGuard seed(0);
    EXPECT_EQ(RandomBelow(10), 0);
    EXPECT_EQ(RandomSeed, 1u);
    const int32_t next[] = { RandomBelow(1000), RandomBelow(1000), RandomBelow(1000), RandomBelow(1000) };
    EXPECT_EQ(std::vector<int32_t>(std::begin(next), std::end(next)), (std::vector<int32_t> { 31, 861, 202, 272 }));
    EXPECT_EQ(RandomSeed, 0x45DE2B0Du);
    // N = 0 gives 0 and still advances.
    EXPECT_EQ(RandomBelow(0), 0);
    EXPECT_EQ(RandomSeed, SeedAfter(0x45DE2B0Du, 1));
}

// ---------------------------------------------------------------------------------------------
// Clipped copy and frame composition

TEST(ClippedCopyTest, CopiesThroughTheRegionThenRemovesAndDeletesIt)
{
    const int64_t regions = LiveRegionCount();
    TFrame frame(8, 6);
    ClippedCopy(frame.Screen, frame.Picture, frame.W, frame.H, CreateRectRgn(2, 1, 5, 3));
    EXPECT_EQ(LiveRegionCount(), regions);
    EXPECT_TRUE(FrameMatches(frame.Screen, [&](int32_t x, int32_t y) {
        return x >= 2 && x < 5 && y >= 1 && y < 3 ? frame.PictureAt(x, y) : frame.StartAt(x, y);
    }));
    TRect clip;
    GetClipBox(frame.Screen.DC(), &clip);
    EXPECT_EQ(clip, (TRect { 0, 0, 8, 6 }));

    // No region: the whole picture.
    frame.Reset();
    ClippedCopy(frame.Screen, frame.Picture, frame.W, frame.H, nullptr);
    EXPECT_TRUE(FrameMatches(frame.Screen, [&](int32_t x, int32_t y) { return frame.PictureAt(x, y); }));
}

TEST(EffectsTest, Extents)
{
    struct {
        int32_t W, H, Progress;
        TPoint Want;
    } const cases[] = {
        { 400, 300, 50, { 200, 150 } },
        { 300, 400, 33, { 99, 132 } },
        { 100, 100, 1, { 1, 1 } },
        { 640, 480, 0, { 0, 0 } },
        { 640, 480, 100, { 640, 480 } },
        { 3, 1000, 99, { 3, 990 } }, // 990·3/1000 = 2.97 rounds to 3
    };
    for (const auto& c : cases)
        EXPECT_EQ(EffectExtents(c.W, c.H, c.Progress), c.Want) << c.W << "x" << c.H << " at " << c.Progress;
}

TEST(EffectsTest, EffectByStyleCoversTheTable)
{
    EXPECT_EQ(EffectByStyle(0), nullptr);
    EXPECT_EQ(EffectByStyle(173), nullptr);
    EXPECT_EQ(EffectByStyle(-1), nullptr);
    EXPECT_STREQ(EffectByStyle(1)->Name, "Expand from right");
    EXPECT_STREQ(EffectByStyle(172)->Name, "Channel Mix");
    EXPECT_EQ(EffectByStyle(119), &TransitionEffects[118]);
}

TEST(EffectsTest, ComposeFrameAtTheEndsAndWithoutAnEffect)
{
    TFrame frame(7, 5);
    struct {
        int32_t Style, Progress;
        bool Drawn, ShowsPicture;
    } const cases[] = {
        { 1, 0, true, false },
        { 1, 100, true, true },
        { 0, 50, false, false }, // no effect outside the table: the start image stays
        { 173, 50, false, false },
        { 173, 100, true, true },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "style " << c.Style << " at " << c.Progress);
        frame.Screen.Fill(RGB(1, 2, 3));
        EXPECT_EQ(ComposeFrame(c.Style, frame.Screen, frame.Start, frame.Picture, c.Progress), c.Drawn);
        EXPECT_TRUE(FrameMatches(frame.Screen,
            [&](int32_t x, int32_t y) { return c.ShowsPicture ? frame.PictureAt(x, y) : frame.StartAt(x, y); }));
    }
}

TEST(EffectsTest, ComposeFrameCallsTheEffectWithColorOnColor)
{
    TFrame frame(40, 30);
    SetStretchBltMode(frame.Screen.DC(), BLACKONWHITE);
    EXPECT_TRUE(ComposeFrame(1, frame.Screen, frame.Start, frame.Picture, 50));
    EXPECT_EQ(SetStretchBltMode(frame.Screen.DC(), BLACKONWHITE), COLORONCOLOR);
}
