#include "model/ModelWindow.h"

#include <utility>

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "editor/EditHistory.h"
#include "model/FormPages.h"
#include "shell/ActionTable.h"
#include "shell/MenuEntries.h"
#include "shell/ModelDocument.h"

namespace kinetra {

namespace {

// The model window's client area, under its menu bar.
constexpr QSize ClientArea(647, 394);

} // namespace

ModelWindow::ModelWindow(ModelEditor& editor, EditHistory& history, ModelDocument& document,
                         const ActionTable& actions, QWidget* parent)
    : QMainWindow(parent), m_document(document), m_history(history)
{
    setObjectName(QStringLiteral("Model"));
    showTitle();
    connect(&document, &ModelDocument::captionChanged, this, &ModelWindow::showTitle);
    connect(&document, &ModelDocument::modifiedChanged, this, &ModelWindow::showTitle);

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
    // The boxes' own undo knows one box only; the keys undo the model's steps instead.
    for (QLineEdit* edit : m_pages->findChildren<QLineEdit*>())
        edit->installEventFilter(this);

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

    QMenu* file = bar->addMenu(tr("&Файл"));
    AddEntries(file, actions, {Command::aNew, Command::aOpen, Bar, Command::aSave});
    // Save As shows under its own caption here, and runs the same command.
    QAction* saveAs = file->addAction(tr("Сохранить &как..."));
    saveAs->setObjectName(QStringLiteral("aSaveAsModel"));
    saveAs->setStatusTip(tr("Сохранить новую модель"));
    connect(saveAs, &QAction::triggered, actions.action(Command::aSaveAs), &QAction::trigger);
    m_recentStart = file->addSeparator();
    m_recentStart->setVisible(false);
    AddEntries(file, actions, {Bar, Command::aExit});

    QMenu* edit = bar->addMenu(tr("&Правка"));
    createHistoryEntries(edit);
    AddEntries(edit, actions, {Command::aCut, Command::aCopy, Command::aPaste});
    AddEntries(bar->addMenu(tr("&Окно")), actions,
               {Command::aResult, Command::aDbase, Command::aSignal, Command::aParams});
    AddEntries(bar->addMenu(tr("&Справка")), actions, {Command::aHelp, Command::aAbout});
}

void ModelWindow::createHistoryEntries(QMenu* edit)
{
    m_undo = edit->addAction(tr("&Отменить"));
    m_undo->setObjectName(QStringLiteral("aUndo"));
    m_undo->setStatusTip(tr("Отменить последнее изменение модели"));
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = edit->addAction(tr("&Повторить"));
    m_redo->setObjectName(QStringLiteral("aRedo"));
    m_redo->setStatusTip(tr("Повторить отмененное изменение модели"));
    m_redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addSeparator();
    connect(m_undo, &QAction::triggered, &m_history, &EditHistory::undo);
    connect(m_redo, &QAction::triggered, &m_history, &EditHistory::redo);
    const auto follow = [this] {
        m_undo->setEnabled(m_history.canUndo());
        m_redo->setEnabled(m_history.canRedo());
    };
    connect(&m_history, &EditHistory::changed, this, follow);
    follow();
}

void ModelWindow::setRecentFiles(const QStringList& files)
{
    qDeleteAll(std::exchange(m_recentEntries, {}));
    QMenu* file = qobject_cast<QMenu*>(m_recentStart->parent());
    QAction* exitBar = file->actions().at(file->actions().indexOf(m_recentStart) + 1);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString& path = files.at(i);
        // An "&" of the name is shown, not taken for the entry's key.
        const QString name = QFileInfo(path).fileName().replace(u'&', QStringLiteral("&&"));
        auto* entry = new QAction(QStringLiteral("&%1 %2").arg(QString::number(i + 1), name), file);
        entry->setStatusTip(QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, path] { emit recentFileChosen(path); });
        file->insertAction(exitBar, entry);
        m_recentEntries.append(entry);
    }
    m_recentStart->setVisible(!files.isEmpty());
}

void ModelWindow::showTitle()
{
    // The designed caption, and a mark while the model has unsaved changes.
    setWindowTitle(m_document.caption() +
                   (m_document.isModified() ? QStringLiteral("*") : QString()));
}

bool ModelWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)) {
            // Left unaccepted, the key goes to the window's undo and redo.
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
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
