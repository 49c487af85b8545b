#include "SubSteps.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace kinetra {

namespace {

using Complex = std::complex<double>;

// The larger magnitude of the roots of x^2 + p x + q = 0.
double LargerRoot(Complex p, Complex q)
{
    const Complex root = std::sqrt(p * p / 4.0 - q);
    return std::max(std::abs(-p / 2.0 + root), std::abs(-p / 2.0 - root));
}

// The eigenvalues of the 2x2 matrix [[a, b], [c, d]]: roots of x^2 - (a + d) x + (ad - bc).
double LargestEigenvalue(Complex a, Complex b, Complex c, Complex d)
{
    return LargerRoot(-(a + d), a * d - b * c);
}

// The armature current and the speed: the armature's own time constant and the electromechanical
// oscillation through the back EMF and the torque.
double DcLikeRate(const Equations& e, bool elastic)
{
    const double speedGain = elastic ? e.kJm : e.kJ;
    const double If = e.fieldCurrent;
    return LargestEigenvalue(-e.b4, -e.b5 * If, speedGain * e.kM * If, 0);
}

// The induction motor's stator and rotor current vectors in the stator's frame, at an electrical
// rotor speed we: a 2x2 complex system whose eigenvalues are the stator's transient and the rotor
// flux turning with the rotor.
double RotatingRate(const Equations& e, double we)
{
    const Complex j(0, 1);
    return LargestEigenvalue(-e.a3 - j * we * e.a5, e.a4 - j * we * e.a6, e.b3 + j * we * e.b5,
                             -e.b4 + j * we * e.b6);
}

} // namespace

// The shaft's torque and the speed difference across it.
double TransmissionRate(const Equations& e)
{
    const double compliance = e.kJm / e.p1 + 1 / e.mechanismInertia;
    return LargerRoot(e.damping * compliance, e.stiffness * compliance);
}

double FastestRate(const Equations& equations, const DriveRates& rates)
{
    double fastest = std::abs(rates.inputFrequency);
    if (rates.pulseDuration > 0)
        fastest = std::max(fastest, AccuracyLimit / rates.pulseDuration);
    switch (rates.circuit) {
    case VMotorCircuit::DcLike:
    case VMotorCircuit::Rectified:
        fastest = std::max(fastest, DcLikeRate(equations, rates.elastic));
        break;
    case VMotorCircuit::Rotating:
        fastest = std::max({fastest, RotatingRate(equations, 0),
                            RotatingRate(equations, rates.speedReach),
                            RotatingRate(equations, -rates.speedReach)});
        break;
    case VMotorCircuit::Synchronous:
        fastest = std::max(fastest, std::hypot(equations.a3, rates.speedReach));
        break;
    }
    if (rates.elastic)
        fastest = std::max(fastest, TransmissionRate(equations));
    return fastest;
}

bool Resolvable(double rate, double timeStep)
{
    return rate * timeStep / AccuracyLimit <= MaxSubSteps;
}

int SubStepsPerSample(double fastestRate, double timeStep)
{
    const double needed = std::ceil(fastestRate * timeStep / AccuracyLimit);
    if (!(needed < MaxSubSteps))
        return MaxSubSteps;
    return std::max(1, static_cast<int>(needed));
}

} // namespace kinetra
