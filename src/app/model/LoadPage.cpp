#include "model/LoadPage.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "model/FieldRows.h"

namespace kinetra {

using enum EditField;

LoadPage::LoadPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("LoadPage"));
    const int width = FieldRows::fieldWidth(*this, 11);

    QGroupBox* mechanism = createGroupBox("LoadGroupBox", QStringLiteral(" Данные механизма "));
    FieldRows mechanismRows(*mechanism, width);
    mechanismRows.addField(LoadJcEdit, QStringLiteral("Jc Момент инерции, кгм2"));
    mechanismRows.addField(LoadMcEdit, QStringLiteral("Mc Момент сопротивления, Нм"));
    mechanismRows.addCheckBox(CheckBox::LoadCCheckBox, QStringLiteral("Упругая передача"));
    mechanismRows.addField(LoadCEdit, QStringLiteral("cc Жесткость, Нм/рад"));
    mechanismRows.addField(LoadBEdit, QStringLiteral("bc Вязкое трение, Нмс/рад"));
    mechanismRows.addCheckBox(CheckBox::LoadMCheckBox, QStringLiteral("Активная нагрузка"));
    mechanismRows.addCheckBox(CheckBox::dMVarCheckBox, QStringLiteral("Переменный сигнал"));

    QGroupBox* gear = createGroupBox("GearGroupBox", QStringLiteral(" Данные редуктора "));
    FieldRows gearRows(*gear, width);
    gearRows.addField(LoadIEdit, QStringLiteral("ii Передаточное число"));
    gearRows.addField(LoadMnEdit, QStringLiteral("Mi Момент, Нм"));
    gearRows.addField(LoadPEdit, QStringLiteral("Pi Мощность, кВт"));
    gearRows.addField(LoadWEdit, QStringLiteral("wi Скорость вала, рад/с"));
    gearRows.addField(LoadGEdit, QStringLiteral("gi Зазор, мм"));
    gearRows.addField(LoadNEdit, QStringLiteral("ni КПД, %"));

    // As on every equipment page, the left column takes the spare width.
    auto* columns = new QHBoxLayout;
    columns->addWidget(mechanism, 1, Qt::AlignTop);
    columns->addWidget(gear, 0, Qt::AlignTop);

    auto* page = new QVBoxLayout(this);
    page->addWidget(createKindRow("LoadKindLabel", QStringLiteral("iType    Редуктор    (Gear)"),
                                  ListBox::LoadComboBox, LoadTypeEdit));
    page->addLayout(columns);
    page->addStretch();
}

} // namespace kinetra
