#include <QCoreApplication>

#include "SimMain.h"

// kinetra-sim: simulates a model file from the command line, for scripts, batch runs and
// regression checks of drive designs. It links no window library, so it runs where no display
// stack is installed; a report that draws its charts is left to kinetra-sim-drawing.
int main(int argc, char* argv[])
{
    const QCoreApplication application(argc, argv);
    return kinetra::SimMain({});
}
