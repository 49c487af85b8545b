#pragma once

#include <QCoreApplication>
#include <QtGlobal>

#include "Catalogue.h"

class QProgressDialog;

namespace kinetra {

// Waits for a catalogue fetch on behalf of the windows. A fetch that ends within half a second
// passes without a dialog; a longer one shows a modal busy dialog over the window that started
// it, whose stop button cancels the fetch at once. Being modal, the dialog keeps the other
// windows from starting anything meanwhile.
class FetchProgress final : public Catalogue::FetchWait {
    Q_DECLARE_TR_FUNCTIONS(FetchProgress)

public:
    FetchProgress() = default;
    ~FetchProgress() = default;
    Q_DISABLE_COPY_MOVE(FetchProgress)

    void wait(RunningFetch& fetch) override;

    // The dialog while a long fetch runs, else null.
    QProgressDialog* dialog() const { return m_dialog; }

private:
    QProgressDialog* m_dialog = nullptr;
};

} // namespace kinetra
