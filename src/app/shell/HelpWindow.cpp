#include "shell/HelpWindow.h"

#include <QAction>
#include <QTextBrowser>
#include <QToolBar>

namespace kinetra {

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Help"));
    setWindowTitle(QStringLiteral("Справка Kinetra"));
    resize(720, 560);

    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(true);
    setCentralWidget(m_browser);

    QToolBar* toolBar = addToolBar(QStringLiteral("HelpToolBar"));
    toolBar->setMovable(false);
    QAction* back = toolBar->addAction(QStringLiteral("Назад"), m_browser, &QTextBrowser::backward);
    QAction* forward =
        toolBar->addAction(QStringLiteral("Вперед"), m_browser, &QTextBrowser::forward);
    toolBar->addAction(QStringLiteral("Содержание"), this, [this] { showContext(0); });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        setWindowTitle(QStringLiteral("Справка Kinetra: ") + m_browser->documentTitle());
    });
}

void HelpWindow::showContext(int context)
{
    const QString page = context == 0 ? QStringLiteral("index") : QString::number(context);
    m_browser->setSource(QUrl(QStringLiteral("qrc:/help/") + page + QStringLiteral(".html")));
    show();
    raise();
    activateWindow();
}

QUrl HelpWindow::currentPage() const
{
    return m_browser->source();
}

} // namespace kinetra
