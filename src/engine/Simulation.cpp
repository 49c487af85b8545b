#include "Simulation.h"

#include <cmath>
#include <memory>
#include <optional>
#include <type_traits>

#include "Defaults.h"
#include "FloatingPointGuard.h"
#include "Motors.h"
#include "RunPreparation.h"

namespace kinetra {

namespace {

enum class MotorClass { DCEX, DCPM, ACI, PMSM };

struct ModelChoice {
    MotorClass motorClass;
    SupplyModel supplyModel;
};

std::optional<SupplyModel> DcSupplyModel(std::int32_t supplyKind)
{
    switch (supplyKind) {
    case -1:
    case 0:
        return SupplyModel::Mains;
    case 1:
        return SupplyModel::Transistor;
    case 2:
        return SupplyModel::Thyristor;
    default:
        return std::nullopt;
    }
}

std::optional<SupplyModel> SineSupplyModel(std::int32_t supplyKind)
{
    switch (supplyKind) {
    case -1:
    case 0:
        return SupplyModel::SineMains;
    case 1:
        return SupplyModel::SineTransistor;
    case 2:
        return SupplyModel::SineThyristor;
    default:
        return std::nullopt;
    }
}

// The motor class and supply model of the drive; none for no motor, a servomotor on any supply
// but the transistor converter, and kinds outside the lists. A DC motor has separate excitation
// only when a converter or none is selected and both U10 and R1 are given: on the mains it always
// runs with permanent magnets.
std::optional<ModelChoice> ChooseModel(const ModelParams& params)
{
    switch (params.MotorKind) {
    case 0:
        if (const auto supplyModel = SineSupplyModel(params.SupplyKind))
            return ModelChoice{MotorClass::ACI, *supplyModel};
        return std::nullopt;
    case 1:
        if (const auto supplyModel = DcSupplyModel(params.SupplyKind)) {
            const bool separateExcitation =
                params.SupplyKind != 0 && params.U10 != 0 && params.R1 != 0;
            return ModelChoice{separateExcitation ? MotorClass::DCEX : MotorClass::DCPM,
                               *supplyModel};
        }
        return std::nullopt;
    case 2:
        if (params.SupplyKind == 1)
            return ModelChoice{MotorClass::PMSM, SupplyModel::FieldOriented};
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

// Building a model carries out the whole run; the object is discarded right after it.
template <typename Motor> void Simulate(SimulationRecord& record, SupplyModel supplyModel)
{
    const LoadKind loadKind = record.params.VariableLoad ? LoadKind::Variable : LoadKind::Constant;
    [[maybe_unused]] const Motor model(record, supplyModel, loadKind);
}

void Simulate(SimulationRecord& record, const ModelChoice& choice)
{
    switch (choice.motorClass) {
    case MotorClass::DCEX:
        Simulate<VMotorDCEX>(record, choice.supplyModel);
        return;
    case MotorClass::DCPM:
        Simulate<VMotorDCPM>(record, choice.supplyModel);
        return;
    case MotorClass::ACI:
        Simulate<VMotorACI>(record, choice.supplyModel);
        return;
    case MotorClass::PMSM:
        Simulate<VMotorPMSM>(record, choice.supplyModel);
        return;
    }
}

// Every run starts from a blank run record, so nothing an earlier run left behind (loop flags,
// the thyristor's last firing, samples, a sample count) can reach this one.
void ClearRunData(RunData& run)
{
    static_assert(std::is_trivially_destructible_v<RunData>);
    std::construct_at(&run);
}

// Quiet NaNs and infinities that arrive through the parameters raise no flag; a buffer holding
// one is no result.
bool SamplesFinite(const RunData& run)
{
    for (std::int32_t i = 0; i < run.SampleCount; ++i) {
        const ResultSample& s = run.samples[i];
        for (const double value : {s.time, s.torque, s.mechSpeed, s.current, s.motorSpeed}) {
            if (!std::isfinite(value))
                return false;
        }
    }
    return true;
}

bool Whole(double value)
{
    return std::isfinite(value) && std::floor(value) == value;
}

// A winding's total of the motor's own value (at or below zero: its default) and the supply's.
bool PositiveTotal(double own, double fallback, double supplys)
{
    return PositiveOr(own, fallback) + supplys > 0;
}

// The totals the motor classes divide by, with the defaults they use.
bool CircuitPositive(const ModelParams& p)
{
    constexpr double R = DefaultResistance;
    constexpr double L = DefaultInductance;
    switch (p.MotorKind) {
    case 0:
        return PositiveTotal(p.R1, R, p.R1 > 0 ? p.R10 : 0) &&
               PositiveTotal(p.R2, R, p.R2 > 0 ? p.R20 : 0) &&
               PositiveTotal(p.UseInductances ? p.L1 : p.X1, L, 0) &&
               PositiveTotal(p.UseInductances ? p.L2 : p.X2, L, 0) && p.L10 >= 0 && p.L20 >= 0;
    case 1:
        return PositiveTotal(p.R1, R, p.R10) && PositiveTotal(p.R2, R, p.R20) &&
               PositiveTotal(p.L2, L, p.L20);
    case 2:
        return PositiveTotal(p.R1, R, p.R10) &&
               PositiveTotal(p.UseInductances ? p.L1 : p.X1, L, 0) && p.L10 >= 0;
    default:
        return true;
    }
}

} // namespace

std::optional<DataFault> DataFaultOf(const ModelParams& params)
{
    const bool servo = params.MotorKind == 2;
    if (servo && !(params.p1 > 0))
        return DataFault::NoServoPolePairs;
    if (!Whole(PositiveOr(params.p1, 1)))
        return DataFault::FractionalPolePairs;
    // The servomotor's model is three-phase by construction and reads no m1.
    if (!servo && !Whole(PositiveOr(params.m1, 1)))
        return DataFault::FractionalPhases;
    if (!CircuitPositive(params))
        return DataFault::NonPositiveCircuit;
    return std::nullopt;
}

std::optional<SupplyRefusal> SupplyRefusalOf(const ModelParams& params)
{
    if (params.MotorKind != 2 || params.SupplyKind == 1)
        return std::nullopt;
    return params.SupplyKind == 2 ? SupplyRefusal::ServoOnThyristor : SupplyRefusal::ServoOnMains;
}

RunOutcome RunSimulation(SimulationRecord& record)
{
    ClearRunData(record.run);
    record.circuitDerived = true;
    const FloatingPointGuard guard;
    PrepareRun(record);
    const std::optional<ModelChoice> choice = ChooseModel(record.params);
    if (!choice)
        return SupplyRefusalOf(record.params) ? RunOutcome::SupplyRefused : RunOutcome::NoMotor;
    if (DataFaultOf(record.params))
        return RunOutcome::DataRefused;
    Simulate(record, *choice);
    if (!record.circuitDerived)
        return RunOutcome::CircuitNotDerived;
    if (guard.failed() || !SamplesFinite(record.run))
        return RunOutcome::FloatingPointFault;
    if (record.run.divergence)
        return RunOutcome::Diverged;
    return RunOutcome::Completed;
}

} // namespace kinetra
