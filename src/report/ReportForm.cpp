#include "ReportForm.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cmath>

#include "ReportComposition.h"

namespace kinetra {

namespace {

constexpr double MillimetresPerInch = 25.4;
constexpr double ScreenDpi = 96;
constexpr double ChartHeight = 52.9;
constexpr double DynamicsLeft = 0.5;
constexpr double ColumnHeight = 179.9;

} // namespace

ReportForm::ReportForm()
    : m_dynamics{QRectF(DynamicsLeft, 0, 89.7, ChartHeight)}, m_statics{QRectF(90.0, -3.2, 81.8,
                                                                               ChartHeight)},
      m_equipment{QRectF(0, -0.3, 52.9, ColumnHeight), true, {}},
      m_controllers{QRectF(56.4, 0.8, 52.9, ColumnHeight), true, {}},
      m_analysis{QRectF(112.4, -0.3, 57.2, ColumnHeight), true, {}}
{
}

double ReportForm::truncatedToPixels(double millimetres)
{
    const double pixels = std::floor(millimetres * ScreenDpi / MillimetresPerInch);
    return pixels * MillimetresPerInch / ScreenDpi;
}

void ReportForm::compose(const ModelEditor& editor, const ModelParams& params,
                         const QString& modelFileName, const QStringList& analysisLines,
                         const ReportSwitches& switches, const QStringList& marginLines)
{
    ComposeReportText(editor, params, m_equipment.lines, m_controllers.lines);
    if (switches.margins)
        m_controllers.lines << marginLines;
    m_title =
        QCoreApplication::translate("ReportForm", "Модель ") + QFileInfo(modelFileName).fileName();
    m_analysis.lines = analysisLines;

    QRectF& dynamics = m_dynamics.place;
    QRectF& statics = m_statics.place;
    dynamics.moveLeft(DynamicsLeft);
    dynamics.setWidth(truncatedToPixels(0.55 * BandWidth));
    statics.setWidth(truncatedToPixels(0.45 * BandWidth));
    statics.moveLeft(dynamics.left() + dynamics.width());
    m_dynamics.enabled = m_statics.enabled = m_detailEnabled = true;
    m_equipment.enabled = m_controllers.enabled = m_analysis.enabled = true;

    if (switches.dynamics && !switches.statics) {
        dynamics.setLeft(0);
        dynamics.setWidth(BandWidth);
        m_statics.enabled = false;
    } else if (!switches.dynamics && switches.statics) {
        statics.setLeft(0);
        statics.setWidth(BandWidth);
        m_dynamics.enabled = false;
    } else if (!switches.dynamics && !switches.statics) {
        m_detailEnabled = false;
    }
    m_equipment.enabled = switches.equipment;
    m_controllers.enabled = switches.controllers;
    m_analysis.enabled = switches.analysis;
}

} // namespace kinetra
