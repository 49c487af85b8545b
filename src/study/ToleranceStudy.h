#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "ModelParams.h"
#include "Sweep.h"
#include "text/Status.h"

namespace kinetra {

// The most samples one study draws: more is taken for a typing error.
inline constexpr std::size_t MaximumStudySize = 100000000;

// One key of a tolerance study: its nominal value and how its samples spread about it.
struct Tolerance {
    enum class Spread {
        Uniform, // evenly within nominal ± width percent of it
        Normal,  // normally about nominal with the standard deviation width
    };

    QString key; // as the model text spells it
    double ModelParams::*member = nullptr;
    double nominal = 0;
    Spread spread = Spread::Uniform;
    double width = 0;
};

// Reads "KEY=NOMINAL±PERCENT%" (or "+-" for "±") and "KEY=NOMINAL~SIGMA", numbers with a point.
// A key that counts (p1, m1, m0) takes no tolerance, and a key stored as a magnitude no negative
// nominal: neither could be run as drawn.
StatusOr<Tolerance> ParseTolerance(const QString& text);

// Adds a key to a study, refused when the study draws it already.
Status AddTolerance(std::vector<Tolerance>& tolerances, Tolerance tolerance);

// The share of a tolerance's normal draws that fall outside the values its key takes (below zero
// for a magnitude), and are drawn again; 0 for an even spread, which stays inside.
double ShareDrawnAgain(const Tolerance& tolerance);

// A number evenly in [0, 1) that depends on nothing but the seed, the index and the stream:
// the counter-based draw that lets any sample be drawn again alone.
double UniformDraw(std::uint64_t seed, std::uint64_t index, std::uint64_t stream);

// The samples of a tolerance study, numbered from 1: each key drawn anew for each sample from
// the seed and the sample's number, so the rows do not depend on how the work is split. A normal
// draw outside the values its key takes is drawn again until it falls inside: the spread is the
// normal cut there, and every value drawn is the value run.
class ToleranceSamples final : public SweepVariants {
public:
    ToleranceSamples(std::vector<Tolerance> tolerances, std::size_t count, std::uint64_t seed);

    std::size_t size() const override { return m_count; }
    QStringList keys() const override;
    // The value of each key in the sample of variant index (sample index + 1).
    std::vector<double> values(std::size_t index) const override;
    bool drawn() const override { return true; }
    ModelParams variant(const ModelParams& base, std::size_t index) const override;

private:
    std::vector<Tolerance> m_tolerances;
    std::size_t m_count;
    std::uint64_t m_seed;
};

} // namespace kinetra
