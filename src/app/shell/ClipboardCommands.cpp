#include "shell/ClipboardCommands.h"

#include <QClipboard>
#include <QPlainTextEdit>

#include "editor/ModelEditor.h"

namespace kinetra {

void ApplyToField(ClipboardOperation operation, EditField field, ModelEditor& editor,
                  QClipboard& clipboard)
{
    switch (operation) {
    case ClipboardOperation::Cut:
        clipboard.setText(editor.text(field));
        editor.setText(field, QString());
        break;
    case ClipboardOperation::Copy:
        clipboard.setText(editor.text(field));
        break;
    case ClipboardOperation::Paste:
        editor.setText(field, clipboard.text());
        break;
    }
}

void ApplyToSelection(ClipboardOperation operation, QPlainTextEdit& edit)
{
    switch (operation) {
    case ClipboardOperation::Cut:
        edit.cut();
        break;
    case ClipboardOperation::Copy:
        edit.copy();
        break;
    case ClipboardOperation::Paste:
        edit.paste();
        break;
    }
}

} // namespace kinetra
