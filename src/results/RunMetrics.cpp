#include "RunMetrics.h"

#include "DriveChecks.h"
#include "MotorDuty.h"
#include "RunView.h"

namespace kinetra {

QList<StepResponseField> RunMetrics(const RunView& view)
{
    QList<StepResponseField> fields = StepResponseFields(view.stepResponse);
    fields << ConverterLoadFields(view.converterLoad);
    if (view.motorDuty)
        fields << MotorDutyFields(*view.motorDuty);
    fields << FigureField("energyBalanceError", view.energyBalanceError);
    for (const DriveWarning warning : view.warnings)
        fields.append({"warning", QString::fromLatin1(DriveWarningKey(warning))});
    return fields;
}

} // namespace kinetra
