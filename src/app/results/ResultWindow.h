#pragma once

#include <QMainWindow>
#include <QPointF>

#include <vector>

#include "Readouts.h"
#include "ResultsActivation.h"

class QCategoryAxis;
class QCheckBox;
class QChart;
class QLineSeries;
class QPlainTextEdit;
class QSplitter;
class QTabWidget;
class QValueAxis;

namespace kinetra {

class ActionTable;
class MessageSink;
class ModelSession;
class ResultChartView;

// The results window: every activation simulates the model unless it is unchanged since the last
// run, and shows the time response, the static characteristic and the analysis texts. The
// readouts under the mouse go to the status bar.
class ResultWindow final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ResultWindow)

public:
    ResultWindow(const ActionTable& actions, ModelSession& session, RunData& run,
                 const SignalSeries& signal, MessageSink& messages, QWidget* parent = nullptr);
    ~ResultWindow() override;

    ResultsActivation& activation() { return m_activation; }

    // The run and draw sequence of an activation.
    void FormActivate();
    // Empties the charts and the sample table.
    void ClearResults();
    // The chart of the page on show; none on the analysis page.
    QWidget* chartOnShow() const;
    // Colour output, or black and white.
    void setColourOutput(bool colour) { m_colourOutput = colour; }

protected:
    bool event(QEvent* event) override;

private:
    void createCharts();
    void drawRun();
    void keepEarlierCurves();
    void applyColourScheme();
    void showWarnings();
    void setAxisRanges();
    void showSampleTable();
    void fitSampleTable();
    void showDynamicReadout(QPointF position, bool inside);
    void showStaticReadout(QPointF position, bool inside);
    // The dynamics chart's visible curves, the latest run's first.
    std::vector<ShownCurve> curvesOnShow();

    ModelSession& m_session;
    RunData& m_run;
    QAction* m_reportAction;
    ResultsActivation m_activation;
    bool m_colourOutput = true;

    QCheckBox* m_refresh = nullptr;
    QTabWidget* m_pages = nullptr;
    QChart* m_dynamicChart = nullptr;
    QChart* m_staticChart = nullptr;
    ResultChartView* m_dynamicView = nullptr;
    ResultChartView* m_staticView = nullptr;
    QLineSeries* m_series1 = nullptr;
    QLineSeries* m_series2 = nullptr;
    QLineSeries* m_series3 = nullptr;
    QLineSeries* m_series4 = nullptr;
    // A positioning drive's position and the limit where its ramp stops, on an axis of their own.
    QLineSeries* m_position = nullptr;
    QLineSeries* m_positionLimit = nullptr;
    QCategoryAxis* m_timeAxis = nullptr;
    QValueAxis* m_leftAxis = nullptr;
    QValueAxis* m_rightAxis = nullptr;
    QValueAxis* m_positionAxis = nullptr;
    QValueAxis* m_staticX = nullptr;
    QValueAxis* m_staticY = nullptr;
    QPlainTextEdit* m_table = nullptr;
    QPlainTextEdit* m_summary = nullptr;
    QPlainTextEdit* m_stepResponse = nullptr;
    QSplitter* m_analysis = nullptr; // the step-response figures beside the summary
    // Curves of earlier runs, kept while the screen is not refreshed, and the number of the
    // run on show since the charts were last cleared, which names them in the legend.
    std::vector<QLineSeries*> m_earlierCurves;
    std::vector<QList<QPointF>> m_shownPoints;
    int m_runOnShow = 0;
    // The latest run's sample table waits for the analysis page to show.
    bool m_sampleTableDue = false;
    bool m_returningFromDialog = false;
};

} // namespace kinetra
