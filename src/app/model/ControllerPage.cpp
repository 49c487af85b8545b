#include "model/ControllerPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/ControlNames.h"
#include "model/FieldRows.h"
#include "model/StructureDiagram.h"

namespace kinetra {

namespace {

using enum EditField;

// The boxes are as low as two fields and their caption allow.
constexpr QMargins BoxMargins{6, 1, 6, 3};

} // namespace

// In the fixed labels the letter after the first capital of Kк and of the controller labels
// (Kрf, Tрw инт, ...) is Cyrillic; the sensor labels are Latin. The labels of the inner loop and
// the reference are the editor's.
ControllerPage::ControllerPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ControllerPage"));
    const int width = FieldRows::fieldWidth(*this, 6);

    // Created first, so that every box lies above it.
    auto* diagram = new StructureDiagram(this);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(diagram);

    FieldRows compensator(
        *placeGroupBox("fcGroup", QStringLiteral(" f-компенсатор "), {37, 0, 145, 80}), width,
        BoxMargins);
    compensator.addField(KkEdit, QStringLiteral("Kк"),
                         QStringLiteral("Коэффициент передачи компенсатора"));
    compensator.addField(fLimitEdit, QStringLiteral("f макс"),
                         QStringLiteral("Постоянная интегрирования компенсатора"));

    placeReference(*placeGroupBox("refGroup", QStringLiteral(" Задание "), {205, 0, 424, 80}),
                   width);

    FieldRows position(
        *placeGroupBox("fpGroup", QStringLiteral(" f-регулятор "), {37, 82, 145, 140}), width,
        BoxMargins);
    position.addField(KpfEdit, QStringLiteral("Kрf"),
                      QStringLiteral("Коэффициент передачи регулятора положения"));
    position.addField(TpfintEdit, QStringLiteral("Tрf инт"),
                      QStringLiteral("Постоянная интегрирования регулятора положения"));
    position.addField(TpfdifEdit, QStringLiteral("Tрf диф"),
                      QStringLiteral("Постоянная дифференцирования регулятора положения"));
    position.addField(wLimitEdit, QStringLiteral("w макс"),
                      QStringLiteral("Предельное задание регулятору скорости"));

    FieldRows speed(*placeGroupBox("wpGroup", QStringLiteral(" w-регулятор "), {205, 82, 145, 140}),
                    width, BoxMargins);
    speed.addField(KpwEdit, QStringLiteral("Kрw"),
                   QStringLiteral("Коэффициент передачи регулятора скорости"));
    speed.addField(TpwintEdit, QStringLiteral("Tрw инт"),
                   QStringLiteral("Постоянная интегрирования регулятора скорости"));
    speed.addField(TpwdifEdit, QStringLiteral("Tрw диф"),
                   QStringLiteral("Постоянная дифференцирования регулятора скорости"));
    speed.addField(ILimitEdit, {}, QStringLiteral("Предельное задание регулятору тока (момента)"));

    FieldRows inner(*placeGroupBox("IpCroup", {}, {373, 82, 145, 113}), width, BoxMargins);
    inner.addField(KpIEdit, {}, QStringLiteral("Коэффициент передачи регулятора тока (момента)"));
    inner.addField(TpIintEdit, {},
                   QStringLiteral("Постоянная интегрирования регулятора тока (момента)"));
    inner.addField(TpIdifEdit, {},
                   QStringLiteral("Постоянная дифференцирования регулятора тока (момента)"));

    placeEquipment("converterGroup", "cLabel", QStringLiteral("Источник"), {525, 82, 104, 59});

    FieldRows positionSensor(
        *placeGroupBox("fGroup", QStringLiteral(" f-датчик "), {37, 228, 145, 80}), width,
        BoxMargins);
    positionSensor.addField(KfEdit, QStringLiteral("Kf"),
                            QStringLiteral("Коэффициент передачи датчика положения"));
    positionSensor.addField(TfEdit, QStringLiteral("Tf"),
                            QStringLiteral("Постоянная интегрирования датчика положения"));

    FieldRows speedSensor(
        *placeGroupBox("wGroup", QStringLiteral(" w-датчик "), {205, 228, 145, 80}), width,
        BoxMargins);
    speedSensor.addField(KwEdit, QStringLiteral("Kw"),
                         QStringLiteral("Коэффициент передачи датчика скорости"));
    speedSensor.addField(TwEdit, QStringLiteral("Tw"),
                         QStringLiteral("Постоянная интегрирования датчика скорости"));

    FieldRows innerSensor(*placeGroupBox("IGroup", {}, {373, 200, 145, 77}), width, BoxMargins);
    innerSensor.addField(KIEdit, {}, QStringLiteral("Коэффициент передачи датчика тока (момента)"));
    innerSensor.addField(TIEdit, {},
                         QStringLiteral("Постоянная интегрирования датчика тока (момента)"));

    placeEquipment("loadGroup", "lLabel", QStringLiteral("Механизм"), {525, 256, 104, 52});

    auto* motor = new QLabel(QStringLiteral("Двигатель"), this);
    motor->setObjectName(QStringLiteral("mLabel"));
    motor->setAlignment(Qt::AlignCenter);
    motor->setGeometry(StructureDiagram::motorRect());
}

QGroupBox* ControllerPage::placeGroupBox(const char* name, const QString& title,
                                         const QRect& geometry)
{
    QGroupBox* group = createGroupBox(name, title);
    group->setParent(this);
    group->setGeometry(geometry);
    // Opaque, so that the loop lines show only between the boxes.
    group->setAutoFillBackground(true);
    return group;
}

void ControllerPage::placeEquipment(const char* name, const char* labelName, const QString& label,
                                    const QRect& geometry)
{
    QGroupBox* group = placeGroupBox(name, {}, geometry);
    auto* caption = new QLabel(label, group);
    caption->setObjectName(QLatin1StringView(labelName));
    caption->setAlignment(Qt::AlignCenter);
    (new QVBoxLayout(group))->addWidget(caption);
}

void ControllerPage::placeReference(QGroupBox& group, int fieldWidth)
{
    auto* fields = new QWidget(&group);
    FieldRows rows(*fields, fieldWidth, {});
    rows.addField(refEdit, {}, QStringLiteral("Входное ступенчатое воздействие"));
    rows.addField(TmaxEdit, QStringLiteral("Tмакс Время, с"),
                  QStringLiteral("Максимальное модельное время"));

    auto* choices = new QWidget(&group);
    auto* grid = new QGridLayout(choices);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* variable = new QCheckBox(QStringLiteral("Переменный сигнал"), choices);
    variable->setObjectName(nameOf(CheckBox::refCheckBox));
    grid->addWidget(variable, 0, 0, 1, 2);
    auto* current = new QRadioButton(QStringLiteral("Ток"), choices);
    current->setObjectName(IRadioButtonName);
    grid->addWidget(current, 1, 0);
    auto* torque = new QRadioButton(QStringLiteral("Момент"), choices);
    torque->setObjectName(MRadioButtonName);
    grid->addWidget(torque, 1, 1);
    grid->setColumnStretch(1, 1);

    // Equal halves, so that the fields stay put whatever the reference label reads.
    auto* layout = new QHBoxLayout(&group);
    layout->setContentsMargins(BoxMargins);
    layout->setSpacing(16);
    layout->addWidget(fields, 1);
    layout->addWidget(choices, 1);
}

} // namespace kinetra
