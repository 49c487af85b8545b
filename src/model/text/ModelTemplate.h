#pragma once

#include <QStringList>

namespace kinetra {

// The fixed template every collection rebuilds the model text from: 74 lines, four section
// headers, three empty lines and 67 key lines, of which only p1 and m1 carry a value.
const QStringList& ModelTemplate();

} // namespace kinetra
