#include "ChartRanges.h"

#include "RunSamples.h"
#include "StepResponse.h"

namespace kinetra {

DataRange ChartRanges::dynamicsRight() const
{
    DataRange right = mechanismSpeed;
    if (motorSpeedShown)
        right.merge(motorSpeed);
    return right;
}

void ChartRanges::mergeLater(const ChartRanges& later)
{
    dynamicsTime.merge(later.dynamicsTime);
    dynamicsLeft.merge(later.dynamicsLeft);
    mechanismSpeed.merge(later.mechanismSpeed);
    motorSpeed.merge(later.motorSpeed);
    motorSpeedShown = later.motorSpeedShown;
    position.merge(later.position);
    positionShown = later.positionShown;
    staticsX.merge(later.staticsX);
    staticsY.merge(later.staticsY);
}

ChartRanges ChartRangesOfRun(const RunData& run, const ModelParams& params,
                             std::span<const StaticPoint> statics)
{
    ChartRanges ranges;
    ranges.motorSpeedShown = params.ElasticGear;
    for (const ResultSample& sample : ValidSamples(run)) {
        ranges.dynamicsTime.include(sample.time);
        ranges.dynamicsLeft.include(params.TorqueControl ? sample.torque : sample.current);
        ranges.mechanismSpeed.include(sample.mechSpeed);
        ranges.motorSpeed.include(sample.motorSpeed);
    }
    ranges.positionShown = run.loopF;
    if (ranges.positionShown) {
        for (const double position : RecordedPositions(run))
            ranges.position.include(position);
        if (const std::optional<double> limit = PositionTarget(params))
            ranges.position.include(*limit);
    }
    for (const StaticPoint& point : statics) {
        ranges.staticsX.include(point.x);
        ranges.staticsY.include(point.y);
    }
    return ranges;
}

} // namespace kinetra
