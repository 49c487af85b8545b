#include "FilterKinds.h"

#include <QCoreApplication>

namespace kinetra {

namespace {

constexpr FilterKind::Field Open{true, std::nullopt};
constexpr FilterKind::Field Zero{false, u"0"};
constexpr FilterKind::Field One{true, u"1"};

// clang-format off
constexpr std::array<FilterKind, FilterKindCount> Kinds{{
    //   T1    T2    K1    T3    T4    K2
    {{{Zero, Zero, One,  Zero, Zero, One }}, "K=K1/K2"},  // amplifier
    {{{Zero, Open, Open, Zero, Open, Open}}, ""},         // low-pass
    {{{Zero, Open, Zero, Zero, Open, Open}}, ""},         // high-pass
    {{{Zero, Open, Zero, Open, Open, Open}}, ""},         // band-pass
    {{{Open, Open, Open, Open, Open, Open}}, ""},         // band-stop
    {{{Zero, Zero, Open, Zero, Open, Zero}},              // I
     QT_TRANSLATE_NOOP("FilterKinds", "Tинт=T4")},
    {{{Zero, Open, Open, Zero, Open, Zero}},              // PI
     QT_TRANSLATE_NOOP("FilterKinds", "K=K1, Tинт=T4=T2/K1")},
    {{{Zero, Open, Zero, Zero, Zero, Zero}},              // D
     QT_TRANSLATE_NOOP("FilterKinds", "Tдиф=T2")},
    {{{Zero, Open, Open, Zero, Zero, Zero}},              // PD
     QT_TRANSLATE_NOOP("FilterKinds", "K=K1, Tдиф=T2/K1")},
    {{{Open, Open, Open, Zero, Open, Zero}},              // PID
     QT_TRANSLATE_NOOP("FilterKinds", "K=K1, Tинт=T4=T2/K1, Tдиф=T1/(K1*T4)")},
}};
// clang-format on

} // namespace

const FilterKind& FilterKindAt(int index)
{
    return Kinds.at(index < 0 ? 0 : static_cast<std::size_t>(index));
}

QString CaptionOf(const FilterKind& kind)
{
    return QCoreApplication::translate("FilterKinds", kind.caption);
}

} // namespace kinetra
