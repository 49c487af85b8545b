#include "shell/ModelDocument.h"

#include <utility>

#include <QFileInfo>

#include "editor/ModelSession.h"
#include "shell/Folders.h"
#include "text/FileSave.h"
#include "text/ModelTemplate.h"
#include "text/TextFile.h"

namespace kinetra {

namespace {

QString fileNameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

} // namespace

ModelDocument::ModelDocument(ModelSession& session, Folders& folders, UserPrompts& prompts,
                             QObject* parent)
    : QObject(parent), m_session(session), m_folders(folders), m_prompts(prompts),
      m_caption(tr("Модель Kinetra "))
{
    connect(&m_session, &ModelSession::fileNameShown, this,
            [this](const QString& name) { setCaption(tr("Модель Kinetra: %1").arg(name)); });
    connect(&m_session.history(), &EditHistory::changed, this, &ModelDocument::refreshModified);
}

void ModelDocument::refreshModified()
{
    const bool modified = m_session.hasUnsavedChanges();
    if (std::exchange(m_modified, modified) != modified)
        emit modifiedChanged(modified);
}

void ModelDocument::New()
{
    m_session.CollectModel();
    emit lastRunForgotten();
    if (isChanged() && !AskSaveChanges())
        return;
    startNewModel();
}

void ModelDocument::startNewModel()
{
    m_session.NewModel();
    m_session.setModelFileName(QString());
    setCaption(tr("Модель Kinetra"));
    emit resultsCleared();
}

void ModelDocument::Open()
{
    const auto chosen = m_prompts.chooseFileToOpen(modelDialog(tr("Открытие модели")));
    if (chosen)
        OpenFile(chosen->path);
}

bool ModelDocument::OpenFile(const QString& path)
{
    // A file that holds no model is refused before anything is asked or reset: the model the
    // user has stays as it is.
    if (const TextContentRead file = ModelSession::ReadModelFile(path); !file.ok) {
        m_prompts.showMessage(OpenFailedMessage(path, file.error));
        return false;
    }
    SaveQuestionCancelled = false;
    New();
    if (SaveQuestionCancelled) {
        SaveQuestionCancelled = false;
        return true;
    }
    m_session.setModelFileName(path);
    m_folders.ModelsFolder = FolderOf(path);
    const ModelSession::LoadResult loaded = m_session.LoadModelFile(path);
    if (loaded.ok) {
        showNotice(loaded.notice);
        emit fileUsed(path);
        return true;
    }
    m_prompts.showMessage(OpenFailedMessage(path, loaded.error));
    // A file that could not be opened must not stay the model's file: a later Save would
    // overwrite it with a model it never held. The user is back at a clean new model.
    startNewModel();
    return false;
}

void ModelDocument::OpenFromCommandLine(const QString& path)
{
    m_session.setModelFileName(path);
    const ModelSession::LoadResult loaded = m_session.LoadModelFile(path);
    if (loaded.ok) {
        showNotice(loaded.notice);
        emit fileUsed(path);
        return;
    }
    // As for Open: the user learns why, and the file does not stay the model's, so that Save
    // cannot overwrite it with the template.
    m_prompts.showMessage(OpenFailedMessage(path, loaded.error));
    startNewModel();
}

void ModelDocument::showNotice(const QString& notice)
{
    if (!notice.isEmpty())
        emit noticeShown(notice);
}

bool ModelDocument::Save()
{
    if (m_session.ModelFileName().isEmpty())
        return SaveAs();
    m_session.CollectModel();
    return writeModel(m_session.ModelFileName());
}

bool ModelDocument::SaveAs()
{
    UserPrompts::FileDialog dialog = modelDialog(tr("Сохранение модели"));
    dialog.fileName = proposedFileName();
    const auto chosen = ChooseFileToReplace(m_prompts, dialog);
    if (!chosen)
        return false;
    const QString& path = chosen->path;
    m_session.CollectModel();
    // The model takes the new name only once it is in the file: after a failed Save As, Save
    // must ask again rather than retry a path that failed.
    if (!writeModel(path))
        return false;
    m_session.setModelFileName(path);
    setCaption(tr("Модель Kinetra: %1").arg(fileNameOf(path)));
    m_folders.ModelsFolder = FolderOf(path);
    return true;
}

QString ModelDocument::proposedFileName() const
{
    if (!m_session.ModelFileName().isEmpty())
        return fileNameOf(m_session.ModelFileName());
    QString name = FileNameFrom(m_session.editor().text(EditField::MotorTypeEdit));
    if (name.isEmpty())
        name = tr("Модель");
    return name + QStringLiteral(".kmf");
}

bool ModelDocument::writeModel(const QString& path)
{
    const Status written = WriteTextFile(path, m_session.modelText());
    if (!written.ok) {
        m_prompts.showMessage(SaveFailedMessage(path, written.error));
        return false;
    }
    // Only a model that really reached its file counts as saved.
    m_session.setSavedText(m_session.modelText());
    refreshModified();
    emit fileUsed(path);
    return true;
}

bool ModelDocument::AskSaveChanges()
{
    const UserPrompts::Answer answer = m_prompts.askYesNoCancel(
        tr("Текст изменен"),
        tr("Сохранить изменения в модели %1 ?").arg(fileNameOf(m_session.ModelFileName())));
    if (answer == UserPrompts::Answer::Cancel || (answer == UserPrompts::Answer::Yes && !Save())) {
        SaveQuestionCancelled = true;
        return false;
    }
    m_session.setModelFileName(QString());
    return true;
}

bool ModelDocument::CloseQuestion()
{
    if (m_prompts.askYesNo(QStringLiteral("Kinetra"), tr("Завершить работу?")) !=
        UserPrompts::Answer::Yes)
        return false;
    m_session.CollectModel();
    return !isChanged() || AskSaveChanges();
}

bool ModelDocument::isChanged()
{
    return m_session.modelText() != m_session.savedText();
}

void ModelDocument::setCaption(const QString& caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    emit captionChanged(caption);
}

UserPrompts::FileDialog ModelDocument::modelDialog(const QString& title) const
{
    return {title, tr("Модели (*.kmf)|*.kmf|Все файлы (*.*)|*.*"), QStringLiteral("kmf"),
            m_folders.ModelsFolder};
}

} // namespace kinetra
