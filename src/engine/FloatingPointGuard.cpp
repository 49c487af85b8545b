#include "FloatingPointGuard.h"

namespace kinetra {

namespace {

constexpr int ErrorFlags = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

} // namespace

FloatingPointGuard::FloatingPointGuard()
{
    std::fegetexceptflag(&m_enclosingFlags, ErrorFlags);
    std::feclearexcept(ErrorFlags);
}

FloatingPointGuard::~FloatingPointGuard()
{
    std::fesetexceptflag(&m_enclosingFlags, ErrorFlags);
}

bool FloatingPointGuard::failed() const
{
    return errorRaised();
}

bool FloatingPointGuard::errorRaised()
{
    return std::fetestexcept(ErrorFlags) != 0;
}

} // namespace kinetra
