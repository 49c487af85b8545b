#pragma once

#include <QObject>

namespace kinetra {

// Ends the program once the first window has painted for the first time: the start-up benchmark
// measures from process start to the first painted model window this way. Installed on the
// application.
class FirstPaintExit final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FirstPaintExit)

public:
    using QObject::QObject;

    // True when the environment asks for it (KINETRA_EXIT_AFTER_FIRST_PAINT=1).
    static bool requested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kinetra
