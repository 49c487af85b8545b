#include "RecordSet.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include <QCollator>
#include <QCoreApplication>
#include <QLocale>

namespace kinetra {

namespace {

bool isInteger(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

bool isReal(const QVariant& value)
{
    return value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float;
}

// The fewest digits that read back to the same double, unlike the fixed count of digits of the
// general notation: plain positional notation for catalogue-sized numbers, the exponent only for
// extreme ones.
QString shortestText(double value)
{
    const double magnitude = std::fabs(value);
    const char format = (magnitude == 0 || (magnitude >= 1e-6 && magnitude < 1e15)) ? 'f' : 'g';
    return QLocale::c().toString(value, format, QLocale::FloatingPointShortest);
}

// The user's alphabetical order; a system without a language of its own (the "C" locale) gets
// the Russian one, so that the catalogue's Cyrillic names still sort as a reader expects.
QLocale collationLocale()
{
    const QLocale user;
    return user.language() == QLocale::C ? QLocale(QLocale::Russian, QLocale::Russia) : user;
}

bool keyLess(double a, double b)
{
    return a < b;
}

bool keyLess(const QCollatorSortKey& a, const QCollatorSortKey& b)
{
    return a.compare(b) < 0;
}

} // namespace

QString ValueText(const QVariant& value, QChar decimalSeparator)
{
    if (value.isNull())
        return {};
    if (isReal(value)) {
        QString text = shortestText(value.toDouble());
        text.replace(u'.', decimalSeparator);
        return text;
    }
    if (value.typeId() == QMetaType::QByteArray)
        return QCoreApplication::translate("RecordSet", "(двоичные данные, %1 байт)")
            .arg(value.toByteArray().size());
    return value.toString();
}

RecordSet::RecordSet(std::vector<FieldInfo> fields, std::vector<QVariant> values,
                     QChar decimalSeparator)
    : m_open(true), m_fields(std::move(fields)), m_values(std::move(values)),
      m_decimalSeparator(decimalSeparator)
{
    const int count = m_fields.empty() ? 0 : static_cast<int>(m_values.size() / m_fields.size());
    m_order.resize(count);
    std::iota(m_order.begin(), m_order.end(), 0);
    m_current = count > 0 ? 0 : -1;
}

int RecordSet::fieldIndex(const QString& name) const
{
    const auto found = std::find_if(m_fields.cbegin(), m_fields.cend(),
                                    [&name](const FieldInfo& field) { return field.name == name; });
    return found == m_fields.cend() ? -1 : static_cast<int>(found - m_fields.cbegin());
}

ColumnKind RecordSet::columnKind(int field) const
{
    ColumnKind kind = ColumnKind::Empty;
    const std::size_t stride = m_fields.size();
    for (std::size_t at = static_cast<std::size_t>(field); at < m_values.size(); at += stride) {
        const QVariant& value = m_values[at];
        if (value.isNull())
            continue;
        if (value.typeId() == QMetaType::QByteArray)
            return ColumnKind::Binary;
        if (isInteger(value)) {
            if (kind == ColumnKind::Empty)
                kind = ColumnKind::Integer;
        } else if (isReal(value)) {
            if (kind != ColumnKind::Text)
                kind = ColumnKind::Real;
        } else {
            kind = ColumnKind::Text;
        }
    }
    return kind;
}

bool RecordSet::moveTo(int row)
{
    if (row < 0 || row >= RecordCount() || row == m_current)
        return false;
    m_current = row;
    return true;
}

const QVariant& RecordSet::value(int row, int field) const
{
    return m_values[static_cast<std::size_t>(m_order[row]) * m_fields.size() +
                    static_cast<std::size_t>(field)];
}

QString RecordSet::text(int row, int field) const
{
    return ValueText(value(row, field), m_decimalSeparator);
}

std::vector<FieldValue> RecordSet::currentRecord() const
{
    std::vector<FieldValue> record;
    if (m_current < 0)
        return record;
    record.reserve(m_fields.size());
    for (int field = 0; field < fieldCount(); ++field)
        record.push_back({m_fields[field].name, m_fields[field].memo, text(m_current, field)});
    return record;
}

bool RecordSet::Sort(const QString& expression)
{
    bool ascending = true;
    QString name;
    if (expression.endsWith(QStringLiteral(" ASC"), Qt::CaseInsensitive)) {
        name = expression.chopped(4);
    } else if (expression.endsWith(QStringLiteral(" DESC"), Qt::CaseInsensitive)) {
        name = expression.chopped(5);
        ascending = false;
    } else {
        return false;
    }
    const int field = fieldIndex(name);
    if (!m_open || field < 0)
        return false;

    const std::size_t stride = m_fields.size();
    const auto stored = [&](int record) -> const QVariant& {
        return m_values[static_cast<std::size_t>(record) * stride +
                        static_cast<std::size_t>(field)];
    };
    const int keptRecord = m_current >= 0 ? m_order[m_current] : -1;
    // Empty values come first in ascending order and last in descending order.
    const auto nullOrder = [&](int a, int b) -> int {
        return int(!stored(a).isNull()) - int(!stored(b).isNull());
    };

    // Orders the records by one key each.
    const auto sortBy = [&](const auto& keys) {
        std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
            if (const int nulls = nullOrder(a, b); nulls != 0)
                return ascending ? nulls < 0 : nulls > 0;
            return ascending ? keyLess(keys[a], keys[b]) : keyLess(keys[b], keys[a]);
        });
    };
    const int count = static_cast<int>(m_values.size() / stride);
    const ColumnKind kind = columnKind(field);
    if (kind == ColumnKind::Integer || kind == ColumnKind::Real) {
        std::vector<double> keys(count);
        for (int record = 0; record < count; ++record)
            keys[record] = stored(record).toDouble();
        sortBy(keys);
    } else {
        QCollator collator{collationLocale()};
        collator.setNumericMode(true);
        std::vector<QCollatorSortKey> keys;
        keys.reserve(count);
        for (int record = 0; record < count; ++record)
            keys.push_back(collator.sortKey(ValueText(stored(record), m_decimalSeparator)));
        sortBy(keys);
    }
    if (keptRecord >= 0)
        m_current = static_cast<int>(std::find(m_order.begin(), m_order.end(), keptRecord) -
                                     m_order.begin());
    m_sortedField = field;
    m_sortedAscending = ascending;
    return true;
}

} // namespace kinetra
