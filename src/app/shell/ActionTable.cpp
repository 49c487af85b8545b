#include "shell/ActionTable.h"

#include <QAction>
#include <QIcon>
#include <QWidget>

namespace kinetra {

namespace {

// The captions and hints are source texts, translated when the actions are made.
struct ActionSpec {
    Command command;
    const char* caption;
    const char* hint;
    QKeySequence shortcut;
    const char* icon; // resource name, or nullptr
};

const QString IconFolder = QStringLiteral(":/icons/");

const std::array<ActionSpec, CommandCount>& actionSpecs()
{
    static const std::array<ActionSpec, CommandCount> specs{{
        {Command::aNew, QT_TRANSLATE_NOOP("kinetra::ActionTable", "Соз&дать..."),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Создать"), QKeySequence(Qt::CTRL | Qt::Key_N),
         "00-new"},
        {Command::aOpen, QT_TRANSLATE_NOOP("kinetra::ActionTable", "&Открыть..."),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Открыть"), QKeySequence(Qt::CTRL | Qt::Key_O),
         "01-open"},
        {Command::aSave, QT_TRANSLATE_NOOP("kinetra::ActionTable", "&Сохранить"),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Сохранить"), QKeySequence(Qt::CTRL | Qt::Key_S),
         "02-save"},
        {Command::aSaveAs,
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Со&хранить..."),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Сохранить"),
         {},
         nullptr},
        {Command::aPrint, QT_TRANSLATE_NOOP("kinetra::ActionTable", "&Печать..."),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Печать"), QKeySequence(Qt::CTRL | Qt::Key_P),
         "10-print"},
        {Command::aExit,
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "В&ыход"),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Завершение программы"),
         {},
         nullptr},
        {Command::aCopy, QT_TRANSLATE_NOOP("kinetra::ActionTable", "&Копировать"),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Копировать"),
         QKeySequence(Qt::CTRL | Qt::Key_Insert), "04-copy"},
        {Command::aCut, QT_TRANSLATE_NOOP("kinetra::ActionTable", "&Вырезать"),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Вырезать"),
         QKeySequence(Qt::SHIFT | Qt::Key_Delete), "03-cut"},
        {Command::aPaste, QT_TRANSLATE_NOOP("kinetra::ActionTable", "Вст&авить"),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Вставить"),
         QKeySequence(Qt::SHIFT | Qt::Key_Insert), "05-paste"},
        {Command::aModel, QT_TRANSLATE_NOOP("kinetra::ActionTable", "Мо&дель..."),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Модель"), QKeySequence(Qt::Key_F5), "06-model"},
        {Command::aResult, QT_TRANSLATE_NOOP("kinetra::ActionTable", "&Моделирование..."),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Моделирование"), QKeySequence(Qt::Key_F6),
         "07-simulate"},
        {Command::aDbase, QT_TRANSLATE_NOOP("kinetra::ActionTable", "&База данных..."),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "База данных"), QKeySequence(Qt::Key_F7),
         "08-database"},
        {Command::aSignal, QT_TRANSLATE_NOOP("kinetra::ActionTable", "&Сигналы..."),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Сигналы"), QKeySequence(Qt::Key_F8),
         "16-signals"},
        {Command::aParams, QT_TRANSLATE_NOOP("kinetra::ActionTable", "&Параметры..."),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Параметры"), QKeySequence(Qt::Key_F12),
         "14-settings"},
        {Command::aHelp, QT_TRANSLATE_NOOP("kinetra::ActionTable", "&Справка..."),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Вызов справки"), QKeySequence(Qt::Key_F1),
         "09-help"},
        {Command::aAbout,
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "О &программе..."),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "О программе"),
         {},
         "06-model"},
        {Command::aReport,
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "От&чет..."),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Просмотр, сохранение и печать отчета"),
         {},
         "12-report"},
        {Command::aToModel,
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "&Отправить в модель"),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Отправить в модель"),
         {},
         "13-to-model"},
        {Command::aFromModel,
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "&Принять из модели"),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Принять результат моделирования"),
         {},
         "17-from-model"},
        {Command::aSort,
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "&Сортировать"),
         QT_TRANSLATE_NOOP("kinetra::ActionTable", "Сортировать по выбранному полю"),
         {},
         "11-sort-ascending"},
    }};
    return specs;
}

} // namespace

ActionTable::ActionTable(QObject* parent) : QObject(parent)
{
    for (const ActionSpec& spec : actionSpecs()) {
        auto* action = new QAction(tr(spec.caption), this);
        action->setObjectName(QLatin1String(CommandNames[static_cast<std::size_t>(spec.command)]));
        const QString hint = tr(spec.hint);
        action->setStatusTip(hint);
        action->setToolTip(hint);
        action->setShortcut(spec.shortcut);
        action->setShortcutContext(Qt::ApplicationShortcut);
        if (spec.icon)
            action->setIcon(QIcon(IconFolder + QLatin1String(spec.icon) + QStringLiteral(".svg")));
        m_actions[static_cast<std::size_t>(spec.command)] = action;
    }
    // The report exists only after a successful run.
    action(Command::aReport)->setEnabled(false);
}

void ActionTable::addShortcutsTo(QWidget* window) const
{
    for (QAction* action : m_actions)
        window->addAction(action);
}

} // namespace kinetra
