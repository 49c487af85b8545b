#include "signals/SignalWindow.h"

#include <algorithm>
#include <cmath>

#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <QValueAxis>

#include "AxisTicks.h"
#include "ChartLook.h"
#include "ChartRanges.h"
#include "charts/ChartCurves.h"
#include "charts/RoundTicks.h"
#include "charts/ThinnedCurve.h"
#include "model/ArrowButtons.h"
#include "results/ResultChartView.h"
#include "shell/MenuEntries.h"

namespace kinetra {

namespace {

// A round step that divides the range into about five parts: 1, 2 or 5 times a power of ten.
double RoundStep(double range)
{
    return RoundTickStep(range, 5);
}

// Zoomed or moved, every value axis of the chart keeps a readable number of round ticks; a
// logarithmic axis ticks at its decades anyway.
void FitTicksToShownRanges(const QChart& chart)
{
    for (QAbstractAxis* axis : chart.axes()) {
        auto* valueAxis = qobject_cast<QValueAxis*>(axis);
        if (valueAxis && valueAxis->max() > valueAxis->min())
            valueAxis->setTickInterval(RoundStep(valueAxis->max() - valueAxis->min()));
    }
}

// The same for a curve over a logarithmic axis: the columns are even in the logarithm of x, so
// the few low bins stay whole and the dense high ones are thinned. x must be positive.
QList<QPointF> ShownOnLogAxis(const QList<QPointF>& points)
{
    constexpr int Columns = 256;
    if (points.size() <= 4 * Columns)
        return points;
    const double low = std::log10(points.constFirst().x());
    const double width = (std::log10(points.constLast().x()) - low) / Columns;
    QList<QPointF> shown;
    shown.reserve(4 * Columns);
    qsizetype first = 0;
    while (first < points.size()) {
        const int column = int((std::log10(points[first].x()) - low) / width);
        qsizetype last = first;
        qsizetype lowest = first;
        qsizetype highest = first;
        while (last + 1 < points.size() &&
               int((std::log10(points[last + 1].x()) - low) / width) == column) {
            ++last;
            if (points[last].y() < points[lowest].y())
                lowest = last;
            if (points[last].y() > points[highest].y())
                highest = last;
        }
        qsizetype previous = -1;
        for (qsizetype i : {first, std::min(lowest, highest), std::max(lowest, highest), last}) {
            if (i != previous)
                shown.append(points[i]);
            previous = i;
        }
        first = last + 1;
    }
    return shown;
}

// The legend names the stages and the element's curves under the chart, each with its line, in
// one tight row: the window's charts are small.
void ShowLegendBelow(QChart& chart)
{
    QLegend* legend = chart.legend();
    legend->setAlignment(Qt::AlignBottom);
    legend->setMarkerShape(QLegend::MarkerShapeFromSeries);
    legend->setContentsMargins(0, 0, 0, 0);
}

QString ChartHint()
{
    return QCoreApplication::translate("kinetra::SignalWindow",
                                       "Левая кнопка - изменение масштаба, правая - смещение осей");
}

struct CoefficientLayout {
    Coefficient coefficient;
    const char* edit;
    const char* label;
    const char* caption;
    const char* hint; // untranslated
};

// The fraction: the numerator's three terms above the bar, the denominator's below.
// clang-format off
constexpr std::array<CoefficientLayout, CoefficientCount> Fraction{{
    {Coefficient::T1, "sEdit1",  "sLabel1",  "T1pp +",
     QT_TRANSLATE_NOOP("kinetra::SignalWindow", "T1: коэффициент при p² в числителе")},
    {Coefficient::T2, "sEdit2",  "sLabel2",  "T2p +",
     QT_TRANSLATE_NOOP("kinetra::SignalWindow", "T2: коэффициент при p в числителе")},
    {Coefficient::K1, "sEditK1", "sLabelK1", "K1",
     QT_TRANSLATE_NOOP("kinetra::SignalWindow", "K1: постоянный член числителя")},
    {Coefficient::T3, "sEdit3",  "Label3",   "T3pp +",
     QT_TRANSLATE_NOOP("kinetra::SignalWindow", "T3: коэффициент при p² в знаменателе")},
    {Coefficient::T4, "sEdit4",  "sLabel4",  "T4p +",
     QT_TRANSLATE_NOOP("kinetra::SignalWindow", "T4: коэффициент при p в знаменателе")},
    {Coefficient::K2, "sEditK2", "sLabelK2", "K2",
     QT_TRANSLATE_NOOP("kinetra::SignalWindow", "K2: постоянный член знаменателя")},
}};
// clang-format on

QGroupBox* newGroup(const char* name, QWidget* parent)
{
    auto* group = new QGroupBox(parent);
    group->setObjectName(QLatin1String(name));
    return group;
}

} // namespace

SignalWindow::SignalWindow(const ActionTable& actions, SignalWorkbench& workbench, QWidget* parent)
    : QMainWindow(parent), m_workbench(workbench)
{
    setObjectName(QStringLiteral("Signal"));
    setWindowTitle(tr("Сигналы"));
    resize(655, 440);

    AddEntries(menuBar()->addMenu(tr("&Файл")), actions,
               {Command::aNew, Command::aOpen, Command::aFromModel, Command::aToModel,
                Command::aSaveAs, Command::aPrint});
    AddEntries(menuBar()->addMenu(tr("&Окно")), actions,
               {Command::aModel, Command::aResult, Command::aDbase, Command::aParams});
    AddEntries(menuBar()->addMenu(tr("&Справка")), actions, {Command::aHelp, Command::aAbout});

    QToolBar* toolBar =
        AddCommandToolBar(*this, QStringLiteral("ToolBarSignal"), actions,
                          {Command::aNew, Command::aOpen, Command::aFromModel, Command::aToModel,
                           Bar, Command::aModel, Command::aResult, Command::aDbase,
                           Command::aParams, Bar, Command::aHelp, Bar});

    setContextMenuPolicy(Qt::ActionsContextMenu);
    AddEntries(this, actions,
               {Command::aNew, Command::aOpen, Command::aFromModel, Command::aToModel,
                Command::aSaveAs, Command::aPrint, Bar, Command::aModel, Command::aResult,
                Command::aDbase, Command::aParams});

    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(4, 4, 4, 4);
    auto* groups = new QVBoxLayout;
    groups->addWidget(createGeneratorGroup());
    groups->addWidget(createChannelGroup());
    groups->addWidget(createFilterGroup());
    // What a stage could not compute as typed, under the stages, where it has room to wrap; a
    // notice longer than the room left scrolls there rather than squeezing the fields above.
    m_notice = new QLabel;
    m_notice->setObjectName(QStringLiteral("SignalNotice"));
    m_notice->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_notice->setWordWrap(true);
    m_notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_notice->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* noticeArea = new QScrollArea(this);
    noticeArea->setObjectName(QStringLiteral("SignalNoticeArea"));
    noticeArea->setFrameShape(QFrame::NoFrame);
    noticeArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    noticeArea->setWidgetResizable(true);
    noticeArea->setWidget(m_notice);
    groups->addWidget(noticeArea, 1);
    columns->addLayout(groups);
    createChart();
    m_views = new QTabWidget(this);
    m_views->setObjectName(QStringLiteral("SignalViews"));
    m_views->setDocumentMode(true);
    m_views->addTab(m_chartView, tr("&Время"));
    m_views->addTab(createSpectrumPage(), tr("&Спектр"));
    m_views->setTabToolTip(1, tr("Амплитудный спектр и частотная характеристика"));
    connect(m_views, &QTabWidget::currentChanged, this, [this] { redrawSpectra(); });
    columns->addWidget(m_views, 1);
    QAction* zoomReset = ResultChartView::newZoomResetAction(this);
    toolBar->addAction(zoomReset);
    for (ResultChartView* view : {m_chartView, m_amplitudeView, m_responseView}) {
        connect(zoomReset, &QAction::triggered, view, &ResultChartView::undoZoom);
        connect(view, &ResultChartView::rangesMoved, this,
                [view] { FitTicksToShownRanges(*view->chart()); });
    }
    setCentralWidget(central);

    statusBar()->setObjectName(QStringLiteral("StatusBarSignal"));

    bindWorkbench();
}

SignalWindow::~SignalWindow() = default;

QChartView* SignalWindow::chartView() const
{
    return m_chartView;
}

QGroupBox* SignalWindow::createGeneratorGroup()
{
    QGroupBox* group = newGroup("signalGroupBox1", this);
    auto* layout = new QGridLayout(group);
    layout->addWidget(addCheck(SignalCheck::SignalCheckBox1, "SignalCheckBox1",
                               tr(" Сигнал и периодичность  "),
                               tr("Показать или скрыть входной сигнал")),
                      0, 0, 1, 3);
    layout->addWidget(
        addList(SignalList::SignalComboBox1, "SignalComboBox1", tr("Форма входного сигнала")), 1,
        0);
    const QString periods = tr("Число периодов сигнала на интервале моделирования");
    layout->addWidget(addField(SignalField::SignalEdit1, "SignalEdit1", periods, 48), 1, 1);
    layout->addWidget(addSpin(SignalSpin::SignalUpDown1, "SignalUpDown1", periods), 1, 2);
    layout->setColumnStretch(0, 1);
    return group;
}

QGroupBox* SignalWindow::createChannelGroup()
{
    QGroupBox* group = newGroup("signalGroupBox2", this);
    auto* layout = new QGridLayout(group);
    layout->addWidget(addCheck(SignalCheck::SignalCheckBox2, "SignalCheckBox2",
                               tr(" Канал передачи данных, мс "),
                               tr("Показать или скрыть сигнал после канала")),
                      0, 0, 1, 3);
    layout->addWidget(addList(SignalList::SignalComboBox2, "SignalComboBox2",
                              tr("Вид искажения сигнала в канале передачи")),
                      1, 0);
    const QString delay =
        tr("Задержка или ширина зоны трения, мс: 10 отсчетов на 1 мс, не более 100");
    layout->addWidget(addField(SignalField::SignalEdit2, "SignalEdit2", delay, 48), 1, 1);
    layout->addWidget(addSpin(SignalSpin::SignalUpDown2, "SignalUpDown2", delay), 1, 2);
    layout->setColumnStretch(0, 1);
    return group;
}

QGroupBox* SignalWindow::createFilterGroup()
{
    QGroupBox* group = newGroup("signalGroupBox3", this);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(addCheck(SignalCheck::SignalCheckBox3, "SignalCheckBox3",
                               tr(" Фильтр / регулятор  "),
                               tr("Показать или скрыть выходной сигнал")));
    QComboBox* kinds =
        addList(SignalList::SignalComboBox3, "SignalComboBox3", tr("Вид фильтра или регулятора"));
    kinds->setMaxVisibleItems(10);
    layout->addWidget(kinds);

    auto* fraction = new QGridLayout;
    fraction->setHorizontalSpacing(3);
    for (std::size_t i = 0; i < Fraction.size(); ++i) {
        const CoefficientLayout& term = Fraction[i];
        const int row = i < 3 ? 0 : 2;
        const int column = 2 * static_cast<int>(i % 3);
        const QString hint = tr(term.hint);
        fraction->addWidget(addField(FieldOf(term.coefficient), term.edit, hint, 44), row, column);
        auto* label = new QLabel(QString::fromUtf8(term.caption), group);
        label->setObjectName(QLatin1String(term.label));
        label->setStatusTip(hint);
        fraction->addWidget(label, row, column + 1);
    }
    auto* bar = new QFrame(group);
    bar->setObjectName(QStringLiteral("SignalBevel"));
    bar->setFrameShape(QFrame::HLine);
    bar->setFrameShadow(QFrame::Sunken);
    fraction->addWidget(bar, 1, 0, 1, 6);
    layout->addLayout(fraction);

    m_caption = new QLabel(group);
    m_caption->setObjectName(QStringLiteral("sLabel"));
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setWordWrap(true);
    m_caption->setStatusTip(tr("Смысл коэффициентов выбранного звена"));
    layout->addWidget(m_caption);
    return group;
}

void SignalWindow::createChart()
{
    m_chart = new QChart;
    ShowLegendBelow(*m_chart);
    m_timeAxis = new QValueAxis(m_chart);
    m_timeAxis->setLabelFormat(QStringLiteral("%.6g"));
    // A sample stands at a tenth of the channel's millisecond, the unit its delay is given in.
    m_timeAxis->setTitleText(tr("Время канала, мс"));
    m_valueAxis = new QValueAxis(m_chart);
    m_valueAxis->setLabelFormat(QStringLiteral("%.3g"));
    // The signal is a factor on the load torque or the reference.
    m_valueAxis->setTitleText(tr("Сигнал, о. е."));
    m_chart->addAxis(m_timeAxis, Qt::AlignBottom);
    m_chart->addAxis(m_valueAxis, Qt::AlignLeft);
    ApplyChartLook(*m_chart, SignalsChartLook());
    for (QValueAxis* axis : {m_timeAxis, m_valueAxis}) {
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(0);
    }
    showValueRange();
    // Before the first computation the chart shows the span of 1000 samples.
    SetRangeAndTickInterval(*m_timeAxis, 0, 100, RoundStep(100));

    const struct {
        const char* name;
        const char* title;
        QColor colour;
    } curves[]{{"Series1", QT_TR_NOOP("Вход"), Qt::red},
               {"Series2", QT_TR_NOOP("Искажение"), Qt::blue},
               {"Series3", QT_TR_NOOP("Выход"), Qt::black}};
    for (std::size_t i = 0; i < m_series.size(); ++i) {
        auto* series = new QLineSeries(m_chart);
        series->setObjectName(QLatin1String(curves[i].name));
        series->setName(tr(curves[i].title));
        series->setPen(QPen(curves[i].colour, 1));
        m_chart->addSeries(series);
        series->attachAxis(m_timeAxis);
        series->attachAxis(m_valueAxis);
        m_series[i] = series;
    }
    m_chartView = new ResultChartView(m_chart, ResultChartView::Cursor::VerticalLine, this);
    m_chartView->setObjectName(QStringLiteral("SignalChart"));
    m_chartView->setStatusTip(ChartHint());
    m_chartView->setMinimumSize(240, 200);
    connect(m_chartView, &ResultChartView::pointed, this, [this](QPointF position, bool inside) {
        const double x = m_chart->mapToValue(position, m_series[0]).x();
        showReadout(inside ? TimeReadout(m_workbench, x, m_workbench.decimalSeparator())
                           : QString());
    });
}

QWidget* SignalWindow::createSpectrumPage()
{
    const auto newChart = [] {
        auto* chart = new QChart;
        ShowLegendBelow(*chart);
        return chart;
    };
    const auto newAxis = [](QChart* chart, const QString& title, Qt::Alignment side,
                            const char* format) {
        auto* axis = new QValueAxis(chart);
        axis->setTitleText(title);
        axis->setLabelFormat(QLatin1String(format));
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(0);
        // Short numbers; eliding them to "..." would hide the scale in a small chart.
        axis->setTruncateLabels(false);
        chart->addAxis(axis, side);
        return axis;
    };
    // Frequencies on a logarithmic scale, as a drive engineer reads a response: a decade is a
    // decade wherever it lies.
    const auto newFrequencyAxis = [](QChart* chart) {
        auto* axis = new QLogValueAxis(chart);
        axis->setTitleText(tr("Частота, Гц"));
        axis->setLabelFormat(QStringLiteral("%.4g"));
        axis->setBase(10);
        axis->setMinorTickCount(8);
        chart->addAxis(axis, Qt::AlignBottom);
        return axis;
    };
    const auto newSeries = [](QChart* chart, const char* name, const QString& title, QColor colour,
                              QAbstractAxis* x, QValueAxis* y) {
        auto* series = new QLineSeries(chart);
        series->setObjectName(QLatin1String(name));
        series->setName(title);
        series->setPen(QPen(colour, 1));
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
        return series;
    };
    QChart* amplitudes = newChart();
    m_amplitudeFrequency = newFrequencyAxis(amplitudes);
    m_amplitudeAxis = newAxis(amplitudes, tr("Ампл."), Qt::AlignLeft, "%.3g");
    m_amplitudeSeries = {newSeries(amplitudes, "SpectrumSeries1", tr("Вход"), Qt::red,
                                   m_amplitudeFrequency, m_amplitudeAxis),
                         newSeries(amplitudes, "SpectrumSeries2", tr("Искажение"), Qt::blue,
                                   m_amplitudeFrequency, m_amplitudeAxis),
                         newSeries(amplitudes, "SpectrumSeries3", tr("Выход"), Qt::black,
                                   m_amplitudeFrequency, m_amplitudeAxis)};
    m_amplitudeView = new ResultChartView(amplitudes, ResultChartView::Cursor::VerticalLine, this);
    m_amplitudeView->setObjectName(QStringLiteral("SpectrumChart"));
    m_amplitudeView->setStatusTip(ChartHint());

    QChart* response = newChart();
    m_responseFrequency = newFrequencyAxis(response);
    m_magnitudeAxis = newAxis(response, tr("Звено, дБ"), Qt::AlignLeft, "%.0f");
    m_phaseAxis = newAxis(response, tr("Фаза, °"), Qt::AlignRight, "%.0f");
    m_phaseAxis->setGridLineVisible(false);
    m_magnitudeSeries = newSeries(response, "MagnitudeSeries", tr("Амплитуда звена"),
                                  QColor(0, 128, 0), m_responseFrequency, m_magnitudeAxis);
    m_phaseSeries = newSeries(response, "PhaseSeries", tr("Фаза звена"), QColor(160, 0, 160),
                              m_responseFrequency, m_phaseAxis);
    m_responseView = new ResultChartView(response, ResultChartView::Cursor::VerticalLine, this);
    m_responseView->setObjectName(QStringLiteral("ResponseChart"));
    m_responseView->setStatusTip(ChartHint());

    for (QChart* chart : {amplitudes, response})
        ApplyChartLook(*chart, SignalsChartLook());
    for (ResultChartView* view : {m_amplitudeView, m_responseView}) {
        view->setMinimumSize(240, 120);
        connect(view, &ResultChartView::pointed, this, [this, view](QPointF position, bool inside) {
            QChart* chart = view->chart();
            const double f = chart->mapToValue(position, chart->series().constFirst()).x();
            showReadout(inside ? SpectrumReadout(m_spectra, f, m_workbench.decimalSeparator())
                               : QString());
        });
    }

    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_amplitudeView, 1);
    layout->addWidget(m_responseView, 1);
    auto* timeBase =
        new QLabel(tr("Время модели: отсчет - шаг 1 мс, 1 мс канала - 10 отсчетов (10 мс модели); "
                      "постоянные времени звена - в долях прогона из N отсчетов"),
                   page);
    timeBase->setObjectName(QStringLiteral("SpectrumTimeBase"));
    timeBase->setWordWrap(true);
    layout->addWidget(timeBase);
    return page;
}

void SignalWindow::showReadout(const QString& readout)
{
    if (readout.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(readout);
}

void SignalWindow::redrawSpectra()
{
    // Transforms only for the page on show; the page draws afresh when it is chosen.
    if (m_views->currentIndex() != 1)
        return;
    m_spectra.update(m_workbench);
    double largest = 0;
    for (std::size_t i = 0; i < m_amplitudeSeries.size(); ++i) {
        const auto stage = static_cast<SignalStage>(i);
        const bool shown = m_workbench.isChecked(static_cast<SignalCheck>(i));
        // The constant has no place on a logarithmic axis; the readout names it.
        const QList<QPointF> points = m_spectra.amplitude(stage).mid(1);
        m_amplitudeSeries[i]->replace(shown ? ShownOnLogAxis(points) : QList<QPointF>());
        if (shown)
            for (const QPointF& point : points)
                largest = std::max(largest, point.y());
    }
    const QList<QPointF>& magnitude = m_spectra.magnitudeDb();
    const QList<QPointF>& phase = m_spectra.phaseDegrees();
    m_magnitudeSeries->replace(magnitude);
    m_phaseSeries->replace(phase);

    m_amplitudeView->undoZoom();
    m_responseView->undoZoom();
    // From the decade below the lowest bin above 0 Hz to half the sampling rate.
    const double lowest = magnitude.isEmpty() ? 1.0 : magnitude.constFirst().x();
    const double bottom = std::pow(10.0, std::floor(std::log10(lowest)));
    for (QLogValueAxis* axis : {m_amplitudeFrequency, m_responseFrequency})
        axis->setRange(bottom, WorkbenchSpectra::HighestFrequency);
    const double amplitudeTop = largest > 0 ? 1.1 * largest : 1.0;
    m_amplitudeAxis->setTickInterval(RoundStep(amplitudeTop));
    m_amplitudeAxis->setRange(0, amplitudeTop);
    // Each response axis holds 0 and at least its least span, with room beyond the curve; the
    // two zeros stand at one height.
    const auto spanOf = [](const QList<QPointF>& points, double least) {
        double low = 0;
        double high = 0;
        for (const QPointF& point : points) {
            low = std::min(low, point.y());
            high = std::max(high, point.y());
        }
        if (high - low < least) {
            low -= least / 2;
            high += least / 2;
        }
        DataRange range;
        range.include(low);
        range.include(high);
        return WithHeadroom(range);
    };
    AxisSpan magnitudeSpan = spanOf(magnitude, 6);
    AxisSpan phaseSpan = spanOf(phase, 90);
    AlignZeros(std::array{&magnitudeSpan, &phaseSpan});
    for (const auto& [axis, span] :
         {std::pair{m_magnitudeAxis, magnitudeSpan}, std::pair{m_phaseAxis, phaseSpan}})
        SetRangeAndTickInterval(*axis, span.minimum, span.maximum,
                                RoundStep(span.maximum - span.minimum));
    m_amplitudeView->setHomeRanges();
    m_responseView->setHomeRanges();
}

QComboBox* SignalWindow::addList(SignalList list, const char* name, const QString& hint)
{
    auto* box = new QComboBox(this);
    box->setObjectName(QLatin1String(name));
    box->addItems(SignalWorkbench::listItems(list));
    box->setCurrentIndex(-1);
    box->setStatusTip(hint);
    connect(box, &QComboBox::activated, this,
            [this, list](int index) { m_workbench.chooseListItem(list, index); });
    m_lists[indexOf(list)] = box;
    return box;
}

QLineEdit* SignalWindow::addField(SignalField field, const char* name, const QString& hint,
                                  int width)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(name));
    edit->setFixedWidth(width);
    edit->setStatusTip(hint);
    connect(edit, &QLineEdit::textEdited, this,
            [this, field](const QString& text) { m_workbench.setText(field, text); });
    m_fields[indexOf(field)] = edit;
    return edit;
}

ArrowButtons* SignalWindow::addSpin(SignalSpin spin, const char* name, const QString& hint)
{
    const SignalField field =
        spin == SignalSpin::SignalUpDown1 ? SignalField::SignalEdit1 : SignalField::SignalEdit2;
    auto* arrows = new ArrowButtons(*m_fields[indexOf(field)], this);
    arrows->setObjectName(QLatin1String(name));
    arrows->setStatusTip(hint);
    connect(arrows, &ArrowButtons::stepped, this,
            [this, spin](int steps) { m_workbench.stepSpin(spin, steps); });
    m_spins[indexOf(spin)] = arrows;
    return arrows;
}

QCheckBox* SignalWindow::addCheck(SignalCheck box, const char* name, const QString& caption,
                                  const QString& hint)
{
    auto* check = new QCheckBox(caption, this);
    check->setObjectName(QLatin1String(name));
    check->setStatusTip(hint);
    connect(check, &QCheckBox::clicked, this,
            [this, box](bool checked) { m_workbench.setChecked(box, checked); });
    m_checks[indexOf(box)] = check;
    return check;
}

void SignalWindow::bindWorkbench()
{
    for (SignalList list :
         {SignalList::SignalComboBox1, SignalList::SignalComboBox2, SignalList::SignalComboBox3})
        showList(list);
    for (int i = 0; i < SignalFieldCount; ++i)
        showField(static_cast<SignalField>(i));
    for (std::size_t i = 0; i < m_checks.size(); ++i)
        m_checks[i]->setChecked(m_workbench.isChecked(static_cast<SignalCheck>(i)));
    m_caption->setText(m_workbench.caption());

    connect(&m_workbench, &SignalWorkbench::listChanged, this, &SignalWindow::showList);
    connect(&m_workbench, &SignalWorkbench::textChanged, this, &SignalWindow::showField);
    connect(&m_workbench, &SignalWorkbench::enabledChanged, this, &SignalWindow::showField);
    connect(&m_workbench, &SignalWorkbench::checkedChanged, this, [this](SignalCheck box) {
        m_checks[indexOf(box)]->setChecked(m_workbench.isChecked(box));
    });
    connect(&m_workbench, &SignalWorkbench::captionChanged, this,
            [this] { m_caption->setText(m_workbench.caption()); });
    connect(&m_workbench, &SignalWorkbench::curvesChanged, this, &SignalWindow::redraw);
}

void SignalWindow::showValueRange()
{
    const double minimum = m_workbench.verticalMinimum();
    const double maximum = m_workbench.verticalMaximum();
    SetRangeAndTickInterval(*m_valueAxis, minimum, maximum, RoundStep(maximum - minimum));
}

void SignalWindow::showList(SignalList list)
{
    QComboBox* box = m_lists[indexOf(list)];
    // With no item chosen the list shows where its signal came from, if anywhere.
    box->setPlaceholderText(m_workbench.listText(list));
    box->setCurrentIndex(m_workbench.listIndex(list));
}

void SignalWindow::showField(SignalField field)
{
    QLineEdit* edit = m_fields[indexOf(field)];
    if (edit->text() != m_workbench.text(field))
        edit->setText(m_workbench.text(field));
    const bool enabled = m_workbench.isEnabled(field);
    edit->setEnabled(enabled);
    if (field == SignalField::SignalEdit1)
        m_spins[0]->setEnabled(enabled);
    else if (field == SignalField::SignalEdit2)
        m_spins[1]->setEnabled(enabled);
}

void SignalWindow::redraw(SignalStage from)
{
    std::array<QList<QPointF>, 3> curves;
    for (std::size_t stage = 0; stage < curves.size(); ++stage)
        curves[stage] = stage < static_cast<std::size_t>(from)
                            ? FullCurve(*m_series[stage])
                            : m_workbench.curve(static_cast<SignalStage>(stage));
    // The axes take their ranges before the new curves arrive, so each is thinned once: the
    // time axis fits the curves, the value axis follows the workbench's rule. The old curves of
    // the stages redrawn go first, so the new ranges do not thin them in vain.
    for (auto stage = static_cast<std::size_t>(from); stage < m_series.size(); ++stage)
        ThinnedCurve::show(*m_series[stage], {});
    m_chartView->undoZoom();
    qreal last = 0;
    for (const QList<QPointF>& curve : curves)
        if (!curve.isEmpty())
            last = std::max(last, curve.constLast().x());
    const qreal end = last > 0 ? last : 100;
    SetRangeAndTickInterval(*m_timeAxis, 0, end, RoundStep(end));
    showValueRange();
    m_chartView->setHomeRanges();
    for (auto stage = static_cast<std::size_t>(from); stage < m_series.size(); ++stage)
        ThinnedCurve::show(*m_series[stage], curves[stage]);
    QStringList notices{m_workbench.notice(), m_workbench.zeroOutputNote()};
    notices.removeAll(QString());
    m_notice->setText(notices.join(QStringLiteral("; ")));
    redrawSpectra();
}

} // namespace kinetra
