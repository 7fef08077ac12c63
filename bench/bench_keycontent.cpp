// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// What a key press costs in reading the key content file when the file is huge: a 200 MB
// TapsyV.ini read again after every change, against the same file unchanged (kept from the
// last press). Run: build/bin/bench_keycontent [--benchmark_filter=...]
#include "game/keycontent.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t FileBytes = 200ll * 1024 * 1024;

// A content file of FileBytes: the key A's section, then sections of filler keys.
struct THugeContent {
    fs::path Dir;
    fs::path File;

    THugeContent()
    {
        Dir = fs::temp_directory_path() / ("tapsy-bench-keycontent-" + std::to_string(getpid()));
        fs::create_directories(Dir);
        File = Dir / "TapsyV.ini";
        std::ofstream out(File, std::ios::binary);
        out << "[VK_A]\r\nDisplay=A\r\nDesc=Apple\r\nPicture=apple.jpg\r\nMusic=apple.ogg\r\n";
        const std::string filler(200, 'x');
        std::int64_t written = 0;
        for (int n = 0; written < FileBytes; ++n) {
            const std::string section
                = "[Filler_" + std::to_string(n) + "]\r\nDesc=" + filler + "\r\n";
            out << section;
            written += std::int64_t(section.size());
        }
        out.close();
        // Older than the second in which a change is not yet trusted to be the last one.
        MakeOld();
    }
    ~THugeContent() { fs::remove_all(Dir); }

    void MakeOld() const
    {
        fs::last_write_time(File, fs::file_time_type::clock::now() - std::chrono::hours(1));
    }
};

THugeContent& Content()
{
    static THugeContent content;
    return content;
}

void ReportPeakMemory(benchmark::State& state)
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = double(usage.ru_maxrss) / 1024.0;
}

// Every press after the file changed: the whole file is read and parsed again.
void PressAfterEveryChange(benchmark::State& state)
{
    const THugeContent& content = Content();
    int change = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // A new time an hour back: changed for the cache, yet old enough to be trusted.
        fs::last_write_time(content.File,
            fs::file_time_type::clock::now() - std::chrono::hours(1) + std::chrono::seconds(++change));
        state.ResumeTiming();
        const TKeyContent key = ReadKeyContent(content.File, "VK_A");
        benchmark::DoNotOptimize(key.Desc.data());
        if (key.Desc != "Apple") {
            // A read that takes longer than the reader's bound leaves the file out.
            state.SkipWithError("the key's description was not read (the read took too long?)");
            break;
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * FileBytes);
    ReportPeakMemory(state);
}
BENCHMARK(PressAfterEveryChange)->Unit(benchmark::kMillisecond)->Iterations(5);

// Every press while the file stays as it is: the first read is kept.
void PressOnUnchangedFile(benchmark::State& state)
{
    const THugeContent& content = Content();
    content.MakeOld();
    // Setting the time changed the file's status time too: a file changed within the last
    // second is read again at every press, so the presses begin after that second.
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    ReadKeyContent(content.File, "VK_A");
    for (auto _ : state) {
        const TKeyContent key = ReadKeyContent(content.File, "VK_A");
        benchmark::DoNotOptimize(key.Desc.data());
    }
    ReportPeakMemory(state);
}
BENCHMARK(PressOnUnchangedFile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
