// The settings start-up on any Kinetra.ini: reading it, rebuilding it from the template, and
// the folders and connection it gives.

#include <QDir>

#include "FuzzSupport.h"
#include "editor/MessageSink.h"
#include "editor/ModelSession.h"
#include "settings/SettingsStore.h"
#include "shell/Folders.h"

namespace {

class SilentMessages final : public kinetra::MessageSink {
public:
    void showMessage(const QString&) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kinetra;
    fuzz::InputFile(QStringLiteral("Kinetra.ini"), data, size);
    QDir::setCurrent(fuzz::ScratchFolder());
    SilentMessages messages;
    ModelSession session(u',', messages);
    Folders folders;
    const SettingsStore store(folders, session, messages);
    fuzz::Check(!store.connectionString().isEmpty());
    return 0;
}
