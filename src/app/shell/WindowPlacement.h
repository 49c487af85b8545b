#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

namespace kinetra {

// Keeps every window of the program within its screen's available area. The window manager
// places a window anew each time it is shown, and on a small desktop may put its bottom, with
// the status bar, below the screen. From its showing until it has been placed and made active, a
// window that does not fit where it is put is moved, and if need be shrunk, onto the screen; after
// that it is the user's to move.
class WindowPlacement final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WindowPlacement)

public:
    explicit WindowPlacement(QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A window shown, whose placement the window manager may still change.
    struct Placing {
        QPointer<QWidget> window;
        bool placed = false; // moved since it was shown
        bool active = false;
    };
    QList<Placing> m_placing;
};

// Moves, and if need be shrinks, the window so that its frame lies within its screen's
// available area.
void FitOntoScreen(QWidget& window);

} // namespace kinetra
