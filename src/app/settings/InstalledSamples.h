#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QString>

#include "text/Status.h"

namespace kinetra {

// The sample catalogue and the example models an installed Kinetra brings along in
// share/kinetra. A program started from the desktop menu runs in a folder of the user's own,
// where neither is yet: the catalogue is copied there once, and the model dialogs start at the
// examples until the user's settings name a folder. A program run from its build tree has no
// such folder and changes nothing.
class InstalledSamples final {
    Q_DECLARE_TR_FUNCTIONS(InstalledSamples)

public:
    explicit InstalledSamples(const QString& dataFolder);
    // share/kinetra beside the bin folder the program runs from.
    static InstalledSamples besideProgram();
    // The folder the build tree makes the sample catalogue in, for a program run from there.
    static InstalledSamples ofBuildTree();
    // Of the two, the one that has a sample catalogue: the installed one when both have.
    static InstalledSamples withCatalogue();

    // The sample catalogue file; empty when this folder has none.
    QString sampleCatalogue() const;

    // The examples folder with a closing separator, as the folders are kept; empty when the
    // installation has none.
    QString examplesFolder() const;

    // When the connection names a catalogue file "Kinetra.mdb" in the working directory and
    // there is none, the sample is copied there; an existing file is never touched. Returns
    // what happened in the user's words, or an empty text when nothing had to be done.
    QString placeCatalogue(const QString& connectionString, const QDir& workingDirectory) const;
    // Copies the sample catalogue to path, which must not exist yet.
    Status copyCatalogueTo(const QString& path) const;

private:
    QDir m_dataFolder;
};

} // namespace kinetra
