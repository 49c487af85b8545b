#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

// Golden runs of kinetra-sim on the example models: the summary, the parameters as the run left
// them and every 50th sample are compared with stored outputs, under a comma and under a point as
// decimal separator. Numbers agree within a relative 1e-9 (the summary's two decimals within
// 0.01), so a change of the engine's arithmetic order shows up, but not the last bit of a libm.
// Set KINETRA_UPDATE_GOLDEN=1 to rewrite the stored outputs after an intended change.

namespace {

const QString SimProgram = QStringLiteral(KINETRA_SIM_PROGRAM);
const QString ExamplesFolder = QStringLiteral(KINETRA_EXAMPLES_FOLDER);
const QString GoldenFolder = QStringLiteral(KINETRA_GOLDEN_FOLDER);

struct SimOutput {
    int exitCode = -1;
    QString out;
    QString err;
};

// fileSizeLimit, when given, caps the files the program may write, as a full disk would.
SimOutput runSim(const QStringList& arguments, rlim_t fileSizeLimit = RLIM_INFINITY)
{
    QProcess process;
    process.setChildProcessModifier([fileSizeLimit] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{fileSizeLimit, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start(SimProgram, arguments);
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
                                           "induction-speed-control"),
                         [](const auto& info) {
                             QString name = QString::fromLatin1(info.param);
                             return name.remove(u'-').toStdString();
                         });

// Every writer names the system's reason, the report's PDF and HTML as the samples' CSV.
TEST(SimFaults, FilesOntoAFullDiskFailWithoutAFileAndSayWhy)
{
    const QString reason = QString::fromLocal8Bit(std::strerror(EFBIG));
    for (const auto& [option, name] : {std::pair{"--samples", "samples.csv"},
                                       {"--report", "report.pdf"},
                                       {"--report", "report.html"},
                                       {"--report", "report.txt"}}) {
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

} // namespace
