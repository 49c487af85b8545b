#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include "CascadeTuner.h"
#include "LoopResponse.h"
#include "StepComparison.h"
#include "StepResponse.h"

namespace kinetra {

// What kinetra-sim --tune prints: the tuned keys as model lines a user can paste into a model
// file, with the decimal separator given, then for each loop its optimum and why, its margins,
// and the linear model's deviation from the engine with what makes the model poor. The lines
// after the keys hold no "=", so that a model file pasted into ignores them.
QStringList TuningLines(const CascadeTuning& tuning, const CascadeResponse& response,
                        const StepComparison& comparison, QChar separator);

// Why a model has no cascade to tune or to analyse, in one line.
QString RefusalLine(const TuningRefusal& refusal);

// The loops' frequency responses as CSV: the angular frequency, then each loop's magnitude (dB)
// and phase (degrees).
QString LoopResponseCsv(const CascadeResponse& response);

// The --metrics fields of the loops' margins: phaseMarginI, crossoverI (rad/s) and the same for
// W and F, for the loops that run; none for a model without a cascade.
QList<StepResponseField> MarginFields(const ModelParams& params);

} // namespace kinetra
