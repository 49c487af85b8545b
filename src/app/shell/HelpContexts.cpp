#include "shell/HelpContexts.h"

#include <array>

namespace kinetra {

int HelpContext(WindowKind window, int page)
{
    static constexpr std::array<int, 4> ModelPages{32, 33, 34, 35};
    static constexpr std::array<int, 3> OptionsPages{51, 42, 53};
    switch (window) {
    case WindowKind::Model:
        return ModelPages.at(static_cast<std::size_t>(page));
    case WindowKind::Options:
        return OptionsPages.at(static_cast<std::size_t>(page));
    case WindowKind::Result:
        return 41;
    case WindowKind::Dbase:
        return 52;
    case WindowKind::Signal:
        return 61;
    case WindowKind::None:
        break;
    }
    return 0;
}

} // namespace kinetra
