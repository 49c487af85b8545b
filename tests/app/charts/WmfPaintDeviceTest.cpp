#include <gtest/gtest.h>

#include <functional>

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include "MetafilePlayer.h"
#include "charts/WmfPaintDevice.h"

namespace kinetra::test {
namespace {

// Colours as a metafile stores them: red in the low byte.
constexpr quint32 RedRef = 0x0000FF;
constexpr quint32 BlueRef = 0xFF0000;

QByteArray PaintedFile(const std::function<void(QPainter&)>& paint, int dpi = 96)
{
    WmfPaintDevice device(QSize(200, 100), dpi);
    QPainter painter(&device);
    paint(painter);
    painter.end();
    return device.metafile();
}

Playback Played(const std::function<void(QPainter&)>& paint)
{
    return Playback(Metafile(PaintedFile(paint)));
}

std::vector<qint16> Words(const Record& record)
{
    std::vector<qint16> words;
    for (int i = 0; i < record.params.size() / 2; ++i)
        words.push_back(record.word(i));
    return words;
}

// Records of every shape the writer makes, odd-sized strings and bitmap rows among them.
void PaintSampler(QPainter& painter)
{
    painter.setPen(QPen(Qt::blue, 2, Qt::DashLine));
    painter.setBrush(Qt::yellow);
    painter.drawRect(10, 10, 50, 30);
    painter.drawEllipse(QRectF(70, 10, 40, 30));
    painter.setClipRect(0, 0, 100, 50);
    painter.drawText(QPointF(10, 80), QStringLiteral("Ток"));
    painter.setClipping(false);
    QImage image(3, 3, QImage::Format_ARGB32);
    image.fill(Qt::green);
    painter.drawImage(QRect(150, 10, 30, 30), image);
    painter.drawPolyline(QPolygonF({{0, 0}, {50, 90}, {100, 20}}));
}

TEST(MetafileLayout, PlaceableHeaderDescribesThePicture)
{
    const Metafile metafile(PaintedFile(PaintSampler, 120));
    const std::vector<quint16>& header = metafile.placeable;
    ASSERT_EQ(header.size(), 11u);
    EXPECT_EQ(header[0] | quint32(header[1]) << 16, 0x9AC6CDD7u);
    EXPECT_EQ(header[2], 0);
    EXPECT_EQ(std::vector<quint16>(header.begin() + 3, header.begin() + 7),
              (std::vector<quint16>{0, 0, 200, 100}));
    EXPECT_EQ(header[7], 120);
    EXPECT_EQ(header[8] | header[9], 0);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= header[std::size_t(i)];
    EXPECT_EQ(header[10], checksum);
}

TEST(MetafileLayout, RecordSizesAddUpToTheSizeInTheHeader)
{
    const QByteArray file = PaintedFile(PaintSampler);
    const Metafile metafile(file);
    EXPECT_EQ(metafile.type, 1);
    EXPECT_EQ(metafile.headerWords, 9);
    EXPECT_EQ(metafile.version, 0x0300);

    quint32 words = metafile.headerWords;
    quint32 largest = 0;
    for (const Record& record : metafile.records) {
        words += record.words;
        largest = std::max(largest, record.words);
    }
    EXPECT_EQ(metafile.fileWords, words);
    EXPECT_EQ(22 + 2 * qsizetype(metafile.fileWords), file.size());
    EXPECT_EQ(metafile.bytesAfterEof, 0);
    EXPECT_EQ(metafile.records.back().words, 3u);
    // Readers size their record buffer by it and stop reading where it is wrong.
    EXPECT_EQ(metafile.largestRecordWords, largest);
    EXPECT_EQ(Playback(metafile).faults, QStringList());
}

TEST(PaintedShapes, BecomeTheirRecordsInDeviceCoordinates)
{
    const Playback playback = Played([](QPainter& painter) {
        painter.translate(10, 5);
        painter.drawLine(QPointF(0, 0), QPointF(100, 0));
        painter.drawRect(QRectF(20, 30, 40, 20));
        painter.drawEllipse(QRectF(100, 10, 50, 30));
    });
    const auto lines = playback.all(Polyline);
    const auto rects = playback.all(Rectangle);
    const auto ellipses = playback.all(Ellipse);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].record.polygons(), QList<QPolygon>{QPolygon({{10, 5}, {110, 5}})});
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(Words(rects[0].record), (std::vector<qint16>{55, 70, 35, 30}));
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(Words(ellipses[0].record), (std::vector<qint16>{45, 160, 15, 110}));
}

TEST(PaintedShapes, ConnectedSegmentsJoinIntoOnePolyline)
{
    const Playback playback = Played([](QPainter& painter) {
        painter.drawLine(QPointF(0, 0), QPointF(10, 10));
        painter.drawLine(QPointF(10, 10), QPointF(20, 0));
        painter.drawLine(QPointF(20, 0), QPointF(30, 10));
        painter.setPen(Qt::red);
        painter.drawLine(QPointF(30, 10), QPointF(40, 0));
        painter.drawLine(QPointF(50, 0), QPointF(60, 10));
    });
    const auto lines = playback.all(Polyline);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].record.polygons().front(), QPolygon({{0, 0}, {10, 10}, {20, 0}, {30, 10}}));
    EXPECT_EQ(lines[0].pen.dword(3), 0u);
    EXPECT_EQ(lines[1].record.polygons().front(), QPolygon({{30, 10}, {40, 0}}));
    EXPECT_EQ(lines[1].pen.dword(3), RedRef);
    EXPECT_EQ(lines[2].record.polygons().front(), QPolygon({{50, 0}, {60, 10}}));
}

TEST(PaintedShapes, RotatedRectangleBecomesItsTurnedOutline)
{
    const Playback playback = Played([](QPainter& painter) {
        painter.translate(100, 50);
        painter.rotate(90);
        painter.setBrush(Qt::gray);
        painter.drawRect(QRectF(0, 0, 40, 20));
    });
    const auto polygons = playback.all(Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].record.polygons(),
              QList<QPolygon>{QPolygon({{100, 50}, {100, 90}, {80, 90}, {80, 50}, {100, 50}})});
}

TEST(PaintedShapes, FilledPathKeepsItsHolesAndItsOpenOutline)
{
    const Metafile metafile(PaintedFile([](QPainter& painter) {
        painter.setBrush(Qt::green);
        QPainterPath frame;
        frame.addRect(10, 10, 50, 50);
        frame.addRect(20, 20, 10, 10);
        frame.setFillRule(Qt::WindingFill);
        painter.drawPath(frame);
        QPainterPath open;
        open.moveTo(100, 10);
        open.lineTo(150, 10);
        open.lineTo(150, 60);
        painter.drawPath(open);
    }));
    const Playback playback(metafile);
    const auto polyPolygons = playback.all(PolyPolygon);
    ASSERT_EQ(polyPolygons.size(), 1u);
    const QList<QPolygon> rings = polyPolygons[0].record.polygons();
    ASSERT_EQ(rings.size(), 2);
    EXPECT_EQ(rings[1], QPolygon({{20, 20}, {30, 20}, {30, 30}, {20, 30}, {20, 20}}));
    const auto fillMode =
        std::find_if(metafile.records.begin(), metafile.records.end(),
                     [](auto& record) { return record.function == SetPolyFillMode; });
    ASSERT_NE(fillMode, metafile.records.end());
    EXPECT_EQ(fillMode->word(0), 2);

    // An open subpath is filled as if closed, but only its own lines are stroked.
    const auto fills = playback.all(Polygon);
    const auto outlines = playback.all(Polyline);
    ASSERT_EQ(fills.size(), 1u);
    ASSERT_EQ(outlines.size(), 1u);
    EXPECT_EQ(fills[0].pen.word(0), 5);
    EXPECT_EQ(outlines[0].record.polygons(),
              QList<QPolygon>{QPolygon({{100, 10}, {150, 10}, {150, 60}})});
    EXPECT_NE(outlines[0].pen.word(0), 5);
}

TEST(PensAndBrushes, CarryStyleWidthAndColour)
{
    const Playback playback = Played([](QPainter& painter) {
        painter.setPen(QPen(Qt::red, 3, Qt::DashLine, Qt::FlatCap, Qt::MiterJoin));
        painter.setBrush(QColor(0, 128, 255));
        painter.drawRect(10, 10, 20, 20);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(40, 10, 20, 20));
        painter.scale(2, 2);
        painter.setPen(QPen(QColor(0, 0, 0, 128), 3, Qt::DotLine));
        painter.drawLine(0, 40, 40, 40);
    });
    ASSERT_EQ(playback.drawings.size(), 3u);
    const Drawing& rect = playback.drawings[0];
    EXPECT_EQ(rect.pen.word(0), 1 | 0x0200 | 0x2000);
    EXPECT_EQ(rect.pen.word(1), 3);
    EXPECT_EQ(rect.pen.dword(3), RedRef);
    EXPECT_EQ(rect.brush.word(0), 0);
    EXPECT_EQ(rect.brush.dword(1), 0xFF8000u);

    const Drawing& ellipse = playback.drawings[1];
    EXPECT_EQ(ellipse.pen.word(0), 5);
    EXPECT_EQ(ellipse.brush.word(0), 1);

    // Half-transparent black lands on the page as mid grey; the width follows the scale.
    const Drawing& line = playback.drawings[2];
    EXPECT_EQ(line.pen.word(0) & 0xFF, 2);
    EXPECT_EQ(line.pen.word(1), 6);
    EXPECT_EQ(line.pen.dword(3), 0x7F7F7Fu);
    // Dots need a clear background between them.
    EXPECT_EQ(line.backgroundMode, 1);
}

TEST(PaintedText, CyrillicLabelKeepsItsLettersSizeAndPlace)
{
    const Playback playback = Played([](QPainter& painter) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(14);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(0, 0, 128));
        painter.drawText(QPointF(10, 40), QStringLiteral("Момент, Нм"));
        painter.translate(30, 90);
        painter.rotate(-90);
        painter.drawText(QPointF(0, 0), QStringLiteral("Нм"));
    });
    const auto texts = playback.all(ExtTextOut);
    ASSERT_EQ(texts.size(), 2u);
    const Drawing& label = texts[0];
    EXPECT_EQ(label.record.text(), QStringLiteral("Момент, Нм"));
    EXPECT_EQ(label.font.word(0), -14);
    EXPECT_EQ(label.font.word(4), 700);
    EXPECT_EQ(quint8(label.font.params[13]), 204);
    EXPECT_EQ(label.textColour, 0x800000u);
    EXPECT_EQ(label.backgroundMode, 1);
    // Placed by the top of the line, which lies an ascent above the baseline painted at.
    EXPECT_EQ(label.record.word(1), 10);
    EXPECT_GE(label.record.word(0), 40 - 14);
    EXPECT_LE(label.record.word(0), 40 - 10);

    const Drawing& turned = texts[1];
    EXPECT_EQ(turned.record.text(), QStringLiteral("Нм"));
    EXPECT_EQ(turned.font.word(2), 900);
    EXPECT_EQ(turned.font.word(3), 900);
    EXPECT_EQ(turned.record.word(0), 90);
    EXPECT_GE(turned.record.word(1), 30 - 14);
    EXPECT_LE(turned.record.word(1), 30 - 10);
}

TEST(Clipping, LiftedClipBringsBackTheSelectedObjects)
{
    const Playback playback = Played([](QPainter& painter) {
        painter.translate(5, 5);
        painter.setPen(Qt::red);
        painter.drawLine(0, 0, 10, 0);
        painter.setClipRect(QRect(0, 0, 100, 40));
        painter.drawLine(0, 10, 10, 10);
        painter.setPen(Qt::blue);
        painter.drawLine(0, 20, 10, 20);
        painter.setClipRect(QRectF(50, 0, 100, 100), Qt::IntersectClip);
        painter.drawLine(0, 25, 10, 25);
        painter.setClipping(false);
        painter.drawLine(0, 30, 10, 30);
        painter.setPen(Qt::red);
        painter.drawLine(0, 40, 10, 40);
    });
    EXPECT_EQ(playback.faults, QStringList());
    const auto lines = playback.all(Polyline);
    ASSERT_EQ(lines.size(), 6u);
    const std::vector<std::optional<QRect>> clips{std::nullopt,         QRect(5, 5, 100, 40),
                                                  QRect(5, 5, 100, 40), QRect(55, 5, 50, 40),
                                                  std::nullopt,         std::nullopt};
    const std::vector<quint32> colours{RedRef, RedRef, BlueRef, BlueRef, BlueRef, RedRef};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].clip, clips[i]) << "line " << i;
        EXPECT_EQ(lines[i].pen.dword(3), colours[i]) << "line " << i;
    }
}

TEST(Images, BecomeBottomUpBitmapsLaidOnWhite)
{
    const Playback playback = Played([](QPainter& painter) {
        QImage image(3, 2, QImage::Format_ARGB32);
        image.fill(Qt::blue);
        image.setPixelColor(0, 0, Qt::red);
        image.setPixelColor(2, 1, Qt::transparent);
        painter.drawImage(QRectF(10, 20, 30, 20), image);
    });
    const auto bitmaps = playback.all(StretchDib);
    ASSERT_EQ(bitmaps.size(), 1u);
    const Record& bitmap = bitmaps[0].record;
    const std::vector<qint16> words = Words(bitmap);
    EXPECT_EQ(std::vector<qint16>(words.begin() + 7, words.begin() + 11),
              (std::vector<qint16>{20, 30, 20, 10}));
    EXPECT_EQ(bitmap.dword(13), 3u);
    EXPECT_EQ(bitmap.dword(15), 2u);
    EXPECT_EQ(bitmap.word(18), 24);
    // Rows are padded to four bytes and stored bottom row first, pixels blue, green, red.
    const QByteArray pixels = bitmap.params.mid(22 + 40);
    ASSERT_EQ(pixels.size(), 2 * 12);
    EXPECT_EQ(pixels.mid(6, 3), QByteArray("\xff\xff\xff", 3));
    EXPECT_EQ(pixels.mid(12, 3), QByteArray("\x00\x00\xff", 3));
    EXPECT_EQ(pixels.mid(15, 3), QByteArray("\xff\x00\x00", 3));
}

TEST(LongLines, GoOnInTheNextRecordFromTheSamePoint)
{
    QPolygonF zigzag;
    for (int i = 0; i < 40000; ++i)
        zigzag.append(QPointF(i % 200, i % 2 * 50));
    const Playback playback =
        Played([&zigzag](QPainter& painter) { painter.drawPolyline(zigzag); });
    const auto parts = playback.all(Polyline);
    ASSERT_GE(parts.size(), 2u);
    qsizetype points = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const QPolygon part = parts[i].record.polygons().front();
        EXPECT_LE(part.size(), 32767);
        points += part.size();
        if (i > 0) {
            EXPECT_EQ(part.first(), parts[i - 1].record.polygons().front().last());
        }
    }
    EXPECT_EQ(points - qsizetype(parts.size() - 1), zigzag.size());
}

} // namespace
} // namespace kinetra::test
