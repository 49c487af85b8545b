#include "Study.h"

#include <algorithm>
#include <thread>

namespace kinetra {

unsigned CoreCount()
{
    return std::max(1u, std::thread::hardware_concurrency());
}

unsigned MaximumSweepJobs()
{
    return 8 * CoreCount();
}

namespace {

std::unique_ptr<SweepVariants> VariantsOf(const StudyRequest& request)
{
    if (request.tolerances.empty())
        return std::make_unique<SweepGrid>(request.grid);
    return std::make_unique<ToleranceSamples>(request.tolerances, request.samples, request.seed);
}

} // namespace

Study::Study(const StudyRequest& request)
    : m_variants(VariantsOf(request)),
      m_range(ShardOf(m_variants->size(), request.shard, request.shardCount)),
      m_jobs(request.jobs != 0 ? request.jobs : CoreCount())
{
}

SweepOutcome Study::run(const ModelParams& base, const SignalSeries& signal,
                        const SweepRowSink& sink, const SweepProgress& progress) const
{
    return RunSweep(base, signal, *m_variants, m_range, m_jobs, sink, progress);
}

} // namespace kinetra
