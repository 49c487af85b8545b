#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "ModelParams.h"
#include "RunData.h"
#include "Sweep.h"
#include "ToleranceStudy.h"

namespace kinetra {

// The processor cores this machine offers, at least one: a study's threads by default.
unsigned CoreCount();
// The most threads a study runs: beyond a few a core they only cost memory.
unsigned MaximumSweepJobs();

// What a sweep runs: a grid of keys and their values, or a tolerance study's keys drawn for a
// number of samples from a seed; which of equal parts of the variants, and on how many threads.
struct StudyRequest {
    std::vector<SweepAxis> grid;
    std::vector<Tolerance> tolerances;
    std::size_t samples = 0;
    std::uint64_t seed = 1;
    std::size_t shard = 1; // from 1 to shardCount
    std::size_t shardCount = 1;
    unsigned jobs = 0; // 0 for one per core

    bool empty() const { return grid.empty() && tolerances.empty(); }
};

// A requested sweep or tolerance study: its variants, the part of them it runs, and the run. The
// command line prints its rows as a table, the Python module hands them over as arrays.
class Study final {
public:
    explicit Study(const StudyRequest& request);

    const SweepVariants& variants() const { return *m_variants; }
    SweepRange range() const { return m_range; }
    unsigned jobs() const { return m_jobs; }

    // Runs the variants of the range on the base model, rows to sink in variant order.
    SweepOutcome run(const ModelParams& base, const SignalSeries& signal, const SweepRowSink& sink,
                     const SweepProgress& progress = {}) const;

private:
    std::unique_ptr<SweepVariants> m_variants;
    SweepRange m_range;
    unsigned m_jobs;
};

} // namespace kinetra
