#pragma once

#include <QTabWidget>

#include "editor/EditorControls.h"
#include "model/EditorBinding.h"

class QLineEdit;

namespace kinetra {

class ModelEditor;

// The model editor's four pages as tabs: motor, supply, mechanism and controller. Every control
// on them is bound to the editor, which holds all their behaviour; the shown page follows the
// editor's page both ways.
class FormPages final : public QTabWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormPages)

public:
    explicit FormPages(ModelEditor& editor, QWidget* parent = nullptr);

    // The edit box of a field, for the commands that work on the box with the focus.
    QLineEdit* edit(EditField field) const { return m_binding.edit(field); }

signals:
    // The controller page's "Настроить" was pressed.
    void tuneRequested();

private:
    void addPage(QWidget* page, const QString& caption, const QString& hint);
    void addTuneButton();

    ModelEditor& m_editor;
    // A member, so that it goes before the pages and never shows on a control being destroyed.
    EditorBinding m_binding;
};

} // namespace kinetra
