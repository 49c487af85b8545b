#include <QApplication>
#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string_view>

#include "SimOptions.h"
#include "SimOutput.h"
#include "SimReport.h"
#include "SimRun.h"

namespace {

// Only a report draws; a plain run starts no GUI.
bool reportAsked(int argc, char* argv[])
{
    return std::any_of(argv + 1, argv + argc, [](const char* argument) {
        const std::string_view text(argument);
        return text == "--report" || text.starts_with("--report=");
    });
}

} // namespace

// kinetra-sim: simulates a model file from the command line, for scripts, batch runs and
// regression checks of drive designs.
int main(int argc, char* argv[])
{
    std::unique_ptr<QCoreApplication> application;
    if (reportAsked(argc, argv)) {
        // A script runs without a display; the report is drawn off screen anyway.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("kinetra-sim"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    const kinetra::SimOptionsParse parse = kinetra::ParseSimOptions(QCoreApplication::arguments());
    if (!parse.options) {
        const bool help = parse.helpRequested;
        (help ? out : err) << parse.message << '\n';
        return int(kinetra::FinishStreams(
            help ? kinetra::SimStatus::Success : kinetra::SimStatus::UsageError, out, err));
    }
    const QChar localeSeparator = QLocale::system().decimalPoint().at(0);
    return int(kinetra::RunSim(*parse.options, localeSeparator, out, err, kinetra::WriteSimReport));
}
