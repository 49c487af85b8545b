#pragma once

#include <QStringList>

#include "editor/MessageSink.h"
#include "editor/ModelSession.h"

namespace kinetra::test {

// Keeps every message the session would show.
class RecordedMessages final : public MessageSink {
public:
    void showMessage(const QString& text) override { messages.append(text); }
    QStringList messages;
};

// A session on a new model, as the program has it right after start-up, with a comma as the
// decimal separator.
struct NewModelFixture {
    NewModelFixture()
    {
        session.NewModel();
        messages.messages.clear();
    }

    ModelEditor& editor() { return session.editor(); }
    QString line(const QString& key) const
    {
        for (const QString& line : session.modelText())
            if (line.startsWith(key + u'='))
                return line;
        return {};
    }

    RecordedMessages messages;
    ModelSession session{u',', messages};
};

} // namespace kinetra::test
