#include <gtest/gtest.h>

#include <algorithm>

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include "SimOptions.h"
#include "SimRun.h"
#include "SweepProgressLine.h"
#include "SweepStatistics.h"
#include "SweepTable.h"

namespace kinetra {
namespace {

const QString ThyristorExample =
    QStringLiteral(KINETRA_EXAMPLES_FOLDER "/dc-thyristor-speed-current.kmf");
const QString TransistorExample =
    QStringLiteral(KINETRA_EXAMPLES_FOLDER "/dc-transistor-speed.kmf");

struct SweepOutput {
    SimStatus status;
    QStringList rows; // header first
    QString err;
};

QStringList Arguments(const char* text)
{
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}

SweepOutput Sweep(QStringList arguments, const QString& model = ThyristorExample)
{
    arguments.prepend(QStringLiteral("kinetra-sim"));
    arguments.append(model);
    const StatusOr<SimOptions> parse = ParseSimOptions(arguments);
    EXPECT_TRUE(parse.ok) << qPrintable(parse.error);
    if (!parse.ok)
        return {SimStatus::UsageError, {}, parse.error};
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const SimStatus status = RunSim(parse.value, u',', outStream, errStream);
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

// Each is refused as a usage error before any run.
TEST(SweepOptions, RefuseWhatNoSweepCanRun)
{
    for (const char* arguments :
         {"--set Kpw=1;2 --jobs 1000000", "--set Kpw=1;2 --jobs 0", "--vary Kpw=80±5%",
          "--vary Kpw=80±5% --samples 0", "--vary Kpw=80±5% --samples x.csv",
          "--set Kpw=1;2 --vary KpI=1~0.1 --samples 5", "--set Kpw=1;2 --seed 3",
          "--vary Kpw=80±5% --samples 5 --seed -1", "--shard 1/2", "--set Kpw=1;2 --shard 0/2",
          "--set Kpw=1;2 --shard 3/2", "--set Kpw=1;2 --shard 1", "--summary s.csv",
          "--vary Kpw=80±5% --samples 5 --table", "--set Kpw=1;2 --summary=",
          "--set Kpw=1;2 --set kpw=3", "--vary J=1~0.1 --vary j=1±1% --samples 3",
          "--count-variants", "--set Kpw=1;2 --count-variants --summary s.csv"}) {
        const StatusOr<SimOptions> parse =
            ParseSimOptions(QStringList{QStringLiteral("kinetra-sim")} + Arguments(arguments) +
                            QStringList{QStringLiteral("a.kmf")});
        EXPECT_FALSE(parse.ok) << arguments;
        EXPECT_FALSE(parse.error.isEmpty()) << arguments;
    }
}

// The rows of a grid and of a study depend neither on the threads nor on how the work is split.
TEST(Sweep, GivesTheSameRowsOnAnyThreadsAndShards)
{
    for (const char* sweep : {"--set Kpw=20:200:5 --set KpI=0.25;0.5",
                              "--vary Kpw=80±20% --vary J=0.35~0.02 --samples 9 --seed 42"}) {
        const QStringList arguments = Arguments(sweep);
        const SweepOutput whole = Sweep(arguments + Arguments("--jobs 1"));
        EXPECT_EQ(whole.status, SimStatus::Success) << sweep;
        ASSERT_GE(whole.rows.size(), 10) << sweep;
        EXPECT_EQ(Sweep(arguments + Arguments("--jobs 2")).rows, whole.rows) << sweep;
        QStringList joined;
        for (const char* shard : {"1/4", "2/4", "3/4", "4/4"}) {
            const SweepOutput part =
                Sweep(arguments + QStringList{QStringLiteral("--shard"), QString::fromLatin1(shard),
                                              QStringLiteral("--jobs"), QStringLiteral("2")});
            ASSERT_FALSE(part.rows.isEmpty()) << sweep << shard;
            EXPECT_EQ(part.rows.first(), whole.rows.first()) << "header of " << shard;
            joined += joined.isEmpty() ? part.rows : part.rows.sliced(1);
        }
        EXPECT_EQ(joined, whole.rows) << sweep;
    }
}

// Sample 12 345 drawn alone gives the row it has among its neighbours, and another seed draws
// another sample.
TEST(ToleranceStudy, RecomputesAnySampleAlone)
{
    const QStringList study = Arguments("--vary Kpw=80±20% --vary KpI=0.5~0.05 --samples 20000");
    const SweepOutput alone = Sweep(study + Arguments("--seed 5 --shard 12345/20000"));
    const SweepOutput among = Sweep(study + Arguments("--seed 5 --shard 1235/2000"));
    const SweepOutput reseeded = Sweep(study + Arguments("--seed 6 --shard 12345/20000"));
    ASSERT_EQ(alone.rows.size(), 2);
    ASSERT_EQ(among.rows.size(), 11);
    EXPECT_EQ(Cell(alone, 1, QStringLiteral("sample")), QStringLiteral("12345"));
    EXPECT_EQ(among.rows.at(5), alone.rows.at(1));
    EXPECT_NE(reseeded.rows.at(1), alone.rows.at(1));
}

// The target of the speed loop is its reference: a uniform ±10 % on wref spreads the target
// evenly over 27 to 33, whose 5 % and 95 % quantiles are 27.3 and 32.7.
TEST(ToleranceStudy, SummaryQuantilesMatchAUniformTolerance)
{
    QTemporaryDir folder;
    const QString summaryPath = folder.filePath(QStringLiteral("summary.csv"));
    const SweepOutput output = Sweep(QStringList{QStringLiteral("--summary"), summaryPath} +
                                     Arguments("--vary wref=30±10% --samples 1000 --seed 11"));
    EXPECT_EQ(output.status, SimStatus::Success);
    EXPECT_TRUE(output.err.contains(QStringLiteral("1000 variants, 0 failed")));
    QFile file(summaryPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    const auto target = std::ranges::find_if(
        lines, [](const QString& line) { return line.startsWith(u"target,"); });
    ASSERT_NE(target, lines.end());
    const QStringList cells = target->split(u',');
    EXPECT_EQ(cells.at(1), QStringLiteral("1000"));
    // Sampling error of a 5 % quantile of 1000 draws over a width of 6: about 0.04.
    const struct {
        int column;
        double expected;
        double tolerance;
    } expectations[] = {
        {2, 27, 0.05}, {3, 30, 0.15}, {4, 33, 0.05}, {5, 27.3, 0.15}, {6, 32.7, 0.15}};
    for (const auto& e : expectations)
        EXPECT_NEAR(cells.at(e.column).toDouble(), e.expected, e.tolerance) << e.column;
}

TEST(SweepStatistics, CountsFailuresByTheirReason)
{
    SweepStatistics statistics;
    for (const char* reason : {"no motor selected", "", "no motor selected"}) {
        SweepRow row;
        row.failure = QString::fromLatin1(reason);
        statistics.add(row);
    }
    EXPECT_EQ(statistics.variants(), 3u);
    EXPECT_EQ(statistics.failures().at(QStringLiteral("no motor selected")), 2u);
    EXPECT_TRUE(
        SweepSummaryCsv(statistics).contains(QStringLiteral("\nfailed: no motor selected,2,")));
    EXPECT_EQ(SweepSummaryLines(statistics).first(), QStringLiteral("3 variants, 2 failed"));
}

TEST(SweepProgressLine, ShowsAfterASecondInPlaceOrAsPlainLinesNowAndThen)
{
    using Seconds = SweepProgressLine::Seconds;
    const struct {
        bool inPlace;
        double elapsed;
        const char* expected;
    } steps[] = {
        {true, 0.5, ""},
        {true, 1.5, "\r3/200 variants, 2.0 variants/s, 1 min 39 s left"},
        {true, 2.2, "\r200/200 variants, 91 variants/s, 0 s left      "},
        {false, 0.5, ""},
        {false, 1.5, "3/4000 variants, 2.0 variants/s, 33 min 19 s left\n"},
        {false, 5, ""},
        {false, 12, "36/4000 variants, 3.0 variants/s, 22 min 02 s left\n"},
    };
    SweepProgressLine inPlace(true);
    SweepProgressLine plain(false);
    const std::size_t done[] = {0, 3, 200, 0, 3, 10, 36};
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SweepProgressLine& line = steps[i].inPlace ? inPlace : plain;
        EXPECT_EQ(line.update(done[i], steps[i].inPlace ? 200 : 4000, Seconds(steps[i].elapsed)),
                  QString::fromLatin1(steps[i].expected))
            << i;
    }
    EXPECT_EQ(inPlace.finish(), QStringLiteral("\n"));
    EXPECT_EQ(plain.finish(), QString());
}

// A table cut short, or a study whose closing summary is lost with standard error, ends with a
// status of its own, whatever the variants came to.
TEST(Sweep, EndsWithAStatusOfItsOwnWhenAStreamLosesBytes)
{
    const StatusOr<SimOptions> parse = ParseSimOptions(
        QStringList{QStringLiteral("kinetra-sim")} +
        Arguments("--vary Kpw=80±20% --samples 300 --jobs 2") + QStringList{ThyristorExample});
    ASSERT_TRUE(parse.ok);
    for (const bool outputFull : {true, false}) {
        QFile full(QStringLiteral("/dev/full"));
        ASSERT_TRUE(full.open(QIODevice::WriteOnly));
        QString text;
        QTextStream kept(&text);
        QTextStream lost(&full);
        QTextStream& out = outputFull ? lost : kept;
        QTextStream& err = outputFull ? kept : lost;
        EXPECT_EQ(RunSim(parse.value, u',', out, err),
                  outputFull ? SimStatus::OutputIncomplete : SimStatus::ErrorsIncomplete);
        kept.flush();
        EXPECT_EQ(text.contains(QStringLiteral("Standard output cannot be written")), outputFull);
    }
}

// A summary that would replace the table, or that no save could write, is refused before the
// first variant, so neither the table's header nor a variant's row is written.
TEST(Sweep, RefusesASummaryItCouldNotWriteBeforeTheFirstVariant)
{
    QTemporaryDir folder;
    const QString table = folder.filePath(QStringLiteral("table.csv"));
    const QString link = folder.filePath(QStringLiteral("link.csv"));
    QFile tableFile(table);
    ASSERT_TRUE(tableFile.open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link(table, link));
    const struct {
        QString summary;
        const char* message;
    } cases[] = {
        {table, "is the file standard output writes the table to"},
        {folder.path() + QStringLiteral("/./table.csv"), "is the file standard output writes"},
        {link, "is the file standard output writes"},
        {folder.filePath(QStringLiteral("missing/summary.csv")), "Не сохранить файл summary.csv"},
        {folder.path(), "Не сохранить файл"},
    };
    for (const auto& c : cases) {
        const StatusOr<SimOptions> parse = ParseSimOptions(
            QStringList{QStringLiteral("kinetra-sim"), QStringLiteral("--summary"), c.summary} +
            Arguments("--vary Kpw=80±20% --samples 100") + QStringList{ThyristorExample});
        ASSERT_TRUE(parse.ok);
        QTextStream out(&tableFile);
        QString err;
        QTextStream errStream(&err);
        EXPECT_EQ(RunSim(parse.value, u',', out, errStream), SimStatus::UsageError)
            << qPrintable(c.summary);
        errStream.flush();
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.message))) << qPrintable(err);
        EXPECT_EQ(tableFile.size(), 0) << qPrintable(c.summary);
    }
}

// A variant whose Tmax is beyond the 10 s the results hold says so, once, as a single run does.
TEST(Sweep, SaysOnceThatATmaxBeyondTheResultsIsCutShort)
{
    const SweepOutput output = Sweep(Arguments("--set Tmax=2;12;20"));
    EXPECT_EQ(output.status, SimStatus::Success);
    EXPECT_EQ(output.err.count(QStringLiteral("Tmax больше 10 с: моделируются первые 10 с\n")), 1)
        << qPrintable(output.err);
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
    EXPECT_GT(previous, 0.5);
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

// An armature of 20 ohm makes the transistor drive's rated data give a negative machine
// constant: its cascade winds the command away, and the variant fails with the quantity that
// left the drive's reach instead of reading as a result.
TEST(Sweep, AVariantThatRunsAwayFailsWithWhatLeftTheReach)
{
    const SweepOutput output =
        Sweep({QStringLiteral("--set"), QStringLiteral("R2=0.5;20")}, TransistorExample);
    EXPECT_EQ(output.status, SimStatus::Failed);
    ASSERT_EQ(output.rows.size(), 3);
    EXPECT_EQ(Cell(output, 1, QStringLiteral("status")), QStringLiteral("0"));
    EXPECT_EQ(Cell(output, 2, QStringLiteral("status")), QStringLiteral("1"));
    EXPECT_EQ(Cell(output, 2, QStringLiteral("reason")),
              QStringLiteral("the current left the drive's physical reach"));
}

} // namespace
} // namespace kinetra
