// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
//
// Layout and painting of the view: the display rectangle, the background modes, the frame,
// and the back buffer that the raster layer draws and Qt shows as it is.
#include "transition/transitionview.h"

#include "platform/system/scopeexit.h"

#include <QPaintEvent>
#include <QPaintEngine>
#include <QPainter>
#include <cstring>

namespace {

// Saves the device context's state and restores it when the scope ends, also on exceptions.
class TSavedDC {
public:
    explicit TSavedDC(HDC dc)
        : m_dc(dc)
        , m_level(SaveDC(dc))
    {
    }
    ~TSavedDC() { RestoreDC(m_dc, m_level); }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;

private:
    HDC m_dc;
    int32_t m_level;
};

bool Contains(const TRect& outer, const TRect& inner)
{
    return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right
        && inner.Bottom <= outer.Bottom;
}

} // namespace

TRect TCustomTransitionView::DisplayRectFor(int32_t PictureWidth, int32_t PictureHeight) const
{
    const int32_t cw = width() - 2 * m_frameWidth;
    const int32_t ch = height() - 2 * m_frameWidth;
    const int32_t pw = PictureWidth;
    const int32_t ph = PictureHeight;
    int32_t w;
    int32_t h;
    if (m_proportional && pw > 0 && ph > 0 && (m_stretch || cw < pw || ch < ph)) {
        if (double(ch) / ph > double(cw) / pw) {
            w = cw;
            h = MulDiv(ph, cw, pw);
        } else {
            h = ch;
            w = MulDiv(pw, ch, ph);
        }
    } else if (m_stretch) {
        w = cw;
        h = ch;
    } else {
        w = pw;
        h = ph;
    }
    int32_t dx = m_frameWidth;
    int32_t dy = m_frameWidth;
    if (m_center) {
        dx += (cw - w) / 2;
        dy += (ch - h) / 2;
    }
    return TRect { dx, dy, dx + w, dy + h };
}

void TCustomTransitionView::UpdateDisplayRect()
{
    m_displayRect = DisplayRectFor(m_pictureRect.Width(), m_pictureRect.Height());
    if (m_oldIsBackground && m_engine->Prepared())
        UpdateOldPic();
}

void TCustomTransitionView::UpdateOldPic()
{
    const TRect display = m_displayRect;
    // Drawn outside the engine's lock: a running timer only waits for the copy into the start
    // image. With nothing of the view under the picture, the plain colour is all there is.
    TGdiBitmap under(std::max(display.Width(), 0), std::max(display.Height(), 0));
    if (!under.Empty()) {
        SetViewportOrgEx(under.DC(), -display.Left, -display.Top, nullptr);
        DrawBackground(under.DC(), TRect { 0, 0, width(), height() });
        SetViewportOrgEx(under.DC(), 0, 0, nullptr);
    }
    m_engine->SetStartImage(under, ColorToRGB(m_color));
    // While Prepare builds the start image there is no frame on show to recompose yet.
    if (m_busy && m_manual && !m_stopping && !m_preparing)
        m_engine->Recompose();
}

void TCustomTransitionView::DrawBackground(HDC Canvas, const TRect& Rect)
{
    if (!RectVisible(Canvas, &Rect))
        return;
    // Drawing may make the graphic signal a change, which must not cause another repaint.
    m_bgPicture->OnChange = nullptr;
    const TScopeExit restore([this] { m_bgPicture->OnChange = [this] { BgPictureChange(); }; });

    const TGraphic* graphic = m_bgPicture->Graphic();
    const TBackgroundMode mode = graphic && !graphic->Empty() ? m_bgMode : bmNone;
    switch (mode) {
    case bmTiled:
        DrawTile(Canvas, Rect, *graphic);
        break;
    case bmStretched:
        graphic->Draw(Canvas, Rect);
        break;
    case bmCentered: {
        const int32_t left = (Rect.Width() - graphic->Width()) / 2;
        const int32_t top = (Rect.Height() - graphic->Height()) / 2;
        const TRect centred { left, top, left + graphic->Width(), top + graphic->Height() };
        graphic->Draw(Canvas, centred);
        TSavedDC saved(Canvas);
        ExcludeClipRect(Canvas, centred.Left, centred.Top, centred.Right, centred.Bottom);
        FillRect(Canvas, Rect, ColorToRGB(m_color));
        break;
    }
    case bmNone:
        FillRect(Canvas, Rect, ColorToRGB(m_color));
        break;
    }
}

void TCustomTransitionView::DrawTile(HDC Canvas, const TRect& Rect, const TGraphic& Graphic)
{
    const int32_t GW = Graphic.Width();
    const int32_t GH = Graphic.Height();
    TSavedDC saved(Canvas);
    IntersectClipRect(Canvas, Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
    TRect clip;
    if (GetClipBox(Canvas, &clip) == NULLREGION || clip.IsEmpty())
        return;
    // The tiles sit on one grid anchored at Rect's corner, whatever part is repainted.
    clip.Left -= (clip.Left - Rect.Left) % GW;
    clip.Top -= (clip.Top - Rect.Top) % GH;
    for (int32_t y = clip.Top; y < clip.Bottom; y += GH) {
        for (int32_t x = clip.Left; x < clip.Right; x += GW) {
            const TRect tile { x, y, x + GW, y + GH };
            if (RectVisible(Canvas, &tile))
                Graphic.Draw(Canvas, tile);
        }
    }
}

void TCustomTransitionView::Draw(HDC Canvas)
{
    const TRect client { 0, 0, width(), height() };
    TGdiBitmap& screen = m_engine->Screen();
    if (screen.Empty()) {
        DrawBackground(Canvas, client);
        return;
    }
    TRect frame = m_displayRect;
    if (RectVisible(Canvas, &frame)) {
        SetStretchBltMode(Canvas, COLORONCOLOR);
        StretchBlt(Canvas, frame.Left, frame.Top, frame.Width(), frame.Height(), screen.DC(),
            m_pictureRect.Left, m_pictureRect.Top, m_pictureRect.Width(), m_pictureRect.Height(), SRCCOPY);
    }
    if (m_frameWidth != 0) {
        frame = TRect { frame.Left - m_frameWidth, frame.Top - m_frameWidth, frame.Right + m_frameWidth,
            frame.Bottom + m_frameWidth };
        if (RectVisible(Canvas, &frame)) {
            TSavedDC saved(Canvas);
            SetPen(Canvas, ColorToRGB(m_frameColor), m_frameWidth, TPenStyle::InsideFrame);
            SetBrushStyle(Canvas, TBrushStyle::Clear);
            Rectangle(Canvas, frame.Left, frame.Top, frame.Right, frame.Bottom);
        }
    }
    // The background is never painted under the picture or its frame.
    TSavedDC saved(Canvas);
    ExcludeClipRect(Canvas, frame.Left, frame.Top, frame.Right, frame.Bottom);
    DrawBackground(Canvas, client);
}

namespace {

// The device that a painter on a widget really draws on: the window's backing store (or the
// image that the widget is rendered into), when it is a plain image in memory that this paint
// may write straight into. `offset` answers where the widget's (0, 0) lies in it: the region
// being painted, in the widget's coordinates, must be exactly the engine's clip in the image's,
// moved, so that no pixel outside what Qt would paint is touched. Else null.
QImage* DirectTarget(QPainter& painter, const QRegion& region, QPoint& offset)
{
    QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || !engine->paintDevice()
        || engine->paintDevice()->devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(engine->paintDevice());
    if ((image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied)
        || image->devicePixelRatio() != 1.0 || !image->isDetached() || painter.deviceTransform().type() > QTransform::TxTranslate)
        return nullptr;
    const QRegion clip = engine->systemClip();
    if (clip.isEmpty() || region.isEmpty())
        return nullptr;
    offset = clip.boundingRect().topLeft() - region.boundingRect().topLeft();
    if (region.translated(offset) != clip || !image->rect().contains(clip.boundingRect()))
        return nullptr;
    return image;
}

} // namespace

void TCustomTransitionView::paintEvent(QPaintEvent* Event)
{
    const int32_t w = width();
    const int32_t h = height();
    if (w <= 0 || h <= 0)
        return;
    const QRect bounds = Event->rect() & rect();
    const TRect area { bounds.left(), bounds.top(), bounds.right() + 1, bounds.bottom() + 1 };
    QPainter painter(this);
    {
        const auto frameLock = m_engine->LockFrame();
        const TGdiBitmap& screen = m_engine->Screen();
        QPoint offset;
        QImage* direct = nullptr;
        if (!screen.Empty() && Contains(m_displayRect, area) && m_displayRect.Width() == screen.Width()
            && m_displayRect.Height() == screen.Height() && Event->region() == QRegion(bounds)
            && (direct = DirectTarget(painter, Event->region(), offset))) {
            // The one copy of a frame shown at its own size: its rows straight into the window's
            // pixels, turned top-down on the way.
            const size_t rowBytes = size_t(area.Width()) * 4;
            const qsizetype stride = direct->bytesPerLine();
            uchar* out = direct->bits() + (area.Top + offset.y()) * stride + (area.Left + offset.x()) * 4;
            for (int32_t y = area.Top; y < area.Bottom; ++y, out += stride)
                std::memcpy(out, screen.ScanLine(y - m_displayRect.Top) + (area.Left - m_displayRect.Left), rowBytes);
            return;
        }
    }
    if (m_backBuffer->Width() != w || m_backBuffer->Height() != h) {
        m_backBuffer->SetSize(w, h);
        // The back buffer's rows run top-down, as Qt's do: Qt reads its memory as it is.
        m_presentImage = QImage(m_backBuffer->Bits(), w, h, qsizetype(w) * 4, QImage::Format_RGB32);
    }
    HDC dc = m_backBuffer->DC();
    {
        const auto frameLock = m_engine->LockFrame();
        TGdiBitmap& screen = m_engine->Screen();
        TSavedDC saved(dc);
        IntersectClipRect(dc, area.Left, area.Top, area.Right, area.Bottom);
        if (!screen.Empty() && Contains(m_displayRect, area)) {
            // Inside the picture only the frame on show can be seen: one scaled copy of the
            // exposed part.
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchBlt(dc, m_displayRect.Left, m_displayRect.Top, m_displayRect.Width(), m_displayRect.Height(),
                screen.DC(), 0, 0, screen.Width(), screen.Height(), SRCCOPY);
        } else {
            Draw(dc);
        }
    }
    painter.drawImage(bounds, m_presentImage, bounds);
}

void TCustomTransitionView::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    UpdateDisplayRect();
    if (!m_engine->Screen().Empty())
        update();
}

bool TCustomTransitionView::CanAutoSize(int& NewWidth, int& NewHeight)
{
    const TGraphic* graphic = m_picture->Graphic();
    if (!graphic || m_align == TAlign::alClient)
        return true;
    if (m_align != TAlign::alTop && m_align != TAlign::alBottom)
        NewWidth = graphic->Width() + 2 * m_frameWidth;
    if (m_align != TAlign::alLeft && m_align != TAlign::alRight)
        NewHeight = graphic->Height() + 2 * m_frameWidth;
    return true;
}

void TCustomTransitionView::RepaintRect(const TRect& Rect)
{
    if (!Rect.IsEmpty())
        repaint(QRect(Rect.Left, Rect.Top, Rect.Width(), Rect.Height()));
}
