#pragma once

#include <QChar>
#include <QString>

namespace kinetra {

// Reads every number typed into the program and gathers the entries it cannot read, so that
// one message can report them together. An unreadable entry counts as 0.
class InputReader final {
public:
    explicit InputReader(QChar decimalSeparator) : m_decimalSeparator(decimalSeparator) {}

    QChar decimalSeparator() const { return m_decimalSeparator; }

    // An empty text gives 0; an unreadable one gives 0 and appends a line feed and the text
    // exactly as entered to ErrorList.
    double ParseNumber(const QString& text);

    // The gathered entries, each after a line feed.
    QString ErrorList;

private:
    QChar m_decimalSeparator;
};

} // namespace kinetra
