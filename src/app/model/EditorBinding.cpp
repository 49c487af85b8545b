#include "model/EditorBinding.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

#include "editor/ModelEditor.h"
#include "model/ArrowButtons.h"
#include "model/ControlNames.h"
#include "model/StructureDiagram.h"

namespace kinetra {

namespace {

template <typename Widget> Widget* control(const QWidget& root, const QString& name)
{
    auto* widget = root.findChild<Widget*>(name);
    Q_ASSERT_X(widget, "EditorBinding::bind", qPrintable(name));
    return widget;
}

template <typename Control, std::size_t Count> constexpr std::array<Control, Count> allOf()
{
    std::array<Control, Count> controls{};
    for (std::size_t i = 0; i < Count; ++i)
        controls[i] = static_cast<Control>(i);
    return controls;
}

// Where the caret of a line edit was before the program replaced its text.
struct Caret {
    explicit Caret(const QLineEdit& line)
        : position(line.cursorPosition()), atEnd(position == line.text().size())
    {
    }
    int position;
    bool atEnd;
};

// Shows a text the editor holds. The caret stays at the end when it was there and keeps its
// place otherwise, so a rule that rewrites the field does not throw the user's typing about.
void showLineText(QLineEdit& line, const QString& text, Caret caret)
{
    if (line.text() == text)
        return;
    line.setText(text);
    if (!caret.atEnd)
        line.setCursorPosition(std::min<int>(caret.position, static_cast<int>(text.size())));
}

} // namespace

EditorBinding::EditorBinding(ModelEditor& editor, QObject* parent)
    : QObject(parent), m_editor(editor)
{
}

void EditorBinding::bind(QWidget& root)
{
    for (EditField field : allOf<EditField, EditFieldCount>())
        bindEdit(root, field);
    for (CheckBox box : allOf<CheckBox, CheckBoxCount>())
        bindCheckBox(root, box);
    for (ListBox list : allOf<ListBox, ListBoxCount>())
        bindList(root, list);
    for (Arrow arrow : allOf<Arrow, ArrowCount>())
        bindArrows(root, arrow);
    for (Caption caption : allOf<Caption, CaptionCount>()) {
        QWidget* widget = control<QWidget>(root, nameOf(caption));
        Q_ASSERT(qobject_cast<QLabel*>(widget) || qobject_cast<QGroupBox*>(widget));
        m_captions[indexOf(caption)] = widget;
        showCaption(caption);
    }
    m_diagram = control<StructureDiagram>(root, {});
    for (ReferencePoint point : allOf<ReferencePoint, ReferencePointCount>())
        showMark(point);
    bindTorqueChoice(root);

    connect(&m_editor, &ModelEditor::textChanged, this, &EditorBinding::showText);
    connect(&m_editor, &ModelEditor::enabledChanged, this, &EditorBinding::showEnabled);
    connect(&m_editor, &ModelEditor::checkedChanged, this, &EditorBinding::showChecked);
    connect(&m_editor, &ModelEditor::listChanged, this, &EditorBinding::showList);
    connect(&m_editor, &ModelEditor::arrowChanged, this, &EditorBinding::showArrows);
    connect(&m_editor, &ModelEditor::captionChanged, this, &EditorBinding::showCaption);
    connect(&m_editor, &ModelEditor::markChanged, this, &EditorBinding::showMark);
    connect(&m_editor, &ModelEditor::badEntryChanged, this, &EditorBinding::showBadEntry);
    connect(&m_editor, &ModelEditor::torqueControlChanged, this, &EditorBinding::showTorqueControl);
}

void EditorBinding::bindEdit(QWidget& root, EditField field)
{
    auto* edit = control<QLineEdit>(root, nameOf(field));
    m_edits[indexOf(field)] = edit;
    // The name fields have no label of their own.
    m_labels[indexOf(field)] = root.findChild<QLabel*>(labelNameOf(field));
    m_toolTips[indexOf(field)] = edit->toolTip();
    // textEdited, unlike textChanged, comes only from the user (typing, cut, paste).
    connect(edit, &QLineEdit::textEdited, this,
            [this, field](const QString& text) { m_editor.setText(field, text); });
    showText(field);
    showEnabled(field);
}

void EditorBinding::bindCheckBox(QWidget& root, CheckBox box)
{
    auto* check = control<QCheckBox>(root, nameOf(box));
    m_checkBoxes[indexOf(box)] = check;
    connect(check, &QCheckBox::clicked, this,
            [this, box](bool checked) { m_editor.setChecked(box, checked); });
    showChecked(box);
}

void EditorBinding::bindList(QWidget& root, ListBox list)
{
    auto* combo = control<QComboBox>(root, nameOf(list));
    m_lists[indexOf(list)] = combo;
    combo->addItems(ModelEditor::listItems(list));
    connect(combo, &QComboBox::activated, this,
            [this, list](int index) { m_editor.chooseListItem(list, index); });
    connect(combo->lineEdit(), &QLineEdit::textEdited, this,
            [this, list](const QString& text) { m_editor.editListText(list, text); });
    showList(list);
}

void EditorBinding::bindArrows(QWidget& root, Arrow arrow)
{
    auto* arrows = control<ArrowButtons>(root, nameOf(arrow));
    m_arrows[indexOf(arrow)] = arrows;
    connect(arrows, &ArrowButtons::stepped, this,
            [this, arrow](int steps) { m_editor.stepArrow(arrow, steps); });
    showArrows(arrow);
}

void EditorBinding::bindTorqueChoice(QWidget& root)
{
    m_currentButton = control<QRadioButton>(root, IRadioButtonName);
    m_torqueButton = control<QRadioButton>(root, MRadioButtonName);
    connect(m_currentButton, &QRadioButton::clicked, this,
            [this] { m_editor.chooseTorqueControl(false); });
    connect(m_torqueButton, &QRadioButton::clicked, this,
            [this] { m_editor.chooseTorqueControl(true); });
    showTorqueControl();
}

void EditorBinding::showText(EditField field)
{
    QLineEdit& edit = *m_edits[indexOf(field)];
    showLineText(edit, m_editor.text(field), Caret(edit));
}

void EditorBinding::showBadEntry(EditField field)
{
    QLineEdit& edit = *m_edits[indexOf(field)];
    const bool bad = m_editor.isBadEntry(field);
    // The frame must not make the field lower than its neighbours.
    edit.setMinimumHeight(bad ? edit.sizeHint().height() : 0);
    edit.setStyleSheet(bad ? QStringLiteral("QLineEdit { border: 1px solid red; padding: 1px; }")
                           : QString());
    edit.setToolTip(bad ? m_editor.badEntryHint() : m_toolTips[indexOf(field)]);
}

void EditorBinding::showEnabled(EditField field)
{
    const bool enabled = m_editor.isEnabled(field);
    m_edits[indexOf(field)]->setEnabled(enabled);
    if (QLabel* label = m_labels[indexOf(field)])
        label->setEnabled(enabled);
}

void EditorBinding::showChecked(CheckBox box)
{
    QCheckBox& check = *m_checkBoxes[indexOf(box)];
    const QSignalBlocker blocker(check);
    check.setChecked(m_editor.isChecked(box));
}

void EditorBinding::showList(ListBox list)
{
    QComboBox& combo = *m_lists[indexOf(list)];
    QLineEdit& line = *combo.lineEdit();
    const QSignalBlocker blocker(combo);
    const Caret caret(line);
    // Setting the index rewrites the shown text and forgets its undo steps: only on a real change.
    if (combo.currentIndex() != m_editor.listIndex(list))
        combo.setCurrentIndex(m_editor.listIndex(list));
    showLineText(line, m_editor.listText(list), caret);
}

void EditorBinding::showArrows(Arrow arrow)
{
    m_arrows[indexOf(arrow)]->setEnabled(m_editor.isArrowEnabled(arrow));
}

void EditorBinding::showCaption(Caption caption)
{
    const QString& text = m_editor.caption(caption);
    QWidget* widget = m_captions[indexOf(caption)];
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(text);
        return;
    }
    auto* label = qobject_cast<QLabel*>(widget);
    // A field hinted by its label's text keeps that hint when the label is renamed.
    if (QWidget* field = label->buddy(); field && field->toolTip() == label->text()) {
        field->setToolTip(text);
        field->setStatusTip(text);
    }
    label->setText(text);
}

void EditorBinding::showMark(ReferencePoint point)
{
    m_diagram->setMarked(point, m_editor.isMarked(point));
}

void EditorBinding::showTorqueControl()
{
    const QSignalBlocker currentBlocker(m_currentButton);
    const QSignalBlocker torqueBlocker(m_torqueButton);
    (m_editor.torqueControl() ? m_torqueButton : m_currentButton)->setChecked(true);
}

} // namespace kinetra
