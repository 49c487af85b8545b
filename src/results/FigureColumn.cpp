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
    for (const Line& line : m_lines)
        if (line.value)
            width = std::max(width, TrimmedName(line.text).size() + 1);
    QStringList lines;
    lines.reserve(qsizetype(m_lines.size()));
    for (const Line& line : m_lines)
        lines.append(line.value
                         ? TrimmedName(line.text).toString().leftJustified(width) + *line.value
                         : line.text);
    return lines;
}

} // namespace kinetra
