#include "model/MotorPage.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "model/FieldRows.h"

namespace kinetra {

using enum EditField;

MotorPage::MotorPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MotorPage"));
    const int width = FieldRows::fieldWidth(*this, 11);

    // The inductance labels are the editor's: they read L or X after the L/X switch.
    QGroupBox* windings = createGroupBox("MotorGroupBox", tr(" Обмоточные данные"));
    FieldRows windingRows(*windings, width);
    windingRows.addCheckBox(CheckBox::Motor1CheckBox, tr("Статор (индуктор)"));
    windingRows.addField(MotorR1Edit, tr("R1 Активное сопротивление, Ом"));
    windingRows.addField(MotorL1Edit, {});
    windingRows.addCheckBox(CheckBox::Motor2CheckBox, tr("Ротор (якорь), приведенный к статору"));
    windingRows.addField(MotorR2Edit, tr("R2 (R) Активное сопротивление, Ом"));
    windingRows.addField(MotorL2Edit, {});

    QWidget* circuit = createUngroupedBox(*windings);
    FieldRows circuitRows(*circuit, width);
    circuitRows.addField(MotorL12Edit, {});
    circuitRows.addCheckBox(CheckBox::MotorRadioL, tr("Индуктивности"));

    QGroupBox* mechanics = createGroupBox("MotorGroupBox1", tr(" Механические данные "));
    FieldRows mechanicRows(*mechanics, width);
    mechanicRows.addField(MotorPEdit, tr("P Мощность, кВт"));
    mechanicRows.addField(MotorWEdit, tr("w Скорость, рад/с"));
    mechanicRows.addField(MotorJEdit, tr("J Момент инерции, кгм2"));
    mechanicRows.addArrowField(MotorPpEdit, Arrow::MotorPpUpDown, tr("p1 Число пар полюсов"));

    QWidget* ratings = createUngroupedBox(*mechanics);
    FieldRows ratingRows(*ratings, width);
    ratingRows.addArrowField(MotorM1Edit, Arrow::MotorM1UpDown, tr("m1 Число фаз"));
    ratingRows.addField(MotorUEdit, tr("U Напряжение, В"));
    ratingRows.addField(MotorIEdit, tr("I Ток, А"));

    auto* left = new QVBoxLayout;
    left->addWidget(windings);
    left->addWidget(circuit);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(mechanics);
    right->addWidget(ratings);
    right->addStretch();
    // The left column takes the spare width, so nothing moves when the editor renames a label.
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right);

    auto* page = new QVBoxLayout(this);
    page->addWidget(createKindRow("MotorKindLabel", tr("Type   Двигатель   (Motor)"),
                                  ListBox::MotorComboBox, MotorTypeEdit));
    page->addLayout(columns);
}

} // namespace kinetra
