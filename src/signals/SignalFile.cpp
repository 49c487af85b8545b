#include "SignalFile.h"

#include <cmath>

#include "RunData.h"
#include "SignalStages.h"
#include "text/NumberText.h"
#include "text/TextFile.h"

namespace kinetra {

namespace {

std::optional<double> ReadValue(const QString& text, QChar decimalSeparator)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    if (const auto value = ReadNumber(trimmed, u'.'))
        return value;
    return ReadNumber(trimmed, decimalSeparator);
}

// The column a table's header names as the input, else the first column of values.
qsizetype ValueColumn(const QStringList& titles)
{
    for (qsizetype i = 0; i < titles.size(); ++i) {
        const QString title = titles.at(i).trimmed().remove(u'"');
        if (title.startsWith(QStringLiteral("Вход"), Qt::CaseInsensitive) ||
            title.compare(QStringLiteral("input"), Qt::CaseInsensitive) == 0)
            return i;
    }
    return titles.size() > 1 ? 1 : 0;
}

} // namespace

SignalFileRead ReadSignalLines(const QStringList& lines, QChar decimalSeparator)
{
    const QString noNumber = QStringLiteral("в файле нет ни одного числа");
    qsizetype first = 0;
    while (first < lines.size() && lines.at(first).trimmed().isEmpty())
        ++first;
    if (first == lines.size())
        return SignalFileRead::Failed(noNumber);
    // A first line that is no number is a table's header.
    const QString header = lines.at(first);
    const bool table = !ReadValue(header, decimalSeparator);
    const QChar columnSeparator = header.contains(u';') ? u';' : u',';
    const QChar separator = table ? (columnSeparator == u';' ? u',' : u'.') : decimalSeparator;
    const qsizetype column = table ? ValueColumn(header.split(columnSeparator)) : 0;

    std::vector<double> values;

    for (qsizetype i = table ? first + 1 : first; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.trimmed().isEmpty())
            continue;
        const QString field =
            table ? line.section(columnSeparator, int(column), int(column)) : line;
        const auto lineError = [&](const QString& why) {
            return SignalFileRead::Failed(
                QStringLiteral("строка %1: \"%2\" %3").arg(i + 1).arg(field.trimmed(), why));
        };
        const auto value = ReadValue(field, separator);
        if (!value)
            return lineError(QStringLiteral("не число"));
        if (!(std::abs(*value) <= FilterOutputLimit))
            return lineError(QStringLiteral("больше 1E9 по модулю"));
        if (values.size() == std::size_t(ResultCapacity))
            return lineError(QStringLiteral("сверх %1 чисел").arg(ResultCapacity));
        values.push_back(*value);
    }
    if (values.empty())
        return SignalFileRead::Failed(noNumber);
    return SignalFileRead::Read(std::move(values));
}

SignalFileRead ReadSignalFile(const QString& path, QChar decimalSeparator)
{
    const TextFileRead file = ReadTextFile(path);
    if (!file.ok)
        return SignalFileRead::Failed(file.error);
    return ReadSignalLines(file.value, decimalSeparator);
}

} // namespace kinetra
