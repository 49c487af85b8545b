#include "CurrentRating.h"

#include <numbers>

namespace kinetra {

namespace {
constexpr std::int32_t InductionMotor = 0;
constexpr std::int32_t Servomotor = 2;
} // namespace

bool CurrentIsAmplitude(const ModelParams& params)
{
    return params.MotorKind == InductionMotor || params.MotorKind == Servomotor;
}

double RatedCurrentInRecord(double rating, const ModelParams& params)
{
    return CurrentIsAmplitude(params) ? std::numbers::sqrt2 * rating : rating;
}

} // namespace kinetra
