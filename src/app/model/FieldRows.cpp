#include "model/FieldRows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "model/ArrowButtons.h"
#include "model/ControlNames.h"

namespace kinetra {

namespace {

constexpr int RowSpacing = 4;

void setHint(QWidget& widget, const QString& hint)
{
    widget.setToolTip(hint);
    widget.setStatusTip(hint);
}

} // namespace

FieldRows::FieldRows(QWidget& owner, int fieldWidth, QMargins margins)
    : m_owner(owner), m_grid(new QGridLayout(&owner)), m_fieldWidth(fieldWidth)
{
    m_grid->setContentsMargins(margins);
    m_grid->setVerticalSpacing(RowSpacing);
    // The labels take any spare width, so every field keeps to the right edge.
    m_grid->setColumnStretch(0, 1);
}

void FieldRows::addField(EditField field, const QString& label, const QString& hint)
{
    auto* edit = new QLineEdit(&m_owner);
    edit->setFixedWidth(m_fieldWidth);
    addRow(field, label, hint, *edit, *edit);
}

void FieldRows::addArrowField(EditField field, Arrow arrow, const QString& label)
{
    auto* cell = new QWidget(&m_owner);
    auto* layout = new QHBoxLayout(cell);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* edit = new QLineEdit(cell);
    auto* arrows = new ArrowButtons(*edit, cell);
    arrows->setObjectName(nameOf(arrow));
    edit->setFixedWidth(m_fieldWidth - arrows->sizeHint().width());
    layout->addWidget(edit);
    layout->addWidget(arrows);
    addRow(field, label, {}, *edit, *cell);
}

void FieldRows::addRow(EditField field, const QString& label, const QString& hint, QLineEdit& edit,
                       QWidget& cell)
{
    edit.setObjectName(nameOf(field));
    setHint(edit, hint.isEmpty() ? label : hint);
    auto* caption = new QLabel(label, &m_owner);
    caption->setObjectName(labelNameOf(field));
    caption->setBuddy(&edit);

    m_grid->addWidget(caption, m_rows, 0);
    m_grid->addWidget(&cell, m_rows++, 1);
}

void FieldRows::addCheckBox(CheckBox box, const QString& text)
{
    auto* check = new QCheckBox(text, &m_owner);
    check->setObjectName(nameOf(box));
    m_grid->addWidget(check, m_rows++, 0, 1, 2);
}

int FieldRows::fieldWidth(const QWidget& owner, int digits)
{
    // The digits, the line edit's text margins and its frame.
    return owner.fontMetrics().horizontalAdvance(QString(digits, u'9')) + 12;
}

QGroupBox* createGroupBox(const char* name, const QString& title)
{
    auto* group = new QGroupBox(title);
    group->setObjectName(QLatin1StringView(name));
    return group;
}

QWidget* createUngroupedBox(const QGroupBox& alignedWith)
{
    auto* box = new QWidget;
    const QMargins frame = alignedWith.contentsMargins();
    box->setContentsMargins(frame.left(), 0, frame.right(), 0);
    return box;
}

QWidget* createKindRow(const char* labelName, const QString& label, ListBox list,
                       EditField nameField)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* caption = new QLabel(label, row);
    caption->setObjectName(QLatin1StringView(labelName));
    auto* combo = new QComboBox(row);
    combo->setObjectName(nameOf(list));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    caption->setBuddy(combo);
    auto* name = new QLineEdit(row);
    name->setObjectName(nameOf(nameField));
    setHint(*name, label);

    layout->addWidget(caption);
    layout->addWidget(combo, 1);
    layout->addWidget(name, 1);
    return row;
}

} // namespace kinetra
