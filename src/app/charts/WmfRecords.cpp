#include "charts/WmfRecords.h"

#include <algorithm>

#include <QtEndian>

namespace kinetra {

namespace {

constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr int RecordHeaderWords = 3;
constexpr int MetaHeaderWords = 9;
constexpr int MemoryMetafile = 1;
constexpr int Version300 = 0x0300;

template <typename Word> void Append(QByteArray& data, Word value)
{
    char bytes[sizeof(Word)];
    qToLittleEndian(value, bytes);
    data.append(bytes, sizeof bytes);
}

// Readers check the placeable header by the exclusive or of its first ten words.
quint16 Checksum(QByteArrayView header)
{
    quint16 checksum = 0;
    for (qsizetype at = 0; at + 1 < header.size(); at += 2)
        checksum ^= qFromLittleEndian<quint16>(header.data() + at);
    return checksum;
}

} // namespace

WmfParams& WmfParams::word(int value)
{
    Append(m_data, static_cast<quint16>(value));
    return *this;
}

WmfParams& WmfParams::dword(quint32 value)
{
    Append(m_data, value);
    return *this;
}

WmfParams& WmfParams::bytes(QByteArrayView data)
{
    m_data.append(data);
    if (data.size() % 2 != 0)
        m_data.append('\0');
    return *this;
}

void WmfRecords::add(WmfFunction function, const WmfParams& params)
{
    const auto words = static_cast<quint32>(RecordHeaderWords + params.data().size() / 2);
    Append(m_records, words);
    Append(m_records, static_cast<quint16>(function));
    m_records.append(params.data());
    m_largestRecordWords = std::max(m_largestRecordWords, words);
}

int WmfRecords::createObject(WmfFunction function, const WmfParams& params)
{
    add(function, params);
    const auto freeSlot = std::find(m_slotsInUse.begin(), m_slotsInUse.end(), false);
    const auto slot = static_cast<int>(freeSlot - m_slotsInUse.begin());
    if (freeSlot == m_slotsInUse.end())
        m_slotsInUse.push_back(true);
    else
        *freeSlot = true;
    return slot;
}

void WmfRecords::deleteObject(int slot)
{
    add(WmfFunction::DeleteObject, WmfParams().word(slot));
    m_slotsInUse[static_cast<std::size_t>(slot)] = false;
}

QByteArray WmfRecords::placeableFile(QSize size, int unitsPerInch) const
{
    WmfParams placeable;
    placeable.dword(PlaceableKey).word(0);
    placeable.word(0).word(0).word(size.width()).word(size.height());
    placeable.word(unitsPerInch).dword(0);
    placeable.word(Checksum(placeable.data()));

    const auto fileWords =
        static_cast<quint32>(MetaHeaderWords + m_records.size() / 2 + RecordHeaderWords);
    WmfParams header;
    header.word(MemoryMetafile).word(MetaHeaderWords).word(Version300).dword(fileWords);
    header.word(static_cast<int>(m_slotsInUse.size()));
    header.dword(std::max<quint32>(m_largestRecordWords, RecordHeaderWords)).word(0);

    WmfParams eof;
    eof.dword(RecordHeaderWords).word(static_cast<int>(WmfFunction::Eof));

    return placeable.data() + header.data() + m_records + eof.data();
}

} // namespace kinetra
