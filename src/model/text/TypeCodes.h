#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace kinetra {

// clang-format off

// The families of equipment kinds as TypeCode numbers them.
enum class KindFamily { Motor = 1, Supply = 2, Gear = 3 };

struct TypeCodeEntry {
    const char* code;
    std::int32_t kind;
};

// The nine type codes in table order with the kind index each stands for.
inline constexpr std::array<TypeCodeEntry, 9> TypeCodes{{
    {"AM", 0}, {"DM", 1}, {"SM", 2}, {"TR", 1}, {"TH", 2},
    {"G", 0}, {"W", 1}, {"S", 2}, {"P", 3},
}};

// clang-format on

// The code written for a kind of a family: "AM", "TR", "G", ...; an empty text for the mains
// supply and for every pair without a code.
QString TypeCode(std::int32_t kind, KindFamily family);

// The kind index of the first code equal to text (letter case counts, no trimming), else -1.
// It does not check the family: "TR" gives 1 whichever key it was read from.
std::int32_t TypeIndex(const QString& text);

} // namespace kinetra
