#include "shell/MenuEntries.h"

#include <QAction>
#include <QWidget>

#include "shell/ActionTable.h"

namespace kinetra {

void AddEntries(QWidget* target, const ActionTable& actions,
                std::initializer_list<MenuEntry> entries)
{
    for (const MenuEntry& entry : entries) {
        if (entry) {
            target->addAction(actions.action(*entry));
            continue;
        }
        auto* bar = new QAction(target);
        bar->setSeparator(true);
        target->addAction(bar);
    }
}

} // namespace kinetra
