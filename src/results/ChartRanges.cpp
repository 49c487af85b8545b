#include "ChartRanges.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "RunSamples.h"
#include "StepResponse.h"

namespace kinetra {

std::optional<LoopLimitLine> LoopLimitLineOf(const RunData& run, const ModelParams& params)
{
    const std::optional<double> limit = LoopLimit(run, params);
    if (!run.loopI || run.loopF || !limit)
        return std::nullopt;
    const bool torque = params.Mref != 0;
    double peak = 0;
    for (const ResultSample& sample : ValidSamples(run)) {
        const double value = torque ? sample.torque : sample.current;
        if (std::abs(value) > std::abs(peak))
            peak = value;
    }
    return LoopLimitLine{torque, peak < 0 ? -*limit : *limit};
}

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
    loopLimit.merge(later.loopLimit);
    limitedQuantity.merge(later.limitedQuantity);
    limitedShown = later.limitedShown;
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
    if (const std::optional<LoopLimitLine> limit = LoopLimitLineOf(run, params)) {
        ranges.loopLimit.include(limit->level);
        ranges.limitedShown = limit->torque != params.TorqueControl;
        if (ranges.limitedShown)
            for (const ResultSample& sample : ValidSamples(run))
                ranges.limitedQuantity.include(limit->torque ? sample.torque : sample.current);
    }
    for (const StaticPoint& point : statics) {
        ranges.staticsX.include(point.x);
        ranges.staticsY.include(point.y);
    }
    return ranges;
}

namespace {

// The room beyond the data, as a share of its span: a few pixels on any chart, far less than a
// tick step.
constexpr double Headroom = 0.05;

// The share of an axis below its zero.
double ShareBelowZero(const AxisSpan& span)
{
    return -span.minimum / (span.maximum - span.minimum);
}

} // namespace

AxisSpan WithHeadroom(const DataRange& data)
{
    AxisSpan span{data.minimum(), data.maximum()};
    const double room = Headroom * (span.maximum - span.minimum);
    if (span.minimum != 0)
        span.minimum -= room;
    if (span.maximum != 0)
        span.maximum += room;
    return span;
}

void AlignZeros(std::span<AxisSpan* const> spans)
{
    std::vector<AxisSpan*> crossing;
    double lowest = 1;
    double highest = 0;
    for (AxisSpan* span : spans) {
        if (!(span->minimum <= 0 && span->maximum >= 0 && span->maximum > span->minimum))
            continue;
        crossing.push_back(span);
        lowest = std::min(lowest, ShareBelowZero(*span));
        highest = std::max(highest, ShareBelowZero(*span));
    }
    if (crossing.size() < 2)
        return;
    // A zero at the very top of one axis and the very bottom of another meets halfway.
    const double share = highest < 1 ? highest : lowest > 0 ? lowest : 0.5;
    for (AxisSpan* span : crossing) {
        const double own = ShareBelowZero(*span);
        if (own < share)
            span->minimum = -share * span->maximum / (1 - share);
        else if (own > share)
            span->maximum = -span->minimum * (1 - share) / share;
    }
}

} // namespace kinetra
