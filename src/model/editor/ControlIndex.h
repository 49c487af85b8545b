#pragma once

#include <cstddef>
#include <type_traits>

namespace kinetra {

// The place of a control in the array that holds the state of its kind: the editor's and the
// workbench's controls are enums numbered from 0 in the order their windows list them.
template <typename Control>
requires std::is_enum_v<Control>
constexpr std::size_t indexOf(Control control)
{
    return static_cast<std::size_t>(control);
}

} // namespace kinetra
