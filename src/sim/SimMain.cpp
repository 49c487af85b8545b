#include "SimMain.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cerrno>
#include <vector>

#include <unistd.h>

#include "ReportExports.h"
#include "text/SystemReason.h"

namespace kinetra {

namespace {

bool ReportDraws(const SimOptions& options)
{
    const std::optional<ReportFormat> format = ReportFormatOf(options.reportPath);
    return format && ReportFormatDraws(*format);
}

// Runs the drawing program in this process's place with the same arguments, so that its output
// and its status are this command's. Returns only when it cannot, with the reason.
QString HandOverToDrawingProgram(const SimOptions& options)
{
    const QString program = DrawingProgram();
    if (program.isEmpty())
        return QStringLiteral("--report %1: a PDF or HTML report draws its charts, which this "
                              "kinetra-sim cannot: install the desktop program's package "
                              "(kinetra), or build with KINETRA_DESKTOP=ON. A .txt or .csv "
                              "report needs neither.")
            .arg(options.reportPath);
    std::vector<QByteArray> arguments;
    for (const QString& argument : QCoreApplication::arguments())
        arguments.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    ::execv(QFile::encodeName(program).constData(), argv.data());
    return QStringLiteral("--report %1: the drawing program %2 does not start\n%3")
        .arg(options.reportPath, program, SystemReason(errno));
}

} // namespace

QString DrawingProgram()
{
    const QString folder = QCoreApplication::applicationDirPath();
    for (const QString& candidate :
         {folder + QStringLiteral("/kinetra-sim-drawing"),
          folder + QStringLiteral("/" KINETRA_DRAWING_FOLDER "/kinetra-sim-drawing")}) {
        const QFileInfo program(candidate);
        if (program.isFile() && program.isExecutable())
            return program.absoluteFilePath();
    }
    return {};
}

int SimMain(const SimReportWriter& drawReport)
{
    QCoreApplication::setApplicationName(QStringLiteral("kinetra-sim"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    const StatusOr<SimOptions> parse = ParseSimOptions(QCoreApplication::arguments());
    if (!parse.ok) {
        err << parse.error << '\n';
        return int(FinishStreams(SimStatus::UsageError, out, err));
    }
    const SimOptions& options = parse.value;
    if (!options.help.isEmpty()) {
        out << options.help << '\n';
        return int(FinishStreams(SimStatus::Success, out, err));
    }
    if (ReportDraws(options) && !drawReport) {
        err << HandOverToDrawingProgram(options) << '\n';
        return int(FinishStreams(SimStatus::UsageError, out, err));
    }
    const QChar localeSeparator = QLocale::system().decimalPoint().at(0);
    return int(RunSim(options, localeSeparator, out, err, drawReport));
}

} // namespace kinetra
