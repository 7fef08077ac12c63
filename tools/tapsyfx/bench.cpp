// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// bench: how long each effect takes to compose one frame (start-image copy plus effect) over a
// whole transition, at a chosen picture size or on two picture files; and with --copy the
// floor beside it, one frame copied from cache and from memory.
#include "commands.h"
#include "tooloptions.h"

#include "effects/effecthelpers.h"
#include "effects/effects.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void ParseSize(const std::string& text, int32_t& W, int32_t& H)
{
    const size_t x = text.find('x');
    if (x == std::string::npos)
        throw TToolError("--size expects WIDTHxHEIGHT, not '" + text + "'");
    W = int32_t(ParseInteger(text.substr(0, x), 1, 16384, "--size width"));
    H = int32_t(ParseInteger(text.substr(x + 1), 1, 16384, "--size height"));
}

} // namespace

int RunBench(int argc, char** argv)
{
    const TToolOptions options(argc, argv, { "size", "style", "from", "to" }, { "copy" });
    int32_t W = 640, H = 480;
    if (options.Has("size"))
        ParseSize(options.Text("size"), W, H);
    int32_t first = 1, last = EffectCount;
    if (options.Has("style"))
        first = last = StyleOption(options);
    if (options.Has("from") != options.Has("to"))
        throw TToolError("--from and --to go together");

    std::unique_ptr<TGdiBitmap> picture, start;
    if (options.Has("to")) {
        picture = LoadPicture(options.Text("to"));
        W = picture->Width();
        H = picture->Height();
        start = LoadPicture(options.Text("from"), W, H);
    } else {
        picture = std::make_unique<TGdiBitmap>(W, H);
        start = std::make_unique<TGdiBitmap>(W, H);
        DrawTestPicture(*start, 0);
        DrawTestPicture(*picture, 1);
    }
    picture->OverrideHandle(1);
    TGdiBitmap screen(W, H);

    if (options.Has("copy")) {
        // The floor of any frame: its bytes copied once. Hot: the same two buffers again and
        // again; cold: a different pair each time out of more memory than the caches hold.
        const size_t bytes = screen.ByteCount();
        const int pairs = int(std::max<size_t>(2, (size_t(256) << 20) / bytes / 2));
        std::vector<std::vector<uint8_t>> buffers(size_t(pairs) * 2, std::vector<uint8_t>(bytes, 1));
        auto time = [&](bool cold) {
            std::vector<double> times;
            for (int i = 0; i < 99; ++i) {
                const size_t k = cold ? size_t(i % pairs) * 2 : 0;
                const auto begin = std::chrono::steady_clock::now();
                std::memcpy(buffers[k].data(), buffers[k + 1].data(), bytes);
                const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - begin;
                times.push_back(took.count());
            }
            return Median(times);
        };
        std::printf("Frame copy at %dx%d: hot %.3f ms, cold %.3f ms\n", W, H, time(false), time(true));
        return 0;
    }

    std::printf("Frame composition at %dx%d, median over progress 1 to 99\n", W, H);
    std::printf("%5s  %-56s %10s\n", "Style", "Name", "Median ms");
    std::vector<double> medians;
    double worst = -1;
    int32_t worstStyle = 0;
    RandomSeed = 0;
    for (int32_t style = first; style <= last; ++style) {
        const char* name = EffectByStyle(style)->Name;
        std::vector<double> times;
        for (int32_t progress = 1; progress <= 99; ++progress) {
            const auto begin = std::chrono::steady_clock::now();
            ComposeFrame(style, screen, *start, *picture, progress);
            const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - begin;
            times.push_back(took.count());
        }
        const double median = Median(times);
        medians.push_back(median);
        if (median > worst) {
            worst = median;
            worstStyle = style;
        }
        std::printf("%5d  %-56s %10.3f\n", style, name, median);
        std::fflush(stdout);
    }
    std::printf("Overall median %.3f ms, maximum %.3f ms (style %d)\n", Median(medians), worst, worstStyle);
    return 0;
}
