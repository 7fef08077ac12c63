// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// How the view runs a transition through its engine: preparing it, driving Progress from the
// timer or a message-pumping loop, the messages the timer thread posts, stopping and ending.
#include "transition/transitionview.h"

#include "platform/system/crossthreadevent.h"
#include "platform/system/mmtimer.h"
#include "platform/system/scopeexit.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

// A message of the engine as a Qt event, tagged with the transition it belongs to.
constexpr int EventType(TTransitionMessage message) { return QEvent::User + static_cast<int>(message); }

class TTransitionEvent : public QEvent {
public:
    TTransitionEvent(TTransitionMessage message, uint32_t transition)
        : QEvent(static_cast<QEvent::Type>(EventType(message)))
        , Transition(transition)
    {
    }
    const uint32_t Transition;
};

} // namespace

void TCustomTransitionView::Execute()
{
    // A picture without pixels has nothing to show: the transition does not start.
    if (Empty() || m_busy)
        return;
    m_busy = true;
    try {
        Prepare();
        if (!m_manual && !m_stopping)
            Animate();
    } catch (...) {
        m_engine->End();
        m_busy = false;
        throw;
    }
}

TTransitionHooks TCustomTransitionView::Hooks()
{
    TTransitionHooks hooks;
    // The events as they are now, with the view as their sender: the timer thread calls these
    // copies and never the view itself.
    auto bind = [this](const TCustomDrawEvent& event) -> TFrameHooks::TDraw {
        if (!event)
            return {};
        return [event, sender = static_cast<QObject*>(this)](TGdiBitmap& picture, TGdiBitmap& screen) {
            event(sender, picture, screen);
        };
    };
    hooks.Frame = { bind(OnBeforeNewFrame), bind(OnCustomDraw), bind(OnAfterNewFrame) };
    // Qt's event queue is the one thing of the view the timer thread touches.
    hooks.Post = [receiver = static_cast<QObject*>(this)](TTransitionMessage message, uint32_t transition) {
        PostAcrossThreads(receiver, new TTransitionEvent(message, transition));
    };
    hooks.TickCount = m_tickSource;
    hooks.TimerCaps = m_timerCapsSource;
    return hooks;
}

void TCustomTransitionView::Prepare()
{
    const TGraphic& graphic = *m_picture->Graphic();
    const int32_t W = graphic.Width();
    const int32_t H = graphic.Height();
    auto pictureBitmap = std::make_unique<TGdiBitmap>();
    pictureBitmap->SetSize(W, H, ColorToRGB(m_color));
    {
        // Drawing may make the graphic signal a change; that is no change of Picture.
        m_picture->OnChange = nullptr;
        const TScopeExit restore([this] { m_picture->OnChange = [this] { PictureChange(); }; });
        graphic.Draw(pictureBitmap->DC(), 0, 0);
    }
    m_oldIsBackground = m_engine->Begin(std::move(pictureBitmap), m_overDraw, Hooks());
    m_pictureRect = TRect { 0, 0, W, H };
    {
        m_preparing = true;
        const TScopeExit prepared([this] { m_preparing = false; });
        UpdateDisplayRect(); // draws the start image when it comes from the background
    }
    m_engine->ShowStart(m_reverse);
    update();
    DoStart(m_engine->Picture(), m_engine->Start());
}

void TCustomTransitionView::Unprepare()
{
    m_busy = false;
    m_engine->End();
    if (m_destroying)
        return;
    if (!m_stopping)
        DoComplete();
    DoStop();
}

void TCustomTransitionView::Animate()
{
    m_engine->Configure({ m_step, m_delay, m_reverse, m_exactTiming });
    if (m_threaded) {
        // The property reads back the period in force, as the platform's control does.
        m_delay = m_engine->StartTimer();
        return;
    }
    const uint32_t transition = m_engine->Transition();
    while (true) {
        bool changed = false;
        const bool more = m_engine->Advance(changed);
        if (changed) {
            ShowFrame();
            DoProgress();
        }
        if (!more || m_manual || !m_busy || m_engine->Transition() != transition)
            break;
        const uint32_t deadline = TickCount() + m_delay;
        do
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        while (static_cast<int32_t>(deadline - TickCount()) > 0 && m_busy && m_engine->Transition() == transition);
        if (!m_busy || m_engine->Transition() != transition)
            break;
    }
    if (m_busy && !m_manual && m_engine->Transition() == transition)
        Unprepare();
}

void TCustomTransitionView::SetProgress(int Value)
{
    if (!m_busy || !m_engine->SetProgress(Value))
        return;
    ShowFrame();
    DoProgress();
}

void TCustomTransitionView::ShowFrame()
{
    m_engine->TakeNewFrame();
    RepaintRect(m_displayRect);
}

void TCustomTransitionView::customEvent(QEvent* Event)
{
    AcceptCrossThreadEvent(Event);
    const int type = static_cast<int>(Event->type());
    if (type == EventType(TTransitionMessage::ProgressChanged))
        ProgressChanged(static_cast<TTransitionEvent*>(Event)->Transition);
    else if (type == EventType(TTransitionMessage::TransitionCompleted))
        TransitionCompleted(static_cast<TTransitionEvent*>(Event)->Transition);
    else
        QWidget::customEvent(Event);
}

void TCustomTransitionView::ProgressChanged(uint32_t Transition)
{
    // One repaint shows however many frames were composed since the last; a frame composed just
    // before a Stop is still shown.
    if (m_engine->TakeNewFrame())
        RepaintRect(m_displayRect);
    if (Transition == m_engine->Transition() && m_busy)
        DoProgress();
}

void TCustomTransitionView::TransitionCompleted(uint32_t Transition)
{
    // The end of a transition that was stopped meanwhile must not end the next one.
    if (Transition != m_engine->Transition() || !m_busy || m_manual)
        return;
    m_engine->StopTimer();
    Unprepare();
}

void TCustomTransitionView::Stop()
{
    if (!m_busy || m_stopping)
        return;
    m_stopping = true;
    const TScopeExit done([this] { m_stopping = false; });
    m_engine->StopTimer();
    Unprepare();
}

void TCustomTransitionView::Clear()
{
    if (m_busy || m_engine->Screen().Empty())
        return;
    m_engine->Clear();
    m_pictureRect = TRect {};
    m_displayRect = TRect {};
    update();
}

void TCustomTransitionView::SetManual(bool Value)
{
    if (Value == m_manual)
        return;
    m_manual = Value;
    m_engine->StopTimer();
    if (!m_busy) {
        m_engine->ResetProgress(m_reverse);
        return;
    }
    if (!m_manual)
        Animate();
}

uint32_t TCustomTransitionView::TickCount() const { return m_tickSource ? m_tickSource() : GetTickCount(); }
