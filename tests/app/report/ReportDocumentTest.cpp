#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "../../model/text/SmallDisk.h"
#include "../shell/ScriptedPrompts.h"
#include "ColumnFit.h"
#include "ReportDocument.h"
#include "ResultsActivation.h"
#include "editor/ModelSession.h"

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

// An example model run as the results window runs it, and the report on it.
class ReportDocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.NewModel();
        ASSERT_TRUE(
            session.LoadModelFile(Examples + QStringLiteral("/induction-elastic-hoist.kmf")).ok);
        session.setModelFileName(Examples + QStringLiteral("/induction-elastic-hoist.kmf"));
        ASSERT_EQ(results.FormActivate(true), ResultsActivation::Outcome::Simulated);
    }
    QString file(const QString& name) const { return folder.filePath(name); }
    QString savedPdfText(ReportDocument& document, const QString& name)
    {
        EXPECT_TRUE(document.save(file(name), ReportFormat::Pdf).ok);
        return pdfText(file(name));
    }

    ScriptedPrompts prompts;
    ModelSession session{u',', prompts};
    std::unique_ptr<RunData> run = std::make_unique<RunData>();
    std::unique_ptr<SignalSeries> signal = std::make_unique<SignalSeries>(UnitSignal());
    ResultsActivation results{session, *run, *signal, prompts};
    ReportDocument report{session, results};
    QTemporaryDir folder;
};

// Each production draws fresh charts: saving again, printing, or saving after a rerun with a
// shorter run (composed again for its summary) gives the page a new report object draws once.
TEST_F(ReportDocumentTest, DrawingAgainGivesThePageOfOneDrawing)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    report.compose({});
    const QString first = savedPdfText(report, QStringLiteral("1.pdf"));
    EXPECT_EQ(first.count(QStringLiteral("Время, с")), 1);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file(QStringLiteral("printed.pdf")));
    ASSERT_TRUE(report.print(printer).ok);
    EXPECT_EQ(pdfText(file(QStringLiteral("printed.pdf"))), first);
    EXPECT_EQ(savedPdfText(report, QStringLiteral("3.pdf")), first);

    session.editor().setText(EditField::TmaxEdit, QStringLiteral("1"));
    ASSERT_EQ(results.FormActivate(true), ResultsActivation::Outcome::Simulated);
    report.compose({});
    const QString rerun = savedPdfText(report, QStringLiteral("rerun.pdf"));
    EXPECT_EQ(rerun.count(QStringLiteral("Время, с")), 1);
    EXPECT_FALSE(rerun.contains(QStringLiteral("\n1,5\n")));
    EXPECT_TRUE(rerun.contains(QStringLiteral("\n0,8\n")));
    ReportDocument fresh(session, results);
    fresh.compose({});
    EXPECT_EQ(savedPdfText(fresh, QStringLiteral("fresh.pdf")), rerun);
}

TEST_F(ReportDocumentTest, LongTitleKeepsItsBothEnds)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    session.setModelFileName(QStringLiteral("/models/") + QString(120, u'д') +
                             QStringLiteral(".kmf"));
    report.compose({});
    const QString text = savedPdfText(report, QStringLiteral("long.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("Модель дддд")));
    EXPECT_TRUE(text.contains(QStringLiteral("…")));
    EXPECT_TRUE(text.contains(QStringLiteral("дддд.kmf")));
}

TEST_F(ReportDocumentTest, PdfHoldsTheTitleLabelsAndValues)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    report.compose({});
    const QString text = savedPdfText(report, QStringLiteral("report.pdf"));
    for (const QString& expected :
         {QStringLiteral("Модель induction-elastic-hoist.kmf"), QStringLiteral("Kinetra"),
          QStringLiteral("Двигатель 4А100L4"), QStringLiteral("cc, Нм/рад"),
          QStringLiteral("60000"), QStringLiteral("Коэффициент использования"),
          QStringLiteral("Время, с")})
        EXPECT_TRUE(text.contains(expected)) << qPrintable(expected);
}

// A positioning drive's page shows its position on an axis of its own, the statics of its speed
// loop under their title and the motor's duty beside the summary, all on one page.
TEST_F(ReportDocumentTest, PositioningDrivePageShowsItsPositionAndDuty)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    ASSERT_TRUE(session.LoadModelFile(Examples + QStringLiteral("/servo-positioning.kmf")).ok);
    ASSERT_EQ(results.FormActivate(true), ResultsActivation::Outcome::Simulated);
    report.compose({});
    const QString text = savedPdfText(report, QStringLiteral("servo.pdf"));
    for (const QString& expected :
         {QStringLiteral("Положение, рад"), QStringLiteral("Предел fmax"),
          QStringLiteral("Под контуром положения: характеристика контура скорости"),
          QStringLiteral("Двигатель за цикл")})
        EXPECT_TRUE(text.contains(expected)) << qPrintable(expected);
    EXPECT_EQ(text.count(u'\f'), 1) << "one page";
}

TEST_F(ReportDocumentTest, PrintBeforeAnyReportPrintsTheChartsWithEmptyColumns)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file(QStringLiteral("printed.pdf")));
    ASSERT_TRUE(report.print(printer).ok);
    const QString text = pdfText(file(QStringLiteral("printed.pdf")));
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
        ASSERT_TRUE(report.save(file(QLatin1String(name)), format).ok) << name;
        QFile saved(file(QLatin1String(name)));
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        EXPECT_TRUE(bytes.contains("\r\n")) << name;
        // "Двигатель" and "Коэф" in Windows-1251.
        EXPECT_TRUE(bytes.contains("\xc4\xe2\xe8\xe3\xe0\xf2\xe5\xeb\xfc")) << name;
        EXPECT_FALSE(bytes.contains("\xca\xee\xfd\xf4")) << name << ": no analysis";
        EXPECT_FALSE(bytes.contains("base64")) << name << ": no charts";
    }
    const Status failed =
        report.save(file(QStringLiteral("missing-folder/report.pdf")), ReportFormat::Pdf);
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
        const Status saved = report.save(target, ReportFormat::Pdf);
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

// A column keeps the report's type while it fits, takes smaller type while that fits, and is
// otherwise cut (and marked where it is drawn).
TEST(ColumnFit, ShrinksTheTypeThenCutsWithAMark)
{
    const QImage page(600, 600, QImage::Format_RGB32);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8);
    const double lineHeight = QFontMetricsF(font, &page).lineSpacing();
    for (const auto& [count, smaller, cut] :
         {std::tuple{10, false, false}, {44, true, false}, {400, true, true}}) {
        const QStringList lines(count, QStringLiteral("R1, Ом        1,535"));
        const ColumnFit fit = FitColumn(lines, font, QSizeF(300, 40.5 * lineHeight), page);
        EXPECT_EQ(fit.font.pointSizeF() < 8, smaller) << count;
        EXPECT_EQ(fit.cut, cut) << count;
    }
}

} // namespace
} // namespace kinetra::test
