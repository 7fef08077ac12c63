// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The game window as a child meets it, on a real display with the default content: the time
// from start to the first paint, from a key press to the first frame of its transition on
// screen, the CPU while idle and while 10 keys a second are pressed, and resident memory.
//   cmake --build build --target tapsy_content bench_game
//   SDL_AUDIODRIVER=dummy scripts/with-xvfb.sh build/bin/bench_game
// With --stress N it presses N random keys at 50 a second of the game's own clock instead (so
// every 20th passes the repeat guard), as fast as the machine goes, and prints resident memory
// every tenth of the way: it should settle, not grow.
// With --picture-side N every key shows one N × N JPEG photo made for the run (in a content
// folder of its own): the key press to the first frame, the size the view holds the picture at
// and resident memory, to compare a huge photo with a screen-sized one.
// With --soak SECONDS it plays for that long as a child would: a random key every 0.1 to 1 s
// (through the window's key events), and prints resident memory, CPU and the frames per second
// that reached the screen every minute (bench/soak.sh runs an hour of it).
#include "game/formmain.h"
#include "lib/jpegencode.h"
#include "platform/system/datetime.h"
#include "platform/system/productidentity.h"
#include "transition/transitionview.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <sys/resource.h>
#include <vector>


namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double CpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long ResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    return -1;
}

// Notes the moment of the first paint of a widget after Arm().
class TPaintWatch : public QObject {
public:
    void Arm()
    {
        Painted = false;
        Armed = Clock::now();
    }
    bool Painted = true;
    Clock::time_point Armed;
    Clock::time_point At;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !Painted) {
            Painted = true;
            At = Clock::now();
        }
        return false;
    }
};

// Shows the form and waits for its first paint; the moment of that paint.
Clock::time_point ShowAndWaitForFirstPaint(TfrmMain& form)
{
    TPaintWatch paint;
    form.installEventFilter(&paint);
    paint.Arm();
    form.show();
    while (!paint.Painted)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    form.removeEventFilter(&paint);
    return paint.At;
}

void Spin(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

double CpuPercentOver(int milliseconds, const std::function<void()>& each100ms)
{
    const double cpu0 = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer tick;
    if (each100ms) {
        QObject::connect(&tick, &QTimer::timeout, each100ms);
        tick.start(100);
    }
    Spin(milliseconds);
    tick.stop();
    return 100.0 * (CpuSeconds() - cpu0) / (wall.elapsed() / 1000.0);
}

// A side × side JPEG like a photo (smooth colour with fine detail), written a row at a time so
// that making it costs the bench no memory of the picture's size.
bool WritePhoto(const QString& path, int side)
{
    TJpegOptions options;
    options.Quality = 85;
    return WriteJpegFile(
        path.toStdString(), side, side,
        [side](int x, int y, int c) {
            const int values[3] = { x * 255 / side, y * 255 / side, (x / 3 + y / 2) % 64 * 4 };
            return uint8_t(values[c]);
        },
        options);
}

} // namespace

int PictureSide(TfrmMain& form, const QString& folder, int side)
{
    ShowAndWaitForFirstPaint(form);
    const long before = ResidentKiB();
    TPaintWatch viewPaint;
    form.TransitionView().installEventFilter(&viewPaint);
    std::vector<double> latencies;
    for (int i = 0; i < 10; ++i) {
        Spin(1500); // past the repeat guard, and the transition before at its end
        uint16_t key = uint16_t('A' + i);
        viewPaint.Arm();
        form.FormKeyDown(&form, key, TShiftState());
        while (!viewPaint.Painted)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        latencies.push_back(Ms(viewPaint.At - viewPaint.Armed));
    }
    Spin(1500);
    std::sort(latencies.begin(), latencies.end());
    const TPicture& picture = form.TransitionView().Picture();
    const double megabytes
        = QFileInfo(QDir(folder).filePath(QStringLiteral("TapsyData/photo.jpg"))).size() / 1048576.0;
    std::printf("JPEG of %d x %d (%.1f MB) held as %d x %d\n", side, side, megabytes,
        picture.Width(), picture.Height());
    std::printf("key press to first frame on screen: median %.1f ms, max %.1f ms (10 letters)\n",
        latencies[latencies.size() / 2], latencies.back());
    std::printf("resident memory before the presses %.1f MB, after %.1f MB\n", before / 1024.0,
        ResidentKiB() / 1024.0);
    return 0;
}

int Stress(TfrmMain& form, int presses)
{
    std::mt19937 random(11);
    TDateTime now = Now() + 1.0;
    form.SetClock([&] { return now; });
    const TDateTime fiftieth = EncodeTime(0, 0, 0, 20);
    std::printf("press      resident MB\n");
    for (int i = 1; i <= presses; ++i) {
        now += fiftieth;
        // Any code at all, with any shift state: most name no section and fall back to Other_Key.
        uint16_t key = uint16_t(random() % 256);
        form.FormKeyDown(&form, key, TShiftState(random() % 8));
        QApplication::processEvents();
        if (i % std::max(1, presses / 10) == 0)
            std::printf("%-10d %.1f\n", i, ResidentKiB() / 1024.0);
    }
    form.TransitionView().Stop();
    return 0;
}

int Soak(TfrmMain& form, int seconds)
{
    std::mt19937 random(5);
    int frames = 0;
    struct TFrameCounter : QObject {
        int* Frames;
        explicit TFrameCounter(int* frames)
            : Frames(frames)
        {
        }
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                ++*Frames;
            return false;
        }
    } counter(&frames);
    form.TransitionView().installEventFilter(&counter);
    static const int keys[] = { Qt::Key_A, Qt::Key_B, Qt::Key_M, Qt::Key_Z, Qt::Key_1, Qt::Key_9, Qt::Key_Space,
        Qt::Key_Return, Qt::Key_Left, Qt::Key_F5, Qt::Key_Comma, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Shift };
    QTimer press;
    press.setSingleShot(true);
    QObject::connect(&press, &QTimer::timeout, [&] {
        const int key = keys[random() % std::size(keys)];
        const QString text = key >= Qt::Key_A && key <= Qt::Key_Z ? QString(QChar(key)).toLower() : QString();
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&form, &down);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(&form, &up);
        press.start(100 + int(random() % 900));
    });
    press.start(100);
    std::printf("minute  resident MB  CPU %%  frames/s\n");
    for (int minute = 1; minute * 60 <= seconds; ++minute) {
        frames = 0;
        const double cpu = CpuPercentOver(60000, nullptr);
        std::printf("%6d  %11.1f  %5.1f  %8.1f\n", minute, ResidentKiB() / 1024.0, cpu, frames / 60.0);
        std::fflush(stdout);
    }
    return 0;
}

int main(int argc, char** argv)
{
    const auto processStart = Clock::now();
    QApplication app(argc, argv);
    InitProductIdentity();
    QTemporaryDir content;
    int pictureSide = 0;
    if (argc == 3 && QByteArray(argv[1]) == "--picture-side") {
        pictureSide = std::atoi(argv[2]);
        QDir(content.path()).mkdir(QStringLiteral("TapsyData"));
        QFile ini(content.filePath(QStringLiteral("TapsyV.ini")));
        if (pictureSide <= 0 || !ini.open(QIODevice::WriteOnly)
            || ini.write("[Other_Key]\r\nPicture=photo.jpg\r\n") < 0
            || !WritePhoto(content.filePath(QStringLiteral("TapsyData/photo.jpg")), pictureSide)) {
            std::fprintf(stderr, "bench_game: cannot make the content for --picture-side\n");
            return 1;
        }
        ini.close();
        qputenv("TAPSY_SYSTEM_DIR", content.path().toLocal8Bit());
    }
    TfrmMain form;
    if (pictureSide > 0)
        return PictureSide(form, content.path(), pictureSide);
    if (argc == 3 && QByteArray(argv[1]) == "--stress") {
        form.show();
        return Stress(form, std::atoi(argv[2]));
    }
    if (argc == 3 && QByteArray(argv[1]) == "--soak") {
        form.show();
        return Soak(form, std::atoi(argv[2]));
    }
    const Clock::time_point firstPaint = ShowAndWaitForFirstPaint(form);
    std::printf("start to first paint: %.0f ms (from the process's first line of main)\n",
        Ms(firstPaint - processStart));
    std::printf("resident memory after start: %.1f MB\n", ResidentKiB() / 1024.0);

    TPaintWatch viewPaint;
    form.TransitionView().installEventFilter(&viewPaint);
    std::vector<double> latencies;
    std::mt19937 random(3);
    for (int i = 0; i < 20; ++i) {
        Spin(450); // past the repeat guard
        uint16_t key = uint16_t('A' + random() % 26);
        viewPaint.Arm();
        form.FormKeyDown(&form, key, TShiftState());
        // The press prepared the transition and asked for a repaint; the first frame on screen
        // is the first paint of the view.
        while (!viewPaint.Painted)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        latencies.push_back(Ms(viewPaint.At - viewPaint.Armed));
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("key press to first frame on screen: median %.1f ms, max %.1f ms (20 letters)\n",
        latencies[latencies.size() / 2], latencies.back());

    Spin(1500); // let the last transition end
    std::printf("CPU while idle (10 s, the idle demo pressing a letter every 4 s): %.1f %% of a core\n",
        CpuPercentOver(10000, nullptr));
    std::printf("CPU while 10 keys a second are pressed (10 s): %.1f %% of a core\n",
        CpuPercentOver(10000, [&] {
            uint16_t key = uint16_t('A' + random() % 26);
            form.FormKeyDown(&form, key, TShiftState());
        }));
    std::printf("resident memory after the presses: %.1f MB\n", ResidentKiB() / 1024.0);
    return 0;
}
