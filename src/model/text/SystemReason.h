#pragma once

#include <QString>

namespace kinetra {

// The program's own words for a system error number (errno), for every message that says why a
// file could not be read or written: "Нет места на диске" for a full disk and so on. A number
// without words of its own gives the fallback, or the system's text when there is none.
QString SystemReason(int errorNumber, const QString& fallback = {});

// Why a device, a pipe or a socket is neither read as a text nor replaced by a save.
QString NotARegularFile();

} // namespace kinetra
