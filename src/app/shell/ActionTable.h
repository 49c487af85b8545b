#pragma once

#include <QObject>

#include <array>

#include "shell/Commands.h"

class QAction;
class QWidget;

namespace kinetra {

// The actions of all user commands with their captions, hints, shortcuts and icons. The shortcuts
// are application-wide, so they work in every window that shows the action.
class ActionTable final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ActionTable)

public:
    explicit ActionTable(QObject* parent = nullptr);

    QAction* action(Command command) const { return m_actions[static_cast<std::size_t>(command)]; }

    // Makes every shortcut reach its action while this window is active, also for commands that
    // none of its menus shows.
    void addShortcutsTo(QWidget* window) const;

private:
    std::array<QAction*, CommandCount> m_actions{};
};

} // namespace kinetra
