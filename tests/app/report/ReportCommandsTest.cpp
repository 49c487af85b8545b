#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QProcess>

#include "../shell/ShellFixture.h"
#include "ReportDocument.h"
#include "database/DbaseWindow.h"
#include "model/ModelWindow.h"
#include "report/ReportCommands.h"
#include "results/ResultWindow.h"
#include "shell/Folders.h"
#include "shell/ModelDocument.h"

namespace kinetra::test {
namespace {

using ReportCommandsTest = ShellFixture;

QByteArray start(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(4) : QByteArray();
}

TEST_F(ReportCommandsTest, ReportThatCannotBeSavedSaysTheNameAndWhy)
{
    prompts.files.push_back(workingDirectory.folder.filePath(QStringLiteral("gone/report.pdf")));
    shell.reportCommands().saveReport();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(
        prompts.messages.first().startsWith(QStringLiteral("Не сохранить файл report.pdf\n")));
    EXPECT_GT(prompts.messages.first().size(),
              QStringLiteral("Не сохранить файл report.pdf\n").size());

    const QString saved = workingDirectory.folder.filePath(QStringLiteral("report"));
    prompts.files.push_back(saved);
    shell.reportCommands().saveReport();
    EXPECT_EQ(start(saved), QByteArray("%PDF")) << "a name without extension takes the filter's";
}

TEST_F(ReportCommandsTest, WindowImagePrintsToAFileAndAFailedPrintSaysWhy)
{
    activate(shell.dbaseWindow());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(workingDirectory.folder.filePath(QStringLiteral("window.pdf")));
    EXPECT_TRUE(shell.reportCommands().printImageOn(shell.dbaseWindow(), printer));
    EXPECT_EQ(start(printer.outputFileName()), QByteArray("%PDF"));

    printer.setOutputFileName(workingDirectory.folder.filePath(QStringLiteral("gone/window.pdf")));
    EXPECT_FALSE(shell.reportCommands().printImageOn(shell.dbaseWindow(), printer));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(
        prompts.messages.first().startsWith(QStringLiteral("Не сохранить файл window.pdf")));
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The columns read the parameters as collected for the run on show, so the page is the same
// right after the run, after the model window was visited, and from kinetra-sim.
TEST_F(ReportCommandsTest, WindowAndCommandLineWriteTheSameTextReport)
{
    const QString model = QStringLiteral(KINETRA_EXAMPLES_FOLDER "/dc-thyristor-speed-current.kmf");
    shell.document().OpenFromCommandLine(model);
    activate(shell.resultWindow());
    const QString afterRun = workingDirectory.folder.filePath(QStringLiteral("after-run.txt"));
    shell.report().compose({});
    ASSERT_TRUE(shell.report().save(afterRun, ReportFormat::Text).ok);
    activate(shell.modelWindow());
    activate(shell.resultWindow());
    const QString afterVisit = workingDirectory.folder.filePath(QStringLiteral("after-visit.txt"));
    shell.report().compose({});
    ASSERT_TRUE(shell.report().save(afterVisit, ReportFormat::Text).ok);

    const QString fromSim = workingDirectory.folder.filePath(QStringLiteral("sim.txt"));
    QProcess sim;
    sim.start(QStringLiteral(KINETRA_SIM_PROGRAM), {QStringLiteral("--decimal-separator=,"), model,
                                                    QStringLiteral("--report"), fromSim});
    ASSERT_TRUE(sim.waitForFinished(60000));
    ASSERT_EQ(sim.exitCode(), 0) << sim.readAllStandardError().toStdString();

    const QByteArray page = contents(afterRun);
    EXPECT_FALSE(page.contains("m0")) << "m0 is 0 in the model";
    EXPECT_EQ(contents(afterVisit), page);
    EXPECT_EQ(contents(fromSim), page);
}

} // namespace
} // namespace kinetra::test
