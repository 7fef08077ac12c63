// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The transition engine: preparing the working bitmaps, advancing Progress from the timer
// thread or a message-pumping loop, composing each frame and ending the transition.
#include "transition/transitionview.h"

#include "effects/effects.h"
#include "platform/system/crossthreadevent.h"
#include "platform/system/mmtimer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <thread>

namespace {

// The two messages the view posts to itself, each tagged with the transition it belongs to.
enum : int {
    TransitionCompletedEvent = QEvent::User + 0x0401,
    ProgressChangedEvent = QEvent::User + 0x0402,
    ShowFrameEvent = QEvent::User + 0x0403,
};

class TTransitionEvent : public QEvent {
public:
    TTransitionEvent(int type, uint32_t transition)
        : QEvent(static_cast<QEvent::Type>(type))
        , Transition(transition)
    {
    }
    const uint32_t Transition;
};

// Runs `undo` when the scope ends, also when an exception passes.
template <class F> struct TFinally {
    F Undo;
    ~TFinally() { Undo(); }
};
template <class F> TFinally(F) -> TFinally<F>;

} // namespace

void TCustomTransitionView::Execute()
{
    // A picture without pixels has nothing to show: the transition does not start.
    if (Empty() || m_busy)
        return;
    m_busy = true;
    ++m_transition;
    try {
        Prepare();
        if (!m_manual && !m_stopping)
            Animate();
    } catch (...) {
        std::lock_guard lock(m_frameLock);
        m_pictureBitmap.reset();
        m_oldBitmap.reset();
        m_busy = false;
        throw;
    }
}

void TCustomTransitionView::Prepare()
{
    const TGraphic& graphic = *m_picture->Graphic();
    const int32_t W = graphic.Width();
    const int32_t H = graphic.Height();
    {
        std::lock_guard lock(m_frameLock);
        auto oldBitmap = std::make_unique<TGdiBitmap>(W, H);
        if (m_overDraw && !m_screenBitmap->Empty() && m_screenBitmap->Width() == W
            && m_screenBitmap->Height() == H) {
            // Starts from the frame on show, even a half-finished one.
            m_oldIsBackground = false;
            BitBlt(oldBitmap->DC(), 0, 0, W, H, m_screenBitmap->DC(), 0, 0, SRCCOPY);
        } else {
            m_oldIsBackground = true; // drawn by UpdateOldPic below
        }
        m_oldBitmap = std::move(oldBitmap);

        auto pictureBitmap = std::make_unique<TGdiBitmap>();
        pictureBitmap->SetSize(W, H, ColorToRGB(m_color));
        {
            // Drawing may make the graphic signal a change; that is no change of Picture.
            m_picture->OnChange = nullptr;
            TFinally restore { [this] { m_picture->OnChange = [this] { PictureChange(); }; } };
            graphic.Draw(pictureBitmap->DC(), 0, 0);
        }
        m_pictureBitmap = std::move(pictureBitmap);

        if (m_screenBitmap->Width() != W || m_screenBitmap->Height() != H)
            m_screenBitmap->SetSize(W, H);
        m_pictureRect = TRect { 0, 0, W, H };
        m_preparing = true;
        TFinally prepared { [this] { m_preparing = false; } };
        UpdateDisplayRect();
        BitBlt(m_screenBitmap->DC(), 0, 0, W, H, m_oldBitmap->DC(), 0, 0, SRCCOPY);
        m_progress = m_reverse ? 100 : 0;
    }
    update();
    DoStart(*m_pictureBitmap, *m_oldBitmap);
}

void TCustomTransitionView::Unprepare()
{
    m_busy = false;
    {
        std::lock_guard lock(m_frameLock);
        m_pictureBitmap.reset();
        m_oldBitmap.reset();
    }
    if (m_destroying)
        return;
    if (!m_stopping)
        DoComplete();
    DoStop();
}

void TCustomTransitionView::Animate()
{
    m_lastTick = TickCount();
    if (m_threaded) {
        StartTimer();
        return;
    }
    const uint32_t transition = m_transition;
    bool more = true;
    while (true) {
        more = UpdateProgress();
        if (!more || m_manual || !m_busy || m_transition != transition)
            break;
        const uint32_t deadline = TickCount() + m_delay;
        do
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        while (static_cast<int32_t>(deadline - TickCount()) > 0 && m_busy && m_transition == transition);
        if (!m_busy || m_transition != transition)
            break;
    }
    if (m_busy && !m_manual && m_transition == transition)
        Unprepare();
}

int32_t TransitionStep(int32_t Step, uint32_t Elapsed, int32_t Delay, bool ExactTiming)
{
    if (!ExactTiming)
        return Step;
    // A long stall (a suspended machine) only needs to finish the transition, and must not
    // overflow the product.
    const int32_t elapsed = static_cast<int32_t>(std::min<uint32_t>(Elapsed, 1000000));
    return std::max(MulDiv(Step, elapsed, std::max(Delay, 1)), 0);
}

int32_t NextProgress(int32_t Progress, int32_t Step, bool Reverse)
{
    if (Reverse)
        return Step < Progress ? Progress - Step : 0;
    return Progress < 100 - Step ? Progress + Step : 100;
}

bool TCustomTransitionView::UpdateProgress()
{
    const uint32_t now = TickCount();
    const int32_t step = TransitionStep(m_step, now - m_lastTick, m_delay, m_exactTiming);
    m_lastTick = now;
    SetProgress(NextProgress(m_progress, step, m_reverse));
    return m_reverse ? m_progress != 0 : m_progress != 100;
}

void TCustomTransitionView::SetProgress(int Value)
{
    Value = std::clamp(Value, 0, 100);
    if (!m_busy || Value == m_progress)
        return;
    m_progress = static_cast<TPercent>(Value);
    UpdateDisplay();
    if (QThread::currentThread() != thread()) {
        // Qt paints widgets on their own thread only: ask it to show the frame, then tell of
        // the progress, in that order.
        if (!m_showPending.exchange(true))
            PostToSelf(ShowFrameEvent);
        PostToSelf(ProgressChangedEvent);
    } else {
        ShowFrame();
        DoProgress();
    }
}

void TCustomTransitionView::UpdateDisplay()
{
    std::lock_guard lock(m_frameLock);
    if (!m_oldBitmap || !m_pictureBitmap)
        return;
    TGdiBitmap& screen = *m_screenBitmap;
    TGdiBitmap& picture = *m_pictureBitmap;
    const int32_t W = screen.Width();
    const int32_t H = screen.Height();
    BitBlt(screen.DC(), 0, 0, W, H, m_oldBitmap->DC(), 0, 0, SRCCOPY);
    DoBeforeNewFrame(picture, screen);
    const int32_t progress = m_progress;
    const int32_t style = m_style;
    if (progress == 100) {
        BitBlt(screen.DC(), 0, 0, W, H, picture.DC(), 0, 0, SRCCOPY);
    } else if (progress != 0) {
        if (style == 0) {
            DoCustomDraw(picture, screen);
        } else if (const TEffect* effect = EffectByStyle(style)) {
            SetStretchBltMode(screen.DC(), COLORONCOLOR);
            const TPoint extent = EffectExtents(W, H, progress);
            effect->Proc(screen, picture, W, H, extent.X, extent.Y, progress);
        }
    }
    DoAfterNewFrame(picture, screen);
}

void TCustomTransitionView::ShowFrame()
{
    m_showPending = false;
    RepaintRect(DisplayRect());
}

void TCustomTransitionView::StartTimer()
{
    if (m_timerID != 0)
        return;
    TTimeCaps caps;
    const bool capsRead = m_timerCapsSource ? m_timerCapsSource(caps) : timeGetDevCaps(&caps) == TIMERR_NOERROR;
    if (!capsRead) {
        // Unreadable capabilities would leave the transition prepared for ever: take the
        // narrowest range every timer offers instead, so that it still runs.
        caps.wPeriodMin = 1;
        caps.wPeriodMax = 65535;
    }
    if (m_delay > caps.wPeriodMax)
        m_delay = static_cast<uint16_t>(caps.wPeriodMax);
    m_timerResolution = m_delay / 10;
    if (m_timerResolution < caps.wPeriodMin) {
        m_timerResolution = caps.wPeriodMin;
        if (m_delay < caps.wPeriodMin)
            m_delay = static_cast<uint16_t>(caps.wPeriodMin);
    }
    if (m_delay == 0)
        return;
    m_timerEnded = false;
    timeBeginPeriod(m_timerResolution);
    m_timerID = timeSetEvent(m_delay, m_timerResolution, &TCustomTransitionView::TimerCallback,
        reinterpret_cast<uintptr_t>(this), TIME_PERIODIC);
    if (m_timerID == 0)
        timeEndPeriod(m_timerResolution);
}

void TCustomTransitionView::StopTimer()
{
    const uint32_t id = m_timerID.exchange(0);
    if (id == 0)
        return;
    // Waits for a callback that is running: after this no callback of the timer touches the view.
    timeKillEvent(id);
    timeEndPeriod(m_timerResolution);
    std::this_thread::yield();
    std::lock_guard pass(m_frameLock);
}

void TCustomTransitionView::TimerCallback(uint32_t TimerID, uintptr_t User)
{
    auto* view = reinterpret_cast<TCustomTransitionView*>(User);
    // A tick that raced with StopTimer, or that follows the end, belongs to no transition.
    if (view->m_timerID != TimerID || view->m_timerEnded)
        return;
    bool more = false;
    try {
        more = view->UpdateProgress();
    } catch (...) {
        // Nothing on this thread could handle a failing effect or frame handler; ending the
        // transition keeps the program alive and the view usable.
        more = false;
    }
    if (!more) {
        // The timer is killed on the user-interface thread, which waits for this callback to
        // return: a timer that killed itself here could still be touching a view that is
        // being destroyed or restarted.
        view->m_timerEnded = true;
        view->PostToSelf(TransitionCompletedEvent);
    }
}

void TCustomTransitionView::PostToSelf(int Type)
{
    PostAcrossThreads(this, new TTransitionEvent(Type, m_transition));
}

void TCustomTransitionView::customEvent(QEvent* Event)
{
    AcceptCrossThreadEvent(Event);
    switch (static_cast<int>(Event->type())) {
    case ShowFrameEvent:
        ShowFrame();
        return;
    case ProgressChangedEvent:
        ProgressChanged(static_cast<TTransitionEvent*>(Event)->Transition);
        return;
    case TransitionCompletedEvent:
        TransitionCompleted(static_cast<TTransitionEvent*>(Event)->Transition);
        return;
    default:
        QWidget::customEvent(Event);
    }
}

void TCustomTransitionView::ProgressChanged(uint32_t Transition)
{
    if (Transition == m_transition && m_busy)
        DoProgress();
}

void TCustomTransitionView::TransitionCompleted(uint32_t Transition)
{
    // The end of a transition that was stopped meanwhile must not end the next one.
    if (Transition != m_transition || !m_busy || m_manual)
        return;
    StopTimer();
    Unprepare();
}

void TCustomTransitionView::Stop()
{
    if (!m_busy || m_stopping)
        return;
    m_stopping = true;
    TFinally done { [this] { m_stopping = false; } };
    StopTimer();
    Unprepare();
}

void TCustomTransitionView::Clear()
{
    if (m_busy)
        return;
    {
        std::lock_guard lock(m_frameLock);
        if (m_screenBitmap->Empty())
            return;
        m_screenBitmap->SetSize(0, 0);
        m_pictureRect = TRect {};
        m_displayRect = TRect {};
    }
    update();
}

void TCustomTransitionView::SetManual(bool Value)
{
    if (Value == m_manual)
        return;
    m_manual = Value;
    StopTimer();
    if (!m_busy) {
        m_progress = m_reverse ? 100 : 0;
        return;
    }
    if (!m_manual)
        Animate();
}
