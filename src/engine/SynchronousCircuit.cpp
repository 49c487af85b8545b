#include "SynchronousCircuit.h"

#include <numbers>

namespace kinetra {

SynchronousCircuit SynchronousCircuitOf(const ModelParams& params)
{
    constexpr double sqrt2 = std::numbers::sqrt2;
    const double p1 = params.p1;
    const double frequency = params.F0 != 0 ? params.F0 : 50;
    const double ownInductance =
        params.UseInductances ? params.L1 : params.X1 / (2 * std::numbers::pi * frequency);
    double psi = 0;
    if (params.P > 0 && params.I > 0) {
        const double ratedTorque = 1000 * params.P / params.w;
        psi = ratedTorque / (1.5 * p1 * sqrt2 * params.I);
    } else {
        psi = sqrt2 * params.U / (p1 * params.w);
    }
    return {params.R1 + params.R10, ownInductance + params.L10, psi, p1};
}

} // namespace kinetra
