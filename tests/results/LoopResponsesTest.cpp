#include <gtest/gtest.h>

#include <cmath>

#include "CascadeModel.h"
#include "FixedNumber.h"
#include "LoopResponse.h"
#include "LoopResponses.h"
#include "StepComparison.h"
#include "TestSupport.h"
#include "editor/MessageSink.h"
#include "editor/ModelSession.h"

namespace kinetra::test {
namespace {

struct NoMessages final : MessageSink {
    void showMessage(const QString&) override {}
};

// A figure to one decimal; a gain margin without a phase crossover is unbounded, and a figure the
// response lacks is a dash.
QString figureText(double figure)
{
    if (std::isinf(figure))
        return QStringLiteral("∞");
    return std::isnan(figure) ? QStringLiteral("—") : Fixed(figure, 1, u',');
}

// The table and the marks say what the tuner's loop analysis found, figure for figure, for a
// drive with a current and a speed loop and for a positioning drive.
TEST(LoopResponsesTest, FiguresAndMarksComeFromTheLoopAnalysis)
{
    for (const char* example : {"dc-thyristor-speed-current.kmf", "servo-positioning.kmf"}) {
        SCOPED_TRACE(example);
        NoMessages messages;
        ModelSession session(u',', messages);
        ASSERT_TRUE(
            session
                .LoadModelFile(QStringLiteral(KINETRA_EXAMPLES_FOLDER "/") + QLatin1String(example))
                .ok);
        const ModelParams& params = session.params();
        const CascadeModel cascade = *CascadeModelOf(params).model;
        const CascadeResponse response = CascadeResponseOf(cascade, ResponseFrequencies(cascade));
        const StepComparison step = CompareStep(params, cascade);

        const LoopResponses shown = DescribeLoopResponses(params, u',');
        ASSERT_TRUE(shown.refusal.isEmpty());
        ASSERT_EQ(shown.rows.size(), response.loops.size());
        for (std::size_t i = 0; i < response.loops.size(); ++i) {
            const LoopMargins& margins = response.loops[i].margins;
            const QStringList& row = shown.rows[i];
            EXPECT_EQ(row.mid(1, 4),
                      (QStringList{figureText(margins.crossover), figureText(margins.phaseMargin),
                                   figureText(margins.gainMargin), figureText(margins.bandwidth)}));
            const bool outermost = response.loops[i].loop == step.loop;
            EXPECT_EQ(row.at(5), outermost ? figureText(step.deviation * 100) : QString());
            const LoopCurves& curves = shown.loops[i];
            ASSERT_EQ(curves.crossover.size(), 1);
            EXPECT_EQ(curves.crossover.front().x(), margins.crossover);
            ASSERT_EQ(curves.phaseMargin.size(), 2);
            EXPECT_NEAR(curves.phaseMargin.back().y() - curves.phaseMargin.front().y(),
                        margins.phaseMargin, Exact);
            EXPECT_EQ(curves.magnitude.size(), qsizetype(response.frequencies.size()));
        }
    }
}

} // namespace
} // namespace kinetra::test
