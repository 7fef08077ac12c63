// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The raster layer's hot paths at two frame sizes, with a plain memcpy of the same frame as
// the yardstick. Run: build/bin/bench_gdi
#include "platform/gdi/gdi.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

struct TFrames {
    TGdiBitmap Dst, Src;
    TFrames(int32_t w, int32_t h)
        : Dst(w, h)
        , Src(w, h)
    {
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                Src.SetPixel(x, y, uint32_t(x * 7 + y * 13));
    }
};

int32_t W(const benchmark::State& s) { return int32_t(s.range(0)); }
int32_t H(const benchmark::State& s) { return int32_t(s.range(1)); }

void SetBytes(benchmark::State& state)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * W(state) * H(state) * 4);
}

void Memcpy(benchmark::State& state)
{
    TFrames f(W(state), H(state));
    for (auto _ : state) {
        std::memcpy(f.Dst.Bits(), f.Src.Bits(), f.Src.ByteCount());
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

void BitBltFullFrame(benchmark::State& state)
{
    TFrames f(W(state), H(state));
    for (auto _ : state) {
        BitBlt(f.Dst.DC(), 0, 0, W(state), H(state), f.Src.DC(), 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

// 500 thin horizontal bars, as the bar and shred effects make them.
void BitBltThroughThinRects(benchmark::State& state)
{
    TFrames f(W(state), H(state));
    std::vector<uint8_t> block(32 + 500 * 16);
    TRgnDataHeader header { 32, RDH_RECTANGLES, 500, 16, {} };
    std::memcpy(block.data(), &header, 32);
    const int32_t band = std::max(1, H(state) / 1000);
    for (int32_t i = 0; i < 500; ++i) {
        const TRect r { (i * 37) % (W(state) / 3), 2 * i * band, W(state) - (i * 53) % (W(state) / 3), 2 * i * band + band };
        std::memcpy(block.data() + 32 + i * 16, &r, 16);
    }
    SelectClipRgn(f.Dst.DC(), TOwnedRegion(ExtCreateRegion(nullptr, uint32_t(block.size()), block.data())).get());
    for (auto _ : state) {
        BitBlt(f.Dst.DC(), 0, 0, W(state), H(state), f.Src.DC(), 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
    SelectClipRgn(f.Dst.DC(), nullptr);
    SetBytes(state);
}

void StretchBltDouble(benchmark::State& state)
{
    TFrames f(W(state), H(state));
    for (auto _ : state) {
        StretchBlt(f.Dst.DC(), 0, 0, W(state), H(state), f.Src.DC(), 0, 0, W(state) / 2, H(state) / 2, SRCCOPY);
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

void StretchBltMirrored(benchmark::State& state)
{
    TFrames f(W(state), H(state));
    for (auto _ : state) {
        StretchBlt(f.Dst.DC(), W(state) - 1, 0, -W(state), H(state), f.Src.DC(), 0, 0, W(state), H(state), SRCCOPY);
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

void PolygonRegion24(benchmark::State& state)
{
    std::vector<TPoint> star;
    for (int k = 0; k < 24; ++k) {
        const double a = k * 2 * M_PI / 24;
        const double r = (k % 2 ? 0.25 : 0.5) * std::min(W(state), H(state));
        star.push_back({ W(state) / 2 + int32_t(r * std::cos(a)), H(state) / 2 + int32_t(r * std::sin(a)) });
    }
    for (auto _ : state) {
        const TOwnedRegion r(CreatePolygonRgn(star.data(), 24, WINDING));
        benchmark::DoNotOptimize(r.get());
    }
}

void Sizes(benchmark::internal::Benchmark* b) { b->Args({ 640, 480 })->Args({ 1920, 1080 })->Unit(benchmark::kMicrosecond); }

BENCHMARK(Memcpy)->Apply(Sizes);
BENCHMARK(BitBltFullFrame)->Apply(Sizes);
BENCHMARK(BitBltThroughThinRects)->Apply(Sizes);
BENCHMARK(StretchBltDouble)->Apply(Sizes);
BENCHMARK(StretchBltMirrored)->Apply(Sizes);
BENCHMARK(PolygonRegion24)->Apply(Sizes);

} // namespace

BENCHMARK_MAIN();
