#pragma once

#include <QLatin1StringView>
#include <QString>

#include "editor/EditorControls.h"

// The object names of the editor's controls, by which the pages name their widgets and the
// binding finds them again.

namespace kinetra {

inline QString nameOf(EditField field)
{
    return QLatin1StringView(EditFieldNames[indexOf(field)]);
}
inline QString nameOf(CheckBox box)
{
    return QLatin1StringView(CheckBoxNames[indexOf(box)]);
}
inline QString nameOf(ListBox list)
{
    return QLatin1StringView(ListBoxNames[indexOf(list)]);
}
inline QString nameOf(Arrow arrow)
{
    return QLatin1StringView(ArrowNames[indexOf(arrow)]);
}
inline QString nameOf(Caption caption)
{
    return QLatin1StringView(CaptionNames[indexOf(caption)]);
}

// The label beside a field is named after it: MotorR1Edit's label is MotorR1Label.
inline QString labelNameOf(EditField field)
{
    QString name = nameOf(field);
    name.chop(qsizetype(sizeof("Edit") - 1));
    return name + QLatin1StringView("Label");
}

// The current/torque choice is one editor state shown on two radio buttons.
inline constexpr QLatin1StringView IRadioButtonName{"IRadioButton"};
inline constexpr QLatin1StringView MRadioButtonName{"MRadioButton"};

} // namespace kinetra
