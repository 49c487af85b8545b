#include "FilterKinds.h"

namespace kinetra {

namespace {

constexpr FilterKind::Field Open{true, std::nullopt};
constexpr FilterKind::Field Zero{false, u"0"};
constexpr FilterKind::Field One{true, u"1"};

// clang-format off
constexpr std::array<FilterKind, FilterKindCount> Kinds{{
    //   T1    T2    K1    T3    T4    K2
    {{{Zero, Zero, One,  Zero, Zero, One }}, u"K=K1/K2"},                              // amplifier
    {{{Zero, Open, Open, Zero, Open, Open}}, u""},                                     // low-pass
    {{{Zero, Open, Zero, Zero, Open, Open}}, u""},                                     // high-pass
    {{{Zero, Open, Zero, Open, Open, Open}}, u""},                                     // band-pass
    {{{Open, Open, Open, Open, Open, Open}}, u""},                                     // band-stop
    {{{Zero, Zero, Open, Zero, Open, Zero}}, u"Tинт=T4"},                              // I
    {{{Zero, Open, Open, Zero, Open, Zero}}, u"K=K1, Tинт=T4=T2/K1"},                  // PI
    {{{Zero, Open, Zero, Zero, Zero, Zero}}, u"Tдиф=T2"},                              // D
    {{{Zero, Open, Open, Zero, Zero, Zero}}, u"K=K1, Tдиф=T2/K1"},                     // PD
    {{{Open, Open, Open, Zero, Open, Zero}}, u"K=K1, Tинт=T4=T2/K1, Tдиф=T1/(K1*T4)"}, // PID
}};
// clang-format on

} // namespace

const FilterKind& FilterKindAt(int index)
{
    return Kinds.at(index < 0 ? 0 : static_cast<std::size_t>(index));
}

} // namespace kinetra
