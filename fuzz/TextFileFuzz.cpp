// The text readers, Windows-1251 and UTF-8, and the key-value rules every model and settings text
// uses.

#include <QByteArray>

#include "FuzzSupport.h"
#include "text/KeyValueText.h"
#include "text/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kinetra;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // A NUL refuses the text, and nothing else does; UTF-8 fails only where the file says it is
    // UTF-8 and is not.
    const TextFileRead read = DecodeTextLines(bytes);
    fuzz::Check(read.ok == !bytes.contains('\0'));
    const TextContentRead content = DecodeTextOrUtf8(bytes);
    fuzz::Check(content.ok || bytes.contains('\0') || bytes.startsWith("\xEF\xBB\xBF"));
    if (content.ok) {
        // Saved in Windows-1251, the text reads again line for line, and exactly when it fits.
        const TextFileRead saved = DecodeTextLines(EncodeTextLines(content.value.lines));
        fuzz::Check(saved.ok && saved.value.size() == content.value.lines.size());
        fuzz::Check(FitsCodePage(content.value.lines) == (saved.value == content.value.lines));
    }
    if (!read.ok)
        return 0;

    KeyValueText lines = read.value;
    // Written and read again, the lines keep their number: no character breaks a line or makes
    // the text refused.
    const TextFileRead again = DecodeTextLines(EncodeTextLines(lines));
    fuzz::Check(again.ok && again.value.size() == lines.size());

    const QString key = lines.isEmpty() ? QStringLiteral("R1") : lines.first().section(u'=', 0, 0);
    if (!key.isEmpty() && !key.contains(u'=')) {
        const QString value = ReadKey(lines, key);
        WriteKey(lines, key, QStringLiteral("1"));
        fuzz::Check(ReadKey(lines, key) == QStringLiteral("1"));
        WriteKey(lines, key, value);
    }
    return 0;
}
