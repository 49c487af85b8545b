#include "text/CsvText.h"

namespace kinetra {

QString CsvField(const QString& text, QChar separator)
{
    if (!text.contains(separator) && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString CsvRow(const QStringList& fields, QChar separator)
{
    QStringList row;
    row.reserve(fields.size());
    for (const QString& field : fields)
        row.append(CsvField(field, separator));
    return row.join(separator);
}

} // namespace kinetra
