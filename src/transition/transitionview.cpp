// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The view's component model: construction, properties and their setters, events, and the
// selection of the effect by number or name.
#include "transition/transitionview.h"

#include "effects/effects.h"

#include <QEnterEvent>

TColorRef ColorToRGB(TColor color)
{
    if (!(color & 0x80000000))
        return color & 0x00FFFFFF;
    // The classic scheme's values of the system colours a control may be given.
    static constexpr TColorRef SystemColors[] = {
        RGB(212, 208, 200), // 0 scroll bar
        RGB(58, 110, 165), // 1 background
        RGB(10, 36, 106), // 2 active caption
        RGB(128, 128, 128), // 3 inactive caption
        RGB(212, 208, 200), // 4 menu
        RGB(255, 255, 255), // 5 window
        RGB(0, 0, 0), // 6 window frame
        RGB(0, 0, 0), // 7 menu text
        RGB(0, 0, 0), // 8 window text
        RGB(255, 255, 255), // 9 caption text
        RGB(212, 208, 200), // 10 active border
        RGB(212, 208, 200), // 11 inactive border
        RGB(128, 128, 128), // 12 application workspace
        RGB(10, 36, 106), // 13 highlight
        RGB(255, 255, 255), // 14 highlight text
        RGB(212, 208, 200), // 15 button face
        RGB(128, 128, 128), // 16 button shadow
        RGB(128, 128, 128), // 17 grey text
        RGB(0, 0, 0), // 18 button text
    };
    const uint32_t index = color & 0xFF;
    return index < std::size(SystemColors) ? SystemColors[index] : RGB(0, 0, 0);
}

TCustomTransitionView::TCustomTransitionView(QWidget* AOwner)
    : QWidget(AOwner)
    , m_picture(std::make_unique<TPicture>())
    , m_bgPicture(std::make_unique<TPicture>())
    , m_engine(std::make_unique<TTransitionEngine>())
    , m_backBuffer(std::make_unique<TGdiBitmap>(TRowOrder::TopDown))
{
    m_engine->SetStyle(m_style);
    // The view paints every pixel of its client area itself: nothing is erased under it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    m_picture->OnChange = [this] { PictureChange(); };
    m_bgPicture->OnChange = [this] { BgPictureChange(); };
    resize(100, 100);
}

TCustomTransitionView::~TCustomTransitionView()
{
    // Ends a running transition without events; the engine's timer is joined with it. The
    // timer thread never calls into the view, so a derived view may already be gone.
    m_destroying = true;
    Stop();
    m_engine.reset();
    m_picture->OnChange = nullptr;
    m_bgPicture->OnChange = nullptr;
}

void TCustomTransitionView::SetPicture(const TPicture& Value) { m_picture->Assign(Value); }

void TCustomTransitionView::SetBgPicture(const TPicture& Value) { m_bgPicture->Assign(Value); }

void TCustomTransitionView::SetBgMode(TBackgroundMode Value)
{
    if (Value == m_bgMode)
        return;
    m_bgMode = Value;
    if (m_bgPicture->Graphic()) {
        if (m_oldIsBackground && m_engine->Prepared())
            UpdateOldPic();
        update();
    }
}

void TCustomTransitionView::SetFrameColor(TColor Value)
{
    if (Value == m_frameColor)
        return;
    m_frameColor = Value;
    if (m_frameWidth != 0 && !m_engine->Screen().Empty())
        update();
}

void TCustomTransitionView::SetFrameWidth(int32_t Value)
{
    // The border width's range: a negative width would turn the frame inside out.
    Value = std::max(Value, 0);
    if (Value == m_frameWidth)
        return;
    m_frameWidth = Value;
    if (m_autoSize)
        AdjustSize();
    if (m_engine->Screen().Empty())
        return;
    UpdateDisplayRect();
    update();
}

void TCustomTransitionView::SetCenter(bool Value)
{
    if (Value == m_center)
        return;
    m_center = Value;
    UpdateDisplayRect();
    if (!m_engine->Screen().Empty())
        update();
}

void TCustomTransitionView::SetStretch(bool Value)
{
    if (Value == m_stretch)
        return;
    m_stretch = Value;
    UpdateDisplayRect();
    if (!m_engine->Screen().Empty())
        update();
}

void TCustomTransitionView::SetProportional(bool Value)
{
    if (Value == m_proportional)
        return;
    m_proportional = Value;
    UpdateDisplayRect();
    if (!m_engine->Screen().Empty())
        update();
}

void TCustomTransitionView::SetStep(uint16_t Value)
{
    // 0 would never advance; above 100 the step is 99, so that a transition still has a frame
    // between its start and its end.
    if (Value == 0)
        Value = 1;
    else if (Value > 100)
        Value = 99;
    m_step = Value;
}

void TCustomTransitionView::SetColor(TColor Value)
{
    if (Value == m_color)
        return;
    m_color = Value;
    update();
}

void TCustomTransitionView::SetAutoSize(bool Value)
{
    if (Value == m_autoSize)
        return;
    m_autoSize = Value;
    if (m_autoSize)
        AdjustSize();
}

bool TCustomTransitionView::Empty() const
{
    const TGraphic* graphic = m_picture->Graphic();
    return !graphic || graphic->Empty();
}

void TCustomTransitionView::SetStyle(int Value)
{
    if (Value < 0 || Value > EffectCount || Value == m_style)
        return;
    m_style = static_cast<TShowStyle>(Value);
    m_engine->SetStyle(m_style);
    if (m_busy && m_manual && !m_stopping) {
        m_engine->Recompose();
        update(QRect(m_displayRect.Left, m_displayRect.Top, m_displayRect.Width(), m_displayRect.Height()));
    }
}

QString TCustomTransitionView::StyleName() const
{
    const TShowStyle style = m_style;
    if (style == 0)
        return QStringLiteral("Custom");
    return QString::fromLatin1(TransitionEffects[style - 1].Name);
}

void TCustomTransitionView::SetStyleName(const QString& Value)
{
    if (Value.compare(QLatin1String("Custom"), Qt::CaseInsensitive) == 0) {
        SetStyle(0);
        return;
    }
    // The first entry of that name wins: two names occur twice in the table.
    for (int style = 1; style <= EffectCount; ++style) {
        if (Value.compare(QLatin1String(TransitionEffects[style - 1].Name), Qt::CaseInsensitive) == 0) {
            SetStyle(style);
            return;
        }
    }
}

int TCustomTransitionView::GetStyleNames(QStringList& List)
{
    List.reserve(List.size() + EffectCount);
    for (const TEffect& effect : TransitionEffects)
        List.append(QString::fromLatin1(effect.Name));
    return EffectCount;
}

TRect TCustomTransitionView::DisplayRect() const { return m_displayRect; }

TRect TCustomTransitionView::PictureRect() const { return m_pictureRect; }

void TCustomTransitionView::SetTickSource(TTickSource Source) { m_tickSource = std::move(Source); }

void TCustomTransitionView::SetTimerCapsSource(TTimerCapsSource Source)
{
    m_timerCapsSource = std::move(Source);
}


void TCustomTransitionView::PictureChange()
{
    if (m_destroying)
        return;
    if (m_picture->Graphic() && m_autoSize)
        AdjustSize();
    DoChange();
}

void TCustomTransitionView::BgPictureChange()
{
    if (m_bgMode == bmNone)
        return;
    if (m_oldIsBackground && m_engine->Prepared())
        UpdateOldPic();
    update();
}

void TCustomTransitionView::AdjustSize()
{
    int newWidth = width();
    int newHeight = height();
    if (CanAutoSize(newWidth, newHeight) && (newWidth != width() || newHeight != height()))
        resize(std::max(newWidth, 0), std::max(newHeight, 0));
}

void TCustomTransitionView::enterEvent(QEnterEvent* Event)
{
    QWidget::enterEvent(Event);
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TCustomTransitionView::leaveEvent(QEvent* Event)
{
    QWidget::leaveEvent(Event);
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TCustomTransitionView::DoChange()
{
    if (OnChange)
        OnChange(this);
}

void TCustomTransitionView::DoProgress()
{
    if (OnProgress)
        OnProgress(this);
}

void TCustomTransitionView::DoComplete()
{
    if (OnComplete)
        OnComplete(this);
}

void TCustomTransitionView::DoStart(TGdiBitmap& Picture, TGdiBitmap& Screen)
{
    if (OnStart)
        OnStart(this, Picture, Screen);
}

void TCustomTransitionView::DoStop()
{
    if (OnStop)
        OnStop(this);
}
