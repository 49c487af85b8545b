#pragma once

#include <vector>

#include <QByteArray>
#include <QByteArrayView>
#include <QPoint>
#include <QSize>

namespace kinetra {

// The record functions this writer emits, numbered as the metafile format numbers them.
enum class WmfFunction : quint16 {
    Eof = 0x0000,
    SaveDc = 0x001E,
    SetBkMode = 0x0102,
    SetPolyFillMode = 0x0106,
    RestoreDc = 0x0127,
    SelectObject = 0x012D,
    DeleteObject = 0x01F0,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
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

// One record's parameters in the order the format stores them: little-endian 16- and 32-bit
// words, and byte strings padded to a whole word because record sizes count words.
class WmfParams final {
public:
    WmfParams& word(int value);
    WmfParams& dword(quint32 value);
    WmfParams& point(QPoint point) { return word(point.x()).word(point.y()); }
    WmfParams& bytes(QByteArrayView data);

    const QByteArray& data() const { return m_data; }

private:
    QByteArray m_data;
};

// The record stream of a metafile, with the object table a player keeps while it plays it: a
// created pen, brush or font takes the lowest free slot, and deleting it frees that slot again.
class WmfRecords final {
public:
    void add(WmfFunction function, const WmfParams& params = {});
    // Returns the slot the player puts the object in; records refer to it by that number.
    int createObject(WmfFunction function, const WmfParams& params);
    void deleteObject(int slot);

    bool isEmpty() const { return m_records.isEmpty(); }

    // The placeable file: its header for a picture of this many units at this many units per
    // inch, the standard header, the records and the closing record.
    QByteArray placeableFile(QSize size, int unitsPerInch) const;

private:
    QByteArray m_records;
    quint32 m_largestRecordWords = 0;
    std::vector<bool> m_slotsInUse;
};

} // namespace kinetra
