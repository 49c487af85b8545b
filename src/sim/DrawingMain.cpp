#include <QApplication>

#include "SimMain.h"
#include "SimReport.h"

// kinetra-sim-drawing: kinetra-sim with its report drawn, PDF and HTML included. kinetra-sim
// hands a command over to it when the report asks for drawing; it belongs with the desktop
// program, whose libraries it needs.
int main(int argc, char* argv[])
{
    // A script runs without a display; the report is drawn off screen anyway.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication application(argc, argv);
    return kinetra::SimMain(kinetra::WriteSimReport);
}
