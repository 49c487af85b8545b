#include "database/DbaseWindow.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

#include "database/CatalogueTableModel.h"
#include "editor/MessageSink.h"
#include "shell/ActionTable.h"
#include "shell/MenuEntries.h"

namespace kinetra {

namespace {

using Move = CatalogueBrowser::RecordMove;

// The texts untranslated.
struct RecordEntry {
    Move move;
    const char* caption;
    const char* hint;
};

// The menu's record entries, in the order of RecordMove.
constexpr std::array<RecordEntry, 4> RecordEntries{{
    {Move::Next, QT_TRANSLATE_NOOP("kinetra::DbaseWindow", "&Следующая запись"),
     QT_TRANSLATE_NOOP("kinetra::DbaseWindow", "Следующая запись")},
    {Move::Prior, QT_TRANSLATE_NOOP("kinetra::DbaseWindow", "&Предыдущая запись"),
     QT_TRANSLATE_NOOP("kinetra::DbaseWindow", "Предыдущая запись")},
    {Move::Last, QT_TRANSLATE_NOOP("kinetra::DbaseWindow", "Последня&я запись"),
     QT_TRANSLATE_NOOP("kinetra::DbaseWindow", "Последняя запись")},
    {Move::First, QT_TRANSLATE_NOOP("kinetra::DbaseWindow", "Перв&ая запись"),
     QT_TRANSLATE_NOOP("kinetra::DbaseWindow", "Первая запись")},
}};

struct NavigatorButton {
    Move move;
    const char* icon;
    const char* hint; // untranslated
};

// The navigator's buttons from left to right.
constexpr std::array<NavigatorButton, 4> NavigatorButtons{{
    {Move::First, "record-first", QT_TRANSLATE_NOOP("kinetra::DbaseWindow", "В начало")},
    {Move::Prior, "record-prior", QT_TRANSLATE_NOOP("kinetra::DbaseWindow", "Предыдущая")},
    {Move::Next, "record-next", QT_TRANSLATE_NOOP("kinetra::DbaseWindow", "Следующая")},
    {Move::Last, "record-last", QT_TRANSLATE_NOOP("kinetra::DbaseWindow", "В конец")},
}};

constexpr int HintPanelWidth = 250;
constexpr int PositionPanelWidth = 400;
constexpr int MaxColumnWidth = 240;

QLabel* statusPanel(const QString& name, int width, QWidget* parent)
{
    auto* panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setFixedWidth(width);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return panel;
}

} // namespace

DbaseWindow::DbaseWindow(const ActionTable& actions, CatalogueBrowser& browser,
                         MessageSink& messages, QWidget* parent)
    : QMainWindow(parent), m_browser(browser), m_messages(messages)
{
    setObjectName(QStringLiteral("Dbase"));
    setWindowTitle(tr("База данных Kinetra "));
    resize(655, 440);

    AddEntries(menuBar()->addMenu(tr("&Файл")), actions,
               {Command::aToModel, Command::aSaveAs, Command::aPrint});
    QMenu* edit = menuBar()->addMenu(tr("&Правка"));
    AddEntries(edit, actions, {Command::aSort, Bar});
    for (std::size_t i = 0; i < RecordEntries.size(); ++i) {
        const RecordEntry& entry = RecordEntries[i];
        QAction* action = edit->addAction(tr(entry.caption));
        action->setStatusTip(tr(entry.hint));
        connect(action, &QAction::triggered, this,
                [this, move = entry.move] { m_browser.mdNavigation(move); });
        m_recordEntries[i] = action;
    }
    AddEntries(menuBar()->addMenu(tr("&Окно")), actions,
               {Command::aModel, Command::aResult, Command::aSignal, Command::aParams});
    AddEntries(menuBar()->addMenu(tr("&Справка")), actions, {Command::aHelp, Command::aAbout});

    QToolBar* toolBar = AddCommandToolBar(*this, QStringLiteral("ToolBarDbase"), actions,
                                          {Bar, Command::aToModel, Command::aSort, Bar,
                                           Command::aModel, Command::aResult, Command::aSignal,
                                           Command::aParams, Bar, Command::aHelp});
    m_selector = new QComboBox(toolBar);
    m_selector->setObjectName(QStringLiteral("bdComboBox"));
    m_selector->setToolTip(tr("Таблицы"));
    m_selector->setMinimumContentsLength(22);
    m_selector->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // Query mode shows "Запрос", which is none of the tables.
    m_selector->setPlaceholderText(CatalogueBrowser::queryMarker());
    QAction* first = toolBar->actions().constFirst();
    toolBar->insertWidget(first, m_selector);
    toolBar->insertWidget(first, createNavigator());
    connect(m_selector, &QComboBox::activated, &m_browser, &CatalogueBrowser::bdComboBoxChange);

    setContextMenuPolicy(Qt::ActionsContextMenu);
    AddEntries(this, actions,
               {Command::aToModel, Command::aSaveAs, Bar, Command::aSort, Bar, Command::aModel,
                Command::aResult, Command::aSignal, Command::aParams});

    m_model = new CatalogueTableModel(m_browser, this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("bdDBGrid"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setTabKeyNavigation(true);
    m_grid->setWordWrap(false);
    m_grid->setContextMenuPolicy(Qt::NoContextMenu);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // A click on a column's title sorts by that column; the title shows the direction.
    m_grid->horizontalHeader()->setSectionsClickable(true);
    m_grid->horizontalHeader()->setSortIndicatorShown(true);
    m_grid->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_grid->horizontalHeader()->setHighlightSections(false);
    QHeaderView* indicator = m_grid->verticalHeader();
    indicator->setSectionResizeMode(QHeaderView::Fixed);
    indicator->setDefaultSectionSize(m_grid->fontMetrics().height() + 4);
    indicator->setFixedWidth(16);
    indicator->setSectionsClickable(false);
    m_grid->installEventFilter(this);
    setCentralWidget(m_grid);
    connect(m_grid, &QTableView::doubleClicked, this, &DbaseWindow::showMemo);

    statusBar()->setObjectName(QStringLiteral("StatusBarDbase"));
    m_hintPanel = statusPanel(QStringLiteral("StatusPanel0"), HintPanelWidth, statusBar());
    m_positionPanel = statusPanel(QStringLiteral("StatusPanel1"), PositionPanelWidth, statusBar());
    statusBar()->addWidget(m_hintPanel);
    statusBar()->addWidget(m_positionPanel);

    connect(&m_browser, &CatalogueBrowser::tableListChanged, this, [this] {
        const QSignalBlocker quiet(m_selector);
        m_selector->clear();
        m_selector->addItems(m_browser.tableNames());
        followSelector();
    });
    connect(&m_browser, &CatalogueBrowser::selectorTextChanged, this, &DbaseWindow::followSelector);
    connect(&m_browser, &CatalogueBrowser::currentRecordChanged, this,
            &DbaseWindow::followCurrentRecord);
    connect(&m_browser, &CatalogueBrowser::statusChanged, this, &DbaseWindow::followStatus);
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_browser.sortByColumn(column);
        followSortOrder();
    });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (m_following || !current.isValid())
                    return;
                m_browser.setSelectedColumn(current.column());
                m_browser.moveTo(current.row());
            });
    // The grid reads a data set anew as a whole, and finds its current record again.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_grid->resizeColumnsToContents();
        // A long note would push every other column out of sight; the user can widen it.
        for (int column = 0; column < m_model->columnCount(); ++column)
            m_grid->setColumnWidth(column, std::min(m_grid->columnWidth(column), MaxColumnWidth));
        followCurrentRecord(m_browser.dataSet().currentRow());
        followSortOrder();
    });
    followStatus();
}

void DbaseWindow::followSortOrder()
{
    const RecordSet& records = m_browser.dataSet();
    m_grid->horizontalHeader()->setSortIndicator(records.sortedField(), records.sortedAscending()
                                                                            ? Qt::AscendingOrder
                                                                            : Qt::DescendingOrder);
}

QWidget* DbaseWindow::createNavigator()
{
    auto* navigator = new QToolBar(this);
    navigator->setObjectName(QStringLiteral("bdDBNavigator"));
    navigator->setToolTip(tr("Записи"));
    navigator->setIconSize(QSize(16, 16));
    navigator->setStyleSheet(QStringLiteral("QToolBar { border: 0; }"));
    for (std::size_t i = 0; i < NavigatorButtons.size(); ++i) {
        const NavigatorButton& button = NavigatorButtons[i];
        QAction* action = navigator->addAction(
            QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(button.icon))),
            tr(button.hint));
        action->setToolTip(tr(button.hint));
        connect(action, &QAction::triggered, this,
                [this, move = button.move] { m_browser.mdNavigation(move); });
        m_navigatorButtons[i] = action;
    }
    return navigator;
}

QAction* DbaseWindow::recordEntry(CatalogueBrowser::RecordMove move) const
{
    return m_recordEntries[static_cast<std::size_t>(move)];
}

bool DbaseWindow::event(QEvent* event)
{
    // The status bar carries the two panels only; hints show as tool tips.
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(event);
}

bool DbaseWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Any character key reads the memo, Enter included; Tab keeps moving between cells.
        if (!key->text().isEmpty() && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab)
            showMemo();
    }
    return QMainWindow::eventFilter(watched, event);
}

void DbaseWindow::followSelector()
{
    const QSignalBlocker quiet(m_selector);
    m_selector->setCurrentIndex(m_browser.inQueryMode() ? -1 : m_browser.selectedTable());
}

void DbaseWindow::followCurrentRecord(int row)
{
    for (std::size_t i = 0; i < NavigatorButtons.size(); ++i)
        m_navigatorButtons[i]->setEnabled(m_browser.canMove(NavigatorButtons[i].move));
    if (row < 0)
        return;
    const bool wasFollowing = std::exchange(m_following, true);
    const QModelIndex cell = m_model->index(row, std::max(0, m_browser.selectedColumn()));
    m_grid->setCurrentIndex(cell);
    m_grid->scrollTo(cell);
    m_following = wasFollowing;
}

void DbaseWindow::followStatus()
{
    m_hintPanel->setText(m_browser.hintPanel());
    m_positionPanel->setText(m_browser.positionPanel());
}

void DbaseWindow::showMemo()
{
    if (const std::optional<QString> memo = m_browser.memoText())
        m_messages.showMessage(*memo);
}

} // namespace kinetra
