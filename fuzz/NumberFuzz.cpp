// The number parser, and the round trip of every number the program writes: whatever it reads
// or holds, FormatNumber's text must read back.

#include <QString>

#include <cmath>
#include <cstring>

#include "FuzzSupport.h"
#include "text/NumberText.h"

namespace {

void CheckRoundTrip(double value, QChar separator)
{
    if (!std::isfinite(value))
        return;
    const std::optional<double> read =
        kinetra::ReadNumber(kinetra::FormatNumber(value, separator), separator);
    kinetra::fuzz::Check(read.has_value());
    kinetra::fuzz::Check(std::fabs(*read - value) <= 1e-14 * std::fabs(value) + 1e-300);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size >= sizeof(double)) {
        double held = 0;
        std::memcpy(&held, data, sizeof held);
        CheckRoundTrip(held, u',');
    }
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QChar separator : {QChar(u','), QChar(u'.')}) {
        if (const std::optional<double> value = kinetra::ReadNumber(text, separator))
            CheckRoundTrip(*value, separator);
    }
    kinetra::ReadInteger(text);
    return 0;
}
