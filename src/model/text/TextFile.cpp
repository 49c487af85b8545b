#include "text/TextFile.h"

#include <cerrno>

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include "text/FileSave.h"
#include "text/SystemReason.h"

namespace kinetra {

namespace {

constexpr char CodePage[] = "windows-1251";
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
    return QStringLiteral("Кодировка windows-1251 недоступна");
}

QStringList SplitLines(QStringView text)
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

} // namespace

QStringList DecodeTextLines(const QByteArray& bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    const QByteArrayView content =
        nul < 0 ? QByteArrayView(bytes) : QByteArrayView(bytes).first(nul);
    QStringDecoder decoder(CodePage);
    const QString text = decoder.decode(content);
    return SplitLines(text);
}

QByteArray EncodeTextLines(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += u"\r\n";
    }
    // A character the code page cannot hold comes out as NUL, and so does a NUL in the text;
    // either would cut the file short when it is read again, so "?" stands in for both.
    QStringEncoder encoder(CodePage, QStringConverter::Flag::ConvertInvalidToNull);
    QByteArray bytes = encoder.encode(text);
    return bytes.replace('\0', '?');
}

TextFileRead ReadTextFile(const QString& path)
{
    if (!CodePageAvailable())
        return TextFileRead::Failed(MissingCodePageError());
    // A pipe would block for ever and a device such as /dev/zero never ends; a text file of the
    // program's is small, so a huge file is no text of its.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return TextFileRead::Failed(info.isDir() ? SystemReason(EISDIR) : NotARegularFile());
    if (info.size() > MaximumTextFileSize)
        return TextFileRead::Failed(SystemReason(EFBIG));
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return TextFileRead::Failed(SystemReason(errno, file.errorString()));
    const QByteArray bytes = file.read(MaximumTextFileSize);
    if (file.error() != QFileDevice::NoError)
        return TextFileRead::Failed(SystemReason(errno, file.errorString()));
    return TextFileRead::Read(DecodeTextLines(bytes));
}

QString OpenFailedMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("Не открыть файл ") + QFileInfo(path).fileName() + u'\n' + reason;
}

IoResult WriteTextFile(const QString& path, const QStringList& lines)
{
    if (!CodePageAvailable())
        return IoResult::Failed(MissingCodePageError());
    return SaveFile(path, EncodeTextLines(lines));
}

QStringList LinesOfText(const QString& text)
{
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(u'\n');
    if (lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace kinetra
