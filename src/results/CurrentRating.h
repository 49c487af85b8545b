#pragma once

#include <optional>

#include "ModelParams.h"

namespace kinetra {

// An induction motor's or a servomotor's current in the run record is the length of the stator
// current's space vector, the amplitude of its phase current, while catalogue currents (the
// motor's I, the converter's I0) are rms values. A DC current is its own rating's measure.
bool CurrentIsAmplitude(const ModelParams& params);

// The rated current as the run record measures it: the amplitude sqrt(2) * rating for an AC
// motor, the rating itself otherwise.
double RatedCurrentInRecord(double rating, const ModelParams& params);

// A value against its rating; none when the rating is not given (not positive).
inline std::optional<double> Ratio(double value, double rating)
{
    if (!(rating > 0))
        return std::nullopt;
    return value / rating;
}

} // namespace kinetra
