#include "model/ModelWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>

#include "model/FormPages.h"
#include "shell/ActionTable.h"
#include "shell/MenuEntries.h"
#include "shell/ModelDocument.h"

namespace kinetra {

namespace {

// The model window's client area, under its menu bar.
constexpr QSize ClientArea(647, 394);

} // namespace

ModelWindow::ModelWindow(ModelEditor& editor, ModelDocument& document, const ActionTable& actions,
                         QWidget* parent)
    : QMainWindow(parent), m_document(document)
{
    setObjectName(QStringLiteral("Model"));
    setWindowTitle(document.caption());
    connect(&document, &ModelDocument::captionChanged, this, &QWidget::setWindowTitle);

    createMenus(actions);

    AddCommandToolBar(*this, QStringLiteral("ToolBar"), actions,
                      {Command::aNew, Command::aOpen, Command::aSave, Bar, Command::aCut,
                       Command::aCopy, Command::aPaste, Bar, Command::aResult, Command::aDbase,
                       Command::aSignal, Command::aParams, Bar, Command::aHelp});

    m_pages = new FormPages(editor, this);
    setCentralWidget(m_pages);
    // The pop-up menu of the pages and of every edit box on them.
    m_pages->setContextMenuPolicy(Qt::ActionsContextMenu);
    AddEntries(m_pages, actions,
               {Command::aCut, Command::aCopy, Command::aPaste, Bar, Command::aResult,
                Command::aDbase, Command::aSignal, Command::aParams});
    for (std::size_t i = 0; i < EditFieldCount; ++i) {
        QLineEdit* edit = m_pages->edit(static_cast<EditField>(i));
        edit->setContextMenuPolicy(Qt::ActionsContextMenu);
        edit->addActions(m_pages->actions());
    }

    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setSizeGripEnabled(false);
    actions.addShortcutsTo(this);

    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint);
    setFixedSize(ClientArea.width(), ClientArea.height() + menuBar()->sizeHint().height());
}

void ModelWindow::createMenus(const ActionTable& actions)
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));

    QMenu* file = bar->addMenu(QStringLiteral("&Файл"));
    AddEntries(file, actions, {Command::aNew, Command::aOpen, Bar, Command::aSave});
    // Save As shows under its own caption here, and runs the same command.
    QAction* saveAs = file->addAction(QStringLiteral("Сохранить &как..."));
    saveAs->setObjectName(QStringLiteral("aSaveAsModel"));
    saveAs->setStatusTip(QStringLiteral("Сохранить новую модель"));
    connect(saveAs, &QAction::triggered, actions.action(Command::aSaveAs), &QAction::trigger);
    AddEntries(file, actions, {Bar, Command::aExit});

    AddEntries(bar->addMenu(QStringLiteral("&Правка")), actions,
               {Command::aCut, Command::aCopy, Command::aPaste});
    AddEntries(bar->addMenu(QStringLiteral("&Окно")), actions,
               {Command::aResult, Command::aDbase, Command::aSignal, Command::aParams});
    AddEntries(bar->addMenu(QStringLiteral("&Справка")), actions,
               {Command::aHelp, Command::aAbout});
}

void ModelWindow::closeEvent(QCloseEvent* event)
{
    if (!m_document.CloseQuestion()) {
        event->ignore();
        return;
    }
    event->accept();
    emit closeAccepted();
}

} // namespace kinetra
