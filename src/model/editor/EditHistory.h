#pragma once

#include <QObject>

#include <vector>

#include "editor/ModelEditor.h"

namespace kinetra {

// Undo and redo of the user's work in the editor: every field edit, kind choice, switch and
// record transfer is one step, and the keys typed into one field in a row make a single step.
// A new or loaded model starts a new history.
class EditHistory final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EditHistory)

public:
    explicit EditHistory(ModelEditor& editor, QObject* parent = nullptr);

    // The editor as it is now is where the history starts; nothing can be undone.
    void restart();
    // The editor as it is now is one step further, unless nothing changed. A field typed into
    // again straight after its last step extends that step.
    void commit(int typedField = -1);

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    void undo();
    void redo();

signals:
    // A step was made, undone or redone, or the history started anew.
    void changed();

private:
    void step(std::vector<ModelEditor::State>& from, std::vector<ModelEditor::State>& to);

    ModelEditor& m_editor;
    std::vector<ModelEditor::State> m_undo;
    std::vector<ModelEditor::State> m_redo;
    ModelEditor::State m_current;
    int m_lastTypedField = -1;
};

} // namespace kinetra
