#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>

#include <cstdio>

#include "sim/SimOptions.h"
#include "sim/SimRun.h"

// kinetra-sim: simulates a model file from the command line, for scripts, batch runs and
// regression checks of drive designs.
int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kinetra-sim"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    const kinetra::SimOptionsParse parse = kinetra::ParseSimOptions(QCoreApplication::arguments());
    if (!parse.options) {
        (parse.helpRequested ? out : err) << parse.message << '\n';
        return parse.helpRequested ? 0 : int(kinetra::SimStatus::UsageError);
    }
    const QChar localeSeparator = QLocale::system().decimalPoint().at(0);
    return int(kinetra::RunSim(*parse.options, localeSeparator, out, err));
}
