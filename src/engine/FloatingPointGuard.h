#pragma once

#include <cfenv>

namespace kinetra {

// Watches a section of code for the floating-point errors that make a computation worthless:
// division by zero, invalid operation and overflow. The engine never traps; it reads the sticky
// status flags instead. A guard stashes the flags of the enclosing section when it is created
// and puts them back when it goes, so a section that handles its own errors (a motor deriving
// its parameters, the static characteristic) neither hides nor leaks errors of the run around
// it. Both operations are out-of-line calls, which keeps the compiler from moving the watched
// arithmetic across them.
class FloatingPointGuard {
public:
    FloatingPointGuard();
    ~FloatingPointGuard();

    FloatingPointGuard(const FloatingPointGuard&) = delete;
    FloatingPointGuard& operator=(const FloatingPointGuard&) = delete;

    // True when the section has met an error since the guard was created.
    bool failed() const;

    // True when the innermost guarded section around the caller has met an error so far: a
    // run stops at the first error that escapes the parts that handle their own.
    static bool errorRaised();

private:
    std::fexcept_t m_enclosingFlags;
};

} // namespace kinetra
