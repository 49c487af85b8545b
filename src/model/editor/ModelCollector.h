#pragma once

#include <vector>

#include "ModelParams.h"
#include "editor/EditorControls.h"
#include "text/KeyValueText.h"

namespace kinetra {

class InputReader;
class ModelEditor;

// Turns the editor into data: reads every field the kinds and switches leave on, in a fixed
// order (the order in which bad entries are listed), stores the values into the parameter set
// and rebuilds the model text from the template. Bad entries count as 0 and are gathered in the
// reader's ErrorList; showing them is the caller's business.
class ModelCollector final {
public:
    ModelCollector(const ModelEditor& editor, InputReader& reader, ModelParams& params,
                   KeyValueText& text);

    // True when every entry could be read.
    bool collect();
    // The fields whose entries could not be read, in the order they were listed.
    const std::vector<EditField>& badFields() const { return m_badFields; }

private:
    void collectMotor();
    void collectSupply();
    void collectLoad();
    void collectController();
    void collectReference();
    void collectSwitches();

    // What a field holds, and its magnitude; a field that cannot be read is remembered.
    double parse(EditField field);
    double read(EditField field);
    void write(const QString& key, double value);
    void storeAndWrite(const char* key, double ModelParams::*member, EditField field);
    void storeAndWriteNonZero(const char* key, double ModelParams::*member, EditField field);

    const ModelEditor& m_editor;
    InputReader& m_reader;
    ModelParams& m_params;
    KeyValueText& m_text;
    std::vector<EditField> m_badFields;
};

} // namespace kinetra
