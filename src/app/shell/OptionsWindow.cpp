#include "shell/OptionsWindow.h"

#include <QAction>
#include <QStatusTipEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "shell/ActionTable.h"

namespace kinetra {

namespace {

constexpr QSize ClientArea(471, 309);

// A button that runs a command and follows its action's enabled state.
QPushButton* commandButton(const QString& name, const QString& caption, QAction* action,
                           QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setStatusTip(action->statusTip());
    button->setEnabled(action->isEnabled());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
    return button;
}

} // namespace

OptionsWindow::OptionsWindow(const ActionTable& actions, QWidget* parent)
    : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("Options"));
    setWindowTitle(QStringLiteral("Параметры"));

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("oPageControl"));
    for (const auto& [name, caption] : {std::pair{"oFile", u"Файлы"},
                                        std::pair{"oResult", u"Моделирование"},
                                        std::pair{"oQuery", u"Запрос"}}) {
        auto* page = new QWidget(m_pages);
        page->setObjectName(QLatin1String(name));
        m_pages->addTab(page, QString::fromUtf16(caption));
    }
    // The query page is there only while the catalogue is connected.
    m_pages->setTabVisible(QueryPage, false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(commandButton(QStringLiteral("oOpenBtn"), QStringLiteral("&Открыть..."),
                                     actions.action(Command::aOpen), this));
    buttons->addWidget(commandButton(QStringLiteral("oSaveBtn"),
                                     actions.action(Command::aSaveAs)->text(),
                                     actions.action(Command::aSaveAs), this));
    buttons->addStretch();
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
    close->setObjectName(QStringLiteral("oCloseBtn"));
    close->setStatusTip(QStringLiteral("Закрыть окно"));
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    buttons->addWidget(close);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("oStatusBar"));
    m_statusBar->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 0);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_statusBar);
    setFixedSize(ClientArea);
}

bool OptionsWindow::event(QEvent* event)
{
    // The status bar shows the hint of the control under the pointer, as a main window's does.
    if (event->type() == QEvent::StatusTip) {
        m_statusBar->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QWidget::event(event);
}

int OptionsWindow::currentPage() const
{
    return m_pages->currentIndex();
}

void OptionsWindow::setCurrentPage(int page)
{
    m_pages->setCurrentIndex(page);
}

} // namespace kinetra
