#pragma once

#include <QStringList>

#include <deque>

#include "editor/MessageSink.h"
#include "shell/UserPrompts.h"

namespace kinetra::test {

// Answers the program's questions and dialogs from a script, and records what was asked and
// shown, so a test reads like the conversation a user would have.
class ScriptedPrompts final : public UserPrompts, public MessageSink {
public:
    Answer askYesNo(const QString& caption, const QString& question) override
    {
        return next(caption, question);
    }
    Answer askYesNoCancel(const QString& caption, const QString& question) override
    {
        return next(caption, question);
    }
    std::optional<ChosenFile> chooseFileToOpen(const FileDialog& dialog) override
    {
        return choose(dialog);
    }
    std::optional<ChosenFile> chooseFileToSave(const FileDialog& dialog) override
    {
        return choose(dialog);
    }
    void showMessage(const QString& text) override { messages.append(text); }
    int askChoice(const QString& caption, const QString& text, const QStringList& buttons) override
    {
        questions.append(caption + u'|' + text);
        offeredButtons = buttons;
        if (choices.empty())
            return -1;
        const int index = static_cast<int>(buttons.indexOf(choices.front()));
        choices.pop_front();
        return index;
    }
    QString composeConnectionString() override
    {
        ++connectionDialogs;
        if (connections.empty())
            return {};
        const QString connection = connections.front();
        connections.pop_front();
        return connection;
    }

    std::deque<Answer> answers;
    std::deque<QString> choices;     // the captions of the buttons pressed, in turn
    QStringList offeredButtons;      // those of the last choice asked
    std::deque<QString> connections; // what the connection dialog returns; empty: Cancel
    int connectionDialogs = 0;
    std::deque<std::optional<QString>> files; // nullopt: the dialog is cancelled
    QStringList questions;
    QStringList dialogTitles;
    QStringList proposedNames; // the name each file dialog proposed
    QStringList messages;

private:
    Answer next(const QString& caption, const QString& question)
    {
        questions.append(caption + u'|' + question);
        if (answers.empty())
            return Answer::Cancel;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<ChosenFile> choose(const FileDialog& dialog)
    {
        dialogTitles.append(dialog.title);
        proposedNames.append(dialog.fileName);
        if (files.empty())
            return std::nullopt;
        const std::optional<QString> file = files.front();
        files.pop_front();
        if (!file)
            return std::nullopt;
        return ChosenFile{*file, 1};
    }
};

} // namespace kinetra::test
