#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

#include "Status.h"

class QIODevice;

namespace kinetra {

// Writes the content onto the open device; returns false when it could not.
using FileContentWriter = std::function<bool(QIODevice& device)>;

// The one way Kinetra writes a file. The content goes to a temporary beside the target; every
// write the writer makes is checked for a short count, every byte is flushed to the disk and
// checked before the temporary replaces the old file, so a full disk, a killed process or an
// unwritable folder leaves the complete old file and a failure is always reported with the
// system's reason. Only a regular file is replaced. The temporary is "<target>.kinetra-XXXXXX.tmp";
// one that a killed save left behind goes at the next save of the same file, and at the next
// start of the program in the folders it writes (RemoveSaveLeftovers). QSaveFile alone is not
// enough: it buffers small writes and, on a full disk, may commit an empty file and report
// success.
Status SaveFile(const QString& path, const FileContentWriter& writeContent);
Status SaveFile(const QString& path, const QByteArray& content);

// Removes from the folder the temporaries that saves killed before their end left behind: regular
// files named exactly as a save names its temporary, that no running save holds.
void RemoveSaveLeftovers(const QString& folder);

// What the user reads when a save failed: "Не сохранить файл ", the file's name and, on the
// next line, the system's reason.
QString SaveFailedMessage(const QString& path, const QString& reason);

} // namespace kinetra
