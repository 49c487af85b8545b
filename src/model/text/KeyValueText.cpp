#include "text/KeyValueText.h"

namespace kinetra {

namespace {

// The index of the first line whose name (the text before its first "=") equals key without
// regard to letter case, or -1.
qsizetype FindKey(const KeyValueText& text, const QString& key)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QString& line = text.at(i);
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0 && QStringView(line).left(equals).compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

QString ReadKey(const KeyValueText& text, const QString& key)
{
    const qsizetype i = FindKey(text, key);
    if (i < 0)
        return {};
    const QString& line = text.at(i);
    return line.mid(line.indexOf(u'=') + 1);
}

bool HasKey(const KeyValueText& text, const QString& key)
{
    return FindKey(text, key) >= 0;
}

void WriteKey(KeyValueText& text, const QString& key, const QString& value)
{
    const qsizetype i = FindKey(text, key);
    if (value.isEmpty()) {
        if (i >= 0)
            text.removeAt(i);
        return;
    }
    const QString line = key + u'=' + value;
    if (i >= 0)
        text[i] = line;
    else
        text.append(line);
}

} // namespace kinetra
