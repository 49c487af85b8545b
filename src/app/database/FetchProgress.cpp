#include "FetchProgress.h"

#include <QApplication>
#include <QProgressDialog>

namespace kinetra {

namespace {

// A fetch quicker than this passes without a dialog flashing up.
constexpr qint64 QuietTime = 500;

} // namespace

FetchProgress::FetchProgress() = default;

FetchProgress::~FetchProgress() = default;

bool FetchProgress::stopRequested()
{
    if (!m_running.isValid())
        m_running.start();
    if (!m_dialog) {
        // No events before the dialog blocks the other windows: they could start another fetch.
        if (!m_running.hasExpired(QuietTime))
            return false;
        // Over the window that started the fetch, as every dialog of the program.
        m_dialog = std::make_unique<QProgressDialog>(QStringLiteral("Выполняется запрос..."),
                                                     QStringLiteral("Остановить"), 0, 0,
                                                     QApplication::activeWindow());
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->show();
    }
    QApplication::processEvents();
    return m_dialog->wasCanceled();
}

void FetchProgress::fetchEnded()
{
    m_running.invalidate();
    m_dialog.reset();
}

} // namespace kinetra
