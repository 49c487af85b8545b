#include "model/FormPages.h"

#include <QPushButton>

#include "editor/ModelEditor.h"
#include "model/ControllerPage.h"
#include "model/ConverterPage.h"
#include "model/LoadPage.h"
#include "model/MotorPage.h"
#include "model/PageTabBar.h"

namespace kinetra {

namespace {

constexpr int CompactPointSize = 8;

} // namespace

FormPages::FormPages(ModelEditor& editor, QWidget* parent)
    : QTabWidget(parent), m_editor(editor), m_binding(editor)
{
    setObjectName(QStringLiteral("FormPages"));
    setTabBar(new PageTabBar(this));

    // The window has a fixed size in pixels, and two columns of the longest labels with their
    // fields fit its width only at this size.
    QFont compact = font();
    compact.setPointSize(CompactPointSize);
    setFont(compact);

    // A switched-off field shows the button face, so that it reads as not editable at a glance.
    QPalette faces = palette();
    faces.setColor(QPalette::Disabled, QPalette::Base, faces.color(QPalette::Button));
    setPalette(faces);

    addPage(new MotorPage(this), tr("Двигатель"), tr("Параметры электродвигателя"));
    addPage(new ConverterPage(this), tr("Источник"), tr("Параметры источника"));
    addPage(new LoadPage(this), tr("Механизм"), tr("Параметры механизма"));
    addPage(new ControllerPage(this), tr(" Регулятор"), tr("Параметры регулятора"));
    addTuneButton();
    m_binding.bind(*this);

    setCurrentIndex(static_cast<int>(editor.currentPage()));
    // The editor ignores a page it already shows, which ends the round trip.
    connect(this, &QTabWidget::currentChanged, this,
            [this](int index) { m_editor.showPage(static_cast<EditorPage>(index)); });
    connect(&editor, &ModelEditor::pageChanged, this,
            [this] { setCurrentIndex(static_cast<int>(m_editor.currentPage())); });
}

void FormPages::addTuneButton()
{
    // The controller page's diagram fills it to its edges: the command stands beside the page's
    // tab, and only while the page is on show.
    auto* tune = new QPushButton(tr("Настроить"), this);
    tune->setObjectName(QStringLiteral("TuneButton"));
    tune->setStatusTip(tr("Настроить регуляторы по данным привода: контур тока по модульному, "
                          "контур скорости по симметричному оптимуму"));
    setCornerWidget(tune, Qt::TopRightCorner);
    const auto follow = [this, tune] {
        tune->setVisible(currentIndex() == static_cast<int>(EditorPage::ControllerPage));
    };
    follow();
    connect(this, &QTabWidget::currentChanged, tune, follow);
    connect(tune, &QPushButton::clicked, this, &FormPages::tuneRequested);
}

void FormPages::addPage(QWidget* page, const QString& caption, const QString& hint)
{
    page->setStatusTip(hint);
    const int tab = addTab(page, caption);
    setTabToolTip(tab, hint);
}

} // namespace kinetra
