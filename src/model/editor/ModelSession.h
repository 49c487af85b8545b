#pragma once

#include <QObject>
#include <QString>

#include "ModelParams.h"
#include "editor/EditHistory.h"
#include "editor/InputReader.h"
#include "editor/ModelEditor.h"
#include "text/KeyValueText.h"
#include "text/TextFile.h"

namespace kinetra {

class MessageSink;

// The model as the main window holds it: the editor, the parameter set collected from it, the
// model text, the text as last loaded or saved, and the flag that makes the results simulate
// again. It loads model texts into the editor and collects the editor back into data.
class ModelSession final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ModelSession)

public:
    struct LoadResult : Status {
        // What the user should know about how the file was read (in UTF-8, with the other
        // decimal separator), in one line.
        QString notice;
    };

    ModelSession(QChar decimalSeparator, MessageSink& messages, QObject* parent = nullptr);

    ModelEditor& editor() { return m_editor; }
    const ModelEditor& editor() const { return m_editor; }
    InputReader& reader() { return m_reader; }
    const InputReader& reader() const { return m_reader; }
    EditHistory& history() { return m_history; }
    ModelParams& params() { return m_params; }
    const ModelParams& params() const { return m_params; }
    const KeyValueText& modelText() const { return m_modelText; }
    const KeyValueText& savedText() const { return m_savedText; }
    void setSavedText(const KeyValueText& text) { m_savedText = text; }
    // Writes one key of the model text, as a record sent from the catalogue does; an empty
    // value removes the key's line.
    void writeModelKey(const QString& key, const QString& value)
    {
        WriteKey(m_modelText, key, value);
    }

    // Reads the editor into the parameter set and a fresh model text. On bad entries it shows
    // one "Ошибки ввода " message listing them all, marks their fields, shows the page of the
    // first and returns false; the values are stored all the same, each bad entry counting as 0.
    bool CollectModel();
    // Whether the editor, collected afresh, differs from the text last loaded or saved. Nothing
    // is shown or stored: the question is asked on every edit.
    bool hasUnsavedChanges() const;

    // Puts the editor to the current model text: resets, fills, kind handlers, collection. A
    // model just initialised has no unsaved changes, and nothing to undo. Fails when p1, m1 or m0
    // is no integer; the pages are then partly filled and nothing is collected.
    [[nodiscard]] Status ModelInit();

    // A new model from the template, shown on the motor page.
    void NewModel();

    // Reads a model file and initialises the editor from it.
    LoadResult LoadModelFile(const QString& path);
    // Reads the lines of a model file, in Windows-1251 or UTF-8, refusing a file that holds no
    // model.
    static TextContentRead ReadModelFile(const QString& path);

    // The file the model was last opened from or saved to; empty for a never-saved model.
    const QString& ModelFileName() const { return m_modelFileName; }
    void setModelFileName(const QString& path) { m_modelFileName = path; }
    // Set whenever what is simulated or shown may have changed without the model text
    // changing; the results' next activation then simulates and clears it.
    bool ForceRerun() const { return m_forceRerun; }
    void setForceRerun(bool force) { m_forceRerun = force; }

signals:
    // A variable-signal box changed: the results must forget the text they last simulated.
    void lastRunForgotten();
    // The model time changed: the results of another time span must go.
    void timeSpanChanged();
    // LoadModelFile names the file it opens.
    void fileNameShown(const QString& fileName);

private:
    InputReader m_reader;
    MessageSink& m_messages;
    ModelEditor m_editor;
    EditHistory m_history{m_editor};
    ModelParams m_params;
    KeyValueText m_modelText;
    KeyValueText m_savedText;
    QString m_modelFileName;
    bool m_forceRerun = false;
};

} // namespace kinetra
