#include "MetafilePlayer.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include <QStringDecoder>
#include <QtEndian>

namespace kinetra::test {

namespace {

constexpr qsizetype PlaceableBytes = 22;
constexpr qsizetype MetaHeaderBytes = 18;

quint16 Word16(const QByteArray& data, qsizetype at)
{
    if (at + 2 > data.size())
        throw std::runtime_error("read past the end");
    return qFromLittleEndian<quint16>(data.constData() + at);
}

quint32 Word32(const QByteArray& data, qsizetype at)
{
    if (at + 4 > data.size())
        throw std::runtime_error("read past the end");
    return qFromLittleEndian<quint32>(data.constData() + at);
}

enum Kind { Pen, Brush, Font };

Kind KindOf(quint16 createFunction)
{
    return createFunction == CreatePenIndirect    ? Pen
           : createFunction == CreateFontIndirect ? Font
                                                  : Brush;
}

} // namespace

qint16 Record::word(int index) const
{
    return static_cast<qint16>(Word16(params, 2 * index));
}

quint32 Record::dword(int wordIndex) const
{
    return Word32(params, 2 * wordIndex);
}

QList<QPolygon> Record::polygons() const
{
    QList<qsizetype> counts;
    int at = 1;
    if (function == PolyPolygon) {
        for (int i = 0; i < word(0); ++i)
            counts.append(word(at++));
    } else {
        counts.append(word(0));
    }
    QList<QPolygon> polygons;
    for (const qsizetype count : counts) {
        QPolygon polygon;
        for (qsizetype i = 0; i < count; ++i, at += 2)
            polygon.append({word(at), word(at + 1)});
        polygons.append(polygon);
    }
    return polygons;
}

QString Record::text() const
{
    constexpr int OpaqueOrClipped = 0x0006;
    const int start = 8 + ((word(3) & OpaqueOrClipped) ? 8 : 0);
    return QStringDecoder("windows-1251").decode(params.mid(start, word(2)));
}

Metafile::Metafile(const QByteArray& file)
{
    for (qsizetype at = 0; at < PlaceableBytes; at += 2)
        placeable.push_back(Word16(file, at));
    qsizetype at = PlaceableBytes;
    type = Word16(file, at);
    headerWords = Word16(file, at + 2);
    version = Word16(file, at + 4);
    fileWords = Word32(file, at + 6);
    objectCount = Word16(file, at + 10);
    largestRecordWords = Word32(file, at + 12);
    at += MetaHeaderBytes;
    while (records.empty() || records.back().function != Eof) {
        Record record;
        record.words = Word32(file, at);
        record.function = Word16(file, at + 4);
        if (record.words < 3 || at + 2 * qsizetype(record.words) > file.size())
            throw std::runtime_error("record runs past the file");
        record.params = file.mid(at + 6, 2 * qsizetype(record.words) - 6);
        at += 2 * qsizetype(record.words);
        records.push_back(record);
    }
    bytesAfterEof = file.size() - at;
}

Playback::Playback(const Metafile& metafile)
{
    struct Context {
        std::array<int, 3> selected{-1, -1, -1};
        std::optional<quint32> textColour;
        std::optional<int> backgroundMode;
        std::optional<QRect> clip;
    };
    std::vector<std::optional<Record>> table(metafile.objectCount);
    Context current;
    std::vector<Context> saved;

    const auto held = [&](int slot) {
        const auto holds = [slot](const Context& context) {
            return std::find(context.selected.begin(), context.selected.end(), slot) !=
                   context.selected.end();
        };
        return holds(current) || std::any_of(saved.begin(), saved.end(), holds);
    };
    const auto object = [&](int slot) { return slot >= 0 ? *table[std::size_t(slot)] : Record(); };
    const auto live = [&](int slot) {
        return slot >= 0 && std::size_t(slot) < table.size() && table[std::size_t(slot)];
    };

    for (const Record& record : metafile.records) {
        switch (record.function) {
        case CreatePenIndirect:
        case CreateBrushIndirect:
        case CreateFontIndirect: {
            const auto free = std::find(table.begin(), table.end(), std::nullopt);
            if (free == table.end())
                faults.append(QStringLiteral("more objects than the header counts"));
            else
                *free = record;
            break;
        }
        case SelectObject:
            if (live(record.word(0)))
                current.selected[KindOf(table[std::size_t(record.word(0))]->function)] =
                    record.word(0);
            else
                faults.append(QStringLiteral("selects empty slot %1").arg(record.word(0)));
            break;
        case DeleteObject:
            if (!live(record.word(0)))
                faults.append(QStringLiteral("deletes empty slot %1").arg(record.word(0)));
            else if (held(record.word(0)))
                faults.append(QStringLiteral("deletes held slot %1").arg(record.word(0)));
            else
                table[std::size_t(record.word(0))].reset();
            break;
        case SaveDc:
            saved.push_back(current);
            break;
        case RestoreDc:
            if (saved.empty() || record.word(0) != -1) {
                faults.append(QStringLiteral("restores a context never saved"));
                break;
            }
            current = saved.back();
            saved.pop_back();
            break;
        case SetTextColor:
            current.textColour = record.dword(0);
            break;
        case SetBkMode:
            current.backgroundMode = record.word(0);
            break;
        case IntersectClipRect: {
            const QRect rect(QPoint(record.word(3), record.word(2)),
                             QPoint(record.word(1) - 1, record.word(0) - 1));
            current.clip = current.clip ? *current.clip & rect : rect;
            break;
        }
        case Polyline:
        case Polygon:
        case PolyPolygon:
        case Rectangle:
        case Ellipse:
        case ExtTextOut:
        case StretchDib:
            drawings.push_back({record, object(current.selected[Pen]),
                                object(current.selected[Brush]), object(current.selected[Font]),
                                current.textColour, current.backgroundMode, current.clip});
            break;
        default:
            break;
        }
    }
}

std::vector<Drawing> Playback::all(quint16 function) const
{
    std::vector<Drawing> found;
    std::copy_if(
        drawings.begin(), drawings.end(), std::back_inserter(found),
        [function](const Drawing& drawing) { return drawing.record.function == function; });
    return found;
}

} // namespace kinetra::test
