// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The transition engine: the working bitmaps of one transition, its progress and the timer that
// advances it. It knows nothing of the widget that shows its frames: the view hands it, when a
// transition starts, the settings to run with and the calls it may make (the frame events and a
// way to post a tagged message to the user-interface thread). On the timer thread only the
// engine and those calls are used, so the view may go away as soon as the engine has stopped.
#pragma once

#include "effects/effects.h"
#include "platform/gdi/gdi.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

struct TTimeCaps;

using TShowStyle = uint8_t; // 0 custom drawing, 1 … 172 an effect
using TPercent = uint8_t; // 0 … 100

// One advance of a transition: Step, or with exact timing Step scaled by the milliseconds that
// passed against Delay (a Delay of 0 counts as 1 ms); never negative.
int32_t TransitionStep(int32_t Step, uint32_t Elapsed, int32_t Delay, bool ExactTiming);
// Progress after an advance of `step`, stopping at 100, or at 0 in reverse.
int32_t NextProgress(int32_t Progress, int32_t Step, bool Reverse);

// The messages the engine posts, by the numbers the view's window messages have.
enum class TTransitionMessage : int {
    TransitionCompleted = 0x0401, // the timer reached the end
    ProgressChanged = 0x0402, // Progress changed and its frame is composed
};

// What an advance reads: a snapshot of the view's properties, taken when the transition starts
// or resumes.
struct TTransitionSettings {
    int32_t Step = 4;
    uint16_t Delay = 40;
    bool Reverse = false;
    bool ExactTiming = false;
};

// The calls the engine may make. The frame events run on the thread that composes: the timer
// thread while the timer runs. Post and TickCount may be called from the timer thread.
struct TTransitionHooks {
    TFrameHooks Frame;
    // Hands message `Message`, tagged with the transition it belongs to, to the view's thread.
    std::function<void(TTransitionMessage Message, uint32_t Transition)> Post;
    // Milliseconds of a monotonic clock; GetTickCount when empty.
    std::function<uint32_t()> TickCount;
    // Reads the timer's capabilities (false when they cannot be read); timeGetDevCaps when empty.
    std::function<bool(TTimeCaps&)> TimerCaps;
};

class TTransitionEngine {
public:
    TTransitionEngine();
    // Stops the timer and waits for a callback that is running.
    ~TTransitionEngine();
    TTransitionEngine(const TTransitionEngine&) = delete;
    TTransitionEngine& operator=(const TTransitionEngine&) = delete;

    // Starts transition number Transition() + 1 to `picture`, W x H. The start image is the frame
    // on show when `overDraw` allows and it has the picture's size (answers false); otherwise it
    // is left for SetStartImage (answers true, the start image comes from the background). The
    // screen bitmap takes the picture's size.
    bool Begin(std::unique_ptr<TGdiBitmap> picture, bool overDraw, TTransitionHooks hooks);
    // The start image from what lies under the picture: `under` scaled to the picture's size, or
    // `fill` when `under` is empty. Nothing when no transition is prepared.
    void SetStartImage(TGdiBitmap& under, TColorRef fill);
    // Puts the start image on show and sets Progress to its first value, composing nothing.
    void ShowStart(bool reverse);
    // Releases the start image and the picture; the last frame stays on show.
    void End();
    // Empties the frame on show.
    void Clear();
    bool Prepared() const { return m_start != nullptr; }
    // The number of the current (or last) transition; messages carry it.
    uint32_t Transition() const { return m_transition; }

    TPercent Progress() const { return m_progress; }
    // Sets Progress (clamped to 0 … 100) and composes its frame; false when it was unchanged or
    // no transition is prepared.
    bool SetProgress(int32_t value);
    // Sets Progress without composing (between transitions).
    void ResetProgress(bool reverse) { m_progress = reverse ? 100 : 0; }
    // Composes the frame for the current Progress again (after a change of style or start image).
    void Recompose();
    void SetStyle(TShowStyle style) { m_style = style; }

    // The settings that advances read; also restarts the clock of exact timing.
    void Configure(const TTransitionSettings& settings);
    // One advance; answers whether more is to come, and in `changed` whether a frame was composed.
    bool Advance(bool& changed);
    // Starts the periodic timer with the configured Delay, kept within the timer's range; answers
    // the period in force, 0 when no timer could be started.
    uint16_t StartTimer();
    void StopTimer();
    bool TimerRunning() const { return m_timerID != 0; }
    // True once for each composed frame that has not been shown yet.
    bool TakeNewFrame() { return m_newFrame.exchange(false); }

    // The incoming picture and the start image; only while a transition is prepared.
    TGdiBitmap& Picture() { return *m_picture; }
    TGdiBitmap& Start() { return *m_start; }
    // The frame on show. While a timer runs, read it only with LockFrame held.
    TGdiBitmap& Screen() { return *m_screen; }
    const TGdiBitmap& Screen() const { return *m_screen; }
    [[nodiscard]] std::unique_lock<std::mutex> LockFrame() const { return std::unique_lock(m_frameLock); }

private:
    static void TimerCallback(uint32_t TimerID, uintptr_t User);
    uint32_t TickCount() const;
    // Composes the frame for `progress`; the caller holds m_frameLock.
    void ComposeLocked(int32_t progress);

    // Guards the three bitmaps: the timer thread composes into them, the view paints from them.
    mutable std::mutex m_frameLock;
    std::unique_ptr<TGdiBitmap> m_screen;
    std::unique_ptr<TGdiBitmap> m_start;
    std::unique_ptr<TGdiBitmap> m_picture;
    // Written by the timer thread's advances and by the view's setter, read by the view.
    std::atomic<TPercent> m_progress { 0 };
    // Written by the view, read by every frame the timer thread composes.
    std::atomic<TShowStyle> m_style { 51 };
    // Set by the timer thread for each frame composed, taken by the view when it shows one.
    std::atomic<bool> m_newFrame { false };

    // The rest is written only while no timer runs, and read by the timer thread only while
    // one runs: starting and joining the timer's thread orders the two.
    TTransitionHooks m_hooks;
    TTransitionSettings m_settings;
    uint32_t m_transition = 0;
    uint32_t m_lastTick = 0;
    uint32_t m_timerID = 0;
    uint32_t m_timerResolution = 0;
    bool m_ended = false; // the timer thread's own: it reached the end and posted so
};
