#include <gtest/gtest.h>

#include "SimOptions.h"

namespace kinetra {
namespace {

SimOptionsParse parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("kinetra-sim"));
    return ParseSimOptions(arguments);
}

TEST(SimOptionsTest, ModelAloneAsksForTheSummary)
{
    const SimOptionsParse result = parse({QStringLiteral("drive.kmf")});
    ASSERT_TRUE(result.options);
    EXPECT_EQ(result.options->modelPath, QStringLiteral("drive.kmf"));
    EXPECT_FALSE(result.options->table);
    EXPECT_FALSE(result.options->decimalSeparator);
    EXPECT_EQ(result.options->signalTarget, SimOptions::SignalTarget::Load);
}

TEST(SimOptionsTest, EveryOptionIsTakenUp)
{
    const SimOptionsParse result = parse(
        {QStringLiteral("--decimal-separator"), QStringLiteral(","), QStringLiteral("--table"),
         QStringLiteral("--samples"), QStringLiteral("s.csv"), QStringLiteral("--static"),
         QStringLiteral("st.csv"), QStringLiteral("--signal"), QStringLiteral("sig.txt"),
         QStringLiteral("--signal-to"), QStringLiteral("reference"), QStringLiteral("--model-text"),
         QStringLiteral("--params-after"), QStringLiteral("drive.kmf")});
    ASSERT_TRUE(result.options) << qPrintable(result.message);
    const SimOptions& options = *result.options;
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
                      QStringLiteral("a.kmf")}}) {
        const SimOptionsParse result = parse(arguments);
        EXPECT_FALSE(result.options) << qPrintable(arguments.join(u' '));
        EXPECT_FALSE(result.helpRequested);
        EXPECT_FALSE(result.message.isEmpty());
    }
}

TEST(SimOptionsTest, ReportPartsChooseWhatTheReportShows)
{
    const SimOptionsParse all =
        parse({QStringLiteral("--report"), QStringLiteral("r.pdf"), QStringLiteral("a.kmf")});
    ASSERT_TRUE(all.options);
    EXPECT_EQ(all.options->reportPath, QStringLiteral("r.pdf"));
    EXPECT_TRUE(all.options->reportParts.dynamics && all.options->reportParts.analysis);

    const SimOptionsParse some =
        parse({QStringLiteral("--report=r.html"), QStringLiteral("--report-parts"),
               QStringLiteral("statics, analysis"), QStringLiteral("a.kmf")});
    ASSERT_TRUE(some.options) << qPrintable(some.message);
    const ReportSwitches& parts = some.options->reportParts;
    EXPECT_TRUE(parts.statics && parts.analysis);
    EXPECT_FALSE(parts.dynamics || parts.equipment || parts.controllers);

    for (const QStringList& arguments :
         {QStringList{QStringLiteral("--report"), QStringLiteral("r.doc"), QStringLiteral("a.kmf")},
          QStringList{QStringLiteral("--report-parts"), QStringLiteral("statics"),
                      QStringLiteral("a.kmf")},
          QStringList{QStringLiteral("--report"), QStringLiteral("r.pdf"),
                      QStringLiteral("--report-parts"), QStringLiteral("charts"),
                      QStringLiteral("a.kmf")}})
        EXPECT_FALSE(parse(arguments).options) << qPrintable(arguments.join(u' '));
}

TEST(SimOptionsTest, HelpIsNotAnError)
{
    const SimOptionsParse result = parse({QStringLiteral("--help")});
    EXPECT_FALSE(result.options);
    EXPECT_TRUE(result.helpRequested);
    EXPECT_TRUE(result.message.contains(QStringLiteral("--params-after")));
}

TEST(SimOptionsTest, WorkbenchOptionsSetTheSignalAsTyped)
{
    const SimOptionsParse result = parse(
        {QStringLiteral("--signal-wave"), QStringLiteral("3"), QStringLiteral("--signal-periods"),
         QStringLiteral("2,5"), QStringLiteral("--channel"), QStringLiteral("1"),
         QStringLiteral("--channel-ms"), QStringLiteral("2,57"), QStringLiteral("--filter"),
         QStringLiteral("9"), QStringLiteral("--coefficients"), QStringLiteral("1;2;3;;5;x"),
         QStringLiteral("--signal-to"), QStringLiteral("reference"), QStringLiteral("--signal-out"),
         QStringLiteral("s.csv"), QStringLiteral("drive.kmf")});
    ASSERT_TRUE(result.options) << qPrintable(result.message);
    ASSERT_TRUE(result.options->signalWorkbench);
    const SignalSettings& signal = *result.options->signalWorkbench;
    EXPECT_EQ(signal.wave, 3);
    EXPECT_EQ(signal.periods, QStringLiteral("2,5"));
    EXPECT_EQ(signal.channel, 1);
    EXPECT_EQ(signal.channelMs, QStringLiteral("2,57"));
    EXPECT_EQ(signal.filter, 9);
    EXPECT_EQ(signal.coefficients.at(3), QString());
    EXPECT_EQ(signal.outPath, QStringLiteral("s.csv"));
    EXPECT_EQ(result.options->signalTarget, SimOptions::SignalTarget::Reference);

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
        EXPECT_FALSE(parse(wrong + QStringList{QStringLiteral("a.kmf")}).options)
            << qPrintable(wrong.join(u' '));
    }
}

} // namespace
} // namespace kinetra
