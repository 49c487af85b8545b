#include "SignalExchange.h"

#include "ResultsActivation.h"
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

} // namespace kinetra
