#pragma once

#include <QWidget>

#include "LoopResponses.h"
#include "charts/ChartCurves.h"

class QChart;
class QLabel;
class QLogValueAxis;
class QTableWidget;
class QValueAxis;

namespace kinetra {

class ResultChartView;
struct ChartLook;

// The results window's page of the loops' frequency responses: the open-loop magnitude and phase
// of every loop, one curve a loop, with the crossover, the phase margin and the gain margin marked
// on them, and the loops' figures in a table below. It draws a description it is given.
class LoopResponsePage final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LoopResponsePage)

public:
    explicit LoopResponsePage(QWidget* parent = nullptr);

    void show(const LoopResponses& responses, const ChartLook& look);
    // Both charts, as one picture for Save As.
    QWidget* charts() const { return m_charts; }
    // The curves as a table for the CSV file: magnitude and phase of each loop over frequency.
    ChartTable curves() const;
    void undoZoom();

private:
    void showCurves(const LoopResponses& responses, const ChartLook& look);
    void showTable(const LoopResponses& responses);

    LoopResponses m_shown;
    QWidget* m_charts = nullptr;
    QChart* m_magnitudeChart = nullptr;
    QChart* m_phaseChart = nullptr;
    ResultChartView* m_magnitudeView = nullptr;
    ResultChartView* m_phaseView = nullptr;
    QLogValueAxis* m_magnitudeFrequency = nullptr;
    QLogValueAxis* m_phaseFrequency = nullptr;
    QValueAxis* m_magnitudeAxis = nullptr;
    QValueAxis* m_phaseAxis = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_refusal = nullptr;
    QLabel* m_caveats = nullptr;
};

} // namespace kinetra
