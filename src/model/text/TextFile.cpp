#include "text/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include "text/FileSave.h"
#include "text/SystemReason.h"

namespace kinetra {

namespace {

constexpr char CodePage[] = "windows-1251";
// The byte-order mark an editor may put before UTF-8 text.
constexpr char Utf8Mark[] = "\xEF\xBB\xBF";
// Far above any model, settings or query text.
constexpr qint64 MaximumTextFileSize = 16 * 1024 * 1024;

// Qt reaches this code page through ICU; a Qt built without it cannot convert at all, and a
// write would silently empty the file.
bool CodePageAvailable()
{
    return QStringDecoder(CodePage).isValid() && QStringEncoder(CodePage).isValid();
}

QString MissingCodePageError()
{
    return QCoreApplication::translate("TextFile", "Кодировка windows-1251 недоступна");
}

// The lines of a decoded text; a NUL, which no text of the program's holds, refuses it with the
// line it stands on, since reading on would take whatever follows for text.
TextFileRead LinesOf(const QString& text)
{
    QStringList lines = LinesOfText(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).contains(QChar(0)))
            return TextFileRead::Failed(
                QCoreApplication::translate("TextFile",
                                            "Нулевой байт в строке %1: файл не текстовый")
                    .arg(i + 1));
    }
    return TextFileRead::Of(std::move(lines));
}

bool IsAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char byte) { return (static_cast<unsigned char>(byte) & 0x80) == 0; });
}

// The number of the first line that does not decode as UTF-8. Line ends are ASCII, which never
// stands inside a multi-byte sequence, so the bytes split into lines as the text does.
qsizetype FirstLineNotUtf8(QByteArrayView bytes)
{
    qsizetype line = 1;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
        [[maybe_unused]] const QString text = utf8.decode(bytes.sliced(lineStart, i - lineStart));
        if (utf8.hasError())
            return line;
        if (i + 1 < bytes.size() && bytes[i] == '\r' && bytes[i + 1] == '\n')
            ++i;
        lineStart = i + 1;
        ++line;
    }
    return line;
}

// The bytes of a file of the program's texts, or why there are none.
StatusOr<QByteArray> ReadTextBytes(const QString& path)
{
    if (!CodePageAvailable())
        return StatusOr<QByteArray>::Failed(MissingCodePageError());
    // A pipe would block for ever and a device such as /dev/zero never ends; a text file of the
    // program's is small, so a huge file is no text of its.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return StatusOr<QByteArray>::Failed(info.isDir() ? SystemReason(EISDIR)
                                                         : NotARegularFile());
    if (info.size() > MaximumTextFileSize)
        return StatusOr<QByteArray>::Failed(SystemReason(EFBIG));
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return StatusOr<QByteArray>::Failed(SystemReason(errno, file.errorString()));
    QByteArray bytes = file.read(MaximumTextFileSize);
    if (file.error() != QFileDevice::NoError)
        return StatusOr<QByteArray>::Failed(SystemReason(errno, file.errorString()));
    return StatusOr<QByteArray>::Of(std::move(bytes));
}

} // namespace

TextContentRead DecodeTextOrUtf8(const QByteArray& bytes)
{
    const bool marked = bytes.startsWith(Utf8Mark);
    const QByteArrayView content = QByteArrayView(bytes).sliced(marked ? sizeof Utf8Mark - 1 : 0);
    if (marked || !IsAscii(content)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless |
                                                      QStringConverter::Flag::ConvertInitialBom);
        const QString text = utf8.decode(content);
        if (!utf8.hasError()) {
            TextFileRead lines = LinesOf(text);
            if (!lines.ok)
                return TextContentRead::Failed(lines.error);
            return TextContentRead::Of({std::move(lines.value), true});
        }
        // A file that says it is UTF-8 and is not has been damaged on the way.
        if (marked)
            return TextContentRead::Failed(
                QCoreApplication::translate(
                    "TextFile", "Строка %1 не в кодировке UTF-8, хотя файл помечен как UTF-8")
                    .arg(FirstLineNotUtf8(content)));
    }
    TextFileRead lines = DecodeTextLines(bytes);
    if (!lines.ok)
        return TextContentRead::Failed(lines.error);
    return TextContentRead::Of({std::move(lines.value), false});
}

TextFileRead DecodeTextLines(const QByteArray& bytes)
{
    QStringDecoder decoder(CodePage);
    return LinesOf(decoder.decode(bytes));
}

QByteArray EncodeTextLines(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += u"\r\n";
    }
    // A character the code page cannot hold comes out as NUL, and so does a NUL in the text;
    // either would make the file refused when it is read again, so "?" stands in for both.
    QStringEncoder encoder(CodePage, QStringConverter::Flag::ConvertInvalidToNull);
    QByteArray bytes = encoder.encode(text);
    return bytes.replace('\0', '?');
}

bool FitsCodePage(const QStringList& lines)
{
    QStringEncoder encoder(CodePage, QStringConverter::Flag::ConvertInvalidToNull);
    return std::none_of(lines.cbegin(), lines.cend(), [&encoder](const QString& line) {
        return QByteArray(encoder.encode(line)).contains('\0');
    });
}

TextFileRead ReadTextFile(const QString& path)
{
    const StatusOr<QByteArray> bytes = ReadTextBytes(path);
    return bytes.ok ? DecodeTextLines(bytes.value) : TextFileRead::Failed(bytes.error);
}

TextContentRead ReadTextFileOrUtf8(const QString& path)
{
    const StatusOr<QByteArray> bytes = ReadTextBytes(path);
    return bytes.ok ? DecodeTextOrUtf8(bytes.value) : TextContentRead::Failed(bytes.error);
}

QString OpenFailedMessage(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("TextFile", "Не открыть файл %1\n%2")
        .arg(QFileInfo(path).fileName(), reason);
}

Status WriteTextFile(const QString& path, const QStringList& lines)
{
    if (!CodePageAvailable())
        return Status::Failed(MissingCodePageError());
    return SaveFile(path, EncodeTextLines(lines));
}

QStringList LinesOfText(QStringView text)
{
    QStringList lines;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.sliced(lineStart, i - lineStart).toString());
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        lineStart = i + 1;
    }
    if (lineStart < text.size())
        lines.append(text.sliced(lineStart).toString());
    return lines;
}

} // namespace kinetra
