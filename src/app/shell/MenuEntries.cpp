#include "shell/MenuEntries.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>
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

QToolBar* AddCommandToolBar(QMainWindow& window, const QString& name, const ActionTable& actions,
                            std::initializer_list<MenuEntry> entries)
{
    QToolBar* toolBar = window.addToolBar(name);
    toolBar->setObjectName(name);
    toolBar->setMovable(false);
    toolBar->setIconSize(QSize(16, 16));
    AddEntries(toolBar, actions, entries);
    return toolBar;
}

} // namespace kinetra
