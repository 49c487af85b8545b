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

    QGroupBox* input = createGroupBox("ConverterGroupBox", QStringLiteral(" Входные данные "));
    FieldRows inputRows(*input, width);
    inputRows.addCheckBox(CheckBox::Converter1CheckBox, QStringLiteral("Цепь статора (индуктора)"));
    inputRows.addField(ConverterR10Edit, QStringLiteral("R10 Активное сопротивление, Ом"));
    inputRows.addField(ConverterL10Edit, QStringLiteral("L10 Индуктивность, Гн"));
    inputRows.addCheckBox(CheckBox::Converter2CheckBox,
                          QStringLiteral("Цепь ротора (якоря), приведенная к статору"));
    inputRows.addField(ConverterR20Edit, QStringLiteral("R20 Активное сопротивление, Ом"));
    inputRows.addField(ConverterL20Edit, QStringLiteral("L20 Индуктивность, Гн"));

    QWidget* voltages = createUngroupedBox(*input);
    FieldRows voltageRows(*voltages, width);
    voltageRows.addField(ConverterU10Edit, QStringLiteral("U10 Напряжение возбуждения, В"));
    voltageRows.addField(ConverterU20Edit, QStringLiteral("U20 Макс. входное напряжение, В"));

    QGroupBox* output = createGroupBox("ConverterGroupBox1", QStringLiteral(" Выходные данные "));
    FieldRows outputRows(*output, width);
    outputRows.addField(ConverterI0Edit, QStringLiteral("I0 Ток, А"));
    outputRows.addArrowField(ConverterM0Edit, Arrow::ConverterM0UpDown,
                             QStringLiteral("m0 Пульсность"));
    outputRows.addField(ConverterP0Edit, QStringLiteral("P0 Мощность, кВт"));
    outputRows.addField(ConverterF0Edit, QStringLiteral("F0 Частота, Гц"));
    outputRows.addField(ConverterU0Edit, QStringLiteral("U0 Напряжение, В"));
    outputRows.addField(ConverterT0Edit, QStringLiteral("T0 Запаздывание, с"));

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
    page->addWidget(createKindRow("ConverterKindLabel",
                                  QStringLiteral("cType   Источник питания  (Converter)"),
                                  ListBox::ConverterComboBox, ConverterTypeEdit));
    page->addLayout(columns);
}

} // namespace kinetra
