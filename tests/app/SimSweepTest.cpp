#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <QTextStream>

#include "ResultsActivation.h"
#include "editor/MessageSink.h"
#include "editor/ModelSession.h"
#include "sim/SimOptions.h"
#include "sim/SimRun.h"

namespace kinetra {
namespace {

const QString ThyristorExample =
    QStringLiteral(KINETRA_EXAMPLES_FOLDER "/dc-thyristor-speed-current.kmf");

struct SweepOutput {
    SimStatus status;
    QStringList rows; // header first
    QString err;
};

SweepOutput Sweep(QStringList arguments)
{
    arguments.prepend(QStringLiteral("kinetra-sim"));
    arguments.append(ThyristorExample);
    const SimOptionsParse parse = ParseSimOptions(arguments);
    EXPECT_TRUE(parse.options) << qPrintable(parse.message);
    if (!parse.options)
        return {SimStatus::UsageError, {}, parse.message};
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const SimStatus status = RunSim(*parse.options, u',', outStream, errStream);
    outStream.flush();
    errStream.flush();
    return {status, out.split(u'\n', Qt::SkipEmptyParts), err};
}

// The cell of a row under the header's column name.
QString Cell(const SweepOutput& output, qsizetype row, const QString& column)
{
    const qsizetype index = output.rows.first().split(u',').indexOf(column);
    return output.rows.at(row).split(u',').value(index);
}

TEST(SweepAxis, ReadsListsAndRangesOfAnyNumericKey)
{
    const SweepAxisParse list = ParseSweepAxis(QStringLiteral("kpw=10;20.5;-3"));
    ASSERT_TRUE(list.axis);
    EXPECT_EQ(list.axis->key, QStringLiteral("Kpw"));
    EXPECT_EQ(list.axis->values, (std::vector<double>{10, 20.5, -3}));
    const SweepAxisParse range = ParseSweepAxis(QStringLiteral("Tmax=1:2:5"));
    ASSERT_TRUE(range.axis);
    EXPECT_EQ(range.axis->values, (std::vector<double>{1, 1.25, 1.5, 1.75, 2}));
    for (const char* bad : {"Kpw", "Colour=1", "Kpw=1;x", "Kpw=1:2:0", "Kpw=", "Kpw=1,5"})
        EXPECT_FALSE(ParseSweepAxis(QString::fromLatin1(bad)).axis) << bad;
}

TEST(SweepGrid, VariesTheFirstAxisSlowestAndStoresMagnitudesButReferences)
{
    const SweepGrid grid({*ParseSweepAxis(QStringLiteral("Kpw=1;2")).axis,
                          *ParseSweepAxis(QStringLiteral("wref=-5;5;7")).axis});
    ASSERT_EQ(grid.size(), 6u);
    EXPECT_EQ(grid.valuesOf(4), (std::vector<double>{2, 5}));
    const ModelParams variant = SweepGrid({*ParseSweepAxis(QStringLiteral("J=-2")).axis,
                                           *ParseSweepAxis(QStringLiteral("wref=-5")).axis})
                                    .variant(ModelParams{}, 0);
    EXPECT_EQ(variant.J, 2);
    EXPECT_EQ(variant.wref, -5);
}

TEST(Sweep, GivesTheSameTableOnOneThreadAsOnTwo)
{
    const QStringList grid{QStringLiteral("--set"), QStringLiteral("Kpw=20:200:5"),
                           QStringLiteral("--set"), QStringLiteral("KpI=0.25;0.5")};
    const SweepOutput one =
        Sweep(grid + QStringList{QStringLiteral("--jobs"), QStringLiteral("1")});
    const SweepOutput two =
        Sweep(grid + QStringList{QStringLiteral("--jobs"), QStringLiteral("2")});
    EXPECT_EQ(one.status, SimStatus::Success);
    EXPECT_EQ(one.rows.size(), 11);
    EXPECT_EQ(one.rows, two.rows);
}

class SilentMessages final : public MessageSink {
public:
    void showMessage(const QString&) override {}
};

// Each row holds what a single run of its variant shows, as the results window would run it.
TEST(Sweep, RowsAreTheFiguresOfSingleRuns)
{
    const SweepOutput sweep = Sweep({QStringLiteral("--set"), QStringLiteral("Kpw=40;160")});
    ASSERT_EQ(sweep.rows.size(), 3);
    for (const auto& [row, Kpw] : {std::pair{1, "40"}, {2, "160"}}) {
        SilentMessages messages;
        ModelSession session(u',', messages);
        session.NewModel();
        ASSERT_TRUE(session.LoadModelFile(ThyristorExample).ok);
        session.editor().setText(EditField::KpwEdit, QLatin1String(Kpw));
        auto run = std::make_unique<RunData>();
        const auto signal = std::make_unique<SignalSeries>(UnitSignal());
        ResultsActivation single(session, *run, *signal, messages);
        ASSERT_EQ(single.FormActivate(true), ResultsActivation::Outcome::Simulated);
        for (const StepResponseField& field : StepResponseFields(single.view().stepResponse))
            EXPECT_EQ(Cell(sweep, row, QLatin1String(field.key)), field.value) << field.key;
        for (const SummaryField& field : SummaryFields(single.view().summaryFigures))
            EXPECT_EQ(Cell(sweep, row, QLatin1String(field.key)),
                      field.value ? QString::number(*field.value, 'g', 10) : QString())
                << field.key;
    }
}

// A drive engineer's sanity check: a stiffer speed loop overshoots more.
TEST(Sweep, OvershootRisesWithTheSpeedLoopGain)
{
    const SweepOutput output =
        Sweep({QStringLiteral("--set"), QStringLiteral("Kpw=40;80;160;320")});
    ASSERT_EQ(output.rows.size(), 5);
    double previous = 0;
    for (qsizetype row = 1; row < output.rows.size(); ++row) {
        const double overshoot = Cell(output, row, QStringLiteral("overshoot")).toDouble();
        EXPECT_GE(overshoot, previous)
            << "Kpw " << qPrintable(Cell(output, row, QStringLiteral("Kpw")));
        previous = overshoot;
    }
    EXPECT_GT(previous, 1);
}

// The rated current that makes the motor's machine constant infinite fails its variant alone.
TEST(Sweep, AFailingVariantKeepsItsRowWithTheReason)
{
    const SweepOutput output =
        Sweep({QStringLiteral("--set"), QStringLiteral("I=58;1047.6190476190476;58")});
    EXPECT_EQ(output.status, SimStatus::Failed);
    ASSERT_EQ(output.rows.size(), 4);
    EXPECT_EQ(Cell(output, 2, QStringLiteral("status")), QStringLiteral("1"));
    EXPECT_EQ(Cell(output, 2, QStringLiteral("reason")),
              QStringLiteral("the motor's circuit parameters cannot be derived"));
    EXPECT_EQ(Cell(output, 2, QStringLiteral("overshoot")), QString());
    EXPECT_EQ(output.rows.at(1), output.rows.at(3));
    EXPECT_EQ(Cell(output, 3, QStringLiteral("status")), QStringLiteral("0"));
}

} // namespace
} // namespace kinetra
