#include "FigureColumn.h"

#include <algorithm>

namespace kinetra {

QStringView TrimmedName(QStringView name)
{
    while (name.endsWith(u' '))
        name.chop(1);
    return name;
}

void FigureColumn::addLine(const QString& line)
{
    m_lines.push_back({line, std::nullopt});
}

void FigureColumn::addHeading(QStringView heading)
{
    if (heading.startsWith(u'\n')) {
        addLine(QString());
        heading = heading.sliced(1);
    }
    addLine(heading.toString());
}

void FigureColumn::addFigure(const QString& name, const QString& value, qsizetype designedWidth)
{
    m_lines.push_back({name, value, designedWidth});
}

void FigureColumn::addWords(const QString& name, const QString& words)
{
    m_lines.push_back({name, words, 0, false});
}

void FigureColumn::appendBlock(const FigureColumn& other)
{
    if (other.isEmpty())
        return;
    addLine(QString());
    m_lines.insert(m_lines.end(), other.m_lines.begin(), other.m_lines.end());
}

QStringList FigureColumn::asWritten() const
{
    QStringList lines;
    lines.reserve(qsizetype(m_lines.size()));
    for (const Line& line : m_lines) {
        if (!line.value) {
            lines.append(line.text);
            continue;
        }
        const QStringView name = TrimmedName(line.text);
        const qsizetype width = std::max(line.designedWidth, name.size() + 1);
        lines.append(name.toString().leftJustified(width) + *line.value);
    }
    return lines;
}

QStringList FigureColumn::aligned(qsizetype minimumWidth) const
{
    qsizetype width = minimumWidth;
    qsizetype numberWidth = 0;
    for (const Line& line : m_lines) {
        if (!line.value)
            continue;
        width = std::max(width, TrimmedName(line.text).size() + 1);
        if (line.number)
            numberWidth = std::max(numberWidth, line.value->size());
    }
    QStringList lines;
    lines.reserve(qsizetype(m_lines.size()));
    for (const Line& line : m_lines) {
        if (!line.value) {
            lines.append(line.text);
            continue;
        }
        const QString value = line.number ? line.value->rightJustified(numberWidth) : *line.value;
        lines.append(TrimmedName(line.text).toString().leftJustified(width) + value);
    }
    return lines;
}

} // namespace kinetra
