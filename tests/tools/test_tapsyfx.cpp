// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// tapsy-fx run as a program: its listing, its frames and how it refuses bad input.
#include "effects/effecthelpers.h"
#include "effects/effects.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct TRun {
    int Status = -1;
    std::string Out, Err;
};

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class TapsyFxTest : public ::testing::Test {
protected:
    fs::path Dir;

    void SetUp() override
    {
        // The process id keeps runs of this test from other build trees on the machine apart.
        Dir = fs::path(::testing::TempDir())
            / ("tapsyfx_" + std::to_string(getpid()) + "_"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir);
    }
    void TearDown() override { fs::remove_all(Dir); }

    TRun Run(const std::string& args) const
    {
        const fs::path out = Dir / "stdout.txt", err = Dir / "stderr.txt";
        const std::string command = std::string("'") + TAPSY_FX + "' " + args + " >'" + out.string() + "' 2>'"
            + err.string() + "'";
        TRun run;
        const int rc = std::system(command.c_str());
        run.Status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
        run.Out = ReadFile(out);
        run.Err = ReadFile(err);
        return run;
    }

    std::string Path(const std::string& name) const { return (Dir / name).string(); }
};

// A 24-bit BMP with pixel(x, y) as 0xRRGGBB.
void WriteBmp24(const std::string& path, int32_t W, int32_t H, const std::function<uint32_t(int32_t, int32_t)>& pixel)
{
    const uint32_t stride = (uint32_t(W) * 3 + 3) & ~3u;
    std::vector<uint8_t> file(54 + size_t(stride) * size_t(H));
    auto put = [&](size_t at, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file[at + size_t(i)] = uint8_t(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, uint32_t(file.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, uint32_t(W), 4);
    put(22, uint32_t(H), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x < W; ++x) {
            const size_t at = 54 + size_t(H - 1 - y) * stride + size_t(x) * 3;
            const uint32_t p = pixel(x, y);
            file[at] = uint8_t(p);
            file[at + 1] = uint8_t(p >> 8);
            file[at + 2] = uint8_t(p >> 16);
        }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
}

// The 32-bit BMP the tool writes, as a bitmap; asserts on the format.
struct TBmp {
    int32_t W = 0, H = 0;
    std::vector<uint32_t> Pixels; // top row first, 0x00RRGGBB
    uint32_t At(int32_t x, int32_t y) const { return Pixels[size_t(y) * size_t(W) + size_t(x)]; }
};

::testing::AssertionResult ReadBmp32(const std::string& path, TBmp& bmp)
{
    const std::string file = ReadFile(path);
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M')
        return ::testing::AssertionFailure() << path << " is no BMP";
    auto get = [&](size_t at, int bytes) {
        uint32_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= uint32_t(uint8_t(file[at + size_t(i)])) << (8 * i);
        return v;
    };
    const uint32_t offset = get(10, 4);
    bmp.W = int32_t(get(18, 4));
    bmp.H = int32_t(get(22, 4));
    if (get(28, 2) != 32 || get(30, 4) != 0 || bmp.W <= 0 || bmp.H <= 0)
        return ::testing::AssertionFailure() << path << " is not a bottom-up 32-bit BMP";
    if (file.size() < offset + size_t(bmp.W) * size_t(bmp.H) * 4)
        return ::testing::AssertionFailure() << path << " is truncated";
    bmp.Pixels.resize(size_t(bmp.W) * size_t(bmp.H));
    for (int32_t y = 0; y < bmp.H; ++y)
        for (int32_t x = 0; x < bmp.W; ++x)
            bmp.Pixels[size_t(y) * size_t(bmp.W) + size_t(x)]
                = get(offset + (size_t(bmp.H - 1 - y) * size_t(bmp.W) + size_t(x)) * 4, 4) & 0xFFFFFF;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult BmpMatches(const TBmp& bmp, int32_t W, int32_t H,
    const std::function<uint32_t(int32_t, int32_t)>& rule)
{
    if (bmp.W != W || bmp.H != H)
        return ::testing::AssertionFailure() << "size " << bmp.W << "x" << bmp.H << ", expected " << W << "x" << H;
    for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x < W; ++x)
            if (bmp.At(x, y) != rule(x, y))
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << "): expected " << std::hex
                                                     << rule(x, y) << ", got " << bmp.At(x, y);
    return ::testing::AssertionSuccess();
}

// Old picture 6 x 3 and new picture 4 x 5: the start image is cropped on the right and padded
// with black below.
uint32_t OldPixel(int32_t x, int32_t y) { return 0x400000u | uint32_t(y) << 8 | uint32_t(x); }
uint32_t NewPixel(int32_t x, int32_t y) { return 0x800000u | uint32_t(y) << 8 | uint32_t(x); }
uint32_t StartPixel(int32_t x, int32_t y) { return y < 3 ? OldPixel(x, y) : 0; }

} // namespace

TEST_F(TapsyFxTest, ListsEveryEffectWithItsNumber)
{
    const TRun run = Run("list");
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Err, "");
    std::istringstream lines(run.Out);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);)
        all.push_back(line);
    ASSERT_EQ(all.size(), 172u);
    EXPECT_EQ(all.front(), "1\tExpand from right");
    EXPECT_EQ(all[75], "76\tUnven shred from bottom");
    EXPECT_EQ(all.back(), "172\tChannel Mix");
    for (size_t i = 0; i < all.size(); ++i)
        ASSERT_EQ(all[i].substr(0, all[i].find('\t')), std::to_string(i + 1)) << all[i];
}

TEST_F(TapsyFxTest, RefusesBadArgumentsAndFilesWithStatusTwo)
{
    WriteBmp24(Path("old.bmp"), 6, 3, OldPixel);
    WriteBmp24(Path("new.bmp"), 4, 5, NewPixel);
    std::ofstream(Path("text.bmp")) << "this is not a picture\n";
    const std::string old = Path("old.bmp"), fresh = Path("new.bmp"), out = Path("out.bmp");
    const std::string good = " --from " + old + " --to " + fresh + " --out " + out;
    const std::string invocations[] = {
        "",
        "frobnicate",
        "render --style 1 --progress 50 --from " + Path("missing.bmp") + " --to " + fresh + " --out " + out,
        "render --style 1 --progress 50 --from " + old + " --to " + Path("text.bmp") + " --out " + out,
        "render --style 1 --progress 50 --from " + old + " --to " + fresh + " --out " + Path("no/such/dir/out.bmp"),
        "render --style 0 --progress 50" + good,
        "render --style 173 --progress 50" + good,
        "render --style one --progress 50" + good,
        "render --style 1 --progress 101" + good,
        "render --style 1 --progress -1" + good,
        "render --style 1 --progress 50 --handle -1" + good,
        "render --style 1 --progress 50 --bogus 1" + good,
        "render --style 1 --progress 50 --from " + old + " --to " + fresh,
        "render --style 1 --progress 50 --style 2" + good,
        "render" + good + " --style",
        "frames --style 1 --step 0 --from " + old + " --to " + fresh + " --out " + Path("frames"),
        "sheet --progress 50",
        "bench --size 0x5",
        "bench --size big",
        "convert " + Path("text.bmp") + " " + out,
        "convert " + Path("missing.bmp") + " " + out,
        "convert " + old,
        "convert " + old + " " + Path("out.png"),
    };
    for (const std::string& args : invocations) {
        SCOPED_TRACE(args);
        const TRun run = Run(args);
        EXPECT_EQ(run.Status, 2);
        EXPECT_FALSE(run.Err.empty());
        EXPECT_EQ(run.Err.find('\n'), run.Err.size() - 1) << "not one line: " << run.Err;
        EXPECT_FALSE(fs::exists(out));
    }
}

TEST_F(TapsyFxTest, RenderComposesTheFrameAsTheEngineDoes)
{
    WriteBmp24(Path("old.bmp"), 6, 3, OldPixel);
    WriteBmp24(Path("new.bmp"), 4, 5, NewPixel);
    const std::string files = " --from " + Path("old.bmp") + " --to " + Path("new.bmp") + " --out " + Path("out.bmp");
    TBmp bmp;

    ASSERT_EQ(Run("render --style 5 --progress 0" + files).Status, 0);
    ASSERT_TRUE(ReadBmp32(Path("out.bmp"), bmp));
    EXPECT_TRUE(BmpMatches(bmp, 4, 5, StartPixel));

    ASSERT_EQ(Run("render --style 5 --progress 100" + files).Status, 0);
    ASSERT_TRUE(ReadBmp32(Path("out.bmp"), bmp));
    EXPECT_TRUE(BmpMatches(bmp, 4, 5, NewPixel));

    // In between: the frame ComposeFrame makes from the same bitmaps, seed 0 and the given
    // handle (the seeded effects draw from it).
    TGdiBitmap start(4, 5), picture(4, 5), screen(4, 5);
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 4; ++x) {
            start.SetPixel(x, y, StartPixel(x, y));
            picture.SetPixel(x, y, NewPixel(x, y));
        }
    picture.OverrideHandle(77);
    for (const int32_t style : { 1, 65, 128, 169 }) {
        SCOPED_TRACE(style);
        fs::remove(Path("out.bmp"));
        const TRun run = Run("render --style " + std::to_string(style) + " --progress 40 --handle 77" + files);
        ASSERT_EQ(run.Status, 0) << run.Err;
        RandomSeed = 0;
        ASSERT_TRUE(ComposeFrame(style, screen, start, picture, 40));
        ASSERT_TRUE(ReadBmp32(Path("out.bmp"), bmp));
        EXPECT_TRUE(BmpMatches(bmp, 4, 5, [&](int32_t x, int32_t y) { return screen.Pixel(x, y) & 0xFFFFFF; }));
    }
}

TEST_F(TapsyFxTest, FramesWritesTheWholeTransition)
{
    WriteBmp24(Path("old.bmp"), 6, 3, OldPixel);
    WriteBmp24(Path("new.bmp"), 4, 5, NewPixel);
    // Step 30: progress 0, 30, 60, 90 and 100.
    const TRun run = Run("frames --style 5 --step 30 --from " + Path("old.bmp") + " --to " + Path("new.bmp")
        + " --out " + Path("frames"));
    ASSERT_EQ(run.Status, 0) << run.Err;
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(fs::exists(Path("frames/frame_00" + std::to_string(i) + ".bmp"))) << i;
    EXPECT_FALSE(fs::exists(Path("frames/frame_005.bmp")));
    TBmp bmp;
    ASSERT_TRUE(ReadBmp32(Path("frames/frame_000.bmp"), bmp));
    EXPECT_TRUE(BmpMatches(bmp, 4, 5, StartPixel));
    ASSERT_TRUE(ReadBmp32(Path("frames/frame_004.bmp"), bmp));
    EXPECT_TRUE(BmpMatches(bmp, 4, 5, NewPixel));
}

TEST_F(TapsyFxTest, ConvertWritesAnyReadablePictureAsA32BitBmp)
{
    WriteBmp24(Path("in.bmp"), 7, 3, OldPixel);
    const TRun run = Run("convert " + Path("in.bmp") + " " + Path("out.bmp"));
    ASSERT_EQ(run.Status, 0) << run.Err;
    TBmp bmp;
    ASSERT_TRUE(ReadBmp32(Path("out.bmp"), bmp));
    EXPECT_TRUE(BmpMatches(bmp, 7, 3, OldPixel));
}

// Text in a metafile needs fonts, and fonts need an application object: convert makes one.
TEST_F(TapsyFxTest, ConvertDrawsTheTextOfAMetafile)
{
    // Placeable header: bounds 0, 0, 64, 32 at 96 units an inch, so 64 x 32 pixels. Then black
    // text "HH" at (4, 4) in the default font, on the default opaque white background.
    const std::pair<uint32_t, int> fields[] = { { 0x9AC6CDD7, 4 }, { 0, 2 }, { 0, 2 }, { 0, 2 },
        { 64, 2 }, { 32, 2 }, { 96, 2 }, { 0, 4 }, { 0, 2 }, // placeable header
        { 1, 2 }, { 9, 2 }, { 0x0300, 2 }, { 0, 4 }, { 0, 2 }, { 0, 4 }, { 0, 2 }, // header
        { 7, 4 }, { 0x0521, 2 }, { 2, 2 }, { 'H' | 'H' << 8, 2 }, { 4, 2 }, { 4, 2 }, // text out
        { 3, 4 }, { 0, 2 } }; // end
    std::vector<uint8_t> wmf;
    for (const auto& [value, bytes] : fields) {
        for (int i = 0; i < bytes; ++i)
            wmf.push_back(uint8_t(value >> (8 * i)));
    }
    std::ofstream(Path("text.wmf"), std::ios::binary)
        .write(reinterpret_cast<const char*>(wmf.data()), std::streamsize(wmf.size()));

    const TRun run = Run("convert " + Path("text.wmf") + " " + Path("out.bmp"));
    ASSERT_EQ(run.Status, 0) << run.Err;
    TBmp bmp;
    ASSERT_TRUE(ReadBmp32(Path("out.bmp"), bmp));
    ASSERT_EQ(bmp.W, 64);
    ASSERT_EQ(bmp.H, 32);
    int dark = 0;
    for (const uint32_t pixel : bmp.Pixels)
        dark += (pixel & 0xFF) < 0x40 && (pixel >> 8 & 0xFF) < 0x40 && (pixel >> 16 & 0xFF) < 0x40;
    EXPECT_GT(dark, 10) << "no text was drawn";
}
