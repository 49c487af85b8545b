#include "Summary.h"

#include <map>
#include <optional>
#include <set>
#include <utility>

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTranslator>
#include <gtest/gtest.h>

#include "StepResponse.h"
#include "TestSupport.h"

namespace kinetra {
namespace {

using test::RunWithSamples;
namespace Label = SummaryLabels;

// A torque-mode run on a rigid transmission, its samples as
// {time, torque, mechSpeed, current, motorSpeed}.
std::unique_ptr<RunData> TorqueRun()
{
    auto run = RunWithSamples({{0, 0, 0, 0, 0},
                               {0.25, 50, 5, 80, 0},
                               {0.5, -8.456, 12.3456, 45, 0},
                               {0.75, 20, 10, 25, 0}});
    run->supplyVoltage = -220;
    return run;
}

ModelParams RatedDrive()
{
    ModelParams params;
    params.TorqueControl = true;
    params.P = 4;
    params.w = 150;
    params.I = 30;
    params.P0 = 5;
    params.U0 = 440;
    params.ii = 10;
    params.Mi = 300;
    params.Pi = 8;
    return params;
}

QStringList SummaryOf(const RunData& run, const ModelParams& params)
{
    return SummaryLines(SummaryFiguresOf(ChartRangesOfRun(run, params, {}), FinalValuesOf(run),
                                         params, run.supplyVoltage),
                        params.TorqueControl, u'.');
}

// The value written after label, if some line carries it.
std::optional<QString> ValueAfter(const QStringList& lines, const char* label)
{
    const QString text = QString::fromUtf8(label);
    for (const QString& line : lines) {
        if (line.startsWith(text))
            return line.sliced(text.size());
    }
    return std::nullopt;
}

TEST(Summary, KeepsTheDesignedLinesByteForByte)
{
    const QString expected = u"Время t, с\n"
                             u" максимальное           0.75\n"
                             u" минимальное             0.00\n"
                             u"\n"
                             u"Скорость w, рад/с\n"
                             u" максимальная            12.35\n"
                             u" минимальная             0.00\n"
                             u" установившаяся         10.00\n"
                             u"\n"
                             u"Момент М, Нм\n"
                             u" максимальный            50.00\n"
                             u" минимальный              -8.46\n"
                             u" установившийся         20.00\n"
                             u"\n"
                             u"Коэффициент использования\n"
                             u" двигателя по мощности P 0.50\n"
                             u" двигателя по моменту M     0.75\n"
                             u" двигателя по току I     0.83\n"
                             u" преобразователя по P            0.40\n"
                             u" преобразователя по U           0.50\n"
                             u" редуктора по мощности P   0.25\n"
                             u" редуктора по моменту M      0.67"_qs;
    EXPECT_EQ(SummaryOf(*TorqueRun(), RatedDrive()).join(u'\n'), expected);
}

TEST(Summary, CurrentModeReportsTheCurrent)
{
    ModelParams params = RatedDrive();
    params.TorqueControl = false;
    const QStringList lines = SummaryOf(*TorqueRun(), params);
    EXPECT_TRUE(lines.contains(u"Ток I, А"));
    EXPECT_FALSE(lines.contains(u"Момент М, Нм"));
    EXPECT_EQ(ValueAfter(lines, Label::LoopMaximum), u"80.00");
    EXPECT_EQ(ValueAfter(lines, Label::LoopMinimum), u"0.00");
    EXPECT_EQ(ValueAfter(lines, Label::LoopFinal), u"25.00");
}

// Current 25 A and voltage 220 V are amplitudes against the rms ratings 30 A and 440 V.
TEST(Summary, ServomotorFactorsCompareAmplitudesWithRmsRatings)
{
    ModelParams servo = RatedDrive();
    servo.MotorKind = 2;
    const QStringList lines = SummaryOf(*TorqueRun(), servo);
    EXPECT_EQ(ValueAfter(lines, Label::MotorCurrentFactor), u"0.59");
    EXPECT_EQ(ValueAfter(lines, Label::ConverterVoltageFactor), u"0.35");
}

// With the motor's speed on show beside the mechanism's, each speed has a block of its own.
TEST(Summary, ElasticTransmissionGivesEachSpeedItsBlock)
{
    const auto run =
        RunWithSamples({{0, 0, 0, 0, 0}, {0.25, 50, 2, 80, 90}, {0.5, 20, 1.5, 25, 60}});
    ModelParams elastic = RatedDrive();
    elastic.ElasticGear = true;
    const QStringList lines = SummaryOf(*run, elastic);
    const auto block = [&lines](const char* heading) {
        const qsizetype at = lines.indexOf(QString::fromUtf8(heading).sliced(1));
        return at < 0 ? QStringList() : lines.mid(at + 1, 3);
    };
    const auto values = [](const char* maximum, const char* minimum, const char* final) {
        return QStringList{QString::fromUtf8(Label::SpeedMaximum) + QLatin1String(maximum),
                           QString::fromUtf8(Label::SpeedMinimum) + QLatin1String(minimum),
                           QString::fromUtf8(Label::SpeedFinal) + QLatin1String(final)};
    };
    EXPECT_EQ(block(Label::MechanismSpeedHeading), values("2.00", "0.00", "1.50"));
    EXPECT_EQ(block(Label::MotorSpeedHeading), values("90.00", "0.00", "60.00"));
}

TEST(Summary, ASpeedThatNeverLeavesZeroShowsTheUnitRange)
{
    const auto run = RunWithSamples({{0, 0, 0, 0, 0}, {0.001, 3, 0, 2, 0}});
    const QStringList lines = SummaryOf(*run, RatedDrive());
    EXPECT_EQ(ValueAfter(lines, Label::SpeedMaximum), u"1.00");
    EXPECT_EQ(ValueAfter(lines, Label::SpeedMinimum), u"0.00");
    EXPECT_EQ(ValueAfter(lines, Label::SpeedFinal), u"0.00");
}

TEST(Summary, FactorsWithoutARatingAreLeftOut)
{
    ModelParams noMotorPower = RatedDrive();
    noMotorPower.P = 0;
    const QStringList withoutPower = SummaryOf(*TorqueRun(), noMotorPower);
    EXPECT_FALSE(ValueAfter(withoutPower, Label::MotorPowerFactor));
    EXPECT_FALSE(ValueAfter(withoutPower, Label::MotorTorqueFactor));
    EXPECT_EQ(ValueAfter(withoutPower, Label::MotorCurrentFactor), u"0.83");

    ModelParams noRatedCurrent = RatedDrive();
    noRatedCurrent.I = 0;
    const QStringList withoutCurrent = SummaryOf(*TorqueRun(), noRatedCurrent);
    EXPECT_FALSE(ValueAfter(withoutCurrent, Label::MotorCurrentFactor));
    EXPECT_EQ(ValueAfter(withoutCurrent, Label::MotorPowerFactor), u"0.50");

    ModelParams noGearRatio = RatedDrive();
    noGearRatio.ii = 0;
    const QStringList withoutRatio = SummaryOf(*TorqueRun(), noGearRatio);
    EXPECT_FALSE(ValueAfter(withoutRatio, Label::MotorPowerFactor));
    EXPECT_FALSE(ValueAfter(withoutRatio, Label::ConverterPowerFactor));
    EXPECT_FALSE(ValueAfter(withoutRatio, Label::GearTorqueFactor));
    EXPECT_EQ(ValueAfter(withoutRatio, Label::GearPowerFactor), u"0.00");

    ModelParams unrated;
    unrated.TorqueControl = true;
    EXPECT_EQ(SummaryOf(*TorqueRun(), unrated).back(), u"Коэффициент использования");
}

// A rating typed far too small gives no factor of inf or 1E+300, but says why it is missing.
TEST(Summary, FactorsOfATinyRatingAreLeftOutWithTheReason)
{
    ModelParams tiny = RatedDrive();
    tiny.P = 1e-300;
    tiny.Mi = 1e-300;
    const QStringList lines = SummaryOf(*TorqueRun(), tiny);
    EXPECT_FALSE(ValueAfter(lines, Label::MotorPowerFactor));
    EXPECT_FALSE(ValueAfter(lines, Label::MotorTorqueFactor));
    EXPECT_FALSE(ValueAfter(lines, Label::GearTorqueFactor));
    EXPECT_EQ(ValueAfter(lines, Label::MotorCurrentFactor), u"0.83");
    EXPECT_EQ(lines.back(), Label::RatingTooSmall);
    EXPECT_FALSE(SummaryFiguresOf(ChartRangesOfRun(*TorqueRun(), tiny, {}),
                                  FinalValuesOf(*TorqueRun()), tiny, -220)
                     .motorTorque);
}

// Ordinary ratings give their factors however far a run drove the drive beyond them: a run that
// ran away is no reason to blame the ratings.
TEST(Summary, OrdinaryRatingsGiveTheirFactorsWhateverTheRunCameTo)
{
    const auto runaway = RunWithSamples({{0, 0, 0, 0, 0}, {0.001, 5e8, 1e4, 1.2e11, 0}});
    const QStringList lines = SummaryOf(*runaway, RatedDrive());
    EXPECT_EQ(ValueAfter(lines, Label::MotorCurrentFactor), u"4E+09");
    EXPECT_NE(lines.back(), Label::RatingTooSmall);
}

// An induction motor's recorded current is the phase current's amplitude: it is held against
// the rated amplitude, sqrt(2) * I. A DC motor's current is held against I itself.
TEST(Summary, CurrentFactorHoldsTheRecordedCurrentAgainstItsOwnMeasureOfTheRating)
{
    for (const auto& [motorKind, factor] : {std::pair{1, u"0.83"}, std::pair{0, u"0.59"}}) {
        ModelParams params = RatedDrive();
        params.MotorKind = motorKind;
        EXPECT_EQ(ValueAfter(SummaryOf(*TorqueRun(), params), Label::MotorCurrentFactor), factor)
            << "motor kind " << motorKind;
    }
}

TEST(Summary, RunsDrawnOverEachOtherShareTheirExtremes)
{
    const ModelParams params = RatedDrive();
    const auto second = RunWithSamples({{0, 0, 0, 0, 0}, {1.5, -30, -2, 10, 0}, {3, 5, 4, 9, 0}});
    ChartRanges ranges = ChartRangesOfRun(*TorqueRun(), params, {});
    ranges.mergeLater(ChartRangesOfRun(*second, params, {}));

    const QStringList lines = SummaryLines(
        SummaryFiguresOf(ranges, FinalValuesOf(*second), params, 0), params.TorqueControl, u',');
    EXPECT_EQ(ValueAfter(lines, Label::TimeMaximum), u"3,00");
    EXPECT_EQ(ValueAfter(lines, Label::SpeedMaximum), u"12,35");
    EXPECT_EQ(ValueAfter(lines, Label::SpeedMinimum), u"-2,00");
    EXPECT_EQ(ValueAfter(lines, Label::SpeedFinal), u"4,00");
    EXPECT_EQ(ValueAfter(lines, Label::LoopMaximum), u"50,00");
    EXPECT_EQ(ValueAfter(lines, Label::LoopMinimum), u"-30,00");
    EXPECT_EQ(ValueAfter(lines, Label::LoopFinal), u"5,00");
}

// English names narrower and wider than the designed Russian ones, without their blanks, as a
// translation may give them.
class EnglishNames final : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* source, const char*, int) const override
    {
        static const std::map<QString, QString> names{
            {QStringLiteral(" максимальное           "), QStringLiteral(" maximum")},
            {QStringLiteral(" минимальный              "), QStringLiteral(" minimum")},
            {QStringLiteral(" двигателя по мощности P "),
             QStringLiteral(" motor utilisation by its power P")},
            {QStringLiteral(" преобразователя по P            "), QStringLiteral(" converter, P")},
            {QStringLiteral(" перерегулирование, %"), QStringLiteral(" overshoot, %")},
            {QStringLiteral(" статическая ошибка, %1"),
             QStringLiteral(" error left at the end of the run, %1")},
        };
        const auto name = names.find(QString::fromUtf8(source));
        return name != names.end() ? name->second : QString();
    }
};

// The columns where the lines that end in a number, after a name and a blank, end.
std::set<qsizetype> NumberEnds(const QStringList& lines)
{
    static const QRegularExpression valued(QStringLiteral("\\S +-?[0-9]+[.,][0-9]+$"));
    std::set<qsizetype> ends;
    for (const QString& line : lines)
        if (valued.match(line).hasMatch())
            ends.insert(line.size());
    return ends;
}

// The analysis page pads each name by its translated width, so its numbers stand in one column
// in the designed language and in a translation whose names are narrower or wider.
TEST(AnalysisPage, NumbersStandInOneColumnInEitherLanguage)
{
    int argc = 1;
    char name[] = "results_tests";
    char* argv[] = {name};
    QCoreApplication application(argc, argv);
    EnglishNames english;
    const auto run = TorqueRun();
    const ModelParams params = RatedDrive();
    const SummaryFigures figures = SummaryFiguresOf(
        ChartRangesOfRun(*run, params, {}), FinalValuesOf(*run), params, run->supplyVoltage);
    // A current loop that ends short of its reference, so the step figures have their error.
    const auto loop = RunWithSamples({{0, 0, 0, 0, 0}, {1, 2, 3, 4, 0}, {2, 2, 3, 4, 0}});
    loop->controllerActive = true;
    loop->loopI = true;
    ModelParams loopParams;
    loopParams.Iref = 10;
    const StepResponse response = StepResponseOf(*loop, loopParams);
    for (const bool translated : {false, true}) {
        if (translated) {
            ASSERT_TRUE(QCoreApplication::installTranslator(&english));
        }
        const QStringList summary = SummaryColumn(figures, true, u'.').aligned(FigureNameWidth);
        EXPECT_EQ(summary.contains(QStringLiteral(" motor utilisation by its power P  0.50")),
                  translated);
        const QStringList steps = StepResponseColumn(response, u'.').aligned(FigureNameWidth);
        for (const QStringList& lines : {summary, steps})
            EXPECT_EQ(NumberEnds(lines).size(), 1) << lines.join(u'|').toStdString();
    }
    QCoreApplication::removeTranslator(&english);
}

} // namespace
} // namespace kinetra
