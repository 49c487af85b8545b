// The Windows-1251 text reader and the key-value rules every model and settings text uses.

#include <QByteArray>

#include "FuzzSupport.h"
#include "text/KeyValueText.h"
#include "text/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace kinetra;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    KeyValueText lines = DecodeTextLines(bytes);
    // Written and read again, the lines keep their number: no character breaks a line or ends
    // the text early.
    fuzz::Check(DecodeTextLines(EncodeTextLines(lines)).size() == lines.size());

    const QString key = lines.isEmpty() ? QStringLiteral("R1") : lines.first().section(u'=', 0, 0);
    if (!key.isEmpty() && !key.contains(u'=')) {
        const QString value = ReadKey(lines, key);
        WriteKey(lines, key, QStringLiteral("1"));
        fuzz::Check(ReadKey(lines, key) == QStringLiteral("1"));
        WriteKey(lines, key, value);
    }
    return 0;
}
