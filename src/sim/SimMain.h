#pragma once

#include "SimRun.h"

namespace kinetra {

// kinetra-sim's whole run on the application's arguments: parses them, prints the help or the
// usage error, and runs the model; gives the exit status. A report that draws its charts is
// written by drawReport; a program without one hands the whole command over to the drawing
// program installed beside it (see DrawingProgram), or refuses the report when there is none.
int SimMain(const SimReportWriter& drawReport);

// The program that draws kinetra-sim's PDF and HTML reports: kinetra-sim-drawing beside this
// program (a build folder) or in its libexec folder (an installation); empty when there is none.
QString DrawingProgram();

} // namespace kinetra
