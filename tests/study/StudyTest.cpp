#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
#include <system_error>
#include <vector>

#include "ResultsActivation.h"
#include "Study.h"
#include "SweepStatistics.h"
#include "editor/MessageSink.h"
#include "editor/ModelSession.h"

namespace kinetra {
namespace {

const QString ThyristorExample =
    QStringLiteral(KINETRA_EXAMPLES_FOLDER "/dc-thyristor-speed-current.kmf");

SweepAxis Axis(const char* text)
{
    return ParseSweepAxis(QString::fromUtf8(text)).value;
}

Tolerance Drawn(const char* text)
{
    return ParseTolerance(QString::fromUtf8(text)).value;
}

class SilentMessages final : public MessageSink {
public:
    void showMessage(const QString&) override {}
};

// The thyristor example loaded and collected as kinetra-sim does before a sweep.
class ThyristorModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.NewModel();
        ASSERT_TRUE(session.LoadModelFile(ThyristorExample).ok);
        ASSERT_TRUE(session.CollectModel());
    }

    SilentMessages messages;
    ModelSession session{u',', messages};
    std::unique_ptr<SignalSeries> signal = std::make_unique<SignalSeries>(UnitSignal());
};

TEST(SweepAxis, ReadsListsAndRangesOfAnyNumericKey)
{
    const struct {
        const char* text;
        const char* key;
        std::vector<double> values;
    } cases[] = {{"kpw=10;20.5;-3", "Kpw", {10, 20.5, -3}},
                 {"Tmax=1:2:5", "Tmax", {1, 1.25, 1.5, 1.75, 2}},
                 {"m0=3:12:4", "m0", {3, 6, 9, 12}}};
    for (const auto& c : cases) {
        const StatusOr<SweepAxis> axis = ParseSweepAxis(QString::fromLatin1(c.text));
        ASSERT_TRUE(axis.ok) << c.text << qPrintable(axis.error);
        EXPECT_EQ(axis.value.key, QLatin1String(c.key));
        EXPECT_EQ(axis.value.values, c.values) << c.text;
    }
    // A key that counts takes no fraction, typed or stepped to.
    for (const char* bad :
         {"Kpw", "Colour=1", "Kpw=1;x", "Kpw=1:2:0", "Kpw=", "Kpw=1,5", "Kpw=:5:3", "Kpw=1: :3",
          "Kpw=-1e308:1e308:3", "Kpw=1; ;2", "p1=1.5", "m1=3;3.5", "m0=1:2:3"}) {
        const StatusOr<SweepAxis> axis = ParseSweepAxis(QString::fromLatin1(bad));
        EXPECT_FALSE(axis.ok) << bad;
        EXPECT_FALSE(axis.error.isEmpty()) << bad;
    }
}

// What a grid refuses, whether its axes were typed on the command line or given by a script.
TEST(SweepAxis, AGridTakesEachKeyOnceAndAMillionVariantsAtMost)
{
    std::vector<SweepAxis> grid;
    ASSERT_TRUE(AddSweepAxis(grid, Axis("Kpw=1:2:1000")).ok);
    EXPECT_EQ(AddSweepAxis(grid, Axis("kpw=3")).error,
              QStringLiteral("Kpw is given twice: a key takes one --set or --vary."));
    EXPECT_FALSE(AddSweepAxis(grid, Axis("KpI=1:2:1001")).ok);
    EXPECT_TRUE(AddSweepAxis(grid, Axis("KpI=1:2:1000")).ok);
    EXPECT_FALSE(MakeSweepAxis(QStringLiteral("p1"), {2, 2.5}).ok);
    EXPECT_FALSE(MakeSweepAxis(QStringLiteral("Mc"), {}).ok);
}

TEST(Tolerance, ReadsUniformAndNormalSpreads)
{
    const struct {
        const char* text;
        Tolerance::Spread spread;
        double nominal;
        double width;
    } cases[] = {{"kpw=80±5%", Tolerance::Spread::Uniform, 80, 5},
                 {"J=0.35+-10%", Tolerance::Spread::Uniform, 0.35, 10},
                 {"wref=-30~0.5", Tolerance::Spread::Normal, -30, 0.5}};
    for (const auto& c : cases) {
        const StatusOr<Tolerance> parse = ParseTolerance(QString::fromUtf8(c.text));
        ASSERT_TRUE(parse.ok) << c.text << qPrintable(parse.error);
        EXPECT_EQ(parse.value.spread, c.spread) << c.text;
        EXPECT_EQ(parse.value.nominal, c.nominal) << c.text;
        EXPECT_EQ(parse.value.width, c.width) << c.text;
    }
    // A key that counts is not drawn, and a magnitude has no nominal below zero.
    for (const char* bad :
         {"Kpw=80", "Kpw=80±5", "Kpw=±5%", "Colour=1~1", "Kpw=80~-1", "Kpw=80±101%", "Kpw=80~",
          "Kpw=1e999~1", "p1=2±10%", "m0=6~0.1", "J=-0.35±10%", "J=-0.35~0.01"})
        EXPECT_FALSE(ParseTolerance(QString::fromUtf8(bad)).ok) << bad;
}

TEST(SweepGrid, VariesTheFirstAxisSlowest)
{
    const SweepGrid grid({Axis("Kpw=1;2"), Axis("wref=-5;5;7")});
    ASSERT_EQ(grid.size(), 6u);
    EXPECT_EQ(grid.values(4), (std::vector<double>{2, 5}));
}

// Whatever was typed or drawn, a variant's values are those it runs: magnitudes but for the
// references, and a normal spread cut at zero for a magnitude, not folded over it.
TEST(SweepVariants, ValuesAreTheValuesTheVariantRuns)
{
    const SweepGrid grid({Axis("J=-2;2"), Axis("wref=-5")});
    constexpr std::size_t Draws = 20000;
    const ToleranceSamples study({Drawn("J=0.35~0.5"), Drawn("wref=-30~40")}, Draws, 3);
    double sum = 0;
    for (const SweepVariants* variants :
         {static_cast<const SweepVariants*>(&grid), static_cast<const SweepVariants*>(&study)}) {
        ASSERT_EQ(variants->keys(), (QStringList{QStringLiteral("J"), QStringLiteral("wref")}));
        for (std::size_t i = 0; i < variants->size(); ++i) {
            const std::vector<double> values = variants->values(i);
            const ModelParams run = variants->variant(ModelParams{}, i);
            ASSERT_EQ(values, (std::vector<double>{run.J, run.wref})) << i;
            ASSERT_GE(run.J, 0) << i;
            sum += variants == &study ? run.J : 0;
        }
    }
    EXPECT_EQ(grid.variant(ModelParams{}, 0).wref, -5);
    // The normal about 0.35 with a deviation of 0.5, cut at zero, has the mean 0.556; folded
    // over zero it would have 0.493. The mean of 20000 draws is within 0.003 of it.
    EXPECT_NEAR(sum / Draws, 0.556, 0.01);
    EXPECT_NEAR(ShareDrawnAgain(Drawn("J=0.35~0.5")), 0.242, 0.001);
}

TEST(StreamingQuantile, EstimatesQuantilesOfAShuffledStreamAndSmallOnesExactly)
{
    std::vector<double> values(10000);
    std::iota(values.begin(), values.end(), 0.0);
    std::shuffle(values.begin(), values.end(), std::mt19937(3));
    StreamingQuantile low(0.05);
    StreamingQuantile high(0.95);
    for (const double value : values) {
        low.add(value);
        high.add(value);
    }
    EXPECT_NEAR(*low.value(), 500, 50);
    EXPECT_NEAR(*high.value(), 9500, 50);

    StreamingQuantile few(0.95);
    EXPECT_FALSE(few.value());
    for (const double value : {3.0, 1.0, 2.0})
        few.add(value);
    EXPECT_EQ(few.value(), 3.0);
}

// A system without threads to give still gets every row, from the threads that started or from
// the calling thread alone.
TEST_F(ThyristorModel, ASweepRunsOnTheThreadsThatCouldStart)
{
    const SweepGrid grid({Axis("Kpw=40:320:6")});
    for (const unsigned startable : {0u, 1u}) {
        unsigned started = 0;
        const SweepThreadStarter starter = [&](std::function<void()> work) {
            if (started == startable)
                throw std::system_error(
                    std::make_error_code(std::errc::resource_unavailable_try_again));
            ++started;
            return std::jthread(std::move(work));
        };
        std::vector<SweepRow> rows;
        const SweepOutcome outcome = RunSweep(
            session.params(), *signal, grid, {0, grid.size()}, 3,
            [&rows](const SweepRow& row) {
                rows.push_back(row);
                return true;
            },
            {}, starter);
        EXPECT_EQ(outcome.threads, startable);
        EXPECT_EQ(outcome.written, grid.size());
        ASSERT_EQ(rows.size(), 6u);
        EXPECT_EQ(rows.at(5).index, 5u);
        EXPECT_EQ(rows.at(5).values, std::vector<double>{320});
    }
}

// Each row holds what a single run of its variant shows, as the results window would run it.
TEST_F(ThyristorModel, RowsAreTheFiguresOfSingleRuns)
{
    StudyRequest request;
    request.grid.push_back(Axis("Kpw=40;160"));
    std::vector<SweepRow> rows;
    Study(request).run(session.params(), *signal, [&rows](const SweepRow& row) {
        rows.push_back(row);
        return true;
    });
    ASSERT_EQ(rows.size(), 2u);
    for (const SweepRow& row : rows) {
        ASSERT_TRUE(row.failure.isEmpty()) << qPrintable(row.failure);
        SilentMessages singleMessages;
        ModelSession single(u',', singleMessages);
        single.NewModel();
        ASSERT_TRUE(single.LoadModelFile(ThyristorExample).ok);
        single.editor().setText(EditField::KpwEdit, QString::number(row.values.at(0)));
        auto run = std::make_unique<RunData>();
        ResultsActivation activation(single, *run, *signal, singleMessages);
        ASSERT_EQ(activation.FormActivate(true), ResultsActivation::Outcome::Simulated);
        const QList<StepResponseField> figures = SweepFigures(row);
        QList<StepResponseField> expected = StepResponseFields(activation.view().stepResponse);
        for (const SummaryField& field : SummaryFields(activation.view().summaryFigures))
            expected.append({field.key, {}, field.value});
        ASSERT_EQ(figures.size(), expected.size());
        for (qsizetype i = 0; i < figures.size(); ++i) {
            EXPECT_STREQ(figures[i].key, expected[i].key);
            EXPECT_EQ(figures[i].number, expected[i].number) << figures[i].key;
            if (i < StepResponseFields({}).size()) {
                EXPECT_EQ(figures[i].value, expected[i].value) << figures[i].key;
            }
        }
    }
}

} // namespace
} // namespace kinetra
