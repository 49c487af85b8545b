#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace kinetra::test {

// A tmpfs of a few hundred KiB mounted for one test, which a filler file fills up to a chosen
// number of free bytes: a real full disk, fast. Mounting needs root; usable() says whether it
// worked.
class SmallDisk {
public:
    SmallDisk(const QString& folder, const char* size) : m_folder(folder)
    {
        QDir().mkpath(folder);
        m_mounted = ::geteuid() == 0 &&
                    ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, size) == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount(QFile::encodeName(m_folder).constData());
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool usable() const { return m_mounted; }
    QString file(const QString& name) const { return m_folder + u'/' + name; }

    // Leaves about this many bytes free (tmpfs counts whole pages).
    void fillLeaving(qint64 freeBytes)
    {
        QFile::remove(file(QStringLiteral("filler")));
        struct statvfs disk {};
        ::statvfs(QFile::encodeName(m_folder).constData(), &disk);
        qint64 toFill = qint64(disk.f_bavail) * qint64(disk.f_frsize) - freeBytes;
        QFile filler(file(QStringLiteral("filler")));
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        const QByteArray block(4096, 'f');
        for (; toFill > 0; toFill -= block.size())
            if (filler.write(block.constData(), qMin<qint64>(toFill, block.size())) <= 0)
                break;
    }
    void emptyFiller() { QFile::remove(file(QStringLiteral("filler"))); }

private:
    QString m_folder;
    bool m_mounted = false;
};

} // namespace kinetra::test
