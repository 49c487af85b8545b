#include "editor/SeparatorFallback.h"

#include <algorithm>

#include <QCoreApplication>

#include "ModelParams.h"
#include "text/NumberText.h"

namespace kinetra {

namespace {

QChar OtherSeparator(QChar separator)
{
    return separator == u'.' ? u',' : u'.';
}

// The number lines of a model text: those named by a numeric key. The names of equipment and
// the type codes are free text.
bool IsNumberLine(const QString& line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return false;
    const QString key = line.first(equals);
    return std::ranges::any_of(NumericFields, [&key](const NumericField& field) {
        return key.compare(QLatin1String(field.key.data(), qsizetype(field.key.size())),
                           Qt::CaseInsensitive) == 0;
    });
}

bool AllRead(const KeyValueText& text, QChar separator)
{
    return std::ranges::all_of(text, [separator](const QString& line) {
        return !IsNumberLine(line) || ReadNumber(line.sliced(line.indexOf(u'=') + 1), separator);
    });
}

} // namespace

bool ReadWithOtherSeparator(KeyValueText& text, QChar separator)
{
    const QChar other = OtherSeparator(separator);
    if (AllRead(text, separator) || !AllRead(text, other))
        return false;
    for (QString& line : text) {
        if (IsNumberLine(line)) {
            const qsizetype value = line.indexOf(u'=') + 1;
            line = line.first(value) + line.sliced(value).replace(other, separator);
        }
    }
    return true;
}

QString OtherSeparatorNotice(QChar separator)
{
    return QCoreApplication::translate(
               "SeparatorFallback",
               "Числа модели записаны с десятичным разделителем \"%1\" и прочитаны с ним")
        .arg(OtherSeparator(separator));
}

} // namespace kinetra
