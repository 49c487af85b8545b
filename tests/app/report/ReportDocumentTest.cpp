#include <gtest/gtest.h>

#include <QChart>
#include <QLineSeries>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QValueAxis>

#include "../../model/text/SmallDisk.h"
#include "../shell/ScriptedPrompts.h"
#include "editor/ModelSession.h"
#include "report/ReportCharts.h"
#include "report/ReportDocument.h"
#include "results/ResultWindow.h"
#include "shell/ActionTable.h"

namespace kinetra::test {
namespace {

const QString Examples = QStringLiteral(KINETRA_EXAMPLES_FOLDER);

// The text of a PDF file as a real reader extracts it.
QString pdfText(const QString& path)
{
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    reader.waitForFinished();
    return QString::fromUtf8(reader.readAllStandardOutput());
}

// An example model run in the results window, and the report on it.
class ReportDocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.NewModel();
        ASSERT_TRUE(
            session.LoadModelFile(Examples + QStringLiteral("/induction-elastic-hoist.kmf")).ok);
        session.ModelFileName = Examples + QStringLiteral("/induction-elastic-hoist.kmf");
        results.FormActivate();
    }
    QString file(const char* name) const { return folder.filePath(QLatin1String(name)); }
    static const QLineSeries& series(const QChart& chart, const char* name)
    {
        for (QAbstractSeries* series : chart.series())
            if (series->objectName() == QLatin1String(name))
                return *static_cast<const QLineSeries*>(series);
        throw std::runtime_error(name);
    }

    ScriptedPrompts prompts;
    ModelSession session{u',', prompts};
    std::unique_ptr<RunData> run = std::make_unique<RunData>();
    std::unique_ptr<SignalSeries> signal = std::make_unique<SignalSeries>(UnitSignal());
    ActionTable actions;
    ResultWindow results{actions, session, *run, *signal, prompts};
    ReportDocument report{session, results};
    QTemporaryDir folder;
};

TEST_F(ReportDocumentTest, ChartsTakeTheResultsAndTheEditorsModes)
{
    ReportCharts charts;
    using Which = ReportCharts::Which;
    for (const bool torque : {false, true}) {
        charts.QuickRepNeedData(results.dynamicChart(), results.staticChart(), torque, !torque);
        const QChart& dynamics = charts.chart(Which::Dynamics);
        const QLineSeries& series1 = series(dynamics, "Series1");
        EXPECT_EQ(series1.name(), torque ? QStringLiteral("Момент") : QStringLiteral("Ток"));
        EXPECT_EQ(series(dynamics, "Series4").isVisible(), !torque);
        EXPECT_EQ(series1.count(), run->SampleCount);
        EXPECT_EQ(series1.pen().style(), Qt::DashDotDotLine);
        EXPECT_EQ(series1.color(), QColor(64, 0, 64));
        const auto* time = qobject_cast<QValueAxis*>(dynamics.axes(Qt::Horizontal).first());
        EXPECT_DOUBLE_EQ(time->tickInterval(), 0.2 * series1.at(series1.count() - 1).x());
        EXPECT_EQ(time->titleText(), QStringLiteral("Время, с"));
    }
    EXPECT_EQ(series(charts.chart(Which::Statics), "Series3").count(),
              series(results.staticChart(), "Series3").count());
}

TEST_F(ReportDocumentTest, PdfHoldsTheTitleLabelsAndValues)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    report.compose({});
    ASSERT_TRUE(report.save(file("report.pdf"), ReportFormat::Pdf).ok);
    const QString text = pdfText(file("report.pdf"));
    for (const QString& expected :
         {QStringLiteral("Модель induction-elastic-hoist.kmf"), QStringLiteral("Kinetra"),
          QStringLiteral("Двигатель 4А100L4"), QStringLiteral("cc, Нм/рад"),
          QStringLiteral("60000"), QStringLiteral("Коэффициент использования"),
          QStringLiteral("Время, с")})
        EXPECT_TRUE(text.contains(expected)) << qPrintable(expected);
}

TEST_F(ReportDocumentTest, PrintBeforeAnyReportPrintsTheChartsWithEmptyColumns)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file("printed.pdf"));
    ASSERT_TRUE(report.print(printer).ok);
    const QString text = pdfText(file("printed.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("Время, с")));
    EXPECT_FALSE(text.contains(QStringLiteral("Двигатель")));
    EXPECT_FALSE(text.contains(QStringLiteral("Коэффициент")));
}

TEST_F(ReportDocumentTest, ExportsFollowTheSwitchesAndFailuresSayWhy)
{
    report.compose({false, false, true, false, false});
    for (const auto& [name, format] :
         {std::pair{"report.txt", ReportFormat::Text}, std::pair{"report.csv", ReportFormat::Csv},
          std::pair{"report.html", ReportFormat::Html}}) {
        ASSERT_TRUE(report.save(file(name), format).ok) << name;
        QFile saved(file(name));
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        EXPECT_TRUE(bytes.contains("\r\n")) << name;
        // "Двигатель" and "Коэф" in Windows-1251.
        EXPECT_TRUE(bytes.contains("\xc4\xe2\xe8\xe3\xe0\xf2\xe5\xeb\xfc")) << name;
        EXPECT_FALSE(bytes.contains("\xca\xee\xfd\xf4")) << name << ": no analysis";
        EXPECT_FALSE(bytes.contains("base64")) << name << ": no charts";
    }
    const FileSaveResult failed = report.save(file("missing-folder/report.pdf"), ReportFormat::Pdf);
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.error.isEmpty());
}

// The PDF writer drops the rest of a file after one short write and still ends as if all went
// well: on a disk with little room left the report is either whole or not saved at all.
TEST_F(ReportDocumentTest, PdfOntoANearlyFullDiskIsWholeOrFailsKeepingTheOldFile)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    SmallDisk disk(file("disk"), "size=256k");
    if (!disk.usable())
        GTEST_SKIP() << "mounting a tmpfs needs root";
    report.compose({});
    const QString target = disk.file(QStringLiteral("report.pdf"));
    ASSERT_TRUE(report.save(target, ReportFormat::Pdf).ok);
    QFile oldFile(target);
    ASSERT_TRUE(oldFile.open(QIODevice::ReadOnly));
    const QByteArray old = oldFile.readAll();
    oldFile.close();
    // tmpfs hands out whole pages of 4 KiB: every level up to 32 KiB, then beyond the report.
    for (const int freeKiB : {0, 4, 8, 12, 16, 20, 24, 28, 32, 48, 64, 96}) {
        disk.fillLeaving(freeKiB * 1024);
        const FileSaveResult saved = report.save(target, ReportFormat::Pdf);
        disk.emptyFiller();
        if (saved.ok) {
            QProcess reader;
            reader.start(QStringLiteral("pdfinfo"), {target});
            reader.waitForFinished();
            EXPECT_EQ(reader.exitCode(), 0) << freeKiB << " KiB free";
            EXPECT_TRUE(reader.readAllStandardError().isEmpty()) << freeKiB << " KiB free";
        } else {
            EXPECT_EQ(saved.error, QStringLiteral("Нет места на диске")) << freeKiB << " KiB free";
            QFile kept(target);
            ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
            EXPECT_EQ(kept.readAll(), old) << freeKiB << " KiB free";
        }
    }
}

} // namespace
} // namespace kinetra::test
