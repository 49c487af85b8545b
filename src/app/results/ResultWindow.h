#pragma once

#include <QMainWindow>
#include <QPointF>

#include <vector>

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
class EarlierCurves;
class LoopResponsePage;
class MessageSink;
class ModelSession;
class ResultChartView;
struct ChartLook;
struct ChartTable;

// The results window: every activation simulates the model unless it is unchanged since the last
// run, and shows the time response, the static characteristic and the analysis texts of the runs
// the activation keeps on show. Everything it draws, names and reads out under the mouse comes
// from their views, never from its charts. The readouts under the mouse go to the status bar.
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
    // The curves the chart on show draws, for its CSV file; none on the analysis page.
    ChartTable curvesOnShow() const;
    // Colour output, or black and white.
    void setColourOutput(bool colour) { m_colourOutput = colour; }

protected:
    bool event(QEvent* event) override;

private:
    // How the curves of a run were drawn: in colour or not, and whether, once the run gave way
    // to a newer one, its curves were dashed.
    struct RunLook {
        bool colour;
        bool dashed;
    };

    void createCharts();
    void drawRuns();
    void showCleared();
    void showTitles(const RunCharts& charts);
    void showEarlierRuns(const ChartLook& look);
    void showWarnings();
    void setAxisRanges(const RunCharts& charts);
    void showSampleTable();
    void showLoopResponses();
    void fitSampleTable();
    void showDynamicReadout(QPointF position, bool inside);
    void showStaticReadout(QPointF position, bool inside);
    QValueAxis* dynamicsAxis(CurveAxis axis) const;

    ModelSession& m_session;
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
    // The limit a speed loop puts on its current or torque, on the left axis or beside that
    // quantity on an axis of its own.
    QLineSeries* m_limited = nullptr;
    QLineSeries* m_loopLimit = nullptr;
    QCategoryAxis* m_timeAxis = nullptr;
    QValueAxis* m_leftAxis = nullptr;
    QValueAxis* m_rightAxis = nullptr;
    QValueAxis* m_positionAxis = nullptr;
    QValueAxis* m_limitedAxis = nullptr;
    QValueAxis* m_staticX = nullptr;
    QValueAxis* m_staticY = nullptr;
    QPlainTextEdit* m_table = nullptr;
    QPlainTextEdit* m_summary = nullptr;
    QPlainTextEdit* m_stepResponse = nullptr;
    QSplitter* m_analysis = nullptr; // the step-response figures beside the summary
    // The curves of the earlier runs on show, and the legend's entries for them: series of
    // their own without points.
    EarlierCurves* m_dynamicEarlier = nullptr;
    EarlierCurves* m_staticEarlier = nullptr;
    std::vector<QLineSeries*> m_earlierLegend;
    // The look of each earlier run on show, the earliest first, and that of the latest drawing.
    std::vector<RunLook> m_earlierLooks;
    bool m_latestInColour = true;
    // The loops' frequency responses of the model last run.
    LoopResponsePage* m_loopPage = nullptr;
    // The latest run's sample table waits for the analysis page to show, and its loops'
    // responses, which take a run of their own, for their page.
    bool m_sampleTableDue = false;
    bool m_loopResponsesDue = false;
    bool m_returningFromDialog = false;
};

} // namespace kinetra
