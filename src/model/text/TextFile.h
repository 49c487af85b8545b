#pragma once

#include <QString>
#include <QStringList>

#include "Status.h"

namespace kinetra {

// Kinetra's text files are 8-bit Windows-1251 with CR LF after every line. They are read to
// their end: a NUL byte, which no text holds, refuses the file and names its line, rather than
// ending the text early and letting a later save write the rest away.

// The lines of a text file.
using TextFileRead = StatusOr<QStringList>;

// The lines of a text file that may also be UTF-8, as editors of today save text, and whether it
// was read as UTF-8.
struct TextFileContent {
    QStringList lines;
    bool utf8 = false;
};
using TextContentRead = StatusOr<TextFileContent>;

// Splits at CR, LF or CR LF; text after the last line end is a last line.
TextFileRead ReadTextFile(const QString& path);

// As ReadTextFile, but a file that starts with UTF-8's byte-order mark, or whose bytes are valid
// UTF-8 with some character beyond ASCII, is read as UTF-8 without the mark. Windows-1251 text
// is practically never valid UTF-8: a Cyrillic letter there is followed by another letter or by
// ASCII, never by the continuation bytes UTF-8 needs after it. A file marked as UTF-8 that does
// not decode is refused with the line that does not.
TextContentRead ReadTextFileOrUtf8(const QString& path);

// What the user reads when a file cannot be opened: "Не открыть файл ", the file's name and, on
// the next line, the reason.
QString OpenFailedMessage(const QString& path, const QString& reason);

// Writes every line followed by CR LF through a temporary file that replaces the old one only
// once it is completely written, so a failed write never destroys the file that was there.
Status WriteTextFile(const QString& path, const QStringList& lines);

// The same conversions on bytes, for callers that hold the content in memory.
TextFileRead DecodeTextLines(const QByteArray& bytes);
TextContentRead DecodeTextOrUtf8(const QByteArray& bytes);
QByteArray EncodeTextLines(const QStringList& lines);

// Whether Windows-1251 holds every character of the lines; EncodeTextLines writes "?" for one it
// does not.
bool FitsCodePage(const QStringList& lines);

// The lines of a text, parted at every kind of line end (CR LF, LF, CR): a file's content as a
// text page's. A line end at the very end starts no further line, as when the text was made of
// lines; an empty text has no lines.
QStringList LinesOfText(QStringView text);

} // namespace kinetra
