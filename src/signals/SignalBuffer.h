#pragma once

#include "RunData.h"

namespace kinetra {

// The workbench's three series, one per stage. OutputSamples is the very series the engine reads
// for a variable load or reference, so a signal reaches the next run without being copied.
struct SignalBuffer {
    SignalSeries InputSamples = UnitSignal();
    SignalSeries ChannelSamples = UnitSignal();
    SignalSeries OutputSamples = UnitSignal();
};

} // namespace kinetra
