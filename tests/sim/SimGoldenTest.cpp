#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include "editor/ControllerTuning.h"
#include "editor/MessageSink.h"
#include "editor/ModelSession.h"
#include "text/SystemReason.h"

// Golden runs of kinetra-sim on the example models: the summary, the parameters as the run left
// them and every 50th sample are compared with stored outputs, under a comma and under a point as
// decimal separator. Numbers agree within a relative 1e-9 (the summary's two decimals within
// 0.01), so a change of the engine's arithmetic order shows up, but not the last bit of a libm.
// Set KINETRA_UPDATE_GOLDEN=1 to rewrite the stored outputs after an intended change.

namespace {

const QString SimProgram = QStringLiteral(KINETRA_SIM_PROGRAM);
const QString ExamplesFolder = QStringLiteral(KINETRA_EXAMPLES_FOLDER);
const QString GoldenFolder = QStringLiteral(KINETRA_GOLDEN_FOLDER);
// Whether the build has kinetra-sim-drawing, which draws the PDF and HTML reports.
constexpr bool ReportsDraw = KINETRA_REPORTS_DRAW;

struct SimOutput {
    int exitCode = -1;
    QString out;
    QString err;
};

// fileSizeLimit, when given, caps the files the program may write, as a full disk would;
// standardOutput and standardError, when given, are where the program's streams go instead.
SimOutput runSim(const QStringList& arguments, rlim_t fileSizeLimit = RLIM_INFINITY,
                 const QString& standardOutput = {}, const QString& standardError = {},
                 const QString& program = SimProgram)
{
    QProcess process;
    if (!standardOutput.isEmpty())
        process.setStandardOutputFile(standardOutput);
    if (!standardError.isEmpty())
        process.setStandardErrorFile(standardError);
    process.setChildProcessModifier([fileSizeLimit] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{fileSizeLimit, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start(program, arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeText(const QString& path, const QString& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

// Every 50th line of a samples CSV, header included.
QString thinned(const QString& csv)
{
    const QStringList lines = csv.split(u'\n', Qt::SkipEmptyParts);
    QStringList kept;
    for (qsizetype i = 0; i < lines.size(); i += 50)
        kept.append(lines.at(i));
    kept.append(lines.last());
    return kept.join(u'\n') + u'\n';
}

// Compares two texts token by token: words must be equal, numbers (with a point as separator)
// equal within the tolerance.
void expectSameNumbers(const QString& actual, const QString& expected, double absolute,
                       const QString& what)
{
    static const QRegularExpression tokenSplit(QStringLiteral("[\\s,=]+"));
    const QStringList a = actual.split(tokenSplit, Qt::SkipEmptyParts);
    const QStringList e = expected.split(tokenSplit, Qt::SkipEmptyParts);
    ASSERT_EQ(a.size(), e.size()) << qPrintable(what) << "\n" << qPrintable(actual);
    for (qsizetype i = 0; i < a.size(); ++i) {
        bool aNumber = false;
        bool eNumber = false;
        const double x = a.at(i).toDouble(&aNumber);
        const double y = e.at(i).toDouble(&eNumber);
        if (aNumber && eNumber) {
            const double tolerance = std::max(absolute, 1e-9 * std::max(std::abs(x), std::abs(y)));
            EXPECT_NEAR(x, y, tolerance) << qPrintable(what) << " token " << i;
        } else {
            EXPECT_EQ(a.at(i), e.at(i)) << qPrintable(what) << " token " << i;
        }
    }
}

class SimGoldenTest : public ::testing::TestWithParam<const char*> {
protected:
    QString example() const { return QString::fromLatin1(GetParam()); }
    QString examplePath() const
    {
        return ExamplesFolder + u'/' + example() + QStringLiteral(".kmf");
    }
    QString goldenPath(const char* suffix) const
    {
        return GoldenFolder + u'/' + example() + QLatin1String(suffix);
    }

    // Runs the example with the given separator; the model file is rewritten with that separator.
    void check(QChar separator)
    {
        QTemporaryDir folder;
        QString modelPath = examplePath();
        if (separator != u',') {
            QFile source(examplePath());
            ASSERT_TRUE(source.open(QIODevice::ReadOnly));
            QByteArray bytes = source.readAll();
            bytes.replace(',', separator.toLatin1());
            modelPath = folder.filePath(QStringLiteral("model.kmf"));
            QFile copy(modelPath);
            ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
            copy.write(bytes);
        }
        const QString samplesPath = folder.filePath(QStringLiteral("samples.csv"));
        const SimOutput run = runSim({QStringLiteral("--decimal-separator"), QString(separator),
                                      QStringLiteral("--params-after"), QStringLiteral("--samples"),
                                      samplesPath, modelPath});
        ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
        EXPECT_TRUE(run.err.isEmpty()) << qPrintable(run.err);

        const qsizetype paramsStart = run.out.indexOf(QStringLiteral("\nR1=")) + 1;
        ASSERT_GT(paramsStart, 0);
        QString summary = run.out.left(paramsStart);
        const QString params = run.out.mid(paramsStart);
        // Numbers in the summary are compared with a point; the labels keep their commas.
        summary.replace(QRegularExpression(QStringLiteral("(\\d)[%1](\\d)").arg(separator)),
                        QStringLiteral("\\1.\\2"));
        const QString samples = thinned(readText(samplesPath));

        if (qEnvironmentVariableIntValue("KINETRA_UPDATE_GOLDEN") == 1) {
            writeText(goldenPath(".summary.txt"), summary);
            writeText(goldenPath(".params.txt"), params);
            writeText(goldenPath(".samples.csv"), samples);
            return;
        }
        expectSameNumbers(summary, readText(goldenPath(".summary.txt")), 0.0101,
                          QStringLiteral("summary"));
        expectSameNumbers(params, readText(goldenPath(".params.txt")), 1e-12,
                          QStringLiteral("params"));
        expectSameNumbers(samples, readText(goldenPath(".samples.csv")), 1e-9,
                          QStringLiteral("samples"));
    }
};

TEST_P(SimGoldenTest, CommaSeparator)
{
    check(u',');
}

TEST_P(SimGoldenTest, PointSeparator)
{
    check(u'.');
}

INSTANTIATE_TEST_SUITE_P(Examples, SimGoldenTest,
                         ::testing::Values("dc-mains-start", "dc-thyristor-speed-current",
                                           "dc-transistor-speed", "dc-positioning-ballscrew",
                                           "induction-direct-on-line", "induction-elastic-hoist",
                                           "induction-speed-control", "servo-positioning"),
                         [](const auto& info) {
                             QString name = QString::fromLatin1(info.param);
                             return name.remove(u'-').toStdString();
                         });

// A comma file under a point is read all the same, and standard error says so once; the
// figures end with the converter's, the loops' margins and the warnings of the analysis page.
TEST(SimMetrics, ReadTheOtherSeparatorAndEndWithConverterFiguresMarginsAndWarnings)
{
    const SimOutput run = runSim({QStringLiteral("--decimal-separator"), QStringLiteral("."),
                                  QStringLiteral("--metrics"),
                                  ExamplesFolder + QStringLiteral("/servo-positioning.kmf")});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_EQ(run.err.count(u'\n'), 1) << qPrintable(run.err);
    EXPECT_TRUE(run.err.contains(QStringLiteral("\",\""))) << qPrintable(run.err);
    EXPECT_TRUE(run.out.contains(QStringLiteral("\nconverterPeakCurrentToRated=2.71")))
        << qPrintable(run.out);
    const QRegularExpressionMatch balance =
        QRegularExpression(QStringLiteral("\nenergyBalanceError=(\\S+)\n")).match(run.out);
    ASSERT_TRUE(balance.hasMatch()) << qPrintable(run.out);
    EXPECT_LT(balance.captured(1).toDouble(), 1e-4);
    EXPECT_TRUE(run.out.contains(QStringLiteral("\nrmsCurrentToRated=0.375")))
        << qPrintable(run.out);
    const QRegularExpressionMatch end =
        QRegularExpression(QStringLiteral("\nphaseMarginI=59.\\d+\ncrossoverI=\\S+\n"
                                          "phaseMarginW=66.\\d+\ncrossoverW=\\S+\n"
                                          "phaseMarginF=83.\\d+\ncrossoverF=66.\\d+\n"
                                          "warning=converterRatingExceeded\n$"))
            .match(run.out);
    EXPECT_TRUE(end.hasMatch()) << qPrintable(run.out);
}

// --tune prints the tuned keys as model lines and writes the tuned model in Windows-1251 with
// CR LF; the written model tunes to itself, and its loops' responses go to a CSV.
TEST(SimTuning, WritesATunedModelThatTunesToItself)
{
    QTemporaryDir folder;
    const QString tuned = folder.filePath(QStringLiteral("tuned.kmf"));
    const QString responses = folder.filePath(QStringLiteral("loops.csv"));
    const QStringList comma{QStringLiteral("--decimal-separator"), QStringLiteral(",")};
    const SimOutput first =
        runSim(comma + QStringList{QStringLiteral("--tune"), QStringLiteral("--write"), tuned,
                                   ExamplesFolder + QStringLiteral("/servo-positioning.kmf")});
    ASSERT_EQ(first.exitCode, 0) << qPrintable(first.err);
    EXPECT_TRUE(first.out.startsWith(QStringLiteral("KpI="))) << qPrintable(first.out);
    EXPECT_TRUE(first.out.contains(QStringLiteral("\nKpf="))) << qPrintable(first.out);
    EXPECT_TRUE(first.out.contains(QStringLiteral("запас по фазе"))) << qPrintable(first.out);
    QFile file(tuned);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(
        bytes.contains("\r\nMotor=HG-KR43 0,4 \xea\xc2\xf2 3000 \xee\xe1/\xec\xe8\xed\r\n"));

    const SimOutput again =
        runSim(comma + QStringList{QStringLiteral("--tune"), QStringLiteral("--loop-response"),
                                   responses, tuned});
    ASSERT_EQ(again.exitCode, 0) << qPrintable(again.err);
    EXPECT_EQ(again.out, first.out);
    EXPECT_TRUE(readText(responses).startsWith(
        QStringLiteral("omega,magnitudeI,phaseI,magnitudeW,phaseW,magnitudeF,phaseF\n")));
}

// The window's "Настроить" and --tune --write tune a hand-tuned drive to the same model, so
// both give the same run.
TEST(SimTuning, WritesTheModelTheWindowsTuningGives)
{
    QTemporaryDir folder;
    QFile example(ExamplesFolder + QStringLiteral("/dc-thyristor-speed-current.kmf"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    QByteArray text = example.readAll();
    for (const auto& [tunedLine, handLine] :
         {std::pair{"\r\nKpw=52,96\r\n", "\r\nKpw=60\r\n"},
          std::pair{"\r\nKpI=0,1016\r\n", "\r\nKpI=0,15\r\n"}}) {
        ASSERT_TRUE(text.contains(tunedLine)) << tunedLine;
        text.replace(tunedLine, handLine);
    }
    const QString handTuned = folder.filePath(QStringLiteral("hand.kmf"));
    const QString tuned = folder.filePath(QStringLiteral("tuned.kmf"));
    QFile file(handTuned);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    const SimOutput sim =
        runSim({QStringLiteral("--decimal-separator"), QStringLiteral(","),
                QStringLiteral("--tune"), QStringLiteral("--write"), tuned, handTuned});
    ASSERT_EQ(sim.exitCode, 0) << qPrintable(sim.err);

    struct : kinetra::MessageSink {
        void showMessage(const QString&) override {}
    } messages;
    const auto collected = [&messages](const QString& path, bool tuneInTheWindow) {
        kinetra::ModelSession session(u',', messages);
        EXPECT_TRUE(session.LoadModelFile(path).ok) << qPrintable(path);
        if (tuneInTheWindow)
            EXPECT_TRUE(kinetra::ControllerTuning(session, messages).Tune());
        EXPECT_TRUE(session.CollectModel());
        return session.modelText();
    };
    const kinetra::KeyValueText byTheWindow = collected(handTuned, true);
    EXPECT_NE(byTheWindow, collected(handTuned, false));
    EXPECT_EQ(byTheWindow, collected(tuned, false));
}

// A run that leaves its drive's reach is no result: the program prints none, says where and why
// the run ended, and exits with 1.
TEST(SimRunaway, EndsWithTheReasonAndStatusOne)
{
    QTemporaryDir folder;
    QFile example(ExamplesFolder + QStringLiteral("/dc-transistor-speed.kmf"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    QByteArray text = example.readAll();
    ASSERT_TRUE(text.contains("\r\nR2=0,5\r\n"));
    text.replace("\r\nR2=0,5\r\n", "\r\nR2=20\r\n");
    const QString model = folder.filePath(QStringLiteral("runaway.kmf"));
    QFile file(model);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    const SimOutput run =
        runSim({QStringLiteral("--decimal-separator"), QStringLiteral(","), model});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty()) << qPrintable(run.out);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("Расчёт прерван при t = 0,")))
        << qPrintable(run.err);
}

// The report's page of the servomotor example: its equipment with the pole pairs, the
// controllers and the analysis of the run, as the text export writes them.
TEST(SimReport, ServoExamplePageNamesItsEquipmentAndAnalysis)
{
    QTemporaryDir folder;
    const QString page = folder.filePath(QStringLiteral("report.txt"));
    const SimOutput run = runSim({QStringLiteral("--decimal-separator"), QStringLiteral(","),
                                  QStringLiteral("--report"), page,
                                  ExamplesFolder + QStringLiteral("/servo-positioning.kmf")});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QStringDecoder("windows-1251").decode(file.readAll());
    for (const char* expected :
         {"Двигатель HG-KR43", "R1, Ом", "L1, Гн", "p1", "U0, В", "Редуктор ВПТ-25х10", "Kpf",
          "Коэффициент использования", "двигателя по току I"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                << qPrintable(text);
    static const QRegularExpression polePairs(QStringLiteral("p1 +4\\b"));
    EXPECT_TRUE(text.contains(polePairs)) << qPrintable(text);
}

// Every writer names the system's reason, the report's PDF and HTML as the samples' CSV.
TEST(SimFaults, FilesOntoAFullDiskFailWithoutAFileAndSayWhy)
{
    const QString reason = kinetra::SystemReason(EFBIG);
    for (const auto& [option, name] : {std::pair{"--samples", "samples.csv"},
                                       {"--report", "report.pdf"},
                                       {"--report", "report.html"},
                                       {"--report", "report.txt"}}) {
        const QLatin1String file(name);
        if (!ReportsDraw &&
            (file.endsWith(QLatin1String(".pdf")) || file.endsWith(QLatin1String(".html"))))
            continue;
        QTemporaryDir folder;
        const QString path = folder.filePath(QLatin1String(name));
        const SimOutput run = runSim({QStringLiteral("--decimal-separator"), QStringLiteral(","),
                                      QLatin1String(option), path,
                                      ExamplesFolder + QStringLiteral("/dc-mains-start.kmf")},
                                     512);
        EXPECT_EQ(run.exitCode, 2) << name;
        EXPECT_TRUE(run.err.contains(
            QStringLiteral("Не сохранить файл %1\n%2").arg(QLatin1String(name), reason)))
            << qPrintable(run.err);
        EXPECT_FALSE(QFile::exists(path)) << name;
    }
}

// A column longer than the page is cut where all can see it, and the command line says so.
TEST(SimReport, ColumnTooLongForThePageIsMarkedAndWarned)
{
    if (!ReportsDraw)
        GTEST_SKIP() << "this build draws no report";
    QTemporaryDir folder;
    QFile example(ExamplesFolder + QStringLiteral("/dc-mains-start.kmf"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    QByteArray model = example.readAll();
    const qsizetype name = model.indexOf("Motor=") + 6;
    model.insert(name, QByteArray("\xcf\xc1\xc2 ").repeated(3000)); // "ПБВ " in Windows-1251
    const QString path = folder.filePath(QStringLiteral("long.kmf"));
    QFile longModel(path);
    ASSERT_TRUE(longModel.open(QIODevice::WriteOnly));
    longModel.write(model);
    longModel.close();

    const QString report = folder.filePath(QStringLiteral("long.pdf"));
    const SimOutput run = runSim({QStringLiteral("--decimal-separator"), QStringLiteral(","),
                                  QStringLiteral("--report"), report, path});
    EXPECT_EQ(run.exitCode, 0) << qPrintable(run.err);
    EXPECT_TRUE(run.err.contains(QStringLiteral("warning: the equipment column does not fit")))
        << qPrintable(run.err);
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {report, QStringLiteral("-")});
    if (!reader.waitForFinished())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Двигатель ПБВ ПБВ")));
    EXPECT_TRUE(text.contains(QStringLiteral("…")));
}

// Without the drawing program beside it (the command-line package alone, a build without the
// desktop), kinetra-sim refuses a report that draws before any run, and says what would draw it;
// the text exports need no drawing.
TEST(SimReport, AReportThatDrawsNeedsTheDrawingProgram)
{
    QTemporaryDir folder;
    const QString alone = folder.filePath(QStringLiteral("kinetra-sim"));
    ASSERT_TRUE(QFile::copy(SimProgram, alone));
    const QString model = ExamplesFolder + QStringLiteral("/dc-mains-start.kmf");
    for (const char* name : {"report.pdf", "report.html", "report.csv"}) {
        const QString report = folder.filePath(QLatin1String(name));
        const SimOutput run = runSim({QStringLiteral("--decimal-separator"), QStringLiteral(","),
                                      QStringLiteral("--report"), report, model},
                                     RLIM_INFINITY, {}, {}, alone);
        const bool draws = !QLatin1String(name).endsWith(QLatin1String("csv"));
        EXPECT_EQ(run.exitCode, draws ? 2 : 0) << name;
        EXPECT_EQ(run.out.isEmpty(), draws) << name;
        EXPECT_EQ(run.err.contains(QStringLiteral("install the desktop program's package")), draws)
            << qPrintable(run.err);
        EXPECT_EQ(QFile::exists(report), !draws) << name;
    }
}

// The columns of a sweep's and a study's tables and of a study's summary are what scripts read
// them by: their headers are stored with their rows, numbers within a relative 1e-9.
TEST(SimTables, SweepAndStudyKeepTheirColumns)
{
    QTemporaryDir folder;
    const QString summary = folder.filePath(QStringLiteral("summary.csv"));
    const QStringList common{QStringLiteral("--decimal-separator"), QStringLiteral(","),
                             ExamplesFolder + QStringLiteral("/dc-thyristor-speed-current.kmf")};
    // The grid's second variant cannot derive its motor's circuit.
    const SimOutput sweep = runSim(
        common + QStringList{QStringLiteral("--set"), QStringLiteral("I=58;1047.6190476190476"),
                             QStringLiteral("--set"), QStringLiteral("Kpw=40;320")});
    const SimOutput study =
        runSim(common + QStringList{QStringLiteral("--vary"), QStringLiteral("J=0.35±20%"),
                                    QStringLiteral("--vary"), QStringLiteral("Kpw=60~3"),
                                    QStringLiteral("--samples"), QStringLiteral("3"),
                                    QStringLiteral("--seed"), QStringLiteral("2026"),
                                    QStringLiteral("--summary"), summary});
    EXPECT_EQ(sweep.exitCode, 1);
    EXPECT_EQ(study.exitCode, 0);
    for (const auto& [text, name] : {std::pair{sweep.out, "sweep.csv"},
                                     {study.out, "study.csv"},
                                     {readText(summary), "study-summary.csv"}}) {
        const QString golden = GoldenFolder + QStringLiteral("/tables/") + QLatin1String(name);
        if (qEnvironmentVariableIntValue("KINETRA_UPDATE_GOLDEN") == 1) {
            writeText(golden, text);
            continue;
        }
        const QString expected = readText(golden);
        EXPECT_EQ(text.section(u'\n', 0, 0), expected.section(u'\n', 0, 0)) << name;
        expectSameNumbers(text, expected, 0, QLatin1String(name));
    }
}

TEST(SimFaults, FileWithoutAModelIsAUsageError)
{
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("chart.png"));
    writeText(picture, QStringLiteral("\u0089PNG\r\n"));
    const SimOutput run = runSim({picture});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("Не открыть файл chart.png\n")))
        << qPrintable(run.err);
}

// Every kind of printed output onto a device that refuses all bytes ends with status 4, never
// with success nor with a status a failed variant gives.
TEST(SimFaults, StandardOutputOntoAFullDeviceFails)
{
    const QString model = ExamplesFolder + QStringLiteral("/dc-mains-start.kmf");
    for (const QStringList& asked :
         {QStringList{}, QStringList{QStringLiteral("--table")},
          QStringList{QStringLiteral("--metrics")}, QStringList{QStringLiteral("--model-text")},
          QStringList{QStringLiteral("--params-after")},
          QStringList{QStringLiteral("--set"), QStringLiteral("Tmax=0.1;0.2")},
          QStringList{QStringLiteral("--help")}}) {
        const SimOutput run = runSim(
            asked + QStringList{QStringLiteral("--decimal-separator"), QStringLiteral(","), model},
            RLIM_INFINITY, QStringLiteral("/dev/full"));
        EXPECT_EQ(run.exitCode, 4) << qPrintable(asked.join(u' '));
        EXPECT_TRUE(
            run.err.endsWith(QStringLiteral("Не записать стандартный вывод\nНет места на диске\n")))
            << qPrintable(run.err);
    }
}

// A study's closing summary and a usage error's reason live on standard error: when it takes
// none of them, the status says so (5) instead of success or the usage error.
TEST(SimFaults, StandardErrorOntoAFullDeviceFails)
{
    const QString model = ExamplesFolder + QStringLiteral("/dc-mains-start.kmf");
    for (const QStringList& asked :
         {QStringList{QStringLiteral("--vary"), QStringLiteral("Kpw=80±20%"),
                      QStringLiteral("--samples"), QStringLiteral("20")},
          QStringList{QStringLiteral("--bogus")}}) {
        const SimOutput run = runSim(
            asked + QStringList{QStringLiteral("--decimal-separator"), QStringLiteral(","), model},
            RLIM_INFINITY, {}, QStringLiteral("/dev/full"));
        EXPECT_EQ(run.exitCode, 5) << qPrintable(asked.join(u' '));
    }
}

// A Tmax beyond the 10 s the results hold is cut short, and said so; a file that is no model
// file, a pipe or an endless device is refused before it is read.
TEST(SimFaults, LongTmaxIsCappedAloudAndNonFilesAreRefused)
{
    QTemporaryDir folder;
    QFile example(ExamplesFolder + QStringLiteral("/dc-mains-start.kmf"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    const QString longRun = folder.filePath(QStringLiteral("long.kmf"));
    QFile longFile(longRun);
    ASSERT_TRUE(longFile.open(QIODevice::WriteOnly));
    longFile.write(example.readAll().replace("Tmax=0,5", "Tmax=12"));
    longFile.close();
    const SimOutput run =
        runSim({QStringLiteral("--decimal-separator"), QStringLiteral(","), longRun});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, QStringLiteral("Tmax больше 10 с: моделируются первые 10 с\n"));

    const QString pipe = folder.filePath(QStringLiteral("pipe.kmf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString& notAFile : {pipe, QStringLiteral("/dev/zero")}) {
        const SimOutput refused = runSim({notAFile});
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_TRUE(refused.err.endsWith(QStringLiteral("\nЭто не обычный файл\n")))
            << qPrintable(refused.err);
    }
}

// No workbench input is silently misread: an unreadable number is a usage error naming the
// option and the text, a stage that cannot compute as typed exits 3 with the window's notice
// (and still writes the signal built so far), and --signal passes the workbench's guard.
TEST(SimFaults, WorkbenchInputIsNeverSilentlyMisread)
{
    QTemporaryDir folder;
    const QString huge = folder.filePath(QStringLiteral("huge.txt"));
    writeText(huge, QStringLiteral("0\n1e300\n"));
    const QString signalOut = folder.filePath(QStringLiteral("signal.csv"));
    const auto wave = [](const char* kind, const char* periods) {
        return QStringList{QStringLiteral("--signal-wave"), QString::fromLatin1(kind),
                           QStringLiteral("--signal-periods"), QString::fromUtf8(periods)};
    };
    const QStringList lowPassTyped{QStringLiteral("--filter"), QStringLiteral("4"),
                                   QStringLiteral("--coefficients")};
    const struct {
        QStringList arguments;
        int exitCode;
        const char* message;
    } cases[]{
        {wave("6", "2.5"), 2,
         "--signal-periods: \"2.5\" is not a number with the decimal separator \",\"."},
        {wave("6", "2") + lowPassTyped + QStringList{QStringLiteral("0;0;1;0.001;-1;1")}, 2,
         "--coefficients: \"0.001\" is not a number with the decimal separator \",\"."},
        {wave("6", "2") + QStringList{QStringLiteral("--channel"), QStringLiteral("1"),
                                      QStringLiteral("--channel-ms"), QStringLiteral("x")},
         2, "--channel-ms: \"x\" is not a number"},
        {wave("6", "2") + lowPassTyped + QStringList{QStringLiteral("0;0;1;0,001;-1;1")}, 3,
         "Выход звена больше 1E9 по модулю"},
        {wave("1", "1000"), 3, "Периодичность 1000 велика для прогона"},
        {{QStringLiteral("--signal"), huge}, 2, "huge.txt: строка 2: \"1e300\" больше 1E9"},
    };
    for (const auto& c : cases) {
        QFile::remove(signalOut);
        const bool shaped = c.arguments.first() == u"--signal-wave";
        QStringList arguments{QStringLiteral("--decimal-separator"), QStringLiteral(",")};
        arguments << c.arguments;
        if (shaped)
            arguments << QStringLiteral("--signal-out") << signalOut;
        arguments << ExamplesFolder + QStringLiteral("/induction-speed-control.kmf");
        const SimOutput run = runSim(arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << qPrintable(arguments.join(u' '));
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << qPrintable(run.err);
        EXPECT_TRUE(run.out.isEmpty()) << qPrintable(run.out);
        // The signal built so far is written when a stage could not compute it.
        EXPECT_EQ(QFile::exists(signalOut), c.exitCode == 3) << qPrintable(arguments.join(u' '));
    }
}

} // namespace
