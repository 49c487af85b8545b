#include "editor/ModelSession.h"

#include <QFileInfo>

#include "editor/MessageSink.h"
#include "editor/ModelCollector.h"
#include "editor/SeparatorFallback.h"
#include "text/ModelTemplate.h"
#include "text/TextFile.h"

namespace kinetra {

namespace {

// A model read as UTF-8 is saved in the program's code page, as every model is; the user learns
// that once, and what becomes of a character the code page has no place for.
QString Utf8Notice(bool fitsCodePage)
{
    if (fitsCodePage)
        return ModelSession::tr(
            "Файл модели в кодировке UTF-8 прочитан в ней; сохраняется модель в windows-1251");
    return ModelSession::tr("Файл модели в кодировке UTF-8 прочитан в ней; сохраняется модель в "
                            "windows-1251, а знаки, которых там нет, записываются как \"?\"");
}

} // namespace

ModelSession::ModelSession(QChar decimalSeparator, MessageSink& messages, QObject* parent)
    : QObject(parent), m_reader(decimalSeparator), m_messages(messages), m_editor(m_reader)
{
    connect(&m_editor, &ModelEditor::forceRerunRequested, this, [this] { m_forceRerun = true; });
    connect(&m_editor, &ModelEditor::lastRunForgotten, this, &ModelSession::lastRunForgotten);
    connect(&m_editor, &ModelEditor::timeSpanChanged, this, &ModelSession::timeSpanChanged);
}

bool ModelSession::CollectModel()
{
    ModelCollector collector(m_editor, m_reader, m_params, m_modelText);
    if (collector.collect())
        return true;
    m_messages.showMessage(tr("Ошибки ввода ") + m_reader.ErrorList);
    m_reader.ErrorList.clear();
    // After the message, the fields that hold the bad entries, so the user need not hunt.
    m_editor.markBadEntries(collector.badFields());
    return false;
}

Status ModelSession::ModelInit()
{
    m_editor.ResetMotorPage();
    m_editor.ResetConverterPage();
    m_editor.ResetLoadPage();
    m_editor.ResetControllerPage();
    // Iref keeps its value: only these three belong to a new model.
    m_params.Tmax = 0;
    m_params.Mref = 0;
    m_params.wref = 0;
    if (Status filled = m_editor.FillPages(m_modelText); !filled.ok)
        return filled;
    m_editor.MotorComboBoxChange();
    m_editor.ConverterComboBoxChange();
    m_editor.LoadComboBoxChange();
    CollectModel();
    m_savedText = m_modelText;
    m_history.restart();
    return Status::Done();
}

bool ModelSession::hasUnsavedChanges() const
{
    InputReader reader = m_reader;
    ModelParams params = m_params;
    KeyValueText text;
    ModelCollector(m_editor, reader, params, text).collect();
    return text != m_savedText;
}

void ModelSession::NewModel()
{
    m_modelText = ModelTemplate();
    m_editor.showPage(EditorPage::MotorPage);
    // The template carries integers only, so it always fills.
    [[maybe_unused]] const Status filled = ModelInit();
    Q_ASSERT(filled.ok);
}

TextContentRead ModelSession::ReadModelFile(const QString& path)
{
    TextContentRead file = ReadTextFileOrUtf8(path);
    if (!file.ok)
        return file;
    const QString mismatch = ModelTextMismatch(file.value.lines);
    if (!mismatch.isEmpty())
        return TextContentRead::Failed(mismatch);
    return file;
}

ModelSession::LoadResult ModelSession::LoadModelFile(const QString& path)
{
    emit fileNameShown(QFileInfo(path).fileName());
    TextContentRead file = ReadModelFile(path);
    if (!file.ok)
        return {Status::Failed(file.error), {}};
    m_modelText = std::move(file.value.lines);
    QStringList notices;
    if (file.value.utf8)
        notices << Utf8Notice(FitsCodePage(m_modelText));
    if (ReadWithOtherSeparator(m_modelText, m_reader.decimalSeparator()))
        notices << OtherSeparatorNotice(m_reader.decimalSeparator());
    if (Status initialised = ModelInit(); !initialised.ok)
        return {std::move(initialised), {}};
    return {Status::Done(), notices.join(QStringLiteral("; "))};
}

} // namespace kinetra
