#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace kinetra {

// The questions and file dialogs of the document commands. The windows answer them with message
// boxes and file dialogs; tests answer them from a script.
class UserPrompts {
public:
    enum class Answer { Yes, No, Cancel };

    // A file dialog: title, filter as "description|pattern|description|pattern", the extension
    // added to a name typed without one, the folder it starts in, and the name a save dialog
    // proposes there (none when empty).
    struct FileDialog {
        QString title;
        QString filter;
        QString defaultSuffix;
        QString folder;
        QString fileName = {};
    };

    struct ChosenFile {
        QString path;
        int filterIndex = 1; // counted from 1
    };

    // A question with Yes and No, or with Yes, No and Cancel, and a question icon.
    virtual Answer askYesNo(const QString& caption, const QString& question) = 0;
    virtual Answer askYesNoCancel(const QString& caption, const QString& question) = 0;
    virtual std::optional<ChosenFile> chooseFileToOpen(const FileDialog& dialog) = 0;
    virtual std::optional<ChosenFile> chooseFileToSave(const FileDialog& dialog) = 0;
    virtual void showMessage(const QString& text) = 0;
    // A message whose buttons name what the user can do next: the index of the button
    // pressed, or -1 when the message was closed without one.
    virtual int askChoice(const QString& caption, const QString& text,
                          const QStringList& buttons) = 0;
    // The connection dialog, in which the user composes a catalogue connection string from
    // nothing: the string, or an empty one when the user cancelled.
    virtual QString composeConnectionString() = 0;

protected:
    ~UserPrompts() = default;
};

// The path a chosen file is finally written to, where the chosen filter names its extension.
using FileNaming = std::function<QString(const UserPrompts::ChosenFile& chosen)>;

// The save dialog, then for an existing file "Перезаписать файл ... ?": the file to write, or
// nullopt when the user cancelled or did not want the file replaced. With a naming, the question
// is asked about the path it gives, which the result then holds.
std::optional<UserPrompts::ChosenFile> ChooseFileToReplace(UserPrompts& prompts,
                                                           const UserPrompts::FileDialog& dialog,
                                                           const FileNaming& naming = {});

} // namespace kinetra
