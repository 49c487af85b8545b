#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace kinetra::fuzz {

// A folder of the fuzzing process's own, for inputs that the code under test reads from a file.
inline const QString& ScratchFolder()
{
    static const QString folder = [] {
        const QString path =
            QDir::temp().filePath(QStringLiteral("kinetra-fuzz-%1").arg(::getpid()));
        QDir().mkpath(path);
        return path;
    }();
    return folder;
}

// Puts the input into a file of the scratch folder and gives its path.
inline QString InputFile(const QString& name, const std::uint8_t* data, std::size_t size)
{
    const QString path = ScratchFolder() + u'/' + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        std::abort();
    return path;
}

// A finding: the fuzzer stops and keeps the input.
inline void Check(bool holds)
{
    if (!holds)
        std::abort();
}

} // namespace kinetra::fuzz
