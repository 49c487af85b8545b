#include "shell/AboutBox.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace kinetra {

namespace {

const QString ProjectPage = QStringLiteral("https://kinetra.example.org/");

} // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(tr("О программе Kinetra"));

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/kinetra.svg")).pixmap(48, 48));

    auto* product = new QLabel(QStringLiteral("<b>Kinetra</b>"), this);
    QFont productFont = product->font();
    productFont.setPointSizeF(productFont.pointSizeF() * 1.5);
    product->setFont(productFont);

    auto* version = new QLabel(QStringLiteral("Version 4.01.0000"), this);
    auto* purpose =
        new QLabel(tr("Моделирование электроприводов и оценка использования оборудования"), this);
    // The browser opens the page; a failure to start it is of no concern here.
    auto* link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(ProjectPage), this);
    link->setObjectName(QStringLiteral("ProjectLink"));
    link->setOpenExternalLinks(true);
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setHorizontalSpacing(16);
    layout->addWidget(icon, 0, 0, 4, 1, Qt::AlignTop);
    layout->addWidget(product, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(purpose, 2, 1);
    layout->addWidget(link, 3, 1);
    layout->addWidget(buttons, 4, 0, 1, 2);
}

} // namespace kinetra
