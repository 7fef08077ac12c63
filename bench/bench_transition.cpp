// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Times whole transitions of the view with the game's settings on a real display: how long one
// lasts, how many frames reach the screen, and per frame the time to compose it (timer thread)
// and to get it on screen (user-interface thread), the timer thread's CPU per frame and the
// share of the picture's place that each paint repaints, each time also in copies of one frame of the
// picture's size measured hot in the same run, the machine's floor for moving a frame. Then the
// CPU an idle view costs.
//   TAPSY_XVFB_SCREEN=3840x2160x24 scripts/with-xvfb.sh build/bin/bench_transition
// (a smaller screen skips the cases that do not fit it)
#include "common/testpictures.h"
#include "platform/graphics/bitmap.h"
#include "transition/transitionview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPaintEvent>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <random>
#include <sys/resource.h>
#include <time.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The view, timing its own paint handling.
class TTimedView : public TTransitionView {
public:
    using TTransitionView::TTransitionView;
    std::vector<double> PaintMs;
    std::vector<double> PaintedPixels;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        const QRect part = event->rect() & rect();
        PaintedPixels.push_back(double(part.width()) * part.height());
        const auto start = Clock::now();
        TTransitionView::paintEvent(event);
        PaintMs.push_back(Ms(Clock::now() - start));
    }
};

double ThreadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double CpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// One copy of a frame of w x h pixels whose source and destination are already in the cache
// hierarchy as far as they fit: the median of a few repeated copies.
double HotFrameCopyMs(int w, int h)
{
    const size_t bytes = size_t(w) * size_t(h) * 4;
    std::vector<uint8_t> from(bytes, 0x5A), to(bytes, 0);
    std::memcpy(to.data(), from.data(), bytes);
    std::vector<double> times;
    for (int i = 0; i < 15; ++i) {
        const auto start = Clock::now();
        std::memcpy(to.data(), from.data(), bytes);
        times.push_back(Ms(Clock::now() - start));
        from[size_t(i) * 4093 % bytes] ^= to[bytes - 1]; // keeps the copies from being merged
    }
    return Median(times);
}

// The same copy with source and destination pushed out of the caches first (by writing a
// buffer larger than any last-level cache), as a frame that another core composed and a
// window store that was last touched a frame ago are when the paint copies one into the other.
double ColdFrameCopyMs(int w, int h)
{
    const size_t bytes = size_t(w) * size_t(h) * 4;
    std::vector<uint8_t> from(bytes, 0x5A), to(bytes, 0);
    std::vector<uint8_t> sweep(size_t(256) << 20);
    std::vector<double> times;
    for (int i = 0; i < 7; ++i) {
        std::memset(sweep.data(), i, sweep.size());
        const auto start = Clock::now();
        std::memcpy(to.data(), from.data(), bytes);
        times.push_back(Ms(Clock::now() - start));
        from[size_t(i) * 4093 % bytes] ^= to[bytes - 1] ^ sweep[size_t(i) * 977];
    }
    return Median(times);
}

void Measure(int pictureW, int pictureH, int viewW, int viewH, int transitions)
{
    TTimedView view;
    view.SetCenter(true);
    view.SetProportional(true);
    view.SetExactTiming(true);
    view.SetDelay(30);
    view.SetStep(3);
    view.SetColor(RGB(0, 0, 0));
    view.resize(viewW, viewH);
    view.setWindowFlag(Qt::FramelessWindowHint);
    view.show();
    QApplication::processEvents();

    std::vector<std::unique_ptr<TBitmap>> pictures;
    for (int which : { 0, 1 }) {
        pictures.push_back(std::make_unique<TBitmap>(pictureW, pictureH));
        DrawTestPicture(pictures.back()->Bitmap(), which);
    }

    std::vector<double> durations, frameCounts, composeMs;
    Clock::time_point frameStart;
    std::vector<double> compose;
    // The timer thread's own CPU time from one frame to the next: the whole compose (the copy of
    // the start image included, which the frame events do not enclose) and the post.
    std::vector<double> threadCpu;
    view.OnBeforeNewFrame = [&](QObject*, TGdiBitmap&, TGdiBitmap&) {
        frameStart = Clock::now();
        threadCpu.push_back(ThreadCpuMs());
    };
    view.OnAfterNewFrame = [&](QObject*, TGdiBitmap&, TGdiBitmap&) { compose.push_back(Ms(Clock::now() - frameStart)); };
    std::mt19937 random(7);
    std::vector<double> paintMs;
    std::vector<double> cpuShares, workShares, frameCpuMs, painted;
    for (int i = 0; i < transitions; ++i) {
        view.Picture().SetGraphic(pictures[i % 2].get());
        view.SetStyle(1 + int(random() % 171));
        compose.clear();
        threadCpu.clear();
        view.PaintMs.clear();
        view.PaintedPixels.clear();
        QEventLoop loop;
        view.OnStop = [&](QObject*) { loop.quit(); };
        const double cpuStart = CpuSeconds();
        const auto start = Clock::now();
        view.Execute();
        loop.exec();
        durations.push_back(Ms(Clock::now() - start));
        cpuShares.push_back(100.0 * (CpuSeconds() - cpuStart) * 1000.0 / durations.back());
        // The view's own work: the timer thread's CPU over its frames (the first frame's share
        // estimated as the mean) and every paint, against the transition's time.
        const double timerThread = threadCpu.size() > 1
            ? (threadCpu.back() - threadCpu.front()) * double(threadCpu.size()) / double(threadCpu.size() - 1)
            : std::accumulate(compose.begin(), compose.end(), 0.0);
        const double work = timerThread + std::accumulate(view.PaintMs.begin(), view.PaintMs.end(), 0.0);
        workShares.push_back(100.0 * work / durations.back());
        frameCounts.push_back(double(view.PaintMs.size()));
        composeMs.insert(composeMs.end(), compose.begin(), compose.end());
        for (size_t f = 1; f < threadCpu.size(); ++f)
            frameCpuMs.push_back(threadCpu[f] - threadCpu[f - 1]);
        painted.insert(painted.end(), view.PaintedPixels.begin(), view.PaintedPixels.end());
        paintMs.insert(paintMs.end(), view.PaintMs.begin(), view.PaintMs.end());
    }
    std::printf("%dx%d picture in a %dx%d view, %d transitions with random effects:\n", pictureW,
        pictureH, viewW, viewH, transitions);
    std::printf("  duration   median %.0f ms (min %.0f, max %.0f)\n", Median(durations),
        *std::min_element(durations.begin(), durations.end()),
        *std::max_element(durations.begin(), durations.end()));
    std::printf("  frames on screen per transition: median %.0f (min %.0f)\n", Median(frameCounts),
        *std::min_element(frameCounts.begin(), frameCounts.end()));
    const double copy = HotFrameCopyMs(pictureW, pictureH);
    const double composeMedian = Median(composeMs);
    const double paintMedian = Median(paintMs);
    std::printf("  per frame: compose median %.2f ms (%.1f copies), to screen (paint) median %.2f ms (%.1f "
                "copies); one hot %dx%d frame copy: %.2f ms\n",
        composeMedian, composeMedian / copy, paintMedian, paintMedian / copy, pictureW, pictureH, copy);
    const double frameCpu = Median(frameCpuMs);
    std::printf("  the timer thread per frame (composing, start copy included, and posting): median %.2f ms "
                "(%.1f copies) of CPU\n",
        frameCpu, frameCpu / copy);
    const TRect display = view.DisplayRect();
    std::printf("  repainted per paint: median %.0f %% of the picture's place in the view\n",
        100.0 * Median(painted) / (double(display.Width()) * display.Height()));
    const double coldCopy = ColdFrameCopyMs(pictureW, pictureH);
    std::printf("  the same in cold copies (one %dx%d copy out of the caches: %.2f ms): compose %.1f, "
                "paint %.1f, timer thread %.1f\n",
        pictureW, pictureH, coldCopy, composeMedian / coldCopy, paintMedian / coldCopy, frameCpu / coldCopy);
    std::printf("  timer thread + paint: median %.0f %% of a core; the whole process while a transition runs: "
                "median %.0f %%\n",
        Median(workShares), Median(cpuShares));

    // Idle: no transition runs, so no timer should either.
    const double cpu0 = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QEventLoop idle;
    QTimer::singleShot(2000, &idle, &QEventLoop::quit);
    idle.exec();
    const double cpu = CpuSeconds() - cpu0;
    std::printf("  idle view: %.2f %% of a core over %.1f s; threads in the process: %d\n",
        100.0 * cpu / (wall.elapsed() / 1000.0), wall.elapsed() / 1000.0,
        int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size()));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int transitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    Measure(1024, 768, 800, 600, transitions);
    const QSize screen = QGuiApplication::primaryScreen()->size();
    for (const QSize size : { QSize(1920, 1080), QSize(3840, 2160) }) {
        if (screen.width() >= size.width() && screen.height() >= size.height())
            Measure(size.width(), size.height(), size.width(), size.height(), transitions);
        else
            std::printf("(screen %dx%d is smaller than %dx%d: that case is skipped)\n", screen.width(),
                screen.height(), size.width(), size.height());
    }
    return 0;
}
