#include "report/ReportPreview.h"

#include <QAction>
#include <QIcon>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

#include <memory>

#include "ReportDocument.h"

namespace kinetra {

namespace {

// One step of the zoom buttons.
constexpr qreal ZoomStep = 1.25;

QAction* addToolAction(QToolBar* bar, const char* theme, const QString& text, const QString& hint)
{
    QAction* action = bar->addAction(QIcon::fromTheme(QLatin1String(theme)), text);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    return action;
}

} // namespace

ReportPreview::ReportPreview(Commands commands, QWidget* parent)
    : QDialog(parent), m_commands(std::move(commands))
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(tr("Отчет Kinetra"));
    // A laptop screen of 768 pixels holds the window with its title and the task bar; the page
    // fits the width and scrolls.
    resize(720, 660);

    m_printer.setPageLayout(ReportDocument::pageLayout());
    m_preview = new QPrintPreviewWidget(&m_printer, this);
    m_preview->setZoomMode(QPrintPreviewWidget::FitToWidth);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { m_commands.paint(*printer); });

    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ReportToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* print = addToolAction(bar, "document-print", tr("Печать..."), tr("Печать отчета"));
    print->setShortcut(QKeySequence::Print);
    QAction* save = addToolAction(bar, "document-save-as", tr("Сохранить..."),
                                  tr("Сохранение отчета в PDF, текст, CSV или HTML"));
    save->setShortcut(QKeySequence::Save);
    bar->addSeparator();
    QAction* zoomIn = addToolAction(bar, "zoom-in", tr("Крупнее"), tr("Увеличить"));
    zoomIn->setShortcut(QKeySequence::ZoomIn);
    QAction* zoomOut = addToolAction(bar, "zoom-out", tr("Мельче"), tr("Уменьшить"));
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    QAction* fitWidth =
        addToolAction(bar, "zoom-fit-width", tr("По ширине"), tr("Страница во всю ширину окна"));
    QAction* wholePage =
        addToolAction(bar, "zoom-fit-best", tr("Страница"), tr("Страница целиком"));
    bar->addSeparator();
    QAction* close = addToolAction(bar, "window-close", tr("Закрыть"), tr("Закрыть просмотр"));

    connect(print, &QAction::triggered, this, [this] { m_commands.print(); });
    connect(save, &QAction::triggered, this, [this] { m_commands.save(); });
    connect(zoomIn, &QAction::triggered, m_preview, [this] { m_preview->zoomIn(ZoomStep); });
    connect(zoomOut, &QAction::triggered, m_preview, [this] { m_preview->zoomOut(ZoomStep); });
    connect(fitWidth, &QAction::triggered, m_preview, &QPrintPreviewWidget::fitToWidth);
    connect(wholePage, &QAction::triggered, m_preview, &QPrintPreviewWidget::fitInView);
    connect(close, &QAction::triggered, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_preview);
}

ReportPreview::~ReportPreview()
{
    // The preview draws on the printer; it must not outlive it, as the dialog's children would.
    delete m_preview;
}
} // namespace kinetra
