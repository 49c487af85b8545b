#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QString>

#include "settings/InstalledSamples.h"

namespace kinetra {

class SettingsStore;
class UserPrompts;

// The first visit to a catalogue that is not there yet. Instead of the connection's own failure,
// the user reads which file is missing and can choose a catalogue file or copy the sample that
// came with the program to where the connection looks for it.
class CatalogueSetup final {
    Q_DECLARE_TR_FUNCTIONS(CatalogueSetup)

public:
    CatalogueSetup(SettingsStore& settings, UserPrompts& prompts, InstalledSamples samples);

    // The catalogue file the connection names, with its full path, when it is a file that does
    // not exist; empty for any other connection.
    static QString missingCatalogue(const QString& connectionString, const QDir& workingDirectory);

    // When the connection's catalogue file is missing, asks what to do. True when a catalogue
    // has been put in place, so that connecting again may succeed.
    bool offerWhenMissing(const QDir& workingDirectory);
    // Whether the last offer was made at all, that is, the catalogue file was missing.
    bool wasMissing() const { return m_wasMissing; }

private:
    bool copySample(const QString& path);
    bool chooseCatalogue(const QString& missingPath);

    SettingsStore& m_settings;
    UserPrompts& m_prompts;
    InstalledSamples m_samples;
    bool m_wasMissing = false;
};

} // namespace kinetra
