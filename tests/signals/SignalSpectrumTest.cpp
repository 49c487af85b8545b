#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "SignalFile.h"
#include "SignalSpectrum.h"
#include "SignalTestSupport.h"
#include "WorkbenchSpectra.h"

namespace kinetra {
namespace {

TEST(Spectrum, SineOfKnownPeriodPeaksInItsBinWithItsAmplitude)
{
    SpectrumAnalyser analyser;
    for (const auto& [n, periods, amplitude] :
         {std::tuple{1000, 5, 1.0}, std::tuple{10000, 37, 2.5}, std::tuple{2499, 100, 0.3}}) {
        std::vector<double> samples(static_cast<std::size_t>(n));
        for (int k = 0; k < n; ++k)
            samples[std::size_t(k)] =
                0.5 + amplitude * std::sin(2 * std::numbers::pi * periods * k / n);
        const std::vector<double> spectrum = analyser.amplitudes(samples);
        ASSERT_EQ(spectrum.size(), std::size_t(n / 2 + 1));
        const auto peak = std::max_element(spectrum.begin() + 1, spectrum.end());
        EXPECT_EQ(peak - spectrum.begin(), periods) << n;
        EXPECT_NEAR(*peak, amplitude, 1e-9) << n;
        EXPECT_NEAR(spectrum[0], 0.5, 1e-9) << "the constant in bin 0";
        EXPECT_DOUBLE_EQ(BinFrequency(periods, n), periods * 1000.0 / n);
    }
}

// K/(T4 p + K2) with the time constants in units of the run: the corner lies at K2 / T4 per run,
// that is K2 / (2 pi T4 N ms) Hz of model time.
TEST(Spectrum, LowPassResponseIsThreeDecibelsDownAtItsCorner)
{
    for (const auto& [n, t4] :
         {std::pair{1000, 0.1}, std::pair{2499, 0.02}, std::pair{10000, 0.5}}) {
        const DifferenceEquation lowPass = DifferenceEquationOf({.K1 = 1, .T4 = t4, .K2 = 1}, n);
        const double corner = 1 / (2 * std::numbers::pi * t4 * n / SampleRateHz);
        EXPECT_NEAR(std::abs(FrequencyResponse(lowPass, 0)), 1.0, 1e-9);
        const double halfPower = std::sqrt(0.5); // -3 dB
        EXPECT_NEAR(std::abs(FrequencyResponse(lowPass, corner)), halfPower, 0.01 * halfPower) << n;
        const ResponseCurve curve = ResponseOver(lowPass, 1, 500, 50);
        ASSERT_EQ(curve.frequencies.size(), 50u);
        EXPECT_DOUBLE_EQ(curve.frequencies.back(), 500);
        EXPECT_LT(curve.phaseDegrees.back(), -80) << "a first-order lag tends to -90°";
    }
    // The element the stage passes unchanged, and one it cannot compute.
    EXPECT_EQ(FrequencyResponse(DifferenceEquationOf({}, 1000), 50), 1.0);
    EXPECT_EQ(FrequencyResponse(DifferenceEquationOf({.T3 = 1, .T4 = -1000}, 1000), 50), 0.0);
}

// The readout under the mouse gives the response of the element the workbench has chosen.
TEST(Spectrum, ReadoutGivesTheChosenElementsResponse)
{
    test::WorkbenchFixture fixture;
    fixture.workbench.chooseListItem(SignalList::SignalComboBox1, 6);
    fixture.workbench.chooseListItem(SignalList::SignalComboBox3, 0);
    fixture.workbench.setText(SignalField::sEditK1, QStringLiteral("10"));
    WorkbenchSpectra spectra;
    spectra.update(fixture.workbench);
    const QString readout = SpectrumReadout(spectra, 5, u',');
    EXPECT_TRUE(readout.contains(QStringLiteral("звено 20,00 дБ"))) << qPrintable(readout);
    // Amplitudes far below one read in fixed notation, to four significant figures.
    const QString high = SpectrumReadout(spectra, 400, u',');
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^400 Гц: вход 0,0\\d*[1-9]\\d{3},"))
                    .match(high)
                    .hasMatch())
        << qPrintable(high);
}

TEST(SignalFile, ReadsOneNumberALineAndTheChartsTables)
{
    const struct {
        QStringList lines;
        std::vector<double> values;
    } cases[]{
        {{"0", "1.5", "", "-2,25"}, {0, 1.5, -2.25}},
        {{"index,input,channel,output", "0,0,0,0", "1,0.5,0,0"}, {0, 0.5}},
        {{"Время, мс;Вход;Выход", "0;0,25;9", "0,1;1,5;9"}, {0.25, 1.5}},
        {{"t;Искажение", "0;3", "1;4"}, {3, 4}},
        // The export quotes a title that holds the separator.
        {{"\"Время, мс\",Выход,Вход", "0,9,0.25"}, {0.25}},
        {{"input", "1", "2"}, {1, 2}},
    };
    for (const auto& c : cases) {
        const SignalFileRead read = ReadSignalLines(c.lines, u',');
        EXPECT_TRUE(read.error.isEmpty()) << read.error.toStdString();
        EXPECT_EQ(read.value, c.values) << c.lines.join(u'|').toStdString();
    }
}

TEST(SignalFile, RefusesWhatTheWorkbenchWouldNotHandOn)
{
    QStringList tooMany(10001, QStringLiteral("1"));
    const struct {
        QStringList lines;
        const char* error;
    } cases[]{
        {{"1", "1e300"}, "строка 2: \"1e300\" больше 1E9 по модулю"},
        {{"1", "x"}, "строка 2: \"x\" не число"},
        {{"index,input", "0,nan"}, "строка 2: \"nan\" не число"},
        // Only a header is skipped: a first line of no number and one of numbers are values.
        {{"nan", "1"}, "строка 1: \"nan\" не число"},
        {{"0;0,25;9", "1;2;3"}, "строка 1: \"0;0,25;9\" не число"},
        {{"", " "}, "в файле нет ни одного числа"},
        {tooMany, "строка 10001: \"1\" сверх 10000 чисел"},
    };
    for (const auto& c : cases) {
        const SignalFileRead read = ReadSignalLines(c.lines, u',');
        EXPECT_EQ(read.error, QString::fromUtf8(c.error));
        EXPECT_TRUE(read.value.empty());
    }
}

// A signal file is read to its end, and the chart's export, UTF-8 with its mark, gives the column
// its title names.
TEST(SignalFile, IsReadToItsEndInEitherEncoding)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("signal.csv"));
    const auto write = [&path](const QByteArray& bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QByteArray values;
    for (int i = 0; i < 500; ++i)
        values += QByteArray::number(i) + (i == 249 ? QByteArray("\r\n\0", 3) : "\r\n");
    ASSERT_TRUE(write(values));
    EXPECT_EQ(ReadSignalFile(path, u',').error,
              QStringLiteral("Нулевой байт в строке 251: файл не текстовый"));

    ASSERT_TRUE(
        write("\xEF\xBB\xBF" + QStringLiteral("Время, мс;Выход;Вход\r\n0;9;0,25\r\n").toUtf8()));
    const SignalFileRead read = ReadSignalFile(path, u'.');
    EXPECT_TRUE(read.ok) << read.error.toStdString();
    EXPECT_EQ(read.value, std::vector<double>{0.25});
}

} // namespace
} // namespace kinetra
