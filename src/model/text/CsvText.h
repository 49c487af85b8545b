#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace kinetra {

// A field of a CSV table: quoted, its quotes doubled, when it holds the separator, a quote or a
// line end, so that a spreadsheet or a script reads it back as one field; as it is otherwise.
QString CsvField(const QString& text, QChar separator);

// A row of such fields, parted by the separator.
QString CsvRow(const QStringList& fields, QChar separator);

} // namespace kinetra
