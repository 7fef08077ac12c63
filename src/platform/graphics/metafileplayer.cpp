// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "platform/graphics/metafileplayer.h"
#include "platform/graphics/bmpcodec.h"

#include "platform/system/exception.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fail(const std::string& what)
{
    throw EInvalidGraphic("Invalid metafile: " + what);
}

constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr uint32_t EmfSignature = 0x464D4520; // " EMF"
constexpr double ScreenDpi = 96.0;

// Little-endian reads that answer 0 past the end, so a short record cannot read out of bounds;
// every record checks its own length before it trusts what it reads.
struct TReader {
    std::span<const uint8_t> Data;

    bool Has(size_t offset, size_t count) const
    {
        return offset <= Data.size() && count <= Data.size() - offset;
    }
    uint8_t U8(size_t at) const { return at < Data.size() ? Data[at] : 0; }
    uint16_t U16(size_t at) const { return uint16_t(U8(at) | U8(at + 1) << 8); }
    int16_t S16(size_t at) const { return int16_t(U16(at)); }
    uint32_t U32(size_t at) const { return uint32_t(U16(at)) | uint32_t(U16(at + 2)) << 16; }
    int32_t S32(size_t at) const { return int32_t(U32(at)); }
    float F32(size_t at) const
    {
        const uint32_t bits = U32(at);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return std::isfinite(value) ? value : 0.0f;
    }
    std::span<const uint8_t> Bytes(size_t at, size_t count) const
    {
        return Has(at, count) ? Data.subspan(at, count) : std::span<const uint8_t>();
    }
};

// ----------------------------------------------------------------------------------------
// Drawing state shared by both formats

enum : uint32_t {
    MM_TEXT = 1,
    MM_LOMETRIC = 2,
    MM_HIMETRIC = 3,
    MM_LOENGLISH = 4,
    MM_HIENGLISH = 5,
    MM_TWIPS = 6,
    MM_ISOTROPIC = 7,
    MM_ANISOTROPIC = 8,
};

enum : uint32_t { TA_UPDATECP = 1, TA_RIGHT = 2, TA_CENTER = 6, TA_BOTTOM = 8, TA_BASELINE = 24 };
enum : uint32_t { ETO_OPAQUE = 2, ETO_CLIPPED = 4 };

QColor ColorFromRef(uint32_t ref)
{
    return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

struct TLogFont {
    int32_t Height = 0;
    int32_t Escapement = 0;
    int32_t Weight = 400;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    QString Face;
};

struct TObject {
    enum TKind : uint8_t { None, Pen, Brush, Font, Other };
    TObject() = default;
    explicit TObject(TKind kind)
        : Kind(kind)
    {
    }
    TKind Kind = None;
    QPen PenValue;
    QBrush BrushValue;
    TLogFont FontValue;
};

struct TState {
    uint32_t MapMode = MM_TEXT;
    QPointF WindowOrg { 0, 0 };
    QPointF WindowExt { 1, 1 };
    QPointF ViewportOrg { 0, 0 };
    QPointF ViewportExt { 1, 1 };
    QTransform World;
    QPen Pen { QColor(Qt::black), 0 };
    QBrush Brush { QColor(Qt::white) };
    TLogFont Font;
    QColor TextColor { Qt::black };
    QColor BkColor { Qt::white };
    bool BkOpaque = true;
    Qt::FillRule FillRule = Qt::OddEvenFill;
    uint32_t TextAlign = 0;
    QPointF Position;
};

QPen MakePen(uint32_t style, double width, uint32_t colour)
{
    const uint32_t kind = style & 0x0F;
    if (kind == 5) // PS_NULL
        return QPen(Qt::NoPen);
    QPen pen(ColorFromRef(colour));
    pen.setWidthF(std::max(width, 0.0));
    if (width <= 0)
        pen.setCosmetic(true);
    switch (kind) {
    case 1:
        pen.setStyle(Qt::DashLine);
        break;
    case 2:
        pen.setStyle(Qt::DotLine);
        break;
    case 3:
        pen.setStyle(Qt::DashDotLine);
        break;
    case 4:
        pen.setStyle(Qt::DashDotDotLine);
        break;
    default:
        pen.setStyle(Qt::SolidLine);
        break;
    }
    // Geometric pens: round ends and joins unless the style says otherwise.
    const uint32_t cap = style & 0x0F00;
    pen.setCapStyle(cap == 0x0100 ? Qt::SquareCap : cap == 0x0200 ? Qt::FlatCap : Qt::RoundCap);
    const uint32_t join = style & 0xF000;
    pen.setJoinStyle(join == 0x1000 ? Qt::BevelJoin
            : join == 0x2000        ? Qt::MiterJoin
                                    : Qt::RoundJoin);
    return pen;
}

QBrush MakeBrush(uint32_t style, uint32_t colour, uint32_t hatch)
{
    switch (style) {
    case 0:
        return QBrush(ColorFromRef(colour));
    case 1:
        return QBrush(Qt::NoBrush);
    case 2: {
        static const Qt::BrushStyle hatches[] = { Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
            Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern };
        return QBrush(ColorFromRef(colour), hatch < 6 ? hatches[hatch] : Qt::SolidPattern);
    }
    default:
        // Pattern brushes: a mid grey stands in for the pattern we do not decode.
        return QBrush(QColor(128, 128, 128));
    }
}

// A device-independent bitmap (BITMAPINFO and pixels) as an image; null when it cannot be read.
// The bitmap codec reads it once it has a file header in front.
QImage DecodeDib(std::span<const uint8_t> info, std::span<const uint8_t> bits, QSize* fullSize)
{
    const TReader r { info };
    if (!r.Has(0, 12))
        return {};
    const uint32_t headerSize = r.U32(0);
    if (headerSize < 12 || headerSize > info.size())
        return {};
    uint32_t bitCount;
    uint32_t colours;
    size_t extra = 0;
    int64_t width;
    int64_t height;
    if (headerSize == 12) {
        width = r.U16(4);
        height = r.U16(6);
        bitCount = r.U16(10);
        colours = bitCount <= 8 ? 1u << bitCount : 0;
        extra = size_t(colours) * 3;
    } else {
        if (headerSize < 40)
            return {};
        width = r.S32(4);
        height = r.S32(8);
        bitCount = r.U16(14);
        const uint32_t compression = r.U32(16);
        colours = r.U32(32);
        if (colours == 0 && bitCount <= 8)
            colours = 1u << bitCount;
        if (colours > 256 && bitCount <= 8)
            return {};
        if (headerSize == 40 && compression == 3)
            extra = 12;
        else if (headerSize == 40 && compression == 6)
            extra = 16;
        extra += size_t(std::min<uint32_t>(colours, 1u << 16)) * 4;
    }
    if (width <= 0 || height == 0)
        return {};
    // The pixels follow the colour table, either in `info` itself or in `bits`.
    const size_t pixelsAt = headerSize + extra;
    std::string file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    const size_t total = 14 + (bits.empty() ? info.size() : pixelsAt + bits.size());
    const size_t offset = 14 + pixelsAt;
    for (int i = 0; i < 4; ++i) {
        file[size_t(2 + i)] = char((total >> (8 * i)) & 0xFF);
        file[size_t(10 + i)] = char((offset >> (8 * i)) & 0xFF);
    }
    if (bits.empty()) {
        file.append(reinterpret_cast<const char*>(info.data()), info.size());
    } else {
        if (pixelsAt > info.size())
            return {};
        file.append(reinterpret_cast<const char*>(info.data()), pixelsAt);
        file.append(reinterpret_cast<const char*>(bits.data()), bits.size());
    }
    std::unique_ptr<TGdiBitmap> bitmap;
    try {
        bitmap = ReadBmp(
            std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(file.data()), file.size()));
    } catch (const EInvalidGraphic&) {
        return {};
    }
    QImage image(bitmap->Width(), bitmap->Height(), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    for (int32_t y = 0; y < bitmap->Height(); ++y) {
        const uint32_t* source = bitmap->ScanLine(y);
        auto* target = reinterpret_cast<uint32_t*>(image.scanLine(y));
        for (int32_t x = 0; x < bitmap->Width(); ++x)
            target[x] = source[x] | 0xFF000000u; // the fourth byte carries no colour
    }
    *fullSize = QSize(int(std::min<int64_t>(width, INT32_MAX)),
        int(std::min<int64_t>(std::abs(height), INT32_MAX)));
    return image;
}

QPainter::CompositionMode ModeForRop(uint32_t rop)
{
    switch (rop) {
    case 0x008800C6:
        return QPainter::RasterOp_SourceAndDestination; // SRCAND
    case 0x00EE0086:
        return QPainter::RasterOp_SourceOrDestination; // SRCPAINT
    case 0x00660046:
        return QPainter::RasterOp_SourceXorDestination; // SRCINVERT
    default:
        return QPainter::CompositionMode_Source;
    }
}

// What a path or a shape is painted with.
enum class TPaintWith : uint8_t { Brush, Pen, BrushAndPen };
// Where an open line starts: at its own first point, or at the current position (the …To
// records, which also move the position to the last point).
enum class TLineStart : uint8_t { FirstPoint, CurrentPosition };
enum class TSegments : uint8_t { Straight, Bezier };

// The player proper: the drawing state, the object table and the painting primitives that
// both record formats share.
class TPlayer {
public:
    TPlayer(QPainter& painter, const QTransform& deviceToTarget, double pixelsPerMmX,
        double pixelsPerMmY)
        : m_painter(painter)
        , m_deviceToTarget(deviceToTarget)
        , m_pixelsPerMmX(pixelsPerMmX)
        , m_pixelsPerMmY(pixelsPerMmY)
    {
        // Bound on pen widths and font sizes in target pixels: beyond it nothing more is seen,
        // only time is lost.
        const QRect device = painter.device()
            ? QRect(0, 0, painter.device()->width(), painter.device()->height())
            : QRect();
        m_limit = std::max<double>(64, 2.0 * (device.width() + device.height()));
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.setRenderHint(QPainter::TextAntialiasing, true);
        m_painter.setBackgroundMode(Qt::OpaqueMode);
        ApplyTransform();
    }

    TState& State() { return m_state; }
    TPlayStats Stats;
    void Count(bool played) { ++(played ? Stats.Played : Stats.Skipped); }

    // ---- mapping
    void ApplyTransform()
    {
        const TState& s = m_state;
        double sx = 1;
        double sy = 1;
        auto metric = [&](double mm) {
            sx = mm * m_pixelsPerMmX;
            sy = -mm * m_pixelsPerMmY;
        };
        switch (s.MapMode) {
        case MM_LOMETRIC:
            metric(0.1);
            break;
        case MM_HIMETRIC:
            metric(0.01);
            break;
        case MM_LOENGLISH:
            metric(0.254);
            break;
        case MM_HIENGLISH:
            metric(0.0254);
            break;
        case MM_TWIPS:
            metric(25.4 / 1440);
            break;
        case MM_ISOTROPIC:
        case MM_ANISOTROPIC:
            if (s.WindowExt.x() != 0 && s.WindowExt.y() != 0) {
                sx = s.ViewportExt.x() / s.WindowExt.x();
                sy = s.ViewportExt.y() / s.WindowExt.y();
                if (s.MapMode == MM_ISOTROPIC) {
                    const double least = std::min(std::abs(sx), std::abs(sy));
                    sx = std::copysign(least, sx);
                    sy = std::copysign(least, sy);
                }
            }
            break;
        default:
            break;
        }
        QTransform page(sx, 0, 0, sy, s.ViewportOrg.x() - s.WindowOrg.x() * sx,
            s.ViewportOrg.y() - s.WindowOrg.y() * sy);
        m_transform = s.World * page * m_deviceToTarget;
        m_painter.setWorldTransform(m_transform);
    }

    // Scale of one logical unit in target pixels, along x and y.
    double ScaleX() const { return std::hypot(m_transform.m11(), m_transform.m12()); }
    double ScaleY() const { return std::hypot(m_transform.m21(), m_transform.m22()); }

    void SetWindowOrg(double x, double y)
    {
        m_state.WindowOrg = { x, y };
        ApplyTransform();
    }
    void SetWindowExt(double x, double y)
    {
        if (x == 0 || y == 0)
            return;
        m_state.WindowExt = { x, y };
        ApplyTransform();
    }
    void SetViewportOrg(double x, double y)
    {
        m_state.ViewportOrg = { x, y };
        ApplyTransform();
    }
    void SetViewportExt(double x, double y)
    {
        if (x == 0 || y == 0)
            return;
        m_state.ViewportExt = { x, y };
        ApplyTransform();
    }
    void SetMapMode(uint32_t mode)
    {
        if (mode < MM_TEXT || mode > MM_ANISOTROPIC)
            return;
        m_state.MapMode = mode;
        ApplyTransform();
    }

    // ---- state setters of both formats (the WMF records carry 16-bit values, EMF 32-bit)
    void SetBkMode(uint32_t mode) { m_state.BkOpaque = mode == 2; } // OPAQUE
    void SetPolyFillMode(uint32_t mode) // WINDING, else ALTERNATE
    {
        m_state.FillRule = mode == 2 ? Qt::WindingFill : Qt::OddEvenFill;
    }
    void SetTextAlign(uint32_t align) { m_state.TextAlign = align; }
    void SetBkColor(uint32_t ref) { m_state.BkColor = ColorFromRef(ref); }
    void SetTextColor(uint32_t ref) { m_state.TextColor = ColorFromRef(ref); }

    void SaveDC()
    {
        if (m_saved.size() >= 1024)
            return;
        m_saved.push_back(m_state);
        m_painter.save();
    }
    void RestoreDC(int32_t which)
    {
        // Negative: relative to the current level; positive: an absolute level.
        int64_t level = which < 0 ? int64_t(m_saved.size()) + which + 1 : which;
        if (level < 1 || level > int64_t(m_saved.size()))
            return;
        while (int64_t(m_saved.size()) >= level) {
            m_state = m_saved.back();
            m_saved.pop_back();
            m_painter.restore();
        }
        ApplyTransform();
    }

    // ---- objects
    // WMF: a new object takes the lowest free slot of the table, whatever kind it is.
    void AddObject(TObject object)
    {
        for (TObject& slot : m_objects) {
            if (slot.Kind == TObject::None) {
                slot = std::move(object);
                return;
            }
        }
        if (m_objects.size() < 65535)
            m_objects.push_back(std::move(object));
    }
    // EMF: the record names the slot; slot 0 is reserved.
    void SetObject(uint32_t index, TObject object)
    {
        if (index == 0 || index >= 65536)
            return;
        if (index >= m_objects.size())
            m_objects.resize(index + 1);
        m_objects[index] = std::move(object);
    }
    bool SelectObjectAt(size_t index)
    {
        if (index >= m_objects.size())
            return false;
        SelectObject(m_objects[index]);
        return true;
    }
    bool DeleteObjectAt(size_t index)
    {
        if (index >= m_objects.size())
            return false;
        m_objects[index] = TObject {};
        return true;
    }
    void SelectObject(const TObject& object)
    {
        switch (object.Kind) {
        case TObject::Pen:
            m_state.Pen = object.PenValue;
            break;
        case TObject::Brush:
            m_state.Brush = object.BrushValue;
            break;
        case TObject::Font:
            m_state.Font = object.FontValue;
            break;
        default:
            break;
        }
    }
    // Stock objects of GDI, by number.
    bool SelectStock(uint32_t index)
    {
        switch (index) {
        case 0:
            m_state.Brush = QBrush(Qt::white);
            return true;
        case 1:
            m_state.Brush = QBrush(QColor(192, 192, 192));
            return true;
        case 2:
            m_state.Brush = QBrush(QColor(128, 128, 128));
            return true;
        case 3:
            m_state.Brush = QBrush(QColor(64, 64, 64));
            return true;
        case 4:
            m_state.Brush = QBrush(Qt::black);
            return true;
        case 5:
            m_state.Brush = QBrush(Qt::NoBrush);
            return true;
        case 6:
            m_state.Pen = QPen(QColor(Qt::white), 0);
            return true;
        case 7:
            m_state.Pen = QPen(QColor(Qt::black), 0);
            return true;
        case 8:
            m_state.Pen = QPen(Qt::NoPen);
            return true;
        case 10:
        case 11:
        case 12:
        case 13:
        case 14:
        case 16:
        case 17:
            m_state.Font = TLogFont {};
            return true;
        default:
            return false;
        }
    }

    // ---- drawing
    bool InPath() const { return m_inPath; }
    void BeginPath()
    {
        m_inPath = true;
        m_path = QPainterPath();
        m_path.setFillRule(m_state.FillRule);
    }
    void EndPath() { m_inPath = false; }
    void CloseFigure()
    {
        if (m_inPath)
            m_path.closeSubpath();
    }
    void DrawPath(TPaintWith with)
    {
        m_inPath = false;
        m_path.setFillRule(m_state.FillRule);
        Paint(m_path, with);
        m_path = QPainterPath();
    }

    // A closed shape: filled with the brush, outlined with the pen.
    void Shape(QPainterPath path)
    {
        path.setFillRule(m_state.FillRule);
        if (m_inPath) {
            m_path.addPath(path);
            return;
        }
        Paint(path, TPaintWith::BrushAndPen);
    }
    // An open line with the pen only.
    void Lines(const std::vector<QPointF>& points, TLineStart start,
        TSegments segments = TSegments::Straight)
    {
        const bool fromCurrent = start == TLineStart::CurrentPosition;
        if (points.empty())
            return;
        QPainterPath path;
        size_t i = 0;
        if (fromCurrent) {
            path.moveTo(m_state.Position);
        } else {
            path.moveTo(points[0]);
            i = 1;
        }
        if (segments == TSegments::Bezier) {
            for (; i + 2 < points.size(); i += 3)
                path.cubicTo(points[i], points[i + 1], points[i + 2]);
        } else {
            for (; i < points.size(); ++i)
                path.lineTo(points[i]);
        }
        if (fromCurrent)
            m_state.Position = points.back();
        if (m_inPath) {
            if (fromCurrent && !m_path.isEmpty()) {
                // Continue the open figure rather than start a new one.
                for (int e = 1; e < path.elementCount(); ++e) {
                    const QPainterPath::Element el = path.elementAt(e);
                    if (el.type == QPainterPath::LineToElement)
                        m_path.lineTo(el.x, el.y);
                    else if (el.type == QPainterPath::CurveToElement
                        && e + 2 < path.elementCount()) {
                        m_path.cubicTo(QPointF(el.x, el.y),
                            QPointF(path.elementAt(e + 1).x, path.elementAt(e + 1).y),
                            QPointF(path.elementAt(e + 2).x, path.elementAt(e + 2).y));
                        e += 2;
                    }
                }
            } else {
                m_path.addPath(path);
            }
            return;
        }
        Paint(path, TPaintWith::Pen);
    }
    void MoveTo(QPointF p)
    {
        m_state.Position = p;
        if (m_inPath)
            m_path.moveTo(p);
    }
    void LineTo(QPointF p) { Lines({ p }, TLineStart::CurrentPosition); }

    void SetPixel(QPointF p, uint32_t colour)
    {
        const QPointF at = m_transform.map(p);
        m_painter.save();
        m_painter.resetTransform();
        m_painter.fillRect(
            QRectF(std::floor(at.x()), std::floor(at.y()), 1, 1), ColorFromRef(colour));
        m_painter.restore();
    }

    void FillRect(const QRectF& rect, const QBrush& brush)
    {
        m_painter.fillRect(rect.normalized(), brush);
    }

    void IntersectClip(const QRectF& rect)
    {
        QPainterPath path;
        path.addRect(rect.normalized());
        m_painter.setClipPath(path, m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    void ExcludeClip(const QRectF& rect)
    {
        const QRectF device(0, 0, m_painter.device()->width(), m_painter.device()->height());
        QPainterPath all;
        all.addRect(m_transform.inverted().mapRect(device));
        QPainterPath cut;
        cut.addRect(rect.normalized());
        m_painter.setClipPath(
            all.subtracted(cut), m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    }
    void ResetClip() { m_painter.setClipping(false); }

    // Pixels of a bitmap into a logical rectangle; `source` is in the image's own pixels.
    void Image(const QRectF& target, const QImage& image, QRectF source, uint32_t rop)
    {
        if (image.isNull())
            return;
        m_painter.save();
        m_painter.setCompositionMode(ModeForRop(rop));
        m_painter.drawImage(target, image, source);
        m_painter.restore();
    }

    // Text at a logical point, in the current font, colours and alignment.
    void Text(QPointF at, const QString& text, uint32_t options, const std::optional<QRectF>& rect)
    {
        if (options & ETO_OPAQUE && rect)
            m_painter.fillRect(rect->normalized(), m_state.BkColor);
        if (text.isEmpty())
            return;
        const bool updateCp = m_state.TextAlign & TA_UPDATECP;
        if (updateCp)
            at = m_state.Position;
        const QPointF origin = m_transform.map(at);
        QFont font(m_state.Font.Face.isEmpty() ? QStringLiteral("Sans Serif") : m_state.Font.Face);
        const double scale = ScaleY();
        const int32_t height = m_state.Font.Height;
        double pixels = (height == 0 ? 16.0 : std::abs(double(height))) * scale;
        pixels = std::clamp(pixels, 1.0, std::min(m_limit, 4096.0));
        font.setPixelSize(std::max(1, int(std::lround(pixels))));
        if (height > 0) {
            // A positive height is the cell height (ascent plus descent), not the em size.
            const QFontMetricsF metrics(font);
            const double cell = metrics.ascent() + metrics.descent();
            if (cell > 0)
                font.setPixelSize(std::max(1, int(std::lround(pixels * pixels / cell))));
        }
        font.setWeight(QFont::Weight(
            std::clamp(m_state.Font.Weight == 0 ? 400 : m_state.Font.Weight, 1, 1000)));
        font.setItalic(m_state.Font.Italic);
        font.setUnderline(m_state.Font.Underline);
        font.setStrikeOut(m_state.Font.StrikeOut);
        const QFontMetricsF metrics(font);
        const double width = metrics.horizontalAdvance(text);
        double x = 0;
        const uint32_t horizontal = m_state.TextAlign & TA_CENTER;
        if (horizontal == TA_CENTER)
            x = -width / 2;
        else if (horizontal == TA_RIGHT)
            x = -width;
        double y = 0;
        const uint32_t vertical = m_state.TextAlign & TA_BASELINE;
        if (vertical == TA_BASELINE)
            y = 0;
        else if (vertical == TA_BOTTOM)
            y = -metrics.descent();
        else
            y = metrics.ascent();

        m_painter.save();
        if (options & ETO_CLIPPED && rect)
            IntersectClip(*rect);
        m_painter.resetTransform();
        m_painter.translate(origin);
        if (m_state.Font.Escapement != 0)
            m_painter.rotate(-m_state.Font.Escapement / 10.0);
        m_painter.setFont(font);
        m_painter.setPen(m_state.TextColor);
        m_painter.setBackgroundMode(Qt::TransparentMode); // the background box is filled above
        if (m_state.BkOpaque && !(options & ETO_OPAQUE))
            m_painter.fillRect(
                QRectF(x, y - metrics.ascent(), width, metrics.ascent() + metrics.descent()),
                m_state.BkColor);
        m_painter.drawText(QPointF(x, y), text);
        m_painter.restore();
        if (updateCp && horizontal != TA_CENTER) {
            const QPointF advance = m_transform.inverted().map(
                origin + QPointF(horizontal == TA_RIGHT ? -width : width, 0));
            m_state.Position = advance;
        }
    }

    double LimitPenWidth(double logical) const
    {
        const double scale = std::max(ScaleX(), 1e-9);
        return std::min(logical, m_limit / scale);
    }

private:
    void Paint(const QPainterPath& path, TPaintWith with)
    {
        const bool fill = with != TPaintWith::Pen;
        const bool stroke = with != TPaintWith::Brush;
        QPen pen = stroke ? m_state.Pen : QPen(Qt::NoPen);
        if (pen.style() != Qt::NoPen && !pen.isCosmetic())
            pen.setWidthF(LimitPenWidth(pen.widthF()));
        m_painter.setPen(pen);
        m_painter.setBrush(fill ? m_state.Brush : QBrush(Qt::NoBrush));
        m_painter.setBackground(m_state.BkColor);
        m_painter.setBackgroundMode(m_state.BkOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
        m_painter.drawPath(path);
    }

    QPainter& m_painter;
    QTransform m_deviceToTarget;
    QTransform m_transform;
    double m_pixelsPerMmX;
    double m_pixelsPerMmY;
    double m_limit = 4096;
    TState m_state;
    std::vector<TState> m_saved;
    std::vector<TObject> m_objects;
    bool m_inPath = false;
    QPainterPath m_path;
};

// ----------------------------------------------------------------------------------------
// Record tables

// A record too short for what its handler reads is skipped. A WMF object record that is too
// short still takes a slot of the object table, so that the numbers of later objects stay right.
enum class TShortRecord : uint8_t { Skipped, TakesSlot };

template <class TType> struct TRecordRow {
    TType Type;
    uint16_t MinSize; // the handler reads no further than this without a check of its own
    bool (*Play)(TPlayer&, const TReader&, TType); // false: skipped
    TShortRecord Short = TShortRecord::Skipped;
};

template <class TRow, size_t N> constexpr bool IsSortedTable(const TRow (&table)[N])
{
    for (size_t i = 1; i < N; ++i) {
        if (!(table[i - 1].Type < table[i].Type))
            return false;
    }
    return true;
}

// Plays one record through its row; true when it was played, false when it was skipped.
template <class TType, size_t N>
bool PlayRecord(const TRecordRow<TType> (&table)[N], TPlayer& player, TType type, const TReader& p)
{
    const TRecordRow<TType>* row = std::lower_bound(std::begin(table), std::end(table), type,
        [](const TRecordRow<TType>& r, TType t) { return r.Type < t; });
    if (row == std::end(table) || row->Type != type)
        return false;
    if (p.Data.size() < row->MinSize) {
        if (row->Short == TShortRecord::TakesSlot)
            player.AddObject(TObject { TObject::Other });
        return false;
    }
    return row->Play(player, p, type);
}

// Points as pairs of 16-bit (x, y), the form both formats share.
std::vector<QPointF> Points16(const TReader& p, size_t at, size_t count)
{
    std::vector<QPointF> points;
    points.reserve(count);
    for (size_t i = 0; i < count; ++i)
        points.emplace_back(p.S16(at + 4 * i), p.S16(at + 4 * i + 2));
    return points;
}

void AddClosedPolygon(QPainterPath& path, const std::vector<QPointF>& points)
{
    path.addPolygon(QPolygonF(QList<QPointF>(points.begin(), points.end())));
    path.closeSubpath();
}

// Pattern brushes: their pattern is not decoded; a grey brush keeps filled shapes visible.
TObject PatternStandIn()
{
    TObject object { TObject::Brush };
    object.BrushValue = MakeBrush(3, 0, 0);
    return object;
}

// Which way the source rectangle's y counts: from the top of the bitmap, or from its bottom
// (as StretchDIBits has it).
enum class TSourceRows : uint8_t { TopDown, BottomUp };

// A bitmap record's source rectangle in the pixels of the image decoded from it, which may be
// smaller than the bitmap's full size.
QRectF SourceInImage(QRectF source, TSourceRows rows, const QImage& image, QSize full)
{
    if (rows == TSourceRows::BottomUp)
        source.moveTop(full.height() - source.top() - source.height());
    const double fx = double(image.width()) / full.width();
    const double fy = double(image.height()) / full.height();
    return QRectF(source.x() * fx, source.y() * fy, source.width() * fx, source.height() * fy);
}

// ----------------------------------------------------------------------------------------
// WMF

struct TWmfLayout {
    size_t RecordsAt = 0; // first record, after the headers
    bool Placeable = false;
    QRectF Bounds; // placeable: the logical rectangle the picture covers
    double Inch = 0; // placeable: logical units an inch
};

// The header of a WMF, with or without the placeable header before it.
TWmfLayout ReadWmfLayout(const TReader& r)
{
    TWmfLayout layout;
    size_t at = 0;
    if (r.Has(0, 4) && r.U32(0) == PlaceableKey) {
        if (!r.Has(0, 22))
            Fail("the placeable header is cut short");
        layout.Placeable = true;
        const int16_t left = r.S16(6), top = r.S16(8), right = r.S16(10), bottom = r.S16(12);
        layout.Bounds = QRectF(QPointF(left, top), QPointF(right, bottom));
        layout.Inch = r.U16(14);
        if (layout.Inch == 0)
            layout.Inch = 1440;
        at = 22;
    }
    if (!r.Has(at, 18))
        Fail("the header is cut short");
    const uint16_t type = r.U16(at);
    const uint16_t headerWords = r.U16(at + 2);
    const uint16_t version = r.U16(at + 4);
    if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x0100 && version != 0x0300))
        Fail("this is not a Windows metafile");
    layout.RecordsAt = at + 18;
    return layout;
}

enum : uint16_t {
    META_EOF = 0x0000,
    META_SAVEDC = 0x001E,
    META_SETBKMODE = 0x0102,
    META_SETMAPMODE = 0x0103,
    META_SETPOLYFILLMODE = 0x0106,
    META_RESTOREDC = 0x0127,
    META_SELECTOBJECT = 0x012D,
    META_SETTEXTALIGN = 0x012E,
    META_DIBCREATEPATTERNBRUSH = 0x0142,
    META_DELETEOBJECT = 0x01F0,
    META_CREATEPATTERNBRUSH = 0x01F9,
    META_CREATEPALETTE = 0x00F7,
    META_SETBKCOLOR = 0x0201,
    META_SETTEXTCOLOR = 0x0209,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_SETVIEWPORTORG = 0x020D,
    META_SETVIEWPORTEXT = 0x020E,
    META_LINETO = 0x0213,
    META_MOVETO = 0x0214,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_POLYGON = 0x0324,
    META_POLYLINE = 0x0325,
    META_EXCLUDECLIPRECT = 0x0415,
    META_INTERSECTCLIPRECT = 0x0416,
    META_ELLIPSE = 0x0418,
    META_RECTANGLE = 0x041B,
    META_SETPIXEL = 0x041F,
    META_TEXTOUT = 0x0521,
    META_POLYPOLYGON = 0x0538,
    META_ROUNDRECT = 0x061C,
    META_CREATEREGION = 0x06FF,
    META_DIBBITBLT = 0x0940,
    META_EXTTEXTOUT = 0x0A32,
    META_DIBSTRETCHBLT = 0x0B41,
    META_STRETCHDIB = 0x0F43,
};

// Calls `visit(function, parameters)` for each record; stops at the end record or a record
// whose size is impossible.
template <class F> void ForEachWmfRecord(const TReader& r, size_t at, F&& visit)
{
    while (r.Has(at, 6)) {
        const uint64_t words = r.U32(at);
        const uint16_t function = r.U16(at + 4);
        if (words < 3 || words * 2 > r.Data.size() - at)
            return;
        if (function == META_EOF)
            return;
        visit(function, TReader { r.Data.subspan(at + 6, size_t(words * 2 - 6)) });
        at += size_t(words * 2);
    }
}

// WMF parameters: points are (y, x) pairs, boxes (bottom, right, top, left), point lists (x, y).
QPointF WmfPoint(const TReader& p, size_t at) { return QPointF(p.S16(at + 2), p.S16(at)); }
QRectF WmfBox(const TReader& p, size_t at)
{
    return QRectF(QPointF(p.S16(at + 6), p.S16(at + 4)), QPointF(p.S16(at + 2), p.S16(at)));
}
QString Latin1(std::span<const uint8_t> bytes)
{
    return QString::fromLatin1(
        reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// The pattern itself is not decoded; a grey brush keeps filled shapes visible.
bool WmfPatternBrush(TPlayer& player, const TReader&, uint16_t)
{
    player.AddObject(PatternStandIn());
    return true;
}

// Palettes and regions take a slot, so that later object numbers stay right, but draw nothing.
bool WmfTakeSlotOnly(TPlayer& player, const TReader&, uint16_t)
{
    player.AddObject(TObject { TObject::Other });
    return false;
}

bool WmfCreatePen(TPlayer& player, const TReader& p, uint16_t)
{
    TObject object { TObject::Pen };
    object.PenValue = MakePen(p.U16(0), p.S16(2), p.U32(6));
    player.AddObject(object);
    return true;
}

bool WmfCreateBrush(TPlayer& player, const TReader& p, uint16_t)
{
    TObject object { TObject::Brush };
    object.BrushValue = MakeBrush(p.U16(0), p.U32(2), p.U16(6));
    player.AddObject(object);
    return true;
}

bool WmfCreateFont(TPlayer& player, const TReader& p, uint16_t)
{
    TObject object { TObject::Font };
    TLogFont& f = object.FontValue;
    f.Height = p.S16(0);
    f.Escapement = p.S16(4);
    f.Weight = p.S16(8);
    f.Italic = p.U8(10);
    f.Underline = p.U8(11);
    f.StrikeOut = p.U8(12);
    std::string face;
    for (size_t i = 18; i < p.Data.size() && i < 18 + 32 && p.U8(i); ++i)
        face += char(p.U8(i));
    f.Face = QString::fromLatin1(face);
    player.AddObject(object);
    return true;
}

bool WmfShape(TPlayer& player, const TReader& p, uint16_t function)
{
    QPainterPath path;
    switch (function) {
    case META_RECTANGLE:
        path.addRect(WmfBox(p, 0).normalized());
        break;
    case META_ELLIPSE:
        path.addEllipse(WmfBox(p, 0).normalized());
        break;
    default: // META_ROUNDRECT: corner height, width, then the box
        path.addRoundedRect(
            WmfBox(p, 4).normalized(), std::abs(p.S16(2)) / 2.0, std::abs(p.S16(0)) / 2.0);
        break;
    }
    player.Shape(path);
    return true;
}

bool WmfPoly(TPlayer& player, const TReader& p, uint16_t function)
{
    const size_t count = p.U16(0);
    if (count < 1 || 2 + count * 4 > p.Data.size())
        return false;
    const std::vector<QPointF> points = Points16(p, 2, count);
    if (function == META_POLYLINE) {
        player.Lines(points, TLineStart::FirstPoint);
        return true;
    }
    QPainterPath path;
    AddClosedPolygon(path, points);
    player.Shape(path);
    return true;
}

bool WmfPolyPolygon(TPlayer& player, const TReader& p, uint16_t)
{
    const size_t n = p.Data.size();
    const size_t polygons = p.U16(0);
    size_t at = 2 + polygons * 2;
    if (at > n)
        return false;
    QPainterPath path;
    for (size_t i = 0; i < polygons; ++i) {
        const size_t count = p.U16(2 + i * 2);
        if (at + count * 4 > n)
            return false;
        AddClosedPolygon(path, Points16(p, at, count));
        at += count * 4;
    }
    player.Shape(path);
    return true;
}

bool WmfTextOut(TPlayer& player, const TReader& p, uint16_t)
{
    const size_t length = p.U16(0);
    const size_t padded = (length + 1) & ~size_t(1);
    if (2 + padded + 4 > p.Data.size())
        return false;
    player.Text(WmfPoint(p, 2 + padded), Latin1(p.Bytes(2, length)), 0, std::nullopt);
    return true;
}

bool WmfExtTextOut(TPlayer& player, const TReader& p, uint16_t)
{
    const size_t n = p.Data.size();
    const size_t length = p.U16(4);
    const uint16_t options = p.U16(6);
    size_t textAt = 8;
    std::optional<QRectF> rect;
    if (options & (ETO_OPAQUE | ETO_CLIPPED)) {
        if (n < 16)
            return false;
        rect = QRectF(QPointF(p.S16(8), p.S16(10)), QPointF(p.S16(12), p.S16(14)));
        textAt = 16;
    }
    if (textAt + length > n)
        return false;
    player.Text(WmfPoint(p, 0), Latin1(p.Bytes(textAt, length)), options, rect);
    return true;
}

// A DIB drawn into a logical rectangle.
bool WmfBlit(TPlayer& player, std::span<const uint8_t> dib, uint32_t rop, const QRectF& target,
    QRectF source, TSourceRows rows)
{
    if (dib.empty())
        return false; // the variants without a bitmap fill with a brush: not played
    QSize full;
    const QImage image = DecodeDib(dib, {}, &full);
    if (image.isNull() || full.isEmpty())
        return false;
    player.Image(target, image, SourceInImage(source, rows, image, full), rop);
    return true;
}

bool WmfStretchDib(TPlayer& player, const TReader& p, uint16_t)
{
    // rop, usage, source height, width, y, x, destination height, width, y, x, DIB
    if (p.U16(4) != 0)
        return false; // palette indices: no palette to look them up in
    return WmfBlit(player, p.Bytes(22, p.Data.size() - 22), p.U32(0),
        QRectF(p.S16(20), p.S16(18), p.S16(16), p.S16(14)),
        QRectF(p.S16(12), p.S16(10), p.S16(8), p.S16(6)), TSourceRows::BottomUp);
}

bool WmfDibStretchBlt(TPlayer& player, const TReader& p, uint16_t)
{
    // rop, source height, width, y, x, destination height, width, y, x, DIB
    return WmfBlit(player, p.Bytes(20, p.Data.size() - 20), p.U32(0),
        QRectF(p.S16(18), p.S16(16), p.S16(14), p.S16(12)),
        QRectF(p.S16(10), p.S16(8), p.S16(6), p.S16(4)), TSourceRows::TopDown);
}

bool WmfDibBitBlt(TPlayer& player, const TReader& p, uint16_t)
{
    // rop, source y, x, height, width, destination y, x, DIB
    const QRectF target(p.S16(14), p.S16(12), p.S16(10), p.S16(8));
    return WmfBlit(player, p.Bytes(16, p.Data.size() - 16), p.U32(0), target,
        QRectF(p.S16(6), p.S16(4), target.width(), target.height()), TSourceRows::TopDown);
}

using TWmfRow = TRecordRow<uint16_t>;

// Sorted by function number. The sizes count the parameter bytes after the record's header.
constexpr TWmfRow WmfRecords[] = {
    { META_SAVEDC, 0,
        [](TPlayer& player, const TReader&, uint16_t) {
            player.SaveDC();
            return true;
        } },
    { META_CREATEPALETTE, 0, WmfTakeSlotOnly },
    { META_SETBKMODE, 2,
        [](TPlayer& player, const TReader& p, uint16_t) {
            player.SetBkMode(p.U16(0));
            return true;
        } },
    // The player maps the window onto the picture whatever mode the file asks for.
    { META_SETMAPMODE, 2, [](TPlayer&, const TReader&, uint16_t) { return true; } },
    { META_SETPOLYFILLMODE, 2,
        [](TPlayer& player, const TReader& p, uint16_t) {
            player.SetPolyFillMode(p.U16(0));
            return true;
        } },
    { META_RESTOREDC, 2,
        [](TPlayer& player, const TReader& p, uint16_t) {
            player.RestoreDC(p.S16(0));
            return true;
        } },
    { META_SELECTOBJECT, 2,
        [](TPlayer& player, const TReader& p, uint16_t) {
            return player.SelectObjectAt(p.U16(0));
        } },
    { META_SETTEXTALIGN, 2,
        [](TPlayer& player, const TReader& p, uint16_t) {
            player.SetTextAlign(p.U16(0));
            return true;
        } },
    { META_DIBCREATEPATTERNBRUSH, 0, WmfPatternBrush },
    { META_DELETEOBJECT, 2,
        [](TPlayer& player, const TReader& p, uint16_t) {
            return player.DeleteObjectAt(p.U16(0));
        } },
    { META_CREATEPATTERNBRUSH, 0, WmfPatternBrush },
    { META_SETBKCOLOR, 4,
        [](TPlayer& player, const TReader& p, uint16_t) {
            player.SetBkColor(p.U32(0));
            return true;
        } },
    { META_SETTEXTCOLOR, 4,
        [](TPlayer& player, const TReader& p, uint16_t) {
            player.SetTextColor(p.U32(0));
            return true;
        } },
    { META_SETWINDOWORG, 4,
        [](TPlayer& player, const TReader& p, uint16_t) {
            player.SetWindowOrg(p.S16(2), p.S16(0));
            return true;
        } },
    { META_SETWINDOWEXT, 4,
        [](TPlayer& player, const TReader& p, uint16_t) {
            player.SetWindowExt(p.S16(2), p.S16(0));
            return true;
        } },
    { META_LINETO, 4,
        [](TPlayer& player, const TReader& p, uint16_t) {
            player.LineTo(WmfPoint(p, 0));
            return true;
        } },
    { META_MOVETO, 4,
        [](TPlayer& player, const TReader& p, uint16_t) {
            player.MoveTo(WmfPoint(p, 0));
            return true;
        } },
    { META_CREATEPENINDIRECT, 10, WmfCreatePen, TShortRecord::TakesSlot },
    { META_CREATEFONTINDIRECT, 18, WmfCreateFont, TShortRecord::TakesSlot },
    { META_CREATEBRUSHINDIRECT, 8, WmfCreateBrush, TShortRecord::TakesSlot },
    { META_POLYGON, 2, WmfPoly },
    { META_POLYLINE, 2, WmfPoly },
    { META_EXCLUDECLIPRECT, 8,
        [](TPlayer& player, const TReader& p, uint16_t) {
            player.ExcludeClip(WmfBox(p, 0));
            return true;
        } },
    { META_INTERSECTCLIPRECT, 8,
        [](TPlayer& player, const TReader& p, uint16_t) {
            player.IntersectClip(WmfBox(p, 0));
            return true;
        } },
    { META_ELLIPSE, 8, WmfShape },
    { META_RECTANGLE, 8, WmfShape },
    { META_SETPIXEL, 8,
        [](TPlayer& player, const TReader& p, uint16_t) {
            player.SetPixel(WmfPoint(p, 4), p.U32(0));
            return true;
        } },
    { META_TEXTOUT, 2, WmfTextOut },
    { META_POLYPOLYGON, 2, WmfPolyPolygon },
    { META_ROUNDRECT, 12, WmfShape },
    { META_CREATEREGION, 0, WmfTakeSlotOnly },
    { META_DIBBITBLT, 16, WmfDibBitBlt },
    { META_EXTTEXTOUT, 8, WmfExtTextOut },
    { META_DIBSTRETCHBLT, 20, WmfDibStretchBlt },
    { META_STRETCHDIB, 22, WmfStretchDib },
};
static_assert(IsSortedTable(WmfRecords));

void PlayWmf(TPlayer& player, const TReader& r, size_t at)
{
    ForEachWmfRecord(r, at, [&player](uint16_t function, const TReader& p) {
        player.Count(PlayRecord(WmfRecords, player, function, p));
    });
}

// The window a plain WMF sets for itself: its first origin and extent records.
std::optional<QRectF> WmfWindow(const TReader& r, size_t at)
{
    std::optional<QPointF> origin;
    std::optional<QPointF> extent;
    ForEachWmfRecord(r, at, [&](uint16_t function, const TReader& p) {
        if (p.Data.size() < 4)
            return;
        if (function == META_SETWINDOWORG && !origin)
            origin = QPointF(p.S16(2), p.S16(0));
        else if (function == META_SETWINDOWEXT && !extent)
            extent = QPointF(p.S16(2), p.S16(0));
    });
    if (!extent || extent->x() == 0 || extent->y() == 0)
        return std::nullopt;
    const QPointF o = origin.value_or(QPointF(0, 0));
    return QRectF(o, QSizeF(extent->x(), extent->y()));
}

// ----------------------------------------------------------------------------------------
// EMF

struct TEmfLayout {
    QRectF Frame; // in device pixels of the reference device
    double PixelsPerMmX = ScreenDpi / 25.4;
    double PixelsPerMmY = ScreenDpi / 25.4;
    int64_t Width = 0;
    int64_t Height = 0;
};

bool IsEmf(const TReader& r) { return r.Has(0, 44) && r.U32(0) == 1 && r.U32(40) == EmfSignature; }

TEmfLayout ReadEmfLayout(const TReader& r)
{
    const uint32_t size = r.U32(4);
    if (size < 88 || !r.Has(0, size))
        Fail("the header is cut short");
    TEmfLayout layout;
    const int32_t bl = r.S32(8), bt = r.S32(12), br = r.S32(16), bb = r.S32(20);
    const int32_t fl = r.S32(24), ft = r.S32(28), fr = r.S32(32), fb = r.S32(36);
    const int32_t deviceX = r.S32(72), deviceY = r.S32(76), mmX = r.S32(80), mmY = r.S32(84);
    if (deviceX > 0 && deviceY > 0 && mmX > 0 && mmY > 0) {
        layout.PixelsPerMmX = double(deviceX) / mmX;
        layout.PixelsPerMmY = double(deviceY) / mmY;
    }
    if (int64_t(fr) > fl && int64_t(fb) > ft) {
        // The frame is in hundredths of a millimetre; the picture is its size at 96 dpi.
        layout.Frame
            = QRectF(QPointF(fl * layout.PixelsPerMmX / 100, ft * layout.PixelsPerMmY / 100),
                QPointF(fr * layout.PixelsPerMmX / 100, fb * layout.PixelsPerMmY / 100));
        layout.Width = std::llround((int64_t(fr) - fl) * ScreenDpi / 2540);
        layout.Height = std::llround((int64_t(fb) - ft) * ScreenDpi / 2540);
    } else if (int64_t(br) >= bl && int64_t(bb) >= bt) {
        // No frame: the bounds, inclusive, in device pixels.
        layout.Frame = QRectF(QPointF(bl, bt), QPointF(double(br) + 1, double(bb) + 1));
        layout.Width = int64_t(br) - bl + 1;
        layout.Height = int64_t(bb) - bt + 1;
    } else {
        Fail("the picture has no size");
    }
    return layout;
}

enum : uint32_t {
    EMR_HEADER = 1,
    EMR_POLYBEZIER = 2,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_POLYBEZIERTO = 5,
    EMR_POLYLINETO = 6,
    EMR_POLYPOLYLINE = 7,
    EMR_POLYPOLYGON = 8,
    EMR_SETWINDOWEXTEX = 9,
    EMR_SETWINDOWORGEX = 10,
    EMR_SETVIEWPORTEXTEX = 11,
    EMR_SETVIEWPORTORGEX = 12,
    EMR_EOF = 14,
    EMR_SETPIXELV = 15,
    EMR_SETMAPMODE = 17,
    EMR_SETBKMODE = 18,
    EMR_SETPOLYFILLMODE = 19,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_SETBKCOLOR = 25,
    EMR_MOVETOEX = 27,
    EMR_EXCLUDECLIPRECT = 29,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SETWORLDTRANSFORM = 35,
    EMR_MODIFYWORLDTRANSFORM = 36,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_ROUNDRECT = 44,
    EMR_LINETO = 54,
    EMR_BEGINPATH = 59,
    EMR_ENDPATH = 60,
    EMR_CLOSEFIGURE = 61,
    EMR_FILLPATH = 62,
    EMR_STROKEANDFILLPATH = 63,
    EMR_STROKEPATH = 64,
    EMR_SELECTCLIPPATH = 67,
    EMR_BITBLT = 76,
    EMR_STRETCHBLT = 77,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
    EMR_POLYBEZIER16 = 85,
    EMR_POLYGON16 = 86,
    EMR_POLYLINE16 = 87,
    EMR_POLYBEZIERTO16 = 88,
    EMR_POLYLINETO16 = 89,
    EMR_POLYPOLYLINE16 = 90,
    EMR_POLYPOLYGON16 = 91,
    EMR_CREATEDIBPATTERNBRUSHPT = 94,
    EMR_EXTCREATEPEN = 95,
};

// EMF parameters follow the record's type and size: points are (x, y), boxes (left, top,
// right, bottom), 32-bit unless the record's name ends in 16.
QPointF EmfPoint(const TReader& p, size_t at) { return QPointF(p.S32(at), p.S32(at + 4)); }
QRectF EmfBox(const TReader& p, size_t at)
{
    return QRectF(QPointF(p.S32(at), p.S32(at + 4)), QPointF(p.S32(at + 8), p.S32(at + 12)))
        .normalized();
}

enum class TPointSize : uint8_t { Short, Long };

std::vector<QPointF> EmfPoints(const TReader& p, size_t at, size_t count, TPointSize size)
{
    if (size == TPointSize::Short)
        return Points16(p, at, count);
    std::vector<QPointF> points;
    points.reserve(count);
    for (size_t i = 0; i < count; ++i)
        points.emplace_back(p.S32(at + 8 * i), p.S32(at + 8 * i + 4));
    return points;
}

TPointSize PointSizeOf(uint32_t type)
{
    return type >= EMR_POLYBEZIER16 && type <= EMR_POLYPOLYGON16 ? TPointSize::Short
                                                                 : TPointSize::Long;
}

// bounds, count, points
bool EmfPoly(TPlayer& player, const TReader& p, uint32_t type)
{
    const TPointSize size = PointSizeOf(type);
    const size_t pointSize = size == TPointSize::Short ? 4 : 8;
    const size_t count = p.U32(24);
    if (count > (p.Data.size() - 28) / pointSize)
        return false;
    const std::vector<QPointF> points = EmfPoints(p, 28, count, size);
    switch (type) {
    case EMR_POLYGON:
    case EMR_POLYGON16: {
        if (points.empty())
            return false;
        QPainterPath path;
        AddClosedPolygon(path, points);
        player.Shape(path);
        return true;
    }
    case EMR_POLYLINE:
    case EMR_POLYLINE16:
        player.Lines(points, TLineStart::FirstPoint);
        return true;
    case EMR_POLYLINETO:
    case EMR_POLYLINETO16:
        player.Lines(points, TLineStart::CurrentPosition);
        return true;
    case EMR_POLYBEZIER:
    case EMR_POLYBEZIER16:
        player.Lines(points, TLineStart::FirstPoint, TSegments::Bezier);
        return true;
    default: // EMR_POLYBEZIERTO, EMR_POLYBEZIERTO16
        player.Lines(points, TLineStart::CurrentPosition, TSegments::Bezier);
        return true;
    }
}

// bounds, number of polygons, number of points, the count of each, the points
bool EmfPolyPoly(TPlayer& player, const TReader& p, uint32_t type)
{
    const size_t n = p.Data.size();
    const TPointSize size = PointSizeOf(type);
    const size_t pointSize = size == TPointSize::Short ? 4 : 8;
    const bool polygons = type == EMR_POLYPOLYGON || type == EMR_POLYPOLYGON16;
    const size_t figures = p.U32(24);
    const size_t total = p.U32(28);
    if (figures > (n - 32) / 4)
        return false;
    size_t at = 32 + figures * 4;
    if (total > (n - at) / pointSize)
        return false;
    QPainterPath path;
    size_t used = 0;
    for (size_t i = 0; i < figures; ++i) {
        const size_t count = p.U32(32 + i * 4);
        if (count > total - used)
            return false;
        const std::vector<QPointF> points = EmfPoints(p, at, count, size);
        if (polygons)
            AddClosedPolygon(path, points);
        else
            player.Lines(points, TLineStart::FirstPoint);
        at += count * pointSize;
        used += count;
    }
    if (polygons)
        player.Shape(path);
    return true;
}

bool EmfSetWorldTransform(TPlayer& player, const TReader& p, uint32_t)
{
    const QTransform t(p.F32(8), p.F32(12), p.F32(16), p.F32(20), p.F32(24), p.F32(28));
    if (!t.isInvertible())
        return false;
    player.State().World = t;
    player.ApplyTransform();
    return true;
}

bool EmfModifyWorldTransform(TPlayer& player, const TReader& p, uint32_t)
{
    const QTransform t(p.F32(8), p.F32(12), p.F32(16), p.F32(20), p.F32(24), p.F32(28));
    QTransform& world = player.State().World;
    switch (p.U32(32)) {
    case 1: // MWT_IDENTITY
        world = QTransform();
        break;
    case 2: // MWT_LEFTMULTIPLY
        world = t * world;
        break;
    case 3: // MWT_RIGHTMULTIPLY
        world = world * t;
        break;
    case 4: // MWT_SET
        world = t;
        break;
    default:
        return false;
    }
    if (!world.isInvertible())
        world = QTransform();
    player.ApplyTransform();
    return true;
}

bool EmfSelectObject(TPlayer& player, const TReader& p, uint32_t)
{
    const uint32_t index = p.U32(8);
    if (index & 0x80000000u)
        return player.SelectStock(index & 0x7FFFFFFFu);
    return player.SelectObjectAt(index);
}

bool EmfCreatePen(TPlayer& player, const TReader& p, uint32_t)
{
    TObject object { TObject::Pen };
    object.PenValue = MakePen(p.U32(12), p.S32(16), p.U32(24));
    player.SetObject(p.U32(8), object);
    return true;
}

bool EmfExtCreatePen(TPlayer& player, const TReader& p, uint32_t)
{
    TObject object { TObject::Pen };
    // Brush style solid or hatched: the pen takes its colour; others are not drawn.
    object.PenValue = MakePen(p.U32(28), p.U32(32), p.U32(40));
    if (p.U32(36) == 1)
        object.PenValue = QPen(Qt::NoPen);
    player.SetObject(p.U32(8), object);
    return true;
}

bool EmfCreateBrush(TPlayer& player, const TReader& p, uint32_t)
{
    TObject object { TObject::Brush };
    object.BrushValue = MakeBrush(p.U32(12), p.U32(16), p.U32(20));
    player.SetObject(p.U32(8), object);
    return true;
}

bool EmfPatternBrush(TPlayer& player, const TReader& p, uint32_t)
{
    player.SetObject(p.U32(8), PatternStandIn());
    return true;
}

bool EmfCreateFont(TPlayer& player, const TReader& p, uint32_t)
{
    TObject object { TObject::Font };
    TLogFont& f = object.FontValue;
    f.Height = p.S32(12);
    f.Escapement = p.S32(20);
    f.Weight = p.S32(28);
    f.Italic = p.U8(32);
    f.Underline = p.U8(33);
    f.StrikeOut = p.U8(34);
    for (size_t i = 0; i < 32 && 40 + 2 * i + 1 < p.Data.size(); ++i) {
        const char16_t c = p.U16(40 + 2 * i);
        if (!c)
            break;
        f.Face += QChar(c);
    }
    player.SetObject(p.U32(8), object);
    return true;
}

bool EmfShape(TPlayer& player, const TReader& p, uint32_t type)
{
    QPainterPath path;
    switch (type) {
    case EMR_ELLIPSE:
        path.addEllipse(EmfBox(p, 8));
        break;
    case EMR_RECTANGLE:
        path.addRect(EmfBox(p, 8));
        break;
    default: // EMR_ROUNDRECT: the box, then the corner's width and height
        path.addRoundedRect(
            EmfBox(p, 8), std::abs(double(p.S32(24))) / 2, std::abs(double(p.S32(28))) / 2);
        break;
    }
    player.Shape(path);
    return true;
}

bool EmfExtTextOut(TPlayer& player, const TReader& p, uint32_t)
{
    // bounds, graphics mode, x and y scale, then the text: reference point, count, offset of
    // the string, options, rectangle, offset of the spacing.
    const uint32_t count = p.U32(44);
    const uint32_t offset = p.U32(48);
    const uint32_t options = p.U32(52);
    if (count > (1u << 20) || !p.Has(offset, size_t(count) * 2))
        return false;
    QString text;
    text.reserve(qsizetype(count));
    for (uint32_t i = 0; i < count; ++i)
        text += QChar(char16_t(p.U16(offset + 2 * i)));
    std::optional<QRectF> rect;
    if (options & (ETO_OPAQUE | ETO_CLIPPED))
        rect = EmfBox(p, 56);
    player.Text(EmfPoint(p, 36), text, options, rect);
    return true;
}

// A bitmap record: the BITMAPINFO and the pixels lie at offsets from the record's start.
QImage EmfRecordImage(const TReader& p, size_t infoOffsetAt, QSize* full)
{
    const uint32_t offInfo = p.U32(infoOffsetAt), cbInfo = p.U32(infoOffsetAt + 4);
    const uint32_t offBits = p.U32(infoOffsetAt + 8), cbBits = p.U32(infoOffsetAt + 12);
    if (cbInfo == 0 || !p.Has(offInfo, cbInfo) || !p.Has(offBits, cbBits))
        return {};
    return DecodeDib(p.Bytes(offInfo, cbInfo), p.Bytes(offBits, cbBits), full);
}

bool EmfStretchDiBits(TPlayer& player, const TReader& p, uint32_t)
{
    // bounds, x, y, source x, y, width, height, info and bits, usage, rop, width, height
    if (p.U32(64) != 0)
        return false; // palette indices
    QSize full;
    const QImage image = EmfRecordImage(p, 48, &full);
    if (image.isNull() || full.isEmpty())
        return false;
    const QRectF source(p.S32(32), p.S32(36), p.S32(40), p.S32(44));
    player.Image(QRectF(p.S32(24), p.S32(28), p.S32(72), p.S32(76)), image,
        SourceInImage(source, TSourceRows::BottomUp, image, full), p.U32(68));
    return true;
}

bool EmfBitBlt(TPlayer& player, const TReader& p, uint32_t type)
{
    // bounds, x, y, width, height, rop, source x, y, transform, background, usage, info and
    // bits [, source width, height]
    const QRectF target(p.S32(24), p.S32(28), p.S32(32), p.S32(36));
    const uint32_t rop = p.U32(40);
    if (p.U32(88) == 0) {
        // No source bitmap: a fill with the brush (or black, or white).
        if (rop == 0x00F00021)
            player.FillRect(target, player.State().Brush);
        else if (rop == 0x00000042)
            player.FillRect(target, Qt::black);
        else if (rop == 0x00FF0062)
            player.FillRect(target, Qt::white);
        else
            return false;
        return true;
    }
    QSize full;
    const QImage image = EmfRecordImage(p, 84, &full);
    if (image.isNull() || full.isEmpty())
        return false;
    QRectF source(p.S32(44), p.S32(48), target.width(), target.height());
    if (type == EMR_STRETCHBLT)
        source.setSize(QSizeF(p.S32(100), p.S32(104)));
    player.Image(target, image, SourceInImage(source, TSourceRows::TopDown, image, full), rop);
    return true;
}

bool EmfDrawPath(TPlayer& player, const TReader&, uint32_t type)
{
    player.DrawPath(type == EMR_FILLPATH ? TPaintWith::Brush
            : type == EMR_STROKEPATH     ? TPaintWith::Pen
                                         : TPaintWith::BrushAndPen);
    return true;
}

using TEmfRow = TRecordRow<uint32_t>;

// Sorted by type. The sizes count the whole record, its type and size included.
constexpr TEmfRow EmfRecords[] = {
    { EMR_HEADER, 0, [](TPlayer&, const TReader&, uint32_t) { return true; } },
    { EMR_POLYBEZIER, 28, EmfPoly },
    { EMR_POLYGON, 28, EmfPoly },
    { EMR_POLYLINE, 28, EmfPoly },
    { EMR_POLYBEZIERTO, 28, EmfPoly },
    { EMR_POLYLINETO, 28, EmfPoly },
    { EMR_POLYPOLYLINE, 32, EmfPolyPoly },
    { EMR_POLYPOLYGON, 32, EmfPolyPoly },
    { EMR_SETWINDOWEXTEX, 16,
        [](TPlayer& player, const TReader& p, uint32_t) {
            player.SetWindowExt(p.S32(8), p.S32(12));
            return true;
        } },
    { EMR_SETWINDOWORGEX, 16,
        [](TPlayer& player, const TReader& p, uint32_t) {
            player.SetWindowOrg(p.S32(8), p.S32(12));
            return true;
        } },
    { EMR_SETVIEWPORTEXTEX, 16,
        [](TPlayer& player, const TReader& p, uint32_t) {
            player.SetViewportExt(p.S32(8), p.S32(12));
            return true;
        } },
    { EMR_SETVIEWPORTORGEX, 16,
        [](TPlayer& player, const TReader& p, uint32_t) {
            player.SetViewportOrg(p.S32(8), p.S32(12));
            return true;
        } },
    { EMR_SETPIXELV, 20,
        [](TPlayer& player, const TReader& p, uint32_t) {
            player.SetPixel(EmfPoint(p, 8), p.U32(16));
            return true;
        } },
    { EMR_SETMAPMODE, 12,
        [](TPlayer& player, const TReader& p, uint32_t) {
            player.SetMapMode(p.U32(8));
            return true;
        } },
    { EMR_SETBKMODE, 12,
        [](TPlayer& player, const TReader& p, uint32_t) {
            player.SetBkMode(p.U32(8));
            return true;
        } },
    { EMR_SETPOLYFILLMODE, 12,
        [](TPlayer& player, const TReader& p, uint32_t) {
            player.SetPolyFillMode(p.U32(8));
            return true;
        } },
    { EMR_SETTEXTALIGN, 12,
        [](TPlayer& player, const TReader& p, uint32_t) {
            player.SetTextAlign(p.U32(8));
            return true;
        } },
    { EMR_SETTEXTCOLOR, 12,
        [](TPlayer& player, const TReader& p, uint32_t) {
            player.SetTextColor(p.U32(8));
            return true;
        } },
    { EMR_SETBKCOLOR, 12,
        [](TPlayer& player, const TReader& p, uint32_t) {
            player.SetBkColor(p.U32(8));
            return true;
        } },
    { EMR_MOVETOEX, 16,
        [](TPlayer& player, const TReader& p, uint32_t) {
            player.MoveTo(EmfPoint(p, 8));
            return true;
        } },
    { EMR_EXCLUDECLIPRECT, 24,
        [](TPlayer& player, const TReader& p, uint32_t) {
            player.ExcludeClip(EmfBox(p, 8));
            return true;
        } },
    { EMR_INTERSECTCLIPRECT, 24,
        [](TPlayer& player, const TReader& p, uint32_t) {
            player.IntersectClip(EmfBox(p, 8));
            return true;
        } },
    { EMR_SAVEDC, 0,
        [](TPlayer& player, const TReader&, uint32_t) {
            player.SaveDC();
            return true;
        } },
    { EMR_RESTOREDC, 12,
        [](TPlayer& player, const TReader& p, uint32_t) {
            player.RestoreDC(p.S32(8));
            return true;
        } },
    { EMR_SETWORLDTRANSFORM, 32, EmfSetWorldTransform },
    { EMR_MODIFYWORLDTRANSFORM, 36, EmfModifyWorldTransform },
    { EMR_SELECTOBJECT, 12, EmfSelectObject },
    { EMR_CREATEPEN, 28, EmfCreatePen },
    { EMR_CREATEBRUSHINDIRECT, 24, EmfCreateBrush },
    { EMR_DELETEOBJECT, 12,
        [](TPlayer& player, const TReader& p, uint32_t) {
            return player.DeleteObjectAt(p.U32(8));
        } },
    { EMR_ELLIPSE, 24, EmfShape },
    { EMR_RECTANGLE, 24, EmfShape },
    { EMR_ROUNDRECT, 32, EmfShape },
    { EMR_LINETO, 16,
        [](TPlayer& player, const TReader& p, uint32_t) {
            player.LineTo(EmfPoint(p, 8));
            return true;
        } },
    { EMR_BEGINPATH, 0,
        [](TPlayer& player, const TReader&, uint32_t) {
            player.BeginPath();
            return true;
        } },
    { EMR_ENDPATH, 0,
        [](TPlayer& player, const TReader&, uint32_t) {
            player.EndPath();
            return true;
        } },
    { EMR_CLOSEFIGURE, 0,
        [](TPlayer& player, const TReader&, uint32_t) {
            player.CloseFigure();
            return true;
        } },
    { EMR_FILLPATH, 0, EmfDrawPath },
    { EMR_STROKEANDFILLPATH, 0, EmfDrawPath },
    { EMR_STROKEPATH, 0, EmfDrawPath },
    { EMR_BITBLT, 100, EmfBitBlt },
    { EMR_STRETCHBLT, 108, EmfBitBlt },
    { EMR_STRETCHDIBITS, 80, EmfStretchDiBits },
    { EMR_EXTCREATEFONTINDIRECTW, 40, EmfCreateFont },
    { EMR_EXTTEXTOUTW, 76, EmfExtTextOut },
    { EMR_POLYBEZIER16, 28, EmfPoly },
    { EMR_POLYGON16, 28, EmfPoly },
    { EMR_POLYLINE16, 28, EmfPoly },
    { EMR_POLYBEZIERTO16, 28, EmfPoly },
    { EMR_POLYLINETO16, 28, EmfPoly },
    { EMR_POLYPOLYLINE16, 32, EmfPolyPoly },
    { EMR_POLYPOLYGON16, 32, EmfPolyPoly },
    { EMR_CREATEDIBPATTERNBRUSHPT, 12, EmfPatternBrush },
    { EMR_EXTCREATEPEN, 44, EmfExtCreatePen },
};
static_assert(IsSortedTable(EmfRecords));

void PlayEmf(TPlayer& player, const TReader& r)
{
    size_t at = 0;
    while (r.Has(at, 8)) {
        const uint32_t type = r.U32(at);
        const uint32_t size = r.U32(at + 4);
        if (size < 8 || size % 4 != 0 || size > r.Data.size() - at)
            return;
        if (type == EMR_EOF)
            return;
        player.Count(PlayRecord(EmfRecords, player, type, TReader { r.Data.subspan(at, size) }));
        at += size;
    }
}

} // namespace

TMetafileHeader ReadMetafileHeader(std::span<const uint8_t> data)
{
    const TReader r { data };
    if (data.empty())
        Fail("the file is empty");
    TMetafileHeader header;
    if (IsEmf(r)) {
        const TEmfLayout layout = ReadEmfLayout(r);
        header.Kind = TMetafileKind::Emf;
        header.Width = layout.Width;
        header.Height = layout.Height;
    } else {
        const TWmfLayout layout = ReadWmfLayout(r);
        if (layout.Placeable) {
            header.Kind = TMetafileKind::PlaceableWmf;
            header.Width = std::llround(std::abs(layout.Bounds.width()) * ScreenDpi / layout.Inch);
            header.Height
                = std::llround(std::abs(layout.Bounds.height()) * ScreenDpi / layout.Inch);
        } else if (const std::optional<QRectF> window = WmfWindow(r, layout.RecordsAt)) {
            header.Kind = TMetafileKind::Wmf;
            header.Width = std::llround(std::abs(window->width()));
            header.Height = std::llround(std::abs(window->height()));
        } else {
            // No window: the coordinates are pixels; the picture reaches to the right and bottom
            // of what is drawn.
            header.Kind = TMetafileKind::Wmf;
            QPicture measure;
            {
                QPainter painter(&measure);
                TPlayer player(painter, QTransform(), ScreenDpi / 25.4, ScreenDpi / 25.4);
                player.SetMapMode(MM_TEXT);
                PlayWmf(player, r, layout.RecordsAt);
            }
            const QRect bounds = measure.boundingRect();
            header.Width = std::max(0, bounds.right() + 1);
            header.Height = std::max(0, bounds.bottom() + 1);
        }
    }
    if (header.Width <= 0 || header.Height <= 0)
        Fail("the picture has no size");
    return header;
}

TPlayStats PlayMetafile(std::span<const uint8_t> data, const TMetafileHeader& header,
    QPainter& painter, const QRectF& target)
{
    const TReader r { data };
    if (header.Kind == TMetafileKind::Emf) {
        const TEmfLayout layout = ReadEmfLayout(r);
        const QRectF& frame = layout.Frame;
        // Reference-device pixels of the frame onto the target rectangle.
        QTransform toTarget = QTransform::fromTranslate(-frame.left(), -frame.top())
            * QTransform::fromScale(
                target.width() / frame.width(), target.height() / frame.height())
            * QTransform::fromTranslate(target.left(), target.top());
        TPlayer player(painter, toTarget, layout.PixelsPerMmX, layout.PixelsPerMmY);
        PlayEmf(player, r);
        return player.Stats;
    }
    const TWmfLayout layout = ReadWmfLayout(r);
    // The window (the placeable header's bounds, or the file's own window) maps onto the target;
    // window records in the file change it as they come.
    TPlayer player(painter, QTransform(), ScreenDpi / 25.4, ScreenDpi / 25.4);
    if (layout.Placeable) {
        player.State().WindowOrg = layout.Bounds.topLeft();
        player.State().WindowExt = QPointF(layout.Bounds.width(), layout.Bounds.height());
    } else if (const std::optional<QRectF> window = WmfWindow(r, layout.RecordsAt)) {
        player.State().WindowOrg = window->topLeft();
        player.State().WindowExt = QPointF(window->width(), window->height());
    } else {
        player.State().WindowExt = QPointF(double(header.Width), double(header.Height));
    }
    if (player.State().WindowExt.x() == 0 || player.State().WindowExt.y() == 0)
        player.State().WindowExt = QPointF(1, 1);
    player.State().MapMode = MM_ANISOTROPIC;
    player.State().ViewportOrg = target.topLeft();
    player.State().ViewportExt = QPointF(target.width(), target.height());
    player.ApplyTransform();
    PlayWmf(player, r, layout.RecordsAt);
    return player.Stats;
}
