#pragma once

#include <array>

#include <QMainWindow>

#include "SignalWorkbench.h"
#include "WorkbenchSpectra.h"

class QChart;
class QChartView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QLineSeries;
class QLogValueAxis;
class QTabWidget;
class QValueAxis;

namespace kinetra {

class ActionTable;
class ArrowButtons;
class ResultChartView;

// The signals workbench on screen: the generator, channel and filter groups on the left, the
// chart of the three stages on the right. Every control is bound to the workbench, which holds
// all the rules; the window only shows its state and passes the user's actions on.
class SignalWindow final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SignalWindow)

public:
    SignalWindow(const ActionTable& actions, SignalWorkbench& workbench, QWidget* parent = nullptr);
    ~SignalWindow() override;

    // The chart alone, for saving and printing it.
    QChartView* chartView() const;

private:
    QGroupBox* createGeneratorGroup();
    QGroupBox* createChannelGroup();
    QGroupBox* createFilterGroup();
    void createChart();
    QWidget* createSpectrumPage();
    void redrawSpectra();
    void showReadout(const QString& readout);
    QComboBox* addList(SignalList list, const char* name, const QString& hint);
    QLineEdit* addField(SignalField field, const char* name, const QString& hint, int width);
    ArrowButtons* addSpin(SignalSpin spin, const char* name, const QString& hint);
    QCheckBox* addCheck(SignalCheck box, const char* name, const QString& caption,
                        const QString& hint);
    void bindWorkbench();
    void showList(SignalList list);
    void showField(SignalField field);
    void redraw(SignalStage from);
    void showValueRange();

    SignalWorkbench& m_workbench;
    std::array<QComboBox*, 3> m_lists{};
    std::array<QLineEdit*, SignalFieldCount> m_fields{};
    std::array<ArrowButtons*, 2> m_spins{};
    std::array<QCheckBox*, 3> m_checks{};
    QLabel* m_caption = nullptr;
    QLabel* m_notice = nullptr;
    QChart* m_chart = nullptr;
    ResultChartView* m_chartView = nullptr;
    std::array<QLineSeries*, 3> m_series{};
    QValueAxis* m_timeAxis = nullptr;
    QValueAxis* m_valueAxis = nullptr;

    // The spectrum page: the stages' amplitudes above, the element's response below.
    QTabWidget* m_views = nullptr;
    WorkbenchSpectra m_spectra;
    ResultChartView* m_amplitudeView = nullptr;
    ResultChartView* m_responseView = nullptr;
    std::array<QLineSeries*, 3> m_amplitudeSeries{};
    QLineSeries* m_magnitudeSeries = nullptr;
    QLineSeries* m_phaseSeries = nullptr;
    QLogValueAxis* m_amplitudeFrequency = nullptr;
    QValueAxis* m_amplitudeAxis = nullptr;
    QLogValueAxis* m_responseFrequency = nullptr;
    QValueAxis* m_magnitudeAxis = nullptr;
    QValueAxis* m_phaseAxis = nullptr;
};

} // namespace kinetra
