#pragma once

#include <QObject>
#include <QString>

#include "shell/UserPrompts.h"

namespace kinetra {

class ModelSession;
struct Folders;

// The model as a document: New, Open, Save and Save As of model files, the save-changes question
// and the close question. It keeps the model window's caption. A model counts as changed when its
// freshly collected text differs from the text last loaded or saved.
class ModelDocument final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ModelDocument)

public:
    ModelDocument(ModelSession& session, Folders& folders, UserPrompts& prompts,
                  QObject* parent = nullptr);

    const QString& caption() const { return m_caption; }
    // The model has changes that neither a save nor a load has seen; the title shows a "*".
    bool isModified() const { return m_modified; }

    // A new model from the template, asking first whether to save a changed one.
    void New();
    // Asks for a model file and loads it, after New.
    void Open();
    // Loads a model file chosen without the dialog, as from the list of recent files. False when
    // it could not be opened; the user has been told why.
    bool OpenFile(const QString& path);
    // Loads the model file named on the command line; a file that does not load is named with
    // the reason, and the program starts with a new model.
    void OpenFromCommandLine(const QString& path);
    // Writes the model to its file; a never-saved model goes through Save As.
    bool Save();
    // Asks for a file name and writes the model there.
    bool SaveAs();
    // The name Save As proposes: the model file's own, or for a never-saved model one made of
    // its motor's name, "Модель.kmf" without one. Files written from the model's results take
    // it without the extension.
    QString proposedFileName() const;

    // Asks whether to save the changed model. True when the caller may go on: the user said No,
    // or Yes and the model was saved. False for Cancel, and for Yes when the save did not happen,
    // so that no changes are lost behind the user's back.
    bool AskSaveChanges();
    // "Завершить работу?": true when the program may end.
    bool CloseQuestion();

    bool SaveQuestionCancelled = false;

signals:
    void captionChanged(const QString& caption);
    // The results must be emptied, and must forget the model they last simulated.
    void resultsCleared();
    void lastRunForgotten();
    // A file opened, and the user should know how it was read; shown in the status bar.
    void noticeShown(const QString& notice);
    void modifiedChanged(bool modified);
    // A model file was opened or saved: it belongs among the recent files.
    void fileUsed(const QString& path);

private:
    // Asks again whether the model has unsaved changes.
    void refreshModified();
    bool isChanged();
    // Writes the model text to path; a failure is shown with its reason.
    bool writeModel(const QString& path);
    void setCaption(const QString& caption);
    void startNewModel();
    void showNotice(const QString& notice);
    UserPrompts::FileDialog modelDialog(const QString& title) const;

    ModelSession& m_session;
    Folders& m_folders;
    UserPrompts& m_prompts;
    QString m_caption;
    bool m_modified = false;
};

} // namespace kinetra
