#include "PhysicalReach.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace kinetra {

PhysicalReach MachineReach(double voltage, double resistance, double emfPerSpeed,
                           double torquePerAmpere, double loadTorque, double powerScale)
{
    const double U = std::abs(voltage);
    const double R = std::abs(resistance);
    const double ke = std::abs(emfPerSpeed);
    const double load = std::abs(loadTorque);
    PhysicalReach reach;
    reach.motorSpeed = (U + R * load / std::abs(torquePerAmpere)) / ke;
    reach.current = (U + ke * reach.motorSpeed) / R;
    reach.supplyPower = std::abs(powerScale) * U * reach.current;
    reach.loadTorque = load;
    return reach;
}

PhysicalReach InductionReach(const InductionCircuit& motor, double loadTorque, bool overhauled)
{
    const double amplitude = std::numbers::sqrt2 * std::abs(motor.voltage);
    const double R1 = std::abs(motor.statorResistance);
    const double impedance = std::hypot(R1, motor.reactance);
    const double sync = std::abs(motor.syncSpeed);
    PhysicalReach reach;
    reach.motorSpeed = sync;
    if (overhauled) {
        // A generator's breakdown torque exceeds the motor's: the stator resistance helps it.
        const double breakdown =
            std::abs(motor.phases) * motor.voltage * motor.voltage / (2 * sync * (impedance - R1));
        const double criticalSlip = std::abs(motor.rotorResistance) / impedance;
        reach.motorSpeed = std::abs(loadTorque) < breakdown
                               ? sync * (1 + criticalSlip)
                               : std::numeric_limits<double>::infinity();
    }
    reach.current = 2 * amplitude / R1;
    reach.supplyPower = std::abs(motor.powerScale) * amplitude * reach.current;
    reach.loadTorque = std::abs(loadTorque);
    return reach;
}

std::optional<RunDivergence> ReachWatch::check(double time, double current, double motorSpeed,
                                               double loadSpeed, double storedEnergy)
{
    m_fastestLoad = std::max(m_fastestLoad, std::abs(loadSpeed));
    m_loadWorkReach += m_reach.loadTorque * m_fastestLoad * (time - m_lastTime);
    m_lastTime = time;
    const double energyReach = m_reach.supplyPower * time + m_loadWorkReach;
    const struct {
        ReachQuantity quantity;
        double value;
        double reach;
    } watched[] = {
        {ReachQuantity::Current, std::abs(current), m_reach.current},
        {ReachQuantity::Speed, std::abs(motorSpeed), m_reach.motorSpeed},
        {ReachQuantity::StoredEnergy, storedEnergy, energyReach},
    };
    // Quiet comparisons: a reach that is not a number (from data that leave it undefined) bounds
    // nothing and raises nothing.
    for (const auto& [quantity, value, reach] : watched) {
        if (std::isgreater(value, ReachMargin * reach))
            return RunDivergence{quantity, time, value, reach};
    }
    return std::nullopt;
}

} // namespace kinetra
