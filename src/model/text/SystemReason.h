#pragma once

#include <QString>

namespace kinetra {

// The program's own words for a system error number (errno), for every message that says why a
// file could not be read or written: "Нет места на диске" for a full disk and so on. A number
// without words of its own gives the fallback, or the system's text when there is none.
QString SystemReason(int errorNumber, const QString& fallback = {});

} // namespace kinetra
