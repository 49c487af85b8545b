#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "ModelParams.h"
#include "RunData.h"

namespace kinetra {

// The most variants one sweep runs: a grid beyond it is taken for a typing error.
inline constexpr std::size_t MaximumSweepSize = 1000000;

// One swept model key and the values it takes, in order.
struct SweepAxis {
    QString key; // as the model text spells it
    double ModelParams::*member = nullptr;
    std::vector<double> values;
};

struct SweepAxisParse {
    std::optional<SweepAxis> axis;
    QString error; // why the text is no sweep, when axis is empty
};

// Reads "KEY=V1;V2;..." or "KEY=FROM:TO:COUNT" (COUNT values evenly from FROM to TO), numbers
// with a point. The key is any numeric model key, found without regard to letter case.
SweepAxisParse ParseSweepAxis(const QString& text);

// The variants of a sweep: every combination of the axes' values, the first axis changing
// slowest. Each variant is the model with the swept keys set as the editor would store them
// (magnitudes, except the references wref, Mref and Iref).
class SweepGrid {
public:
    explicit SweepGrid(std::vector<SweepAxis> axes);

    std::size_t size() const { return m_size; }
    const std::vector<SweepAxis>& axes() const { return m_axes; }
    // The value of each axis in variant index.
    std::vector<double> valuesOf(std::size_t index) const;
    ModelParams variant(const ModelParams& base, std::size_t index) const;

private:
    std::vector<SweepAxis> m_axes;
    std::size_t m_size = 1;
};

// The table a sweep writes: a header and one row per variant in grid order, each with the
// swept values, the exit status (0, or 1 with the reason), the step-response figures and the
// numbers of the analysis summary, all with a decimal point.
struct SweepTable {
    QString csv;
    std::size_t failed = 0; // variants whose run failed
};

// Called now and then on the calling thread while the workers run.
using SweepProgress = std::function<void(std::size_t done, std::size_t total)>;

// Runs every variant of base on up to jobs threads, each with its own parameter set and run
// record; the rows do not depend on the number of threads.
SweepTable RunSweep(const ModelParams& base, const SignalSeries& signal, const SweepGrid& grid,
                    unsigned jobs, const SweepProgress& progress = {});

} // namespace kinetra
