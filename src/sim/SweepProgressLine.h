#pragma once

#include <chrono>
#include <cstddef>

#include <QString>

namespace kinetra {

// The progress of a sweep as a person reads it: done/total, variants per second and the time
// left. In a terminal one line is rewritten in place; elsewhere (a log file) a plain line now
// and then. Nothing shows for a sweep that ends within its first second.
class SweepProgressLine {
public:
    using Seconds = std::chrono::duration<double>;

    explicit SweepProgressLine(bool inPlace) : m_inPlace(inPlace) {}

    // What to print for done of total variants after elapsed; empty when nothing is due.
    QString update(std::size_t done, std::size_t total, Seconds elapsed);
    // What ends the progress once the sweep is over.
    QString finish() const;

    static QString text(std::size_t done, std::size_t total, Seconds elapsed);

private:
    bool m_inPlace;
    bool m_shown = false;
    Seconds m_lastShown{0};
    qsizetype m_lastLength = 0;
};

} // namespace kinetra
