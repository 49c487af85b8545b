#include "shell/ActionTable.h"

#include <QAction>
#include <QIcon>
#include <QWidget>

namespace kinetra {

namespace {

struct ActionSpec {
    Command command;
    const char16_t* caption;
    const char16_t* hint;
    QKeySequence shortcut;
    const char* icon; // resource name, or nullptr
};

const QString IconFolder = QStringLiteral(":/icons/");

const std::array<ActionSpec, CommandCount>& actionSpecs()
{
    static const std::array<ActionSpec, CommandCount> specs{{
        {Command::aNew, u"Соз&дать...", u"Создать", QKeySequence(Qt::CTRL | Qt::Key_N), "00-new"},
        {Command::aOpen, u"&Открыть...", u"Открыть", QKeySequence(Qt::CTRL | Qt::Key_O), "01-open"},
        {Command::aSave, u"&Сохранить", u"Сохранить", QKeySequence(Qt::CTRL | Qt::Key_S),
         "02-save"},
        {Command::aSaveAs, u"Со&хранить...", u"Сохранить", {}, nullptr},
        {Command::aPrint, u"&Печать...", u"Печать", QKeySequence(Qt::CTRL | Qt::Key_P), "10-print"},
        {Command::aExit, u"В&ыход", u"Завершение программы", {}, nullptr},
        {Command::aCopy, u"&Копировать", u"Копировать", QKeySequence(Qt::CTRL | Qt::Key_Insert),
         "04-copy"},
        {Command::aCut, u"&Вырезать", u"Вырезать", QKeySequence(Qt::SHIFT | Qt::Key_Delete),
         "03-cut"},
        {Command::aPaste, u"Вст&авить", u"Вставить", QKeySequence(Qt::SHIFT | Qt::Key_Insert),
         "05-paste"},
        {Command::aModel, u"Мо&дель...", u"Модель", QKeySequence(Qt::Key_F5), "06-model"},
        {Command::aResult, u"&Моделирование...", u"Моделирование", QKeySequence(Qt::Key_F6),
         "07-simulate"},
        {Command::aDbase, u"&База данных...", u"База данных", QKeySequence(Qt::Key_F7),
         "08-database"},
        {Command::aSignal, u"&Сигналы...", u"Сигналы", QKeySequence(Qt::Key_F8), "16-signals"},
        {Command::aParams, u"&Параметры...", u"Параметры", QKeySequence(Qt::Key_F12),
         "14-settings"},
        {Command::aHelp, u"&Справка...", u"Вызов справки", QKeySequence(Qt::Key_F1), "09-help"},
        {Command::aAbout, u"О &программе...", u"О программе", {}, "06-model"},
        {Command::aReport, u"От&чет...", u"Просмотр, сохранение и печать отчета", {}, "12-report"},
        {Command::aToModel, u"&Отправить в модель", u"Отправить в модель", {}, "13-to-model"},
        {Command::aFromModel,
         u"&Принять из модели",
         u"Принять результат моделирования",
         {},
         "17-from-model"},
        {Command::aSort,
         u"&Сортировать",
         u"Сортировать по выбранному полю",
         {},
         "11-sort-ascending"},
    }};
    return specs;
}

} // namespace

ActionTable::ActionTable(QObject* parent) : QObject(parent)
{
    for (const ActionSpec& spec : actionSpecs()) {
        auto* action = new QAction(QString::fromUtf16(spec.caption), this);
        action->setObjectName(QLatin1String(CommandNames[static_cast<std::size_t>(spec.command)]));
        action->setStatusTip(QString::fromUtf16(spec.hint));
        action->setToolTip(QString::fromUtf16(spec.hint));
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
