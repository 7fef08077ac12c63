// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// The transition view: a widget that shows one picture and, when told to, replaces it with the
// next through an animated transition drawn by one of the 172 effects or by the application.
// Frames are composed at the picture's own size into ScreenBitmap and scaled to DisplayRect
// only when shown. The view owns a transition engine (transitionengine.h) that holds the
// working bitmaps and, with Threaded on, advances the transition and composes the frames on a
// timer thread; the user-interface thread shows them and runs the progress and end events.
#pragma once

#include "platform/gdi/gdi.h"
#include "platform/graphics/picture.h"
#include "transition/transitionengine.h"

#include <QImage>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

// A colour as the class library keeps it: 0x00BBGGRR, or a system colour with the top bit set.
using TColor = uint32_t;
constexpr TColor clActiveBorder = 0x8000000A;
constexpr TColor clBtnFace = 0x8000000F;
// The colour a TColor stands for; system colours take the classic desktop scheme's values.
TColorRef ColorToRGB(TColor color);

// Where a control sits in its parent, as far as it decides how the control may size itself.
enum class TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TCustomTransitionView : public QWidget {
    Q_OBJECT
    // The settings that TTransitionView and TDBTransitionView publish, as Qt properties, so that
    // QObject::setProperty and Qt Designer reach them.
    Q_PROPERTY(TBackgroundMode BgMode READ BgMode WRITE SetBgMode)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(int Delay READ Delay WRITE SetDelayInt)
    Q_PROPERTY(bool ExactTiming READ ExactTiming WRITE SetExactTiming)
    Q_PROPERTY(uint FrameColor READ FrameColor WRITE SetFrameColor)
    Q_PROPERTY(int FrameWidth READ FrameWidth WRITE SetFrameWidth)
    Q_PROPERTY(bool Manual READ Manual WRITE SetManual)
    Q_PROPERTY(bool OverDraw READ OverDraw WRITE SetOverDraw)
    Q_PROPERTY(bool Proportional READ Proportional WRITE SetProportional)
    Q_PROPERTY(bool Reverse READ Reverse WRITE SetReverse)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
    Q_PROPERTY(int Step READ Step WRITE SetStepInt)
    Q_PROPERTY(int Style READ Style WRITE SetStyle)
    Q_PROPERTY(QString StyleName READ StyleName WRITE SetStyleName STORED false)
    Q_PROPERTY(bool Threaded READ Threaded WRITE SetThreaded)
    Q_PROPERTY(uint Color READ Color WRITE SetColor)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
public:
    enum TBackgroundMode : uint8_t { bmNone = 0, bmTiled = 1, bmStretched = 2, bmCentered = 3 };
    Q_ENUM(TBackgroundMode)

    using TNotifyEvent = std::function<void(QObject* Sender)>;
    using TCustomDrawEvent = std::function<void(QObject* Sender, TGdiBitmap& Picture, TGdiBitmap& Screen)>;
    // The tick count in milliseconds that paces a transition (GetTickCount by default).
    using TTickSource = std::function<uint32_t()>;
    // Reads the timer's capabilities; false when they cannot be read.
    using TTimerCapsSource = std::function<bool(TTimeCaps&)>;

    explicit TCustomTransitionView(QWidget* AOwner = nullptr);
    ~TCustomTransitionView() override;

    // Events. The frame events (OnBeforeNewFrame, OnCustomDraw, OnAfterNewFrame) are handed to
    // the engine as they are when a transition starts, and run on the timer thread.
    TNotifyEvent OnChange;
    TNotifyEvent OnProgress;
    TNotifyEvent OnComplete;
    TCustomDrawEvent OnCustomDraw;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TCustomDrawEvent OnBeforeNewFrame;
    TCustomDrawEvent OnAfterNewFrame;
    TCustomDrawEvent OnStart;
    TNotifyEvent OnStop;

    // Properties.
    TPicture& Picture() { return *m_picture; }
    void SetPicture(const TPicture& Value);
    TPicture& BgPicture() { return *m_bgPicture; }
    void SetBgPicture(const TPicture& Value);
    TBackgroundMode BgMode() const { return m_bgMode; }
    void SetBgMode(TBackgroundMode Value);
    TColor FrameColor() const { return m_frameColor; }
    void SetFrameColor(TColor Value);
    int32_t FrameWidth() const { return m_frameWidth; }
    void SetFrameWidth(int32_t Value);
    bool Center() const { return m_center; }
    void SetCenter(bool Value);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool Value);
    bool Proportional() const { return m_proportional; }
    void SetProportional(bool Value);
    bool OverDraw() const { return m_overDraw; }
    void SetOverDraw(bool Value) { m_overDraw = Value; }
    bool Threaded() const { return m_threaded; }
    void SetThreaded(bool Value) { m_threaded = Value; }
    bool Manual() const { return m_manual; }
    void SetManual(bool Value);
    TShowStyle Style() const { return m_style; }
    void SetStyle(int Value);
    QString StyleName() const;
    void SetStyleName(const QString& Value);
    uint16_t Step() const { return m_step; }
    void SetStep(uint16_t Value);
    uint16_t Delay() const { return m_delay; }
    void SetDelay(uint16_t Value) { m_delay = Value; }
    TPercent Progress() const { return m_engine->Progress(); }
    // The application's writer of Progress: composes and shows the frame at once.
    void SetProgress(int Value);
    bool Reverse() const { return m_reverse; }
    void SetReverse(bool Value) { m_reverse = Value; }
    bool ExactTiming() const { return m_exactTiming; }
    void SetExactTiming(bool Value) { m_exactTiming = Value; }
    bool Busy() const { return m_busy; }
    bool Empty() const;

    // Inherited properties of the class library's controls that the view's behaviour reads.
    TColor Color() const { return m_color; }
    void SetColor(TColor Value);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool Value);
    TAlign Align() const { return m_align; }
    void SetAlign(TAlign Value) { m_align = Value; }

    // Appends the 172 effect names in table order; returns how many were added.
    static int GetStyleNames(QStringList& List);

    virtual void Execute();
    virtual void Stop();
    virtual void Clear();

    // The frame on show and where it is shown, for tests and tools.
    const TGdiBitmap& ScreenBitmap() const { return m_engine->Screen(); }
    TRect DisplayRect() const;
    TRect PictureRect() const;
    // Where a picture of that size would be shown with the settings and the size the view has
    // now: an application can load a picture no larger than it will be shown.
    TRect DisplayRectFor(int32_t PictureWidth, int32_t PictureHeight) const;

    // Tests drive time and the timer's capabilities through these; the defaults are the real ones.
    void SetTickSource(TTickSource Source);
    void SetTimerCapsSource(TTimerCapsSource Source);

protected:
    virtual void DrawBackground(HDC Canvas, const TRect& Rect);
    // The full paint; called with the engine's frame locked.
    virtual void Draw(HDC Canvas);
    virtual void DoChange();
    virtual void DoProgress();
    virtual void DoComplete();
    virtual void DoStart(TGdiBitmap& Picture, TGdiBitmap& Screen);
    virtual void DoStop();
    // Answers the size the control takes for its picture and frame (Align permitting).
    virtual bool CanAutoSize(int& NewWidth, int& NewHeight);

    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void enterEvent(QEnterEvent* Event) override;
    void leaveEvent(QEvent* Event) override;
    void customEvent(QEvent* Event) override;

    bool Destroying() const { return m_destroying; }

private:
    // A Word property: values outside 0 … 65535 keep their low 16 bits, as a Word store does.
    void SetDelayInt(int Value) { SetDelay(static_cast<uint16_t>(Value)); }
    void SetStepInt(int Value) { SetStep(static_cast<uint16_t>(Value)); }

private:
    void PictureChange();
    void BgPictureChange();
    void AdjustSize();
    void UpdateDisplayRect();
    void UpdateOldPic();
    void DrawTile(HDC Canvas, const TRect& Rect, const TGraphic& Graphic);

    void Prepare();
    void Unprepare();
    void Animate();
    TTransitionHooks Hooks();
    void ShowFrame();
    void ProgressChanged(uint32_t Transition);
    void TransitionCompleted(uint32_t Transition);
    uint32_t TickCount() const;
    void RepaintRect(const TRect& Rect);

    std::unique_ptr<TPicture> m_picture;
    std::unique_ptr<TPicture> m_bgPicture;
    TBackgroundMode m_bgMode = bmTiled;
    TColor m_frameColor = clActiveBorder;
    int32_t m_frameWidth = 0;
    bool m_center = false;
    bool m_stretch = false;
    bool m_proportional = false;
    bool m_overDraw = true;
    bool m_threaded = true;
    bool m_manual = false;
    TShowStyle m_style = 51;
    uint16_t m_step = 4;
    uint16_t m_delay = 40;
    bool m_reverse = false;
    bool m_busy = false;
    bool m_exactTiming = false;
    TColor m_color = clBtnFace;
    bool m_autoSize = false;
    TAlign m_align = TAlign::alNone;

    TRect m_displayRect;
    TRect m_pictureRect;
    bool m_stopping = false;
    bool m_oldIsBackground = false;
    bool m_destroying = false;
    bool m_preparing = false;
    // The working bitmaps, the progress and the timer: the only part the timer thread sees.
    std::unique_ptr<TTransitionEngine> m_engine;
    // The client area's pixels, drawn by the raster layer in top-down rows, and a QImage over
    // the same memory: Qt takes them as they are.
    std::unique_ptr<TGdiBitmap> m_backBuffer;
    QImage m_presentImage;
    TTickSource m_tickSource;
    TTimerCapsSource m_timerCapsSource;
};

// The view as applications place it: the behaviour of the custom view with its settings
// published.
class TTransitionView : public TCustomTransitionView {
    Q_OBJECT
public:
    using TCustomTransitionView::TCustomTransitionView;
};

using TBackgroundMode = TCustomTransitionView::TBackgroundMode;
constexpr TBackgroundMode bmNone = TCustomTransitionView::bmNone;
constexpr TBackgroundMode bmTiled = TCustomTransitionView::bmTiled;
constexpr TBackgroundMode bmStretched = TCustomTransitionView::bmStretched;
constexpr TBackgroundMode bmCentered = TCustomTransitionView::bmCentered;
