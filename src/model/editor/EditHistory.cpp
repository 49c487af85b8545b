#include "editor/EditHistory.h"

namespace kinetra {

namespace {

// Steps kept to undo; the oldest go first.
constexpr std::size_t StepLimit = 200;

} // namespace

EditHistory::EditHistory(ModelEditor& editor, QObject* parent)
    : QObject(parent), m_editor(editor), m_current(editor.state())
{
    connect(&m_editor, &ModelEditor::edited, this, &EditHistory::commit);
}

void EditHistory::restart()
{
    m_undo.clear();
    m_redo.clear();
    m_current = m_editor.state();
    m_lastTypedField = -1;
    emit changed();
}

void EditHistory::commit(int typedField)
{
    ModelEditor::State now = m_editor.state();
    if (now == m_current)
        return;
    const bool sameTyping = typedField >= 0 && typedField == m_lastTypedField && canUndo();
    if (!sameTyping) {
        m_undo.push_back(std::move(m_current));
        if (m_undo.size() > StepLimit)
            m_undo.erase(m_undo.begin());
    }
    m_current = std::move(now);
    m_redo.clear();
    m_lastTypedField = typedField;
    emit changed();
}

void EditHistory::undo()
{
    step(m_undo, m_redo);
}

void EditHistory::redo()
{
    step(m_redo, m_undo);
}

void EditHistory::step(std::vector<ModelEditor::State>& from, std::vector<ModelEditor::State>& to)
{
    if (from.empty())
        return;
    to.push_back(std::move(m_current));
    m_current = std::move(from.back());
    from.pop_back();
    m_lastTypedField = -1;
    m_editor.restore(m_current);
    emit changed();
}

} // namespace kinetra
