#pragma once

#include <QObject>

#include <array>

#include "editor/EditorControls.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace kinetra {

class ArrowButtons;
class ModelEditor;
class StructureDiagram;

// Binds the model editor's controls, found by their names, to the editor: what the user does to
// a control goes to the editor's user operation, and every change the editor announces is shown
// on its control. The editor alone decides; a program change of a control never reaches the
// editor again as if the user had made it.
class EditorBinding final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EditorBinding)

public:
    explicit EditorBinding(ModelEditor& editor, QObject* parent = nullptr);

    // Binds the controls under root and shows the editor's state on them. Every control of the
    // editor must be there, named as EditorControls names it.
    void bind(QWidget& root);

    QLineEdit* edit(EditField field) const { return m_edits[indexOf(field)]; }

private:
    void bindEdit(QWidget& root, EditField field);
    void bindCheckBox(QWidget& root, CheckBox box);
    void bindList(QWidget& root, ListBox list);
    void bindArrows(QWidget& root, Arrow arrow);
    void bindTorqueChoice(QWidget& root);

    void showText(EditField field);
    void showEnabled(EditField field);
    void showChecked(CheckBox box);
    void showList(ListBox list);
    void showArrows(Arrow arrow);
    void showCaption(Caption caption);
    void showMark(ReferencePoint point);
    void showBadEntry(EditField field);
    void showTorqueControl();

    ModelEditor& m_editor;
    std::array<QLineEdit*, EditFieldCount> m_edits{};
    std::array<QLabel*, EditFieldCount> m_labels{};
    std::array<QString, EditFieldCount> m_toolTips; // as the pages gave them
    std::array<QCheckBox*, CheckBoxCount> m_checkBoxes{};
    std::array<QComboBox*, ListBoxCount> m_lists{};
    std::array<ArrowButtons*, ArrowCount> m_arrows{};
    std::array<QWidget*, CaptionCount> m_captions{};
    StructureDiagram* m_diagram = nullptr;
    QRadioButton* m_currentButton = nullptr;
    QRadioButton* m_torqueButton = nullptr;
};

} // namespace kinetra
