#include "StaticCharacteristic.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "FloatingPointGuard.h"
#include "Supply.h"
#include "SynchronousCircuit.h"

namespace kinetra {

namespace {

// The straight part has about 100 points; the bound only matters for degenerate ranges where
// the running sum could not reach its end (a step lost to rounding or an infinite range).
constexpr int MaxStraightPoints = 101;

// The intermittent-current zone has nine or ten points, depending on the rounding of its sum.
constexpr int MaxZonePoints = 10;

// The characteristic's axes: the motor current, or under torque control the motor torque.
class CharacteristicPoints {
public:
    CharacteristicPoints(const ModelParams& params, const RunData& run)
        : m_torqueMode(params.TorqueControl), m_invMachineConstant(run.invMachineConstant)
    {
        m_points.reserve(2 + MaxZonePoints + MaxStraightPoints);
    }

    void addWhite(double current, double speed) { m_points.push_back({current, speed, true}); }

    // Adds a point of the DC-like characteristic, whose x is given as a current.
    void addCurrent(double current, double speed)
    {
        const double x = m_torqueMode ? current / m_invMachineConstant : current;
        m_points.push_back({x, speed, false});
    }

    // Adds a point of a characteristic that knows both current and torque.
    void add(double current, double torque, double speed, bool white)
    {
        m_points.push_back({m_torqueMode ? torque : current, speed, white});
    }

    std::vector<StaticPoint> take() { return std::move(m_points); }

private:
    bool m_torqueMode;
    double m_invMachineConstant;
    std::vector<StaticPoint> m_points;
};

struct ZoneEnd {
    double current;
    double speed;
};

// The thyristor converter's intermittent-current zone: the mean voltage and current of pulses
// whose conduction angle grows up to two half-pulse angles, at the run's last firing angle.
// Gives the zone's last point, or nothing when the zone is empty.
std::optional<ZoneEnd> AddIntermittentZone(CharacteristicPoints& points, const RunData& run,
                                           double armatureResistance)
{
    const double psi = run.firingMargin;
    const double Um = run.peakVoltage;
    const double theta = run.halfPulseAngle;
    const double Id0 = run.baseCurrent;
    const double step = 0.2 * theta;
    std::optional<ZoneEnd> last;
    double lam = step;
    for (int n = 0; lam < 10 * step && n < MaxZonePoints; ++n, lam += step) {
        const double Ud = Um * (std::sin(lam + psi) - std::sin(psi)) / lam;
        const double Id = (std::cos(psi) - std::cos(lam + psi) - lam * std::sin(psi) -
                           Ud * lam * lam / (2 * Um)) *
                          Id0 / (2 * theta);
        const double wz = (Ud - Id * armatureResistance) * run.invMachineConstant;
        points.addCurrent(Id, wz);
        last = ZoneEnd{Id, wz};
    }
    return last;
}

// A straight line from the no-load speed (or the end of the intermittent zone) down to zero
// speed at the short-circuit current.
std::vector<StaticPoint> DcLikeCharacteristic(const ModelParams& params, const RunData& run)
{
    const double R2t = params.R2 + params.R20;
    const double w0 = run.supplyVoltage * run.invMachineConstant / run.converterGain;
    const double Ish = std::abs(run.supplyVoltage / run.converterGain) / R2t;

    CharacteristicPoints points(params, run);
    points.addWhite(0, 0);
    points.addCurrent(0, w0);
    double x0 = 0;
    double y0 = w0;
    if (params.SupplyKind == 2) {
        const std::optional<ZoneEnd> zoneEnd = AddIntermittentZone(points, run, R2t);
        if (!zoneEnd)
            return {};
        if (zoneEnd->current > Ish)
            return points.take();
        x0 = zoneEnd->current;
        y0 = zoneEnd->speed;
    }
    double x = x0;
    for (int n = 0; x <= Ish && n < MaxStraightPoints; ++n, x += 0.01 * Ish)
        points.addCurrent(x, (1 - (x - x0) / (Ish - x0)) * y0);
    return points.take();
}

// The induction motor's simplified equivalent circuit over the slip from standstill (white)
// towards the reference speed, in 100 points.
std::vector<StaticPoint> InductionCharacteristic(const ModelParams& params, const RunData& run)
{
    const double R1t = params.R1 + params.R10;
    const double R2t = params.R2 + params.R20;
    const double w0 = params.wref != 0 ? params.wref * params.ii : run.syncSpeed;
    const double Xk = run.shortCircuitReactance;

    CharacteristicPoints points(params, run);
    for (double sl = 1.0; sl > 0; sl -= 0.01) {
        const double ws = (1 - sl) * w0;
        const double rotorBranch = R2t / sl + R1t;
        const double Is = run.supplyVoltage / std::sqrt(rotorBranch * rotorBranch + Xk * Xk);
        const double Ms = Is * Is * params.m1 * R2t / (w0 * sl);
        points.add(Is, Ms, ws, sl == 1.0);
    }
    return points.take();
}

// The positive root of a x^2 + b x + c = 0 with a >= 0, or of b x + c = 0 when a is 0.
double PositiveRoot(double a, double b, double c)
{
    if (a == 0)
        return -c / b;
    return (-b + std::sqrt(b * b - 4 * a * c)) / (2 * a);
}

// The servomotor's steady states over its q current, from no load down to standstill at the
// current the q voltage drives through the stator resistance. Under a controller the d current
// is held at zero and the q axis has the last commanded voltage, within what the voltage limit
// leaves beside the d voltage that decouples the axes. Without one the converter applies its
// full voltage on the q axis and none on the d axis, so a d current flows with the speed.
// x is the current amplitude or the torque, y the motor speed.
std::vector<StaticPoint> SynchronousCharacteristic(const ModelParams& params, const RunData& run)
{
    const SynchronousCircuit circuit = SynchronousCircuitOf(params);
    const double R = circuit.resistance;
    const double L = circuit.inductance;
    const double psi = circuit.fluxLinkage;
    const double limit = FieldOrientedVoltageLimit(params);
    const double Uq =
        run.controllerActive ? std::abs(run.supplyVoltage / run.converterGain) : limit;
    const double Ish = Uq / R;

    CharacteristicPoints points(params, run);
    points.addWhite(0, 0);
    for (int n = 0; n < MaxStraightPoints; ++n) {
        const double iq = n * 0.01 * Ish;
        double we = 0;
        double current = iq;
        if (run.controllerActive) {
            const double atLimit = PositiveRoot(psi * psi + L * L * iq * iq, 2 * R * psi * iq,
                                                R * R * iq * iq - limit * limit);
            we = std::min((Uq - R * iq) / psi, atLimit);
        } else {
            we = PositiveRoot(L * L * iq / R, psi, R * iq - Uq);
            current = iq * std::hypot(1.0, we * L / R);
        }
        points.add(current, circuit.torquePerAmpere() * iq, std::max(we, 0.0) / circuit.polePairs,
                   false);
    }
    return points.take();
}

bool PointsFinite(const std::vector<StaticPoint>& points)
{
    for (const StaticPoint& point : points) {
        if (!std::isfinite(point.x) || !std::isfinite(point.y))
            return false;
    }
    return true;
}

} // namespace

std::vector<StaticPoint> StaticCharacteristic(const ModelParams& params, const RunData& run)
{
    const FloatingPointGuard guard;
    std::vector<StaticPoint> points;
    if (params.MotorKind == 2)
        points = SynchronousCharacteristic(params, run);
    else if (params.MotorKind == 1 || run.controllerActive)
        points = DcLikeCharacteristic(params, run);
    else if (params.MotorKind == 0)
        points = InductionCharacteristic(params, run);
    if (guard.failed() || !PointsFinite(points))
        return {};
    return points;
}

} // namespace kinetra
