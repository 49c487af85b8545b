#include "FetchProgress.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QScopedValueRollback>

namespace kinetra {

namespace {

// A fetch quicker than this passes without a dialog flashing up.
constexpr std::chrono::milliseconds QuietTime{500};

} // namespace

void FetchProgress::wait(RunningFetch& fetch)
{
    // No events before the dialog blocks the other windows: they could start another fetch.
    if (fetch.waitFor(QuietTime))
        return;
    // Over the window that started the fetch, as every dialog of the program.
    QProgressDialog dialog(tr("Выполняется запрос..."), tr("Остановить"), 0, 0,
                           QApplication::activeWindow());
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    const QScopedValueRollback shown(m_dialog, &dialog);
    // The window's own events run while the fetch goes on elsewhere; the fetch's end or the stop
    // ends the wait.
    QEventLoop waiting;
    QObject::connect(&dialog, &QProgressDialog::canceled, &waiting, [&fetch, &waiting] {
        fetch.cancel();
        waiting.quit();
    });
    fetch.whenEnded(&waiting, [&waiting] { waiting.quit(); });
    dialog.show();
    waiting.exec();
    fetch.whenEnded(nullptr, {});
}

} // namespace kinetra
