#pragma once

#include <initializer_list>
#include <optional>

#include "shell/Commands.h"

class QMainWindow;
class QString;
class QToolBar;
class QWidget;

namespace kinetra {

class ActionTable;

// An entry of a menu, tool bar or pop-up menu: a command's action, or a bar (nullopt).
using MenuEntry = std::optional<Command>;
inline constexpr MenuEntry Bar = std::nullopt;

// Adds the entries to a menu, tool bar or widget whose context menu shows its actions.
void AddEntries(QWidget* target, const ActionTable& actions,
                std::initializer_list<MenuEntry> entries);

// A window's fixed tool bar of 16×16 command buttons with these entries.
QToolBar* AddCommandToolBar(QMainWindow& window, const QString& name, const ActionTable& actions,
                            std::initializer_list<MenuEntry> entries);

} // namespace kinetra
