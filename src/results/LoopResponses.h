#pragma once

#include <QChar>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <vector>

#include "ModelParams.h"
#include "TuningCodes.h"

namespace kinetra {

// The loops of a model's cascade in the frequency domain, as the results window and the report
// show them: each loop's open-loop magnitude and phase over frequency (rad/s), its margins marked
// on the curves, and its figures as a table. The outermost loop's linear step is checked against
// a small step run by the engine; its deviation and what makes the linear model poor stand in
// that loop's row.
struct LoopCurves {
    Loop loop = Loop::Current;
    QString name; // "Ток", "Момент", "Скорость" or "Положение"
    QList<QPointF> magnitude; // (rad/s, dB)
    QList<QPointF> phase;     // (rad/s, degrees)
    // The margins on the curves: the crossover at 0 dB; the phase margin from -180 degrees up to
    // the phase at the crossover; the gain margin from the magnitude at the phase crossover up to
    // 0 dB. Empty where the response shows no such point.
    QList<QPointF> crossover;
    QList<QPointF> phaseMargin;
    QList<QPointF> gainMargin;
};

struct LoopResponses {
    // Why the model has no cascade to show; empty when it has one.
    QString refusal;
    std::vector<LoopCurves> loops; // innermost first
    // The table: its column titles, and one row a loop in the order of loops; an inner loop's
    // deviation and caveats are empty.
    QStringList columns;
    std::vector<QStringList> rows;
};

// The responses of the cascade of the collected parameter set as its settings stand, numbers
// written with the separator given. Runs the engine once, for the step check.
LoopResponses DescribeLoopResponses(const ModelParams& collected, QChar decimalSeparator);

// The table as lines of text for a narrow column: a title, then for each loop its name and one
// line a figure.
QStringList LoopMarginLines(const LoopResponses& responses);

} // namespace kinetra
