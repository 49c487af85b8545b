#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>

#include "../shell/ShellFixture.h"
#include "database/DbaseWindow.h"
#include "report/ReportCommands.h"
#include "shell/Folders.h"

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

} // namespace
} // namespace kinetra::test
