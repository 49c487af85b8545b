#pragma once

#include <array>
#include <cstddef>

namespace kinetra {

// clang-format off

// The program's user commands, in the order they are declared. Every window binds its menus,
// tool bars and buttons to the one action of each command.
enum class Command {
    aNew, aOpen, aSave, aSaveAs, aPrint, aExit, aCopy, aCut, aPaste, aModel, aResult, aDbase,
    aSignal, aParams, aHelp, aAbout, aReport, aToModel, aFromModel, aSort,
};
inline constexpr std::size_t CommandCount = 20;

inline constexpr std::array<const char*, CommandCount> CommandNames{
    "aNew", "aOpen", "aSave", "aSaveAs", "aPrint", "aExit", "aCopy", "aCut", "aPaste", "aModel",
    "aResult", "aDbase", "aSignal", "aParams", "aHelp", "aAbout", "aReport", "aToModel",
    "aFromModel", "aSort",
};

// The windows a command can act on.
enum class WindowKind { Model, Result, Dbase, Options, Signal, None };

// clang-format on

} // namespace kinetra
