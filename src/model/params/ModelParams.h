#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kinetra {

// The drive's parameter set. A plain record without Qt types: the editor's collection fills it,
// the engine reads it and writes its defaults back, the results and the report read it.
// Every numeric field is named by its model-file key and is a magnitude, except the reference
// values wref, Mref and Iref.
struct ModelParams {
    // Equipment kinds; -1 when no list item is chosen.
    std::int32_t MotorKind = -1;
    std::int32_t SupplyKind = -1;
    std::int32_t GearKind = -1;

    // Motor.
    double R1 = 0, L1 = 0, X1 = 0, R2 = 0, L2 = 0, X2 = 0, L12 = 0, X12 = 0;
    double p1 = 1, m1 = 2;
    double P = 0, U = 0, w = 0, J = 0, I = 0;

    // Supply or converter.
    double R10 = 0, L10 = 0, R20 = 0, L20 = 0, U10 = 0, U20 = 0, I0 = 0, m0 = 0;
    double P0 = 0, U0 = 0, F0 = 0, T0 = 0;

    // Mechanism and gear.
    double Jc = 0, Mc = 0, cc = 0, bc = 0, ii = 0, Mi = 0, Pi = 0, wi = 0, gi = 0, ni = 0;

    // Cascade controller.
    double Kk = 0, fmax = 0;
    double Kpf = 0, Tpfint = 0, Tpfdif = 0, Kf = 0, Tf = 0;
    double wmax = 0, Kpw = 0, Tpwint = 0, Tpwdif = 0, Kw = 0, Tw = 0;
    double Imax = 0, KpI = 0, TpIint = 0, TpIdif = 0, KI = 0, TI = 0;

    // Run values.
    double Tmax = 0, wref = 0, Mref = 0, Iref = 0;

    // Switches.
    bool UseInductances = true;
    bool ElasticGear = false;
    bool ActiveLoad = false;
    bool VariableLoad = false;
    bool VariableReference = false;
    bool TorqueControl = false;
};

// One numeric field of ModelParams with its model-file key.
struct NumericField {
    std::string_view key;
    double ModelParams::*member;
};

// Every numeric field in the order of the model template.
inline constexpr std::array<NumericField, 60> NumericFields{{
    {"R1", &ModelParams::R1},         {"L1", &ModelParams::L1},
    {"X1", &ModelParams::X1},         {"R2", &ModelParams::R2},
    {"L2", &ModelParams::L2},         {"X2", &ModelParams::X2},
    {"L12", &ModelParams::L12},       {"X12", &ModelParams::X12},
    {"p1", &ModelParams::p1},         {"m1", &ModelParams::m1},
    {"P", &ModelParams::P},           {"U", &ModelParams::U},
    {"w", &ModelParams::w},           {"J", &ModelParams::J},
    {"I", &ModelParams::I},           {"R10", &ModelParams::R10},
    {"L10", &ModelParams::L10},       {"R20", &ModelParams::R20},
    {"L20", &ModelParams::L20},       {"U10", &ModelParams::U10},
    {"U20", &ModelParams::U20},       {"I0", &ModelParams::I0},
    {"m0", &ModelParams::m0},         {"P0", &ModelParams::P0},
    {"U0", &ModelParams::U0},         {"F0", &ModelParams::F0},
    {"T0", &ModelParams::T0},         {"Jc", &ModelParams::Jc},
    {"Mc", &ModelParams::Mc},         {"cc", &ModelParams::cc},
    {"bc", &ModelParams::bc},         {"ii", &ModelParams::ii},
    {"Mi", &ModelParams::Mi},         {"Pi", &ModelParams::Pi},
    {"wi", &ModelParams::wi},         {"gi", &ModelParams::gi},
    {"ni", &ModelParams::ni},         {"Kk", &ModelParams::Kk},
    {"fmax", &ModelParams::fmax},     {"Kpf", &ModelParams::Kpf},
    {"Tpfint", &ModelParams::Tpfint}, {"Tpfdif", &ModelParams::Tpfdif},
    {"Kf", &ModelParams::Kf},         {"Tf", &ModelParams::Tf},
    {"wmax", &ModelParams::wmax},     {"Kpw", &ModelParams::Kpw},
    {"Tpwint", &ModelParams::Tpwint}, {"Tpwdif", &ModelParams::Tpwdif},
    {"Kw", &ModelParams::Kw},         {"Tw", &ModelParams::Tw},
    {"Imax", &ModelParams::Imax},     {"KpI", &ModelParams::KpI},
    {"TpIint", &ModelParams::TpIint}, {"TpIdif", &ModelParams::TpIdif},
    {"KI", &ModelParams::KI},         {"TI", &ModelParams::TI},
    {"Tmax", &ModelParams::Tmax},     {"wref", &ModelParams::wref},
    {"Mref", &ModelParams::Mref},     {"Iref", &ModelParams::Iref},
}};

} // namespace kinetra
