#pragma once

#include <optional>

#include <QString>
#include <QStringList>

#include "text/KeyValueText.h"

namespace kinetra {

class SignalWorkbench;

// The signals workbench as a user sets it in the window: list indices (-1 for no choice), and
// the texts typed into the fields, read with the program's decimal separator.
struct SignalSettings {
    int wave = 0;
    QString periods;
    std::optional<int> channel;
    QString channelMs;
    std::optional<int> filter;
    QStringList coefficients; // T1, T2, K1, T3, T4, K2; empty when not given
    QString outPath;          // where the command line writes the series, when not empty
};

// Sets the workbench as the window's user would, in the order waveform, periodicity, channel,
// its parameter, filter, coefficients. A pinned coefficient's field takes no text.
void ShapeSignal(const SignalSettings& settings, SignalWorkbench& workbench);

// What the workbench's controls hold now.
SignalSettings CurrentSettings(const SignalWorkbench& workbench);

// The settings file's section that keeps the workbench between runs of the program.
inline constexpr const char16_t* WorkbenchSection = u"[Signal]";
// The section's key lines, and the settings they give back; keys that are missing or unreadable
// leave the workbench's first choices.
KeyValueText WorkbenchLines(const SignalSettings& settings);
SignalSettings WorkbenchFromLines(const KeyValueText& lines);

} // namespace kinetra
