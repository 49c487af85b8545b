#pragma once

#include <QString>

namespace kinetra {

class MessageSink;
class ModelSession;

// The controller page's "Настроить": the model collected as a run collects it, its cascade tuned
// loop by loop from the inside out, and the gains and times the tuner sets written into their
// fields as one edit, which one undo takes back. The user is told what was set and why; a model
// the tuner cannot handle is told why, and no field changes.
class ControllerTuning final {
public:
    ControllerTuning(ModelSession& session, MessageSink& messages);

    // False when the collection found bad entries (it has listed them) or the tuner refused.
    bool Tune();

private:
    ModelSession& m_session;
    MessageSink& m_messages;
};

} // namespace kinetra
