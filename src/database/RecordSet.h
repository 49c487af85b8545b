#pragma once

#include <QChar>
#include <QString>
#include <QVariant>

#include <vector>

namespace kinetra {

// A column of a record set. A memo is a long-text column, whose values are read in a message box
// rather than in the grid.
struct FieldInfo {
    QString name;
    bool memo = false;
};

// What the values of a column are, judged from the values themselves: SQLite keeps a type per
// value, not per column.
enum class ColumnKind { Empty, Integer, Real, Text, Binary };

// One field of the current record: its name, whether it is a memo, and its value as text.
struct FieldValue {
    QString name;
    bool memo = false;
    QString text;
};

// A table or query result fetched whole and kept in memory, so that the position and the count
// are exact and sorting reorders it without asking the database again. Values keep the type the
// database gave them; their text uses the program's decimal separator, so a number reads in the
// model editor exactly as the catalogue shows it.
class RecordSet final {
public:
    // A closed record set: no fields, no records.
    RecordSet() = default;
    // values holds the records one after another, fields.size() values each.
    RecordSet(std::vector<FieldInfo> fields, std::vector<QVariant> values, QChar decimalSeparator);

    bool isOpen() const { return m_open; }
    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    const FieldInfo& field(int index) const { return m_fields.at(index); }
    // -1 when no field has the name, compared exactly.
    int fieldIndex(const QString& name) const;
    ColumnKind columnKind(int field) const;

    int RecordCount() const { return static_cast<int>(m_order.size()); }
    // The current record counted from 1; 0 when there is none.
    int RecNo() const { return m_current + 1; }
    // The current record counted from 0 in the present order; -1 when there is none.
    int currentRow() const { return m_current; }
    // False, and nothing moves, for a row outside the records or the current row itself.
    bool moveTo(int row);

    // A record's value by its place in the present order.
    const QVariant& value(int row, int field) const;
    QString text(int row, int field) const;
    std::vector<FieldValue> currentRecord() const;

    // "FIELD ASC" or "FIELD DESC": numbers order as numbers, texts by the locale's collation,
    // empty values first when ascending. The current record stays current. False, and nothing
    // changes, for a closed record set or a field it does not have.
    bool Sort(const QString& expression);

    // The field the records were last sorted by (-1 while they keep the stored order), and
    // whether ascending.
    int sortedField() const { return m_sortedField; }
    bool sortedAscending() const { return m_sortedAscending; }

private:
    bool m_open = false;
    std::vector<FieldInfo> m_fields;
    std::vector<QVariant> m_values;
    // The stored records in the order shown.
    std::vector<int> m_order;
    int m_current = -1;
    QChar m_decimalSeparator = u'.';
    int m_sortedField = -1;
    bool m_sortedAscending = true;
};

// A value as the catalogue shows it: empty for null, numbers in full with the given separator.
QString ValueText(const QVariant& value, QChar decimalSeparator);

} // namespace kinetra
