// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "transition/transitionview.h"

#include "effects/effects.h"
#include "platform/graphics/bitmap.h"
#include "platform/system/mmtimer.h"

#include <QApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr TColorRef Red = RGB(255, 0, 0);
constexpr TColorRef Green = RGB(0, 255, 0);
constexpr TColorRef Blue = RGB(0, 0, 255);

std::unique_ptr<TBitmap> SolidBitmap(int32_t w, int32_t h, TColorRef colour)
{
    auto bitmap = std::make_unique<TBitmap>(w, h);
    bitmap->Bitmap().Fill(colour);
    return bitmap;
}

void LoadSolid(TCustomTransitionView& view, int32_t w, int32_t h, TColorRef colour)
{
    view.Picture().SetGraphic(SolidBitmap(w, h, colour));
}

// A view whose clock moves one millisecond at every reading, so that loop-mode waits end.
void UseSteppingClock(TCustomTransitionView& view)
{
    auto now = std::make_shared<uint32_t>(0);
    view.SetTickSource([now] { return (*now)++; });
}

// Runs the event loop until the view ends its transition (or 10 s pass, which fails the test).
bool WaitForStop(TCustomTransitionView& view)
{
    if (!view.Busy())
        return true;
    QEventLoop loop;
    auto previous = view.OnStop;
    view.OnStop = [&](QObject* sender) {
        if (previous)
            previous(sender);
        loop.quit();
    };
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    view.OnStop = previous;
    return !view.Busy();
}

// Colour of widget pixel (x, y) as the view paints it.
TColorRef GrabbedPixel(const QImage& image, int x, int y)
{
    const QRgb rgb = image.pixel(x, y);
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

// The event log of one transition: names in the order they fired, with progress where it counts.
struct TEventLog {
    std::vector<std::string> Events;
    void Attach(TCustomTransitionView& view)
    {
        view.OnStart = [this](QObject*, TGdiBitmap&, TGdiBitmap&) { Events.push_back("Start"); };
        view.OnBeforeNewFrame = [this](QObject*, TGdiBitmap&, TGdiBitmap&) { Events.push_back("Before"); };
        view.OnCustomDraw = [this](QObject*, TGdiBitmap&, TGdiBitmap&) { Events.push_back("Custom"); };
        view.OnAfterNewFrame = [this](QObject*, TGdiBitmap&, TGdiBitmap&) { Events.push_back("After"); };
        view.OnProgress = [this, &view](QObject*) {
            Events.push_back("Progress " + std::to_string(view.Progress()));
        };
        view.OnComplete = [this](QObject*) { Events.push_back("Complete"); };
        view.OnStop = [this](QObject*) { Events.push_back("Stop"); };
    }
    std::vector<int> Progresses() const
    {
        std::vector<int> values;
        for (const auto& e : Events)
            if (e.rfind("Progress ", 0) == 0)
                values.push_back(std::stoi(e.substr(9)));
        return values;
    }
};

} // namespace

TEST(TransitionViewModel, NewViewHasItsDefaults)
{
    TTransitionView view;
    EXPECT_EQ(view.Style(), 51);
    EXPECT_EQ(view.StyleName(), QStringLiteral("Appear and Contract to middle"));
    EXPECT_EQ(view.Step(), 4);
    EXPECT_EQ(view.Delay(), 40);
    EXPECT_EQ(view.BgMode(), bmTiled);
    EXPECT_TRUE(view.Threaded());
    EXPECT_TRUE(view.OverDraw());
    EXPECT_EQ(view.FrameColor(), 0x8000000Au);
    EXPECT_EQ(view.FrameWidth(), 0);
    EXPECT_EQ(view.Progress(), 0);
    EXPECT_FALSE(view.Center() || view.Stretch() || view.Proportional() || view.Manual()
        || view.Reverse() || view.ExactTiming() || view.Busy());
    EXPECT_TRUE(view.Empty());
    EXPECT_EQ(view.width(), 100);
    EXPECT_EQ(view.height(), 100);
    EXPECT_TRUE(view.ScreenBitmap().Empty());

    // With neither picture nor background picture it shows its colour everywhere.
    view.SetColor(Blue);
    const QImage image = view.grab().toImage();
    for (auto [x, y] : { std::pair { 0, 0 }, { 99, 99 }, { 50, 3 } })
        EXPECT_EQ(GrabbedPixel(image, x, y), Blue) << x << "," << y;
}

TEST(TransitionViewModel, StepIsClampedAndWordPropertiesKeepTheirLowBits)
{
    TTransitionView view;
    const std::pair<int, int> cases[] = { { 0, 1 }, { 1, 1 }, { 100, 100 }, { 101, 99 }, { 5000, 99 } };
    for (auto [written, read] : cases) {
        view.SetStep(static_cast<uint16_t>(written));
        EXPECT_EQ(view.Step(), read) << "Step := " << written;
    }
    EXPECT_TRUE(view.setProperty("Step", 5000));
    EXPECT_EQ(view.property("Step").toInt(), 99);
    EXPECT_TRUE(view.setProperty("Delay", 65536 + 7));
    EXPECT_EQ(view.Delay(), 7);
}

TEST(TransitionViewModel, PublishedPropertiesAreQtProperties)
{
    TTransitionView view;
    EXPECT_TRUE(view.setProperty("StyleName", QStringLiteral("fade")));
    EXPECT_EQ(view.property("Style").toInt(), 119);
    EXPECT_TRUE(view.setProperty("BgMode", QVariant::fromValue(bmCentered)));
    EXPECT_EQ(view.BgMode(), bmCentered);
    EXPECT_TRUE(view.setProperty("Center", true));
    EXPECT_TRUE(view.Center());
    EXPECT_TRUE(view.setProperty("FrameWidth", 4));
    EXPECT_EQ(view.FrameWidth(), 4);
    EXPECT_TRUE(view.setProperty("Threaded", false));
    EXPECT_FALSE(view.Threaded());
}

TEST(TransitionViewModel, UnchangedValuesDoNotRepaint)
{
    TTransitionView view;
    view.SetThreaded(false);
    UseSteppingClock(view);
    view.SetStep(100);
    LoadSolid(view, 40, 30, Red);
    view.show();
    view.Execute();
    ASSERT_FALSE(view.ScreenBitmap().Empty());

    int paints = 0;
    struct TCounter : QObject {
        int* Paints;
        explicit TCounter(int* paints)
            : Paints(paints)
        {
        }
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                ++*Paints;
            return false;
        }
    } counter(&paints);
    view.installEventFilter(&counter);
    QApplication::processEvents();
    paints = 0;

    view.SetCenter(false);
    view.SetStretch(false);
    view.SetProportional(false);
    view.SetFrameWidth(0);
    view.SetFrameColor(view.FrameColor());
    view.SetBgMode(view.BgMode());
    QApplication::processEvents();
    EXPECT_EQ(paints, 0);

    // A frame colour without a frame is stored without a repaint.
    view.SetFrameColor(Green);
    QApplication::processEvents();
    EXPECT_EQ(view.FrameColor(), Green);
    EXPECT_EQ(paints, 0);

    view.SetCenter(true);
    QApplication::processEvents();
    EXPECT_GT(paints, 0);
}

TEST(TransitionViewModel, PictureChangeFiresOnChangeAndLeavesTheDisplay)
{
    TTransitionView view;
    int changes = 0;
    view.OnChange = [&](QObject* sender) {
        EXPECT_EQ(sender, &view);
        ++changes;
    };
    LoadSolid(view, 10, 10, Red);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(view.Empty());
    EXPECT_TRUE(view.ScreenBitmap().Empty());
    EXPECT_FALSE(view.Busy());

    TPicture other;
    other.SetGraphic(SolidBitmap(3, 3, Green));
    view.SetPicture(other);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(view.Picture().Width(), 3);
}

TEST(TransitionViewModel, AutoSizeFollowsThePictureAndFrame)
{
    TTransitionView view;
    view.SetFrameWidth(3);
    view.SetAutoSize(true);
    LoadSolid(view, 40, 20, Red);
    EXPECT_EQ(view.width(), 46);
    EXPECT_EQ(view.height(), 26);
    view.SetAlign(TAlign::alTop); // width comes from the parent
    view.resize(200, 10);
    LoadSolid(view, 50, 30, Red);
    EXPECT_EQ(view.width(), 200);
    EXPECT_EQ(view.height(), 36);
    view.SetAlign(TAlign::alClient);
    LoadSolid(view, 5, 5, Red);
    EXPECT_EQ(view.width(), 200);
}

TEST(TransitionViewStyles, StyleNumbersAndNames)
{
    TTransitionView view;
    view.SetStyleName(QStringLiteral("fade"));
    EXPECT_EQ(view.Style(), 119);
    view.SetStyleName(QStringLiteral("CUSTOM"));
    EXPECT_EQ(view.Style(), 0);
    EXPECT_EQ(view.StyleName(), QStringLiteral("Custom"));
    view.SetStyleName(QStringLiteral("Expand from bottom"));
    EXPECT_EQ(view.Style(), 18);
    view.SetStyleName(QStringLiteral("expand in from top"));
    EXPECT_EQ(view.Style(), 25);
    view.SetStyleName(QStringLiteral("No such effect"));
    EXPECT_EQ(view.Style(), 25);

    view.SetStyle(33);
    EXPECT_EQ(view.StyleName(), QStringLiteral("Expand from bottom"));
    for (int ignored : { 173, 255, 256, -1 }) {
        view.SetStyle(ignored);
        EXPECT_EQ(view.Style(), 33) << ignored;
    }
    view.SetStyle(172);
    EXPECT_EQ(view.Style(), 172);
    EXPECT_EQ(view.StyleName(), QStringLiteral("Channel Mix"));

    QStringList list { "a", "b", "c" };
    EXPECT_EQ(TCustomTransitionView::GetStyleNames(list), 172);
    ASSERT_EQ(list.size(), 175);
    EXPECT_EQ(list[3], QStringLiteral("Expand from right"));
    EXPECT_EQ(list.back(), QStringLiteral("Channel Mix"));
}

TEST(TransitionViewEngine, StepAndProgressArithmetic)
{
    struct Case {
        int32_t Step;
        uint32_t Elapsed;
        int32_t Delay;
        bool Exact;
        int32_t Expected;
    };
    const Case cases[] = {
        { 3, 45, 30, true, 5 }, // 4.5 rounds away from zero
        { 3, 45, 30, false, 3 },
        { 3, 0, 30, true, 0 }, // too little time: no advance
        { 3, 10, 0, true, 30 }, // Delay 0 paces by the millisecond
        { 4, 4000000000u, 40, true, 100000 }, // a long stall finishes, never overflows to -1
    };
    for (const Case& c : cases)
        EXPECT_EQ(TransitionStep(c.Step, c.Elapsed, c.Delay, c.Exact), c.Expected)
            << c.Step << " " << c.Elapsed << " " << c.Delay;
    EXPECT_EQ(NextProgress(97, 3, false), 100);
    EXPECT_EQ(NextProgress(96, 3, false), 99);
    EXPECT_EQ(NextProgress(20, 40, true), 0);
    EXPECT_EQ(NextProgress(100, 40, true), 60);
    EXPECT_EQ(NextProgress(50, 0, false), 50);
}

TEST(TransitionViewEngine, ExecuteWithoutPictureOrWhileBusyIsIgnored)
{
    TTransitionView view;
    TEventLog log;
    log.Attach(view);
    view.Execute();
    EXPECT_FALSE(view.Busy());
    view.Picture().SetGraphic(std::make_unique<TBitmap>(0, 20)); // no pixels: nothing to show
    view.Execute();
    EXPECT_FALSE(view.Busy());
    EXPECT_TRUE(log.Events.empty());

    view.SetManual(true);
    LoadSolid(view, 10, 10, Red);
    view.Execute();
    ASSERT_TRUE(view.Busy());
    LoadSolid(view, 20, 20, Green);
    view.Execute(); // ignored: the first transition goes on
    EXPECT_EQ(view.PictureRect(), (TRect { 0, 0, 10, 10 }));
    EXPECT_EQ(log.Events, std::vector<std::string> { "Start" });
}

TEST(TransitionViewEngine, LoopModeRunsEveryStepInOrder)
{
    TTransitionView view;
    view.SetThreaded(false);
    view.SetStep(3);
    view.SetDelay(1);
    view.SetStyle(0);
    UseSteppingClock(view);
    TEventLog log;
    log.Attach(view);
    LoadSolid(view, 8, 8, Red);
    view.Execute();
    EXPECT_FALSE(view.Busy());

    std::vector<int> expected;
    for (int p = 3; p <= 99; p += 3)
        expected.push_back(p);
    expected.push_back(100);
    EXPECT_EQ(log.Progresses(), expected); // 34 frames

    // Start, then per frame Before, Custom (style 0 only below 100), After, Progress.
    ASSERT_GE(log.Events.size(), 6u);
    EXPECT_EQ(log.Events[0], "Start");
    const std::vector<std::string> first(log.Events.begin() + 1, log.Events.begin() + 5);
    EXPECT_EQ(first, (std::vector<std::string> { "Before", "Custom", "After", "Progress 3" }));
    const std::vector<std::string> last(log.Events.end() - 5, log.Events.end());
    EXPECT_EQ(last, (std::vector<std::string> { "Before", "After", "Progress 100", "Complete", "Stop" }));
    EXPECT_EQ(view.ScreenBitmap().Pixel(4, 4), PixelFromColorRef(Red));
}

TEST(TransitionViewEngine, ReverseRunsDownToTheStartImage)
{
    TTransitionView view;
    view.SetThreaded(false);
    view.SetStep(40);
    view.SetDelay(1);
    view.SetReverse(true);
    view.SetColor(Blue);
    UseSteppingClock(view);
    TEventLog log;
    log.Attach(view);
    LoadSolid(view, 8, 8, Red);
    view.Execute();
    EXPECT_EQ(log.Progresses(), (std::vector<int> { 60, 20, 0 }));
    // Played backwards, the transition ends on the start image: the background.
    EXPECT_EQ(view.ScreenBitmap().Pixel(0, 0), PixelFromColorRef(Blue));
}

TEST(TransitionViewEngine, TimerModeFiresEventsOnTheUserInterfaceThreadInOrder)
{
    TTransitionView view;
    view.SetStep(10);
    view.SetDelay(1);
    std::vector<std::string> events;
    std::atomic<int> framesOffThread { 0 };
    const QThread* ui = QThread::currentThread();
    view.OnStart = [&](QObject*, TGdiBitmap&, TGdiBitmap&) { events.push_back("Start"); };
    view.OnAfterNewFrame = [&](QObject*, TGdiBitmap&, TGdiBitmap&) {
        if (QThread::currentThread() != ui)
            ++framesOffThread;
    };
    view.OnProgress = [&](QObject*) {
        EXPECT_EQ(QThread::currentThread(), ui);
        events.push_back("Progress");
    };
    view.OnComplete = [&](QObject*) { events.push_back("Complete"); };
    view.OnStop = [&](QObject*) { events.push_back("Stop"); };
    LoadSolid(view, 16, 16, Green);
    view.show();
    view.Execute();
    EXPECT_TRUE(view.Busy());
    ASSERT_TRUE(WaitForStop(view));
    EXPECT_EQ(framesOffThread.load(), 10);
    ASSERT_EQ(events.size(), 13u);
    EXPECT_EQ(events.front(), "Start");
    EXPECT_EQ(events[10], "Progress"); // the last frame's progress arrives before the end
    EXPECT_EQ(events[11], "Complete");
    EXPECT_EQ(events[12], "Stop");
    EXPECT_EQ(view.ScreenBitmap().Pixel(0, 0), PixelFromColorRef(Green));
}

TEST(TransitionViewEngine, DelayZeroBecomesTheSmallestPeriod)
{
    TTransitionView view;
    view.SetDelay(0);
    view.SetManual(false);
    LoadSolid(view, 4, 4, Red);
    view.Execute();
    EXPECT_EQ(view.Delay(), 1);
    EXPECT_TRUE(WaitForStop(view));
}

TEST(TransitionViewEngine, UnreadableTimerCapabilitiesStillAnimate)
{
    TTransitionView view;
    view.SetTimerCapsSource([](TTimeCaps&) { return false; });
    view.SetDelay(2);
    view.SetStep(50);
    LoadSolid(view, 4, 4, Red);
    view.Execute();
    EXPECT_TRUE(WaitForStop(view));
    EXPECT_EQ(view.ScreenBitmap().Pixel(0, 0), PixelFromColorRef(Red));
}

TEST(TransitionViewEngine, StopHalfwayKeepsTheFrameAndTheNextStartsFromIt)
{
    TTransitionView view;
    view.SetManual(true);
    view.SetStyle(5); // "Reveal from left": the left part shows the picture
    view.SetColor(Blue);
    TEventLog log;
    log.Attach(view);
    LoadSolid(view, 20, 10, Red);
    view.Execute();
    view.SetProgress(50);
    view.Stop();
    EXPECT_FALSE(view.Busy());
    EXPECT_EQ(log.Events.back(), "Stop");
    EXPECT_EQ(std::count(log.Events.begin(), log.Events.end(), "Complete"), 0);
    const TGdiBitmap& frame = view.ScreenBitmap();
    EXPECT_EQ(frame.Pixel(0, 5), PixelFromColorRef(Red));
    EXPECT_EQ(frame.Pixel(19, 5), PixelFromColorRef(Blue));

    // Same size with OverDraw: the start image is the half-finished frame.
    TGdiBitmap start;
    view.OnStart = [&](QObject*, TGdiBitmap&, TGdiBitmap& screen) {
        start.SetSize(screen.Width(), screen.Height());
        std::memcpy(start.Bits(), screen.Bits(), screen.ByteCount());
    };
    LoadSolid(view, 20, 10, Green);
    view.Execute();
    EXPECT_EQ(start.Pixel(0, 5), PixelFromColorRef(Red));
    EXPECT_EQ(start.Pixel(19, 5), PixelFromColorRef(Blue));
    view.Stop();

    // Another size starts from the background.
    LoadSolid(view, 21, 10, Green);
    view.Execute();
    EXPECT_EQ(start.Pixel(0, 5), PixelFromColorRef(Blue));
    view.Stop();
}

TEST(TransitionViewEngine, ManualModeIsDrivenByTheApplication)
{
    TTransitionView view;
    view.SetThreaded(false);
    view.SetDelay(1);
    UseSteppingClock(view);
    TEventLog log;
    log.Attach(view);

    view.SetProgress(40); // not busy: ignored
    EXPECT_EQ(view.Progress(), 0);

    view.SetManual(true);
    view.SetStyle(5);
    LoadSolid(view, 10, 10, Red);
    view.Execute();
    EXPECT_TRUE(view.Busy());
    EXPECT_EQ(log.Events, std::vector<std::string> { "Start" });

    view.SetProgress(40);
    EXPECT_EQ(log.Events.back(), "Progress 40");
    const uint32_t before = view.ScreenBitmap().Pixel(7, 5);
    view.SetStyle(6); // "Reveal from right": the frame at 40 is redrawn at once
    EXPECT_NE(view.ScreenBitmap().Pixel(7, 5), before);

    view.SetProgress(150);
    EXPECT_EQ(view.Progress(), 100);
    EXPECT_TRUE(view.Busy());
    EXPECT_EQ(view.ScreenBitmap().Pixel(0, 0), PixelFromColorRef(Red));

    view.SetProgress(90);
    view.SetManual(false); // runs on to the end in loop mode
    EXPECT_FALSE(view.Busy());
    const std::vector<std::string> tail(log.Events.end() - 2, log.Events.end());
    EXPECT_EQ(tail, (std::vector<std::string> { "Complete", "Stop" }));
}

TEST(TransitionViewEngine, DestroyingTheViewMidTransitionFiresNothing)
{
    auto view = std::make_unique<TTransitionView>();
    view->SetDelay(100); // a hundred frames of 100 ms: surely still running when it goes
    view->SetStep(1);
    int ends = 0;
    view->OnComplete = [&](QObject*) { ++ends; };
    view->OnStop = [&](QObject*) { ++ends; };
    LoadSolid(*view, 64, 64, Red);
    view->show();
    view->Execute();
    QApplication::processEvents();
    ASSERT_TRUE(view->Busy());
    view.reset();
    QApplication::processEvents(); // messages posted before the end find no view
    EXPECT_EQ(ends, 0);
}

TEST(TransitionViewEngine, ManyStopExecuteCyclesOnTheTimerThread)
{
    TTransitionView view;
    view.SetDelay(1);
    view.show();
    const int64_t regions = LiveRegionCount();
    std::mt19937 random(1234);
    int completes = 0;
    int stops = 0;
    view.OnComplete = [&](QObject*) { ++completes; };
    view.OnStop = [&](QObject*) { ++stops; };
    int started = 0;
    for (int cycle = 0; cycle < 10000; ++cycle) {
        if (view.Busy())
            view.Stop();
        view.SetStyle(1 + int(random() % 172));
        view.SetStep(uint16_t(1 + random() % 100));
        const int w = int(random() % 40);
        const int h = int(random() % 40);
        LoadSolid(view, w, h, RGB(random() & 255, 0, 0));
        view.Execute();
        started += view.Busy() ? 1 : 0;
        if (cycle % 16 == 0)
            QApplication::processEvents();
    }
    ASSERT_TRUE(WaitForStop(view));
    QApplication::processEvents();
    // Every started transition ended exactly once; a late end never ended a newer one.
    EXPECT_EQ(stops, started);
    EXPECT_LE(completes, started);
    EXPECT_EQ(LiveRegionCount(), regions);
}
