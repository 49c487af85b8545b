#include "SignalExchange.h"

#include "ResultsActivation.h"
#include "RunCharts.h"
#include "SignalWorkbench.h"
#include "editor/ModelEditor.h"

namespace kinetra {

void SendToModel(SignalWorkbench& workbench, ModelEditor& editor, SignalUse use,
                 ResultsActivation& results)
{
    workbench.SignalCalcForRun();
    if (!editor.isChecked(CheckBox::dMVarCheckBox) && !editor.isChecked(CheckBox::refCheckBox))
        editor.setChecked(
            use == SignalUse::Control ? CheckBox::refCheckBox : CheckBox::dMVarCheckBox, true);
    if (editor.isChecked(CheckBox::refCheckBox))
        editor.setChecked(CheckBox::dMVarCheckBox, false);
    if (editor.isChecked(CheckBox::dMVarCheckBox))
        editor.setChecked(CheckBox::refCheckBox, false);
    results.forgetLastRun();
}

ModelCurves CurvesToTake(const RunCharts& charts)
{
    const ChartData& dynamics = charts.dynamics;
    const CurveData* loop = dynamics.curve(CurveRole::TorqueOrCurrent);
    const CurveData* speed = dynamics.curve(CurveRole::MechanismSpeed);
    // Nothing drawn: no limits to divide by.
    if (!loop || !speed || loop->points.isEmpty())
        return {};
    return {loop->points, speed->points, dynamics.horizontal.maximum, dynamics.left.maximum,
            dynamics.right.maximum};
}

} // namespace kinetra
