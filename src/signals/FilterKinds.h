#pragma once

#include <array>
#include <optional>

#include <QString>

namespace kinetra {

// The six coefficients of the filter or controller, in the order of their fields: numerator
// T1, T2, K1, then denominator T3, T4, K2.
enum class Coefficient { T1, T2, K1, T3, T4, K2 };
inline constexpr int CoefficientCount = 6;

// What choosing a kind of element does to the coefficients: an enabled one keeps its text
// (unless a text is given, as the amplifier's gains are), a pinned one gets its text and is
// disabled.
struct FilterKind {
    struct Field {
        bool enabled;
        std::optional<const char16_t*> text;
    };
    std::array<Field, CoefficientCount> fields;
    const char* caption; // the formula under the fraction, untranslated
};

inline constexpr int FilterKindCount = 10;

// The kind of list index index; no selection (-1) is the amplifier.
const FilterKind& FilterKindAt(int index);
// The formula under the fraction as the user reads it.
QString CaptionOf(const FilterKind& kind);

} // namespace kinetra
