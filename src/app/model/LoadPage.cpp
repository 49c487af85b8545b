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

    QGroupBox* mechanism = createGroupBox("LoadGroupBox", tr(" Данные механизма "));
    FieldRows mechanismRows(*mechanism, width);
    mechanismRows.addField(LoadJcEdit, tr("Jc Момент инерции, кгм2"));
    mechanismRows.addField(LoadMcEdit, tr("Mc Момент сопротивления, Нм"));
    mechanismRows.addCheckBox(CheckBox::LoadCCheckBox, tr("Упругая передача"));
    mechanismRows.addField(LoadCEdit, tr("cc Жесткость, Нм/рад"));
    mechanismRows.addField(LoadBEdit, tr("bc Вязкое трение, Нмс/рад"));
    mechanismRows.addCheckBox(CheckBox::LoadMCheckBox, tr("Активная нагрузка"));
    mechanismRows.addCheckBox(CheckBox::dMVarCheckBox, tr("Переменный сигнал"));

    QGroupBox* gear = createGroupBox("GearGroupBox", tr(" Данные редуктора "));
    FieldRows gearRows(*gear, width);
    gearRows.addField(LoadIEdit, tr("ii Передаточное число"));
    gearRows.addField(LoadMnEdit, tr("Mi Момент, Нм"));
    gearRows.addField(LoadPEdit, tr("Pi Мощность, кВт"));
    gearRows.addField(LoadWEdit, tr("wi Скорость вала, рад/с"));
    gearRows.addField(LoadGEdit, tr("gi Зазор, мм"));
    gearRows.addField(LoadNEdit, tr("ni КПД, %"));

    // As on every equipment page, the left column takes the spare width.
    auto* columns = new QHBoxLayout;
    columns->addWidget(mechanism, 1, Qt::AlignTop);
    columns->addWidget(gear, 0, Qt::AlignTop);

    auto* page = new QVBoxLayout(this);
    page->addWidget(createKindRow("LoadKindLabel", tr("iType    Редуктор    (Gear)"),
                                  ListBox::LoadComboBox, LoadTypeEdit));
    page->addLayout(columns);
    page->addStretch();
}

} // namespace kinetra
