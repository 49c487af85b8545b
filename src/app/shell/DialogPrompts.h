#pragma once

#include <QStringList>

#include "editor/MessageSink.h"
#include "shell/UserPrompts.h"

class QWidget;

namespace kinetra {

// Qt's name filters for a filter written as "description|pattern|description|pattern".
QStringList QtNameFilters(const QString& filter);

// The questions and messages of the program's plain logic as message boxes, its file choices as
// file dialogs, over the window that is active.
class DialogPrompts final : public UserPrompts, public MessageSink {
public:
    Answer askYesNo(const QString& caption, const QString& question) override;
    Answer askYesNoCancel(const QString& caption, const QString& question) override;
    std::optional<ChosenFile> chooseFileToOpen(const FileDialog& dialog) override;
    std::optional<ChosenFile> chooseFileToSave(const FileDialog& dialog) override;
    void showMessage(const QString& text) override;
    int askChoice(const QString& caption, const QString& text, const QStringList& buttons) override;
    QString composeConnectionString() override;

private:
    std::optional<ChosenFile> chooseFile(const FileDialog& dialog, bool save);
};

} // namespace kinetra
