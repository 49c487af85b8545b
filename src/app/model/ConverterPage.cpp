#include "model/ConverterPage.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "model/FieldRows.h"

namespace kinetra {

using enum EditField;

ConverterPage::ConverterPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ConverterPage"));
    const int width = FieldRows::fieldWidth(*this, 11);

    QGroupBox* input = createGroupBox("ConverterGroupBox", tr(" Входные данные "));
    FieldRows inputRows(*input, width);
    inputRows.addCheckBox(CheckBox::Converter1CheckBox, tr("Цепь статора (индуктора)"));
    inputRows.addField(ConverterR10Edit, tr("R10 Активное сопротивление, Ом"));
    inputRows.addField(ConverterL10Edit, tr("L10 Индуктивность, Гн"));
    inputRows.addCheckBox(CheckBox::Converter2CheckBox,
                          tr("Цепь ротора (якоря), приведенная к статору"));
    inputRows.addField(ConverterR20Edit, tr("R20 Активное сопротивление, Ом"));
    inputRows.addField(ConverterL20Edit, tr("L20 Индуктивность, Гн"));

    QWidget* voltages = createUngroupedBox(*input);
    FieldRows voltageRows(*voltages, width);
    voltageRows.addField(ConverterU10Edit, tr("U10 Напряжение возбуждения, В"));
    voltageRows.addField(ConverterU20Edit, tr("U20 Макс. входное напряжение, В"));

    QGroupBox* output = createGroupBox("ConverterGroupBox1", tr(" Выходные данные "));
    FieldRows outputRows(*output, width);
    outputRows.addField(ConverterI0Edit, tr("I0 Ток, А"));
    outputRows.addArrowField(ConverterM0Edit, Arrow::ConverterM0UpDown, tr("m0 Пульсность"));
    outputRows.addField(ConverterP0Edit, tr("P0 Мощность, кВт"));
    outputRows.addField(ConverterF0Edit, tr("F0 Частота, Гц"));
    outputRows.addField(ConverterU0Edit, tr("U0 Напряжение, В"));
    outputRows.addField(ConverterT0Edit, tr("T0 Запаздывание, с"));

    auto* left = new QVBoxLayout;
    left->addWidget(input);
    left->addWidget(voltages);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(output);
    right->addStretch();
    // As on every equipment page, the left column takes the spare width.
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right);

    auto* page = new QVBoxLayout(this);
    page->addWidget(createKindRow("ConverterKindLabel", tr("cType   Источник питания  (Converter)"),
                                  ListBox::ConverterComboBox, ConverterTypeEdit));
    page->addLayout(columns);
}

} // namespace kinetra
