#pragma once

#include <QStringList>

namespace kinetra {

class ModelEditor;
struct ModelParams;

// The report's equipment and controller columns: each line a fixed label followed by the text of
// an editor field exactly as typed, added only when its parameter is given or its box checked.
// Both lists are cleared first.
void ComposeReportText(const ModelEditor& editor, const ModelParams& params,
                       QStringList& ReportEquipmentLines, QStringList& ReportControllerLines);

} // namespace kinetra
