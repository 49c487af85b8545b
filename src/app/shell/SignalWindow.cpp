#include "shell/SignalWindow.h"

#include <QMenuBar>
#include <QStatusBar>

#include "shell/MenuEntries.h"

namespace kinetra {

SignalWindow::SignalWindow(const ActionTable& actions, QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Signal"));
    setWindowTitle(QStringLiteral("Сигналы"));
    resize(655, 440);

    AddEntries(
        menuBar()->addMenu(QStringLiteral("&Файл")), actions,
        {Command::aNew, Command::aFromModel, Command::aToModel, Command::aSaveAs, Command::aPrint});
    AddEntries(menuBar()->addMenu(QStringLiteral("&Окно")), actions,
               {Command::aModel, Command::aResult, Command::aDbase, Command::aParams});
    AddEntries(menuBar()->addMenu(QStringLiteral("&Справка")), actions,
               {Command::aHelp, Command::aAbout});

    AddCommandToolBar(*this, QStringLiteral("ToolBarSignal"), actions,
                      {Command::aNew, Command::aFromModel, Command::aToModel, Bar, Command::aModel,
                       Command::aResult, Command::aDbase, Command::aParams, Bar, Command::aHelp});

    setContextMenuPolicy(Qt::ActionsContextMenu);
    AddEntries(this, actions,
               {Command::aNew, Command::aFromModel, Command::aToModel, Command::aSaveAs,
                Command::aPrint, Bar, Command::aModel, Command::aResult, Command::aDbase,
                Command::aParams});

    statusBar()->setObjectName(QStringLiteral("StatusBarSignal"));
}

} // namespace kinetra
