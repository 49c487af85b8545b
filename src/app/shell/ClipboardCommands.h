#pragma once

#include "editor/EditorControls.h"

class QClipboard;
class QPlainTextEdit;

namespace kinetra {

class ModelEditor;

enum class ClipboardOperation { Cut, Copy, Paste };

// Cut, copy and paste on the whole text of one of the model editor's edit boxes, so a value moves
// between boxes in one step. A changed text runs the box's rules as typing would.
void ApplyToField(ClipboardOperation operation, EditField field, ModelEditor& editor,
                  QClipboard& clipboard);

// Cut, copy and paste on the selection of a text page, as in any text editor.
void ApplyToSelection(ClipboardOperation operation, QPlainTextEdit& edit);

} // namespace kinetra
