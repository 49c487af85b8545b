#include "shell/ResultWindow.h"

#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "shell/MenuEntries.h"

namespace kinetra {

ResultWindow::ResultWindow(const ActionTable& actions, QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Result"));
    setWindowTitle(QStringLiteral("Результат Kinetra"));
    resize(760, 520);

    AddEntries(menuBar()->addMenu(QStringLiteral("&Файл")), actions,
               {Command::aSaveAs, Command::aReport, Command::aPrint});
    AddEntries(menuBar()->addMenu(QStringLiteral("&Окно")), actions,
               {Command::aModel, Command::aDbase, Command::aSignal, Command::aParams});
    AddEntries(menuBar()->addMenu(QStringLiteral("&Справка")), actions,
               {Command::aHelp, Command::aAbout});

    QToolBar* toolBar = addToolBar(QStringLiteral("ToolBarResult"));
    toolBar->setObjectName(QStringLiteral("ToolBarResult"));
    toolBar->setMovable(false);
    toolBar->setIconSize(QSize(16, 16));
    AddEntries(toolBar, actions,
               {Command::aReport, Bar, Command::aModel, Command::aDbase, Command::aSignal,
                Command::aParams, Bar, Command::aHelp});

    statusBar()->setObjectName(QStringLiteral("StatusBarResult"));
}

} // namespace kinetra
