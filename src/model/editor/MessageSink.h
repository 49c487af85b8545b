#pragma once

#include <QString>

namespace kinetra {

// Where the model's plain logic shows a message to the user: a window shows a message box, the
// command-line simulator prints to standard error, tests capture it.
class MessageSink {
public:
    virtual void showMessage(const QString& text) = 0;

protected:
    ~MessageSink() = default;
};

} // namespace kinetra
