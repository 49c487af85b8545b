#pragma once

namespace kinetra {

class ModelEditor;
class ResultsActivation;
class SignalWorkbench;
struct ModelCurves;
struct RunCharts;

// Where a signal sent to the model acts when the user has not chosen yet: on the load torque
// (a disturbance) or on the reference (control).
enum class SignalUse { Disturbance, Control };

// Sends the workbench's output into the model: the output is recomputed with the current N (and
// every stage with it that was computed for another count), one
// "Переменный сигнал" box is switched on unless the user has already switched one on, and the
// results forget the model they last simulated, so their next activation runs with the signal.
// The engine reads the output series itself; nothing is copied.
void SendToModel(SignalWorkbench& workbench, ModelEditor& editor, SignalUse use,
                 ResultsActivation& results);

// What the workbench takes from the model: the dynamics chart's torque or current curve and its
// mechanism speed curve as the run on show draws them, with the ends of their axes. Nothing when
// the torque or current curve has no points.
ModelCurves CurvesToTake(const RunCharts& charts);

} // namespace kinetra
