#include "shell/DbaseWindow.h"

#include <QMenuBar>
#include <QStatusBar>

#include "shell/MenuEntries.h"

namespace kinetra {

DbaseWindow::DbaseWindow(const ActionTable& actions, QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Dbase"));
    setWindowTitle(QStringLiteral("База данных Kinetra "));
    resize(700, 440);

    AddEntries(menuBar()->addMenu(QStringLiteral("&Файл")), actions,
               {Command::aToModel, Command::aSaveAs, Command::aPrint});
    AddEntries(menuBar()->addMenu(QStringLiteral("&Правка")), actions, {Command::aSort});
    AddEntries(menuBar()->addMenu(QStringLiteral("&Окно")), actions,
               {Command::aModel, Command::aResult, Command::aSignal, Command::aParams});
    AddEntries(menuBar()->addMenu(QStringLiteral("&Справка")), actions,
               {Command::aHelp, Command::aAbout});

    AddCommandToolBar(*this, QStringLiteral("ToolBarDbase"), actions,
                      {Command::aToModel, Command::aSort, Bar, Command::aModel, Command::aResult,
                       Command::aSignal, Command::aParams, Bar, Command::aHelp});

    setContextMenuPolicy(Qt::ActionsContextMenu);
    AddEntries(this, actions,
               {Command::aToModel, Command::aSaveAs, Bar, Command::aSort, Bar, Command::aModel,
                Command::aResult, Command::aSignal, Command::aParams});

    statusBar()->setObjectName(QStringLiteral("StatusBarDbase"));
}

} // namespace kinetra
