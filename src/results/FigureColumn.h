#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kinetra {

// The column where the analysis page's values start at the least: past every designed name of
// its step-response, converter and duty blocks.
inline constexpr qsizetype FigureNameWidth = 24;

// A text of figures: lines that stand as they are (headings, notes, empty lines) and figure
// lines, each a name and its value, a number or words in its place. The names are translated
// texts of any width, so the text pads them in code: as written, each name keeps the width it was
// designed with; aligned, the values stand in one column whatever the language.
class FigureColumn final {
public:
    void addLine(const QString& line);
    // A heading that begins with a line break opens its block after an empty line.
    void addHeading(QStringView heading);
    // designedWidth: the width the name's source text was designed with, its trailing blanks
    // included; a name as wide or wider keeps one blank before its value.
    void addFigure(const QString& name, const QString& value, qsizetype designedWidth = 0);
    // Words where a figure's number would stand, such as why there is none.
    void addWords(const QString& name, const QString& words);
    // The other column's lines after an empty line; nothing for an empty column.
    void appendBlock(const FigureColumn& other);
    bool isEmpty() const { return m_lines.empty(); }

    // Each value right after its name padded to its designed width.
    QStringList asWritten() const;
    // Every value one blank past the widest name (its trailing blanks aside), and not left of
    // column minimumWidth; the numbers right-aligned among themselves, the words from the
    // column's left edge.
    QStringList aligned(qsizetype minimumWidth = 0) const;

private:
    struct Line {
        QString text;
        std::optional<QString> value;
        qsizetype designedWidth = 0;
        bool number = true;
    };
    std::vector<Line> m_lines;
};

// The name without its trailing blanks.
QStringView TrimmedName(QStringView name);

} // namespace kinetra
