#pragma once

#include "shell/Commands.h"

namespace kinetra {

// The help context that explains a window and, where it has pages, its page.
int HelpContext(WindowKind window, int page);

} // namespace kinetra
