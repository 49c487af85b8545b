#pragma once

#include <memory>

#include "SignalWorkbench.h"

namespace kinetra::test {

// A workbench over its own buffer, before any run, reading numbers with a decimal comma and
// seeding the random waveform from a fixed clock.
struct WorkbenchFixture {
    std::unique_ptr<SignalBuffer> buffer = std::make_unique<SignalBuffer>();
    SignalWorkbench workbench{*buffer, u',', [] { return std::int64_t(1234); }};

    double input(std::size_t i) const { return buffer->InputSamples[i]; }
    double channel(std::size_t i) const { return buffer->ChannelSamples[i]; }
    double output(std::size_t i) const { return buffer->OutputSamples[i]; }
};

} // namespace kinetra::test
