#pragma once

#include <optional>
#include <ostream>
#include <vector>

#include <QByteArray>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <QStringList>

// Lets GoogleTest show the faults a playback lists as readable text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace kinetra::test {

// Record functions as the metafile format numbers them, written out here so that the tests
// check the writer against the format rather than against its own table.
enum Function : quint16 {
    Eof = 0x0000,
    SaveDc = 0x001E,
    SetBkMode = 0x0102,
    SetPolyFillMode = 0x0106,
    RestoreDc = 0x0127,
    SelectObject = 0x012D,
    DeleteObject = 0x01F0,
    SetTextColor = 0x0209,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    IntersectClipRect = 0x0416,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    PolyPolygon = 0x0538,
    ExtTextOut = 0x0A32,
    StretchDib = 0x0F43,
};

struct Record {
    quint32 words = 0;
    quint16 function = 0;
    QByteArray params;

    qint16 word(int index) const;
    quint32 dword(int wordIndex) const;
    // The points of a polyline, polygon or polypolygon record, one polygon each.
    QList<QPolygon> polygons() const;
    // The string of a text record, decoded from the Russian code page.
    QString text() const;
};

// A placeable metafile split the way a player reads it: both headers as stored, then records
// up to the closing one. Throws std::runtime_error where a record runs past the file.
struct Metafile {
    explicit Metafile(const QByteArray& file);

    std::vector<quint16> placeable; // the 11 words of the placeable header, key first
    quint16 type = 0;
    quint16 headerWords = 0;
    quint16 version = 0;
    quint32 fileWords = 0;
    quint16 objectCount = 0;
    quint32 largestRecordWords = 0;
    std::vector<Record> records;
    qsizetype bytesAfterEof = 0;
};

// A drawing record with what the player held when it came to it.
struct Drawing {
    Record record;
    Record pen;
    Record brush;
    Record font;
    std::optional<quint32> textColour;
    std::optional<int> backgroundMode;
    std::optional<QRect> clip;
};

// Plays the object table and the saved contexts the way a player does, listing every drawing
// and every misuse: an empty slot selected or deleted, an object deleted while a context still
// holds it, a slot beyond the header's object count.
struct Playback {
    explicit Playback(const Metafile& metafile);

    std::vector<Drawing> drawings;
    QStringList faults;

    std::vector<Drawing> all(quint16 function) const;
};

} // namespace kinetra::test
