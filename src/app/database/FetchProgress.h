#pragma once

#include <QElapsedTimer>

#include <memory>

#include "Catalogue.h"

class QProgressDialog;

namespace kinetra {

// Lets the user stop a catalogue fetch that runs longer than half a second: a modal busy dialog
// with a stop button, kept alive by the events it lets through while the fetch asks whether to
// stop. Being modal, it keeps the other windows from starting anything meanwhile.
class FetchProgress final : public Catalogue::FetchWatch {
public:
    FetchProgress();
    ~FetchProgress();
    Q_DISABLE_COPY_MOVE(FetchProgress)

    bool stopRequested() override;
    void fetchEnded() override;

    // The dialog while a long fetch runs, else null.
    QProgressDialog* dialog() const { return m_dialog.get(); }

private:
    QElapsedTimer m_running;
    std::unique_ptr<QProgressDialog> m_dialog;
};

} // namespace kinetra
