#include "SignalFile.h"

#include <algorithm>
#include <cmath>

#include <QCoreApplication>

#include "RunData.h"
#include "SignalStages.h"
#include "text/NumberText.h"
#include "text/TextFile.h"

namespace kinetra {

namespace {

// The translation context of the messages.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(SignalFile)
};

std::optional<double> ReadValue(const QString& text, QChar decimalSeparator)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    if (const auto value = ReadNumber(trimmed, u'.'))
        return value;
    return ReadNumber(trimmed, decimalSeparator);
}

bool IsInputTitle(const QString& title)
{
    return title.startsWith(QStringLiteral("Вход"), Qt::CaseInsensitive) ||
           title.compare(QStringLiteral("input"), Qt::CaseInsensitive) == 0;
}

// The titles of a header line, split at the separator outside quotes, the quotes taken off: the
// chart's export quotes a title that holds the separator ("Время, мс").
QStringList Titles(const QString& line, QChar separator)
{
    QStringList titles(1);
    bool quoted = false;
    for (const QChar c : line) {
        if (c == u'"')
            quoted = !quoted;
        else if (c == separator && !quoted)
            titles.append(QString());
        else
            titles.last() += c;
    }
    for (QString& title : titles)
        title = title.trimmed();
    return titles;
}

// Whether a first line is a table's header, as the chart's export and the command line's signal
// output write it: at least two titles and none of them a number, or the one title of the input.
// Any other first line is a value, and one that is no number is refused as any other line is.
bool IsHeader(const QStringList& titles, QChar decimalSeparator)
{
    if (titles.size() == 1)
        return IsInputTitle(titles.constFirst());
    return std::none_of(titles.cbegin(), titles.cend(), [decimalSeparator](const QString& title) {
        return ReadValue(title, decimalSeparator).has_value();
    });
}

// The column a table's header names as the input, else the first column of values.
qsizetype ValueColumn(const QStringList& titles)
{
    for (qsizetype i = 0; i < titles.size(); ++i) {
        if (IsInputTitle(titles.at(i)))
            return i;
    }
    return titles.size() > 1 ? 1 : 0;
}

} // namespace

SignalFileRead ReadSignalLines(const QStringList& lines, QChar decimalSeparator)
{
    const QString noNumber = Text::tr("в файле нет ни одного числа");
    qsizetype first = 0;
    while (first < lines.size() && lines.at(first).trimmed().isEmpty())
        ++first;
    if (first == lines.size())
        return SignalFileRead::Failed(noNumber);
    const QString header = lines.at(first);
    const QChar columnSeparator = header.contains(u';') ? u';' : u',';
    const QStringList titles = Titles(header, columnSeparator);
    const bool table = !ReadValue(header, decimalSeparator) && IsHeader(titles, decimalSeparator);
    const QChar separator = table ? (columnSeparator == u';' ? u',' : u'.') : decimalSeparator;
    const qsizetype column = table ? ValueColumn(titles) : 0;

    std::vector<double> values;

    for (qsizetype i = table ? first + 1 : first; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.trimmed().isEmpty())
            continue;
        const QString field =
            table ? line.section(columnSeparator, int(column), int(column)) : line;
        const auto lineError = [&](const QString& why) {
            return SignalFileRead::Failed(
                Text::tr("строка %1: \"%2\" %3").arg(i + 1).arg(field.trimmed(), why));
        };
        const auto value = ReadValue(field, separator);
        if (!value)
            return lineError(Text::tr("не число"));
        if (!(std::abs(*value) <= FilterOutputLimit))
            return lineError(Text::tr("больше 1E9 по модулю"));
        if (values.size() == std::size_t(ResultCapacity))
            return lineError(Text::tr("сверх %1 чисел").arg(ResultCapacity));
        values.push_back(*value);
    }
    if (values.empty())
        return SignalFileRead::Failed(noNumber);
    return SignalFileRead::Of(std::move(values));
}

SignalFileRead ReadSignalFile(const QString& path, QChar decimalSeparator)
{
    // The chart's CSV export is UTF-8, which tells its titles apart.
    const TextContentRead file = ReadTextFileOrUtf8(path);
    if (!file.ok)
        return SignalFileRead::Failed(file.error);
    return ReadSignalLines(file.value.lines, decimalSeparator);
}

} // namespace kinetra
