#include <gtest/gtest.h>

#include "SimOptions.h"

namespace kinetra {
namespace {

StatusOr<SimOptions> parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("kinetra-sim"));
    return ParseSimOptions(arguments);
}

TEST(SimOptionsTest, ModelAloneAsksForTheSummary)
{
    const StatusOr<SimOptions> result = parse({QStringLiteral("drive.kmf")});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.value.modelPath, QStringLiteral("drive.kmf"));
    EXPECT_FALSE(result.value.table);
    EXPECT_FALSE(result.value.decimalSeparator);
    EXPECT_EQ(result.value.signalTarget, SimOptions::SignalTarget::Load);
}

TEST(SimOptionsTest, EveryOptionIsTakenUp)
{
    const StatusOr<SimOptions> result = parse(
        {QStringLiteral("--decimal-separator"), QStringLiteral(","), QStringLiteral("--table"),
         QStringLiteral("--samples"), QStringLiteral("s.csv"), QStringLiteral("--static"),
         QStringLiteral("st.csv"), QStringLiteral("--signal"), QStringLiteral("sig.txt"),
         QStringLiteral("--signal-to"), QStringLiteral("reference"), QStringLiteral("--model-text"),
         QStringLiteral("--params-after"), QStringLiteral("drive.kmf")});
    ASSERT_TRUE(result.ok) << qPrintable(result.error);
    const SimOptions& options = result.value;
    EXPECT_EQ(options.decimalSeparator, QChar(u','));
    EXPECT_TRUE(options.table && options.modelText && options.paramsAfter);
    EXPECT_EQ(options.samplesPath, QStringLiteral("s.csv"));
    EXPECT_EQ(options.staticPath, QStringLiteral("st.csv"));
    EXPECT_EQ(options.signalPath, QStringLiteral("sig.txt"));
    EXPECT_EQ(options.signalTarget, SimOptions::SignalTarget::Reference);
}

TEST(SimOptionsTest, UsageErrorsAreExplained)
{
    for (const QStringList& arguments :
         {QStringList{}, QStringList{QStringLiteral("a.kmf"), QStringLiteral("b.kmf")},
          QStringList{QStringLiteral("--bogus"), QStringLiteral("a.kmf")},
          QStringList{QStringLiteral("--decimal-separator"), QStringLiteral(",,"),
                      QStringLiteral("a.kmf")},
          QStringList{QStringLiteral("--signal-to"), QStringLiteral("load"),
                      QStringLiteral("a.kmf")},
          QStringList{QStringLiteral("--signal"), QStringLiteral("s.txt"),
                      QStringLiteral("--signal-to"), QStringLiteral("speed"),
                      QStringLiteral("a.kmf")},
          QStringList{QStringLiteral("--write"), QStringLiteral("t.kmf"), QStringLiteral("a.kmf")},
          QStringList{QStringLiteral("--tune"), QStringLiteral("--metrics"),
                      QStringLiteral("a.kmf")},
          QStringList{QStringLiteral("--loop-response"), QStringLiteral("l.csv"),
                      QStringLiteral("--set"), QStringLiteral("R2=1;2"),
                      QStringLiteral("a.kmf")}}) {
        const StatusOr<SimOptions> result = parse(arguments);
        EXPECT_FALSE(result.ok) << qPrintable(arguments.join(u' '));
        EXPECT_FALSE(result.error.isEmpty());
    }
}

TEST(SimOptionsTest, ReportPartsChooseWhatTheReportShows)
{
    const StatusOr<SimOptions> all =
        parse({QStringLiteral("--report"), QStringLiteral("r.pdf"), QStringLiteral("a.kmf")});
    ASSERT_TRUE(all.ok);
    EXPECT_EQ(all.value.reportPath, QStringLiteral("r.pdf"));
    EXPECT_TRUE(all.value.reportParts.dynamics && all.value.reportParts.analysis);
    EXPECT_FALSE(all.value.reportParts.margins) << "the margins only when asked for";

    const StatusOr<SimOptions> some =
        parse({QStringLiteral("--report=r.html"), QStringLiteral("--report-parts"),
               QStringLiteral("statics, analysis,margins"), QStringLiteral("a.kmf")});
    ASSERT_TRUE(some.ok) << qPrintable(some.error);
    const ReportSwitches& parts = some.value.reportParts;
    EXPECT_TRUE(parts.statics && parts.analysis && parts.margins);
    EXPECT_FALSE(parts.dynamics || parts.equipment || parts.controllers);

    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--report"), QStringLiteral("r.doc"), QStringLiteral("a.kmf")},
          QStringList{QStringLiteral("--report-parts"), QStringLiteral("statics"),
                      QStringLiteral("a.kmf")},
          QStringList{QStringLiteral("--report"), QStringLiteral("r.pdf"),
                      QStringLiteral("--report-parts"), QStringLiteral("charts"),
                      QStringLiteral("a.kmf")}})
        EXPECT_FALSE(parse(arguments).ok) << qPrintable(arguments.join(u' '));
}

TEST(SimOptionsTest, HelpIsNotAnError)
{
    const StatusOr<SimOptions> result = parse({QStringLiteral("--help")});
    ASSERT_TRUE(result.ok);
    EXPECT_TRUE(result.value.help.contains(QStringLiteral("--params-after")));
}

TEST(SimOptionsTest, WorkbenchOptionsSetTheSignalAsTyped)
{
    const StatusOr<SimOptions> result = parse(
        {QStringLiteral("--signal-wave"), QStringLiteral("3"), QStringLiteral("--signal-periods"),
         QStringLiteral("2,5"), QStringLiteral("--channel"), QStringLiteral("1"),
         QStringLiteral("--channel-ms"), QStringLiteral("2,57"), QStringLiteral("--filter"),
         QStringLiteral("9"), QStringLiteral("--coefficients"), QStringLiteral("1;2;3;;5;x"),
         QStringLiteral("--signal-to"), QStringLiteral("reference"), QStringLiteral("--signal-out"),
         QStringLiteral("s.csv"), QStringLiteral("drive.kmf")});
    ASSERT_TRUE(result.ok) << qPrintable(result.error);
    ASSERT_TRUE(result.value.signalWorkbench);
    const SignalSettings& signal = *result.value.signalWorkbench;
    EXPECT_EQ(signal.wave, 3);
    EXPECT_EQ(signal.periods, QStringLiteral("2,5"));
    EXPECT_EQ(signal.channel, 1);
    EXPECT_EQ(signal.channelMs, QStringLiteral("2,57"));
    EXPECT_EQ(signal.filter, 9);
    EXPECT_EQ(signal.coefficients.at(3), QString());
    EXPECT_EQ(signal.outPath, QStringLiteral("s.csv"));
    EXPECT_EQ(result.value.signalTarget, SimOptions::SignalTarget::Reference);

    for (const QStringList& wrong :
         {QStringList{QStringLiteral("--signal-wave"), QStringLiteral("8")},
          QStringList{QStringLiteral("--signal-wave"), QStringLiteral("0"),
                      QStringLiteral("--filter"), QStringLiteral("1"),
                      QStringLiteral("--coefficients"), QStringLiteral("1;2")},
          QStringList{QStringLiteral("--channel"), QStringLiteral("1")},
          QStringList{QStringLiteral("--signal-wave"), QStringLiteral("0"),
                      QStringLiteral("--channel-ms"), QStringLiteral("1")},
          QStringList{QStringLiteral("--signal-wave"), QStringLiteral("0"),
                      QStringLiteral("--signal"), QStringLiteral("s.txt")}}) {
        EXPECT_FALSE(parse(wrong + QStringList{QStringLiteral("a.kmf")}).ok)
            << qPrintable(wrong.join(u' '));
    }
}

} // namespace
} // namespace kinetra
