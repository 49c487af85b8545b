#include "charts/WmfPaintEngine.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <utility>

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTextItem>
#include <QtMath>

namespace kinetra {

namespace {

// Pen and brush styles, modes and flags, numbered as the format numbers them.
constexpr int PsSolid = 0;
constexpr int PsDash = 1;
constexpr int PsDot = 2;
constexpr int PsDashDot = 3;
constexpr int PsDashDotDot = 4;
constexpr int PsNull = 5;
constexpr int PsEndcapSquare = 0x0100;
constexpr int PsEndcapFlat = 0x0200;
constexpr int PsJoinBevel = 0x1000;
constexpr int PsJoinMiter = 0x2000;
constexpr int BsSolid = 0;
constexpr int BsNull = 1;
constexpr int BkModeTransparent = 1;
constexpr int BkModeOpaque = 2;
constexpr int FillAlternate = 1;
constexpr int FillWinding = 2;
constexpr char RussianCharset = char(204);
constexpr char AntialiasedQuality = 4;
constexpr int FaceNameBytes = 32;
constexpr quint32 SrcCopy = 0x00CC0020;
constexpr int DibRgbColors = 0;
constexpr quint32 BitmapInfoHeaderBytes = 40;
constexpr int BiRgb = 0;

// Point counts are 16-bit words.
constexpr qsizetype MaxPoints = 32767;

// Coordinates are 16-bit too; whatever lies beyond them is far off the picture anyway.
int DeviceUnit(qreal coordinate)
{
    return qRound(std::clamp(coordinate, -32768.0, 32767.0));
}

QPoint DevicePoint(QPointF point)
{
    return {DeviceUnit(point.x()), DeviceUnit(point.y())};
}

// Rounded to whole pixels, a long run of samples shrinks to the points that still show.
QPolygon DevicePolygon(const QPolygonF& polygon)
{
    QPolygon points;
    points.reserve(polygon.size());
    for (const QPointF& point : polygon) {
        const QPoint devicePoint = DevicePoint(point);
        if (points.isEmpty() || points.constLast() != devicePoint)
            points.append(devicePoint);
    }
    return points;
}

// A fill with more corners than a record can count loses every other one until it fits, which
// at pixel resolution does not show.
QPolygon Thinned(QPolygon polygon)
{
    while (polygon.size() > MaxPoints) {
        QPolygon half;
        for (qsizetype i = 0; i < polygon.size(); i += 2)
            half.append(polygon[i]);
        polygon = std::move(half);
    }
    return polygon;
}

// Rectangle records store their edges bottom first.
WmfParams RectParams(const QRectF& rect)
{
    return WmfParams()
        .word(DeviceUnit(rect.bottom()))
        .word(DeviceUnit(rect.right()))
        .word(DeviceUnit(rect.top()))
        .word(DeviceUnit(rect.left()));
}

// A metafile has no alpha: a translucent colour is mixed with the white page it lands on, and an
// invisible one draws nothing.
std::optional<quint32> ColorRef(const QColor& colour, qreal opacity)
{
    const qreal alpha = colour.alphaF() * opacity;
    if (alpha <= 0)
        return std::nullopt;
    const auto mix = [alpha](int channel) {
        return static_cast<quint32>(qRound(channel * alpha + 255 * (1 - alpha)));
    };
    return mix(colour.red()) | mix(colour.green()) << 8 | mix(colour.blue()) << 16;
}

// A metafile brush is one colour: a gradient shows as the mean of its ends, a texture as its
// average colour.
QColor BrushColour(const QBrush& brush)
{
    if (const QGradient* gradient = brush.gradient()) {
        const QColor first = gradient->stops().constFirst().second;
        const QColor last = gradient->stops().constLast().second;
        return QColor::fromRgbF(
            (first.redF() + last.redF()) / 2, (first.greenF() + last.greenF()) / 2,
            (first.blueF() + last.blueF()) / 2, (first.alphaF() + last.alphaF()) / 2);
    }
    if (brush.style() == Qt::TexturePattern)
        return brush.textureImage()
            .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .pixelColor(0, 0);
    return brush.color();
}

int PenStyle(const QPen& pen)
{
    int style = PsSolid;
    switch (pen.style()) {
    case Qt::DashLine:
    case Qt::CustomDashLine:
        style = PsDash;
        break;
    case Qt::DotLine:
        style = PsDot;
        break;
    case Qt::DashDotLine:
        style = PsDashDot;
        break;
    case Qt::DashDotDotLine:
        style = PsDashDotDot;
        break;
    default:
        break;
    }
    if (pen.capStyle() == Qt::SquareCap)
        style |= PsEndcapSquare;
    else if (pen.capStyle() == Qt::FlatCap)
        style |= PsEndcapFlat;
    if (pen.joinStyle() == Qt::BevelJoin)
        style |= PsJoinBevel;
    else if (pen.joinStyle() == Qt::MiterJoin || pen.joinStyle() == Qt::SvgMiterJoin)
        style |= PsJoinMiter;
    return style;
}

WmfParams PenParams(const QPen& pen, const QTransform& transform, qreal opacity)
{
    const std::optional<quint32> colour = ColorRef(BrushColour(pen.brush()), opacity);
    if (pen.style() == Qt::NoPen || !colour)
        return WmfParams().word(PsNull).point({}).dword(0);
    // A player draws a pen narrower than one unit one pixel wide, as Qt draws a cosmetic pen.
    const qreal scale = pen.isCosmetic() ? 1.0 : std::sqrt(std::abs(transform.determinant()));
    return WmfParams().word(PenStyle(pen)).point({qRound(pen.widthF() * scale), 0}).dword(*colour);
}

WmfParams BrushParams(const QBrush& brush, qreal opacity)
{
    const std::optional<quint32> colour = ColorRef(BrushColour(brush), opacity);
    if (brush.style() == Qt::NoBrush || !colour)
        return WmfParams().word(BsNull).dword(0).word(0);
    return WmfParams().word(BsSolid).dword(*colour).word(0);
}

} // namespace

WmfPaintEngine::WmfPaintEngine() : QPaintEngine(AllFeatures), m_encoder("windows-1251") {}

bool WmfPaintEngine::begin(QPaintDevice* device)
{
    if (m_records.isEmpty()) {
        stream().add(WmfFunction::SetWindowOrg, WmfParams().word(0).word(0));
        stream().add(WmfFunction::SetWindowExt,
                     WmfParams().word(device->height()).word(device->width()));
    }
    // Without the code page every label would be lost, so the picture is refused as a whole.
    return m_encoder.isValid();
}

bool WmfPaintEngine::end()
{
    m_clip.reset();
    m_clipEnabled = true;
    applyClip();
    flushLine();
    return true;
}

void WmfPaintEngine::updateState(const QPaintEngineState& changed)
{
    const DirtyFlags dirty = changed.state();
    if (dirty & DirtyClipRegion)
        clipTo(changed.clipRegion().boundingRect(), changed.clipOperation());
    if (dirty & DirtyClipPath)
        clipTo(changed.clipPath().boundingRect(), changed.clipOperation());
    if (dirty & DirtyClipEnabled)
        m_clipEnabled = changed.isClipEnabled();
    if (dirty & (DirtyClipRegion | DirtyClipPath | DirtyClipEnabled))
        applyClip();
}

void WmfPaintEngine::drawLines(const QLineF* lines, int lineCount)
{
    selectPen(state->pen());
    const QTransform transform = state->transform();
    for (const QLineF& line : std::span(lines, static_cast<std::size_t>(lineCount))) {
        const QPolygon segment =
            DevicePolygon({transform.map(line.p1()), transform.map(line.p2())});
        if (segment.size() < 2)
            continue;
        if (!m_pendingLine.isEmpty() && m_pendingLine.constLast() == segment.constFirst()) {
            m_pendingLine.append(segment.constLast());
        } else {
            flushLine();
            m_pendingLine = segment;
        }
    }
}

void WmfPaintEngine::drawRects(const QRectF* rects, int rectCount)
{
    const auto all = std::span(rects, static_cast<std::size_t>(rectCount));
    const QTransform transform = state->transform();
    if (transform.type() > QTransform::TxScale) {
        QPainterPath path;
        for (const QRectF& rect : all)
            path.addRect(rect);
        drawPath(path);
        return;
    }
    selectPen(state->pen());
    selectBrush(state->brush());
    for (const QRectF& rect : all)
        stream().add(WmfFunction::Rectangle, RectParams(transform.mapRect(rect)));
}

void WmfPaintEngine::drawEllipse(const QRectF& rect)
{
    const QTransform transform = state->transform();
    if (transform.type() > QTransform::TxScale) {
        QPainterPath path;
        path.addEllipse(rect);
        drawPath(path);
        return;
    }
    selectPen(state->pen());
    selectBrush(state->brush());
    stream().add(WmfFunction::Ellipse, RectParams(transform.mapRect(rect)));
}

void WmfPaintEngine::drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode)
{
    const QPolygon polygon =
        DevicePolygon(state->transform().map(QPolygonF(points, points + pointCount)));
    selectPen(state->pen());
    if (mode == PolylineMode) {
        writePolyline(polygon);
        return;
    }
    selectBrush(state->brush());
    setFillMode(mode == WindingMode ? FillWinding : FillAlternate);
    writePolygons({polygon});
}

void WmfPaintEngine::drawPath(const QPainterPath& path)
{
    QList<QPolygon> subpaths;
    bool closed = true;
    for (const QPolygonF& subpath : path.toSubpathPolygons(state->transform())) {
        subpaths.append(DevicePolygon(subpath));
        closed = closed && subpath.isClosed();
    }
    if (state->brush().style() != Qt::NoBrush) {
        // A polygon's outline always closes, so an open subpath gets its outline drawn apart.
        selectPen(closed ? state->pen() : QPen(Qt::NoPen));
        selectBrush(state->brush());
        setFillMode(path.fillRule() == Qt::WindingFill ? FillWinding : FillAlternate);
        writePolygons(subpaths);
        if (closed || state->pen().style() == Qt::NoPen)
            return;
    }
    selectPen(state->pen());
    for (const QPolygon& subpath : std::as_const(subpaths))
        writePolyline(subpath);
}

void WmfPaintEngine::drawTextItem(const QPointF& position, const QTextItem& textItem)
{
    const QByteArray text = m_encoder.encode(textItem.text());
    const std::optional<quint32> colour =
        ColorRef(BrushColour(state->pen().brush()), state->opacity());
    if (text.isEmpty() || !colour)
        return;
    const QTransform transform = state->transform();
    selectFont(textItem.font(), transform);
    setTextColour(*colour);
    setBackgroundMode(BkModeTransparent);
    // Text is placed by the top of its line, where every player starts, as some players ignore
    // a change of text alignment.
    const qreal ascent = QFontMetricsF(textItem.font(), paintDevice()).ascent();
    const QPoint top = DevicePoint(transform.map(position - QPointF(0, ascent)));
    WmfParams params;
    params.word(top.y()).word(top.x()).word(static_cast<int>(text.size())).word(0).bytes(text);
    stream().add(WmfFunction::ExtTextOut, params);
}

void WmfPaintEngine::drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source)
{
    drawImage(target, pixmap.toImage(), source, Qt::AutoColor);
}

void WmfPaintEngine::drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                               Qt::ImageConversionFlags)
{
    const QRect part = source.toAlignedRect() & image.rect();
    if (part.isEmpty())
        return;
    // A device-independent bitmap has no alpha, so the image is laid on white as on a page; its
    // rows run bottom up, each pixel blue, green, red.
    QImage bitmap(part.size(), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    {
        QPainter painter(&bitmap);
        painter.setOpacity(state->opacity());
        painter.drawImage(QPoint(), image, part);
    }
    bitmap = bitmap.convertToFormat(QImage::Format_BGR888).mirrored();

    const QRectF area = state->transform().mapRect(target);
    const int left = DeviceUnit(area.left());
    const int top = DeviceUnit(area.top());
    const auto pixelsPerMetre = static_cast<quint32>(qRound(paintDevice()->logicalDpiX() / 0.0254));
    WmfParams params;
    params.dword(SrcCopy).word(DibRgbColors).word(part.height()).word(part.width()).word(0).word(0);
    params.word(DeviceUnit(area.bottom()) - top).word(DeviceUnit(area.right()) - left);
    params.word(top).word(left);
    params.dword(BitmapInfoHeaderBytes).dword(part.width()).dword(part.height()).word(1).word(24);
    params.dword(BiRgb).dword(static_cast<quint32>(bitmap.sizeInBytes()));
    params.dword(pixelsPerMetre).dword(pixelsPerMetre).dword(0).dword(0);
    params.bytes(QByteArrayView(bitmap.constBits(), bitmap.sizeInBytes()));
    stream().add(WmfFunction::StretchDib, params);
}

void WmfPaintEngine::select(ObjectKind kind, WmfFunction create, const WmfParams& params)
{
    SelectedObject& selected = m_dc.objects[kind];
    if (selected.slot >= 0 && selected.params == params.data())
        return;
    const int slot = stream().createObject(create, params);
    stream().add(WmfFunction::SelectObject, WmfParams().word(slot));
    // An object the saved context still holds must live until the clip is lifted.
    if (selected.slot >= 0 && !(m_savedDc && m_savedDc->objects[kind].slot == selected.slot))
        stream().deleteObject(selected.slot);
    selected = {slot, params.data()};
}

void WmfPaintEngine::selectPen(const QPen& pen)
{
    select(PenObject, WmfFunction::CreatePenIndirect,
           PenParams(pen, state->transform(), state->opacity()));
    // The gaps of a styled line must stay clear, yet some players fade every fill drawn in
    // transparent mode, so the mode is transparent only where it shows.
    const bool styled = pen.style() != Qt::SolidLine && pen.style() != Qt::NoPen;
    setBackgroundMode(styled ? BkModeTransparent : BkModeOpaque);
}

void WmfPaintEngine::selectBrush(const QBrush& brush)
{
    select(BrushObject, WmfFunction::CreateBrushIndirect, BrushParams(brush, state->opacity()));
}

void WmfPaintEngine::selectFont(const QFont& font, const QTransform& transform)
{
    const qreal pixels = font.pixelSize() > 0
                             ? font.pixelSize()
                             : font.pointSizeF() * paintDevice()->logicalDpiY() / 72.0;
    const qreal scale = std::hypot(transform.m21(), transform.m22());
    // Escapement counts tenths of a degree anticlockwise, while the device's y axis points down.
    const int escapement =
        qRound(qRadiansToDegrees(std::atan2(-transform.m12(), transform.m11())) * 10);
    const char flags[] = {char(font.italic()),
                          char(font.underline()),
                          char(font.strikeOut()),
                          RussianCharset,
                          0,
                          0,
                          AntialiasedQuality,
                          0};
    QByteArray faceName = m_encoder.encode(QFontInfo(font).family());
    faceName.truncate(FaceNameBytes - 1);
    faceName.append('\0');

    WmfParams params;
    // A negative height asks for the height of the characters, which is what a Qt font size is.
    params.word(-qRound(pixels * scale)).word(0).word(escapement).word(escapement);
    params.word(font.weight()).bytes(QByteArrayView(flags, sizeof flags)).bytes(faceName);
    select(FontObject, WmfFunction::CreateFontIndirect, params);
}

void WmfPaintEngine::setTextColour(quint32 colour)
{
    if (m_dc.textColour == colour)
        return;
    stream().add(WmfFunction::SetTextColor, WmfParams().dword(colour));
    m_dc.textColour = colour;
}

void WmfPaintEngine::setBackgroundMode(int mode)
{
    if (m_dc.backgroundMode == mode)
        return;
    stream().add(WmfFunction::SetBkMode, WmfParams().word(mode));
    m_dc.backgroundMode = mode;
}

void WmfPaintEngine::setFillMode(int mode)
{
    if (m_dc.fillMode == mode)
        return;
    stream().add(WmfFunction::SetPolyFillMode, WmfParams().word(mode));
    m_dc.fillMode = mode;
}

void WmfPaintEngine::clipTo(const QRectF& area, Qt::ClipOperation operation)
{
    const QRectF deviceArea = state->transform().mapRect(area);
    switch (operation) {
    case Qt::NoClip:
        m_clip.reset();
        break;
    case Qt::ReplaceClip:
        m_clip = deviceArea;
        break;
    case Qt::IntersectClip:
        m_clip = m_clip ? m_clip->intersected(deviceArea) : deviceArea;
        break;
    }
}

void WmfPaintEngine::applyClip()
{
    const std::optional<QRectF> clip = m_clipEnabled ? m_clip : std::nullopt;
    if (clip == m_appliedClip)
        return;
    if (m_savedDc)
        restoreDc();
    if (clip) {
        stream().add(WmfFunction::SaveDc);
        m_savedDc = m_dc;
        stream().add(WmfFunction::IntersectClipRect, RectParams(*clip));
    }
    m_appliedClip = clip;
}

void WmfPaintEngine::restoreDc()
{
    stream().add(WmfFunction::RestoreDc, WmfParams().word(-1));
    // The restored context no longer holds what was selected under the clip, so that can go.
    for (std::size_t kind = 0; kind < ObjectKindCount; ++kind) {
        const int slot = m_dc.objects[kind].slot;
        if (slot >= 0 && slot != m_savedDc->objects[kind].slot)
            stream().deleteObject(slot);
    }
    m_dc = *std::exchange(m_savedDc, std::nullopt);
}

WmfRecords& WmfPaintEngine::stream()
{
    flushLine();
    return m_records;
}

void WmfPaintEngine::flushLine()
{
    writePolyline(std::exchange(m_pendingLine, {}));
}

void WmfPaintEngine::writePolyline(const QPolygon& points)
{
    // A line longer than a record can count goes on in the next record from the same point.
    for (qsizetype start = 0; start + 1 < points.size(); start += MaxPoints - 1) {
        const qsizetype count = std::min(MaxPoints, points.size() - start);
        WmfParams params;
        params.word(static_cast<int>(count));
        for (const QPoint& point : points.sliced(start, count))
            params.point(point);
        stream().add(WmfFunction::Polyline, params);
    }
}

void WmfPaintEngine::writePolygons(const QList<QPolygon>& polygons)
{
    QList<QPolygon> drawn;
    for (const QPolygon& polygon : polygons) {
        if (polygon.size() > 2)
            drawn.append(Thinned(polygon));
    }
    if (drawn.isEmpty())
        return;
    WmfParams params;
    if (drawn.size() > 1) {
        params.word(static_cast<int>(drawn.size()));
        for (const QPolygon& polygon : std::as_const(drawn))
            params.word(static_cast<int>(polygon.size()));
    } else {
        params.word(static_cast<int>(drawn.constFirst().size()));
    }
    for (const QPolygon& polygon : std::as_const(drawn)) {
        for (const QPoint& point : polygon)
            params.point(point);
    }
    stream().add(drawn.size() > 1 ? WmfFunction::PolyPolygon : WmfFunction::Polygon, params);
}

} // namespace kinetra
