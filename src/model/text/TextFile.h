#pragma once

#include <QString>
#include <QStringList>

#include "IoResult.h"

namespace kinetra {

// Kinetra's text files are 8-bit Windows-1251 with CR LF after every line.

// The lines of a text file.
using TextFileRead = IoRead<QStringList>;

// Splits at CR, LF or CR LF; text after the last line end is a last line; stops at a NUL byte.
TextFileRead ReadTextFile(const QString& path);

// What the user reads when a file cannot be opened: "Не открыть файл ", the file's name and, on
// the next line, the reason.
QString OpenFailedMessage(const QString& path, const QString& reason);

// Writes every line followed by CR LF through a temporary file that replaces the old one only
// once it is completely written, so a failed write never destroys the file that was there.
IoResult WriteTextFile(const QString& path, const QStringList& lines);

// The same conversions on bytes, for callers that hold the content in memory.
QStringList DecodeTextLines(const QByteArray& bytes);
QByteArray EncodeTextLines(const QStringList& lines);

// The lines of a text page's text. A line end at the very end starts no further line, as when
// the page was filled from lines; an empty text has no lines.
QStringList LinesOfText(const QString& text);

} // namespace kinetra
