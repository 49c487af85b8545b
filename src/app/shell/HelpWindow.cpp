#include "shell/HelpWindow.h"

#include <QAction>
#include <QFile>
#include <QTextBrowser>
#include <QToolBar>

namespace kinetra {

namespace {

// The resource folder of the help pages in a language.
QString helpFolder(InterfaceLanguage language)
{
    return language == InterfaceLanguage::Russian
               ? QStringLiteral(":/help/")
               : QStringLiteral(":/help/") + LanguageCode(language) + u'/';
}

} // namespace

HelpWindow::HelpWindow(InterfaceLanguage language, QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_language(language)
{
    setObjectName(QStringLiteral("Help"));
    setWindowTitle(tr("Справка Kinetra"));
    resize(720, 560);

    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(true);
    setCentralWidget(m_browser);

    QToolBar* toolBar = addToolBar(QStringLiteral("HelpToolBar"));
    toolBar->setMovable(false);
    QAction* back = toolBar->addAction(tr("Назад"), m_browser, &QTextBrowser::backward);
    QAction* forward = toolBar->addAction(tr("Вперед"), m_browser, &QTextBrowser::forward);
    toolBar->addAction(tr("Содержание"), this, [this] { showContext(0); });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(tr("Справка Kinetra: %1").arg(m_browser->documentTitle())); });
}

void HelpWindow::showContext(int context)
{
    const QString page = (context == 0 ? QStringLiteral("index") : QString::number(context)) +
                         QStringLiteral(".html");
    QString path = helpFolder(m_language) + page;
    if (!QFile::exists(path))
        path = helpFolder(InterfaceLanguage::Russian) + page;
    m_browser->setSource(QUrl(QStringLiteral("qrc") + path));
    show();
    raise();
    activateWindow();
}

QUrl HelpWindow::currentPage() const
{
    return m_browser->source();
}

} // namespace kinetra
