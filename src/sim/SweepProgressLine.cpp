#include "SweepProgressLine.h"

#include <algorithm>
#include <cmath>

namespace kinetra {

namespace {

constexpr SweepProgressLine::Seconds FirstShown(1);
// How often a plain line follows the one before it.
constexpr SweepProgressLine::Seconds PlainInterval(10);

QString Duration(double seconds)
{
    const auto whole = static_cast<long long>(std::ceil(seconds));
    if (whole < 60)
        return QStringLiteral("%1 s").arg(whole);
    if (whole < 3600)
        return QStringLiteral("%1 min %2 s").arg(whole / 60).arg(whole % 60, 2, 10, QChar(u'0'));
    return QStringLiteral("%1 h %2 min").arg(whole / 3600).arg(whole / 60 % 60, 2, 10, QChar(u'0'));
}

} // namespace

QString SweepProgressLine::text(std::size_t done, std::size_t total, Seconds elapsed)
{
    QString line = QStringLiteral("%1/%2 variants").arg(done).arg(total);
    if (done == 0 || elapsed.count() <= 0)
        return line;
    const double rate = double(done) / elapsed.count();
    return line + QStringLiteral(", %1 variants/s, %2 left")
                      .arg(QString::number(rate, 'f', rate < 10 ? 1 : 0),
                           Duration(double(total - done) / rate));
}

QString SweepProgressLine::update(std::size_t done, std::size_t total, Seconds elapsed)
{
    if (elapsed < FirstShown || (!m_inPlace && m_shown && elapsed - m_lastShown < PlainInterval))
        return {};
    m_shown = true;
    m_lastShown = elapsed;
    const QString line = text(done, total, elapsed);
    if (!m_inPlace)
        return line + u'\n';
    // Blanks over what is left of a longer line before.
    const qsizetype padding = std::max<qsizetype>(0, m_lastLength - line.size());
    m_lastLength = line.size();
    return u'\r' + line + QString(padding, u' ');
}

QString SweepProgressLine::finish() const
{
    return m_inPlace && m_shown ? QStringLiteral("\n") : QString();
}

} // namespace kinetra
