#pragma once

#include <QMargins>
#include <QString>

#include "editor/EditorControls.h"

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QWidget;

namespace kinetra {

// Builds a column of labelled fields on a widget: each label on the left, each field on the
// right at one common width so that fields line up within a group and from group to group, and
// check boxes across the whole row. Every control gets the name the editor knows it by, and a
// field that is given no hint of its own is hinted by its label's text.
class FieldRows final {
    Q_DISABLE_COPY_MOVE(FieldRows)

public:
    // Rows sit closer than the style's default spacing: the window is small and fixed.
    static constexpr QMargins DefaultMargins{8, 4, 8, 6};

    FieldRows(QWidget& owner, int fieldWidth, QMargins margins = DefaultMargins);

    // An empty label text leaves the label to the editor, which names it.
    void addField(EditField field, const QString& label, const QString& hint = {});
    // The field and its arrows together are one field wide.
    void addArrowField(EditField field, Arrow arrow, const QString& label);
    void addCheckBox(CheckBox box, const QString& text);

    // The width of a field that shows this many digits in the owner's font.
    static int fieldWidth(const QWidget& owner, int digits);

private:
    // The cell is the edit itself or the box that holds it with its arrows.
    void addRow(EditField field, const QString& label, const QString& hint, QLineEdit& edit,
                QWidget& cell);

    QWidget& m_owner;
    QGridLayout* m_grid;
    int m_fieldWidth;
    int m_rows = 0;
};

// A group box named and captioned as the design gives it.
QGroupBox* createGroupBox(const char* name, const QString& title);

// A plain box for rows outside any group, inset like the inside of this group box so that its
// fields line up with the group's.
QWidget* createUngroupedBox(const QGroupBox& alignedWith);

// The row above an equipment page's groups: the kind label, the kind list and the name field.
// The label, which names both, is hint to the name field.
QWidget* createKindRow(const char* labelName, const QString& label, ListBox list,
                       EditField nameField);

} // namespace kinetra
