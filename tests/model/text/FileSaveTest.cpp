#include <gtest/gtest.h>

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <string_view>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "QtPrinters.h"
#include "SmallDisk.h"
#include "text/FileSave.h"

// Saves onto a disk that really refuses the bytes: the old file must survive whole and the
// failure must be reported, also for a file small enough to sit in a write buffer.

namespace kinetra {
namespace {

const QByteArray OldContent = "R1=1\r\n";
const QByteArray NewContent = QByteArray(1000, 'n');

bool RunningAsRoot()
{
    return ::geteuid() == 0;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Runs the save in a child process, so that the limits and mounts a case sets up stay there.
// Gives the child's Status as its exit status: 0 saved, 1 failed with a reason, 2
// failed without one.
int SaveInChild(const std::function<void()>& prepare, const QString& path,
                const QByteArray& content)
{
    const pid_t child = ::fork();
    if (child == 0) {
        prepare();
        const Status saved = SaveFile(path, content);
        ::_exit(saved.ok ? 0 : saved.error.isEmpty() ? 2 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class FileSaveTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_folder.filePath(name); }

    void writeOld(const QString& target)
    {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(OldContent), OldContent.size());
    }

    // The only file left in the folder is the old one, unchanged.
    void expectOldFileAlone(const QString& target)
    {
        EXPECT_EQ(ReadAll(target), OldContent);
        EXPECT_EQ(QDir(QFileInfo(target).path()).entryList(QDir::Files),
                  QStringList{QFileInfo(target).fileName()});
    }

    QTemporaryDir m_folder;
};

TEST_F(FileSaveTest, WritesTheWholeContentAndReplacesTheOldFile)
{
    writeOld(path("model.kmf"));
    const Status saved = SaveFile(path("model.kmf"), NewContent);
    EXPECT_TRUE(saved.ok) << saved.error.toStdString();
    EXPECT_EQ(ReadAll(path("model.kmf")), NewContent);
}

TEST_F(FileSaveTest, FileSizeLimitFailsASmallSave)
{
    writeOld(path("model.kmf"));
    const int status = SaveInChild(
        [] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{100, RLIM_INFINITY};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        },
        path("model.kmf"), NewContent);
    EXPECT_EQ(status, 1);
    expectOldFileAlone(path("model.kmf"));
}

// A small file that sits in a write buffer, and a large one written through a stream that, as
// the PDF writer's does, drops everything after a short write and still reports success.
TEST_F(FileSaveTest, FullDiskFailsWithItsReasonAndKeepsTheOldFile)
{
    test::SmallDisk disk(path("disk"), "size=256k");
    if (!disk.usable())
        GTEST_SKIP() << "mounting a tmpfs needs root";
    const QString target = disk.file(QStringLiteral("model.kmf"));
    writeOld(target);
    // Blocks larger than the file's write buffer go straight to the system, which takes a part.
    const QByteArray block(20 * 1024, 'l');
    const FileContentWriter streamed = [&block](QIODevice& device) {
        QDataStream stream(&device);
        for (int i = 0; i < 3; ++i)
            stream.writeRawData(block.constData(), int(block.size()));
        return true;
    };
    for (const qint64 freeKiB : {0, 8, 16, 31}) {
        for (const auto& [name, writer] :
             {std::pair{"small", FileContentWriter([](QIODevice& device) {
                            return device.write(NewContent) == NewContent.size();
                        })},
              std::pair{"streamed", streamed}}) {
            disk.fillLeaving(freeKiB * 1024);
            if (freeKiB > 0 && std::string_view(name) == "small")
                continue; // fits
            const Status saved = SaveFile(target, writer);
            EXPECT_FALSE(saved.ok) << name << " with " << freeKiB << " KiB free";
            EXPECT_EQ(saved.error, QStringLiteral("Нет места на диске")) << name;
            disk.emptyFiller();
            expectOldFileAlone(target);
        }
    }
}

// Only a regular file is replaced. The temporary a save writes is named for the user to know it;
// those killed saves left go at the next save of their file and, at the next start, from the
// folders the program writes; a file that merely looks like one, and the temporary of a save
// still running, stay.
TEST_F(FileSaveTest, ReplacesOnlyRegularFilesAndClearsLeftoverTemporaries)
{
    const QString pipe = path("pipe.csv");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const Status refused = SaveFile(pipe, NewContent);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.error, QStringLiteral("Это не обычный файл"));
    EXPECT_FALSE(QFileInfo(pipe).isFile());
    EXPECT_EQ(SaveFile(m_folder.path(), NewContent).error, QStringLiteral("Это папка, а не файл"));
    ASSERT_TRUE(QFile::remove(pipe));

    const QStringList ofModel{"model.kmf.kinetra-aB3xYz.tmp", "model.kmf.kinetra-save-aB3xYz"};
    const QStringList ofOthers{"report.pdf.kinetra-Q1w2E3.tmp", "[x].csv.kinetra-save-Q1w2E3"};
    const QStringList lookAlikes{"model.kmf.backup", "model.kmf.kinetra-aB3xY.tmp",
                                 "model.kmf.kinetra-aB3-yz.tmp", "notes.kinetra-aB3xYz.tmp.txt",
                                 ".kinetra-aB3xYz.tmp"};
    for (const QStringList& names : {ofModel, ofOthers, lookAlikes})
        for (const QString& name : names)
            writeOld(path(name));
    ASSERT_TRUE(QDir(m_folder.path()).mkdir(QStringLiteral("folder.kinetra-aB3xYz.tmp")));
    ASSERT_TRUE(QFile::link(path("model.kmf.backup"), path("link.kinetra-aB3xYz.tmp")));
    const QString running = path("chart.png.kinetra-R4t5Y6.tmp");
    writeOld(running);
    const int held = ::open(QFile::encodeName(running).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);

    const QStringList beforeSave = QDir(m_folder.path()).entryList(QDir::Files);
    QStringList temporaries;
    ASSERT_TRUE(SaveFile(path("model.kmf"), [&](QIODevice& device) {
                    for (const QString& name : QDir(m_folder.path()).entryList(QDir::Files))
                        if (!beforeSave.contains(name))
                            temporaries << name;
                    return device.write(NewContent) == NewContent.size();
                }).ok);
    ASSERT_EQ(temporaries.size(), 1) << temporaries.join(u' ').toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^model\\.kmf\\.kinetra-[A-Za-z0-9]{6}\\.tmp$"))
                    .match(temporaries.at(0))
                    .hasMatch())
        << temporaries.at(0).toStdString();
    for (const QString& name : ofModel)
        EXPECT_FALSE(QFile::exists(path(name))) << name.toStdString();
    for (const QString& name : ofOthers)
        EXPECT_TRUE(QFile::exists(path(name))) << "left for the start-up: " << name.toStdString();

    RemoveSaveLeftovers(m_folder.path());
    for (const QString& name : ofOthers)
        EXPECT_FALSE(QFile::exists(path(name))) << name.toStdString();
    for (const QString& name : lookAlikes)
        EXPECT_EQ(ReadAll(path(name)), OldContent) << name.toStdString();
    EXPECT_TRUE(QFileInfo(path("folder.kinetra-aB3xYz.tmp")).isDir());
    EXPECT_TRUE(QFileInfo(path("link.kinetra-aB3xYz.tmp")).isSymLink());
    EXPECT_TRUE(QFile::exists(running)) << "a save still running keeps its temporary";
    ::close(held);
    RemoveSaveLeftovers(m_folder.path());
    EXPECT_FALSE(QFile::exists(running));
}

// Root writes through any permission, so as root the save runs as the user nobody.
TEST_F(FileSaveTest, ReadOnlyFolderOrFileIsRefused)
{
    constexpr uid_t Nobody = 65534;
    const QString readOnlyFolder = path("locked");
    ASSERT_TRUE(QDir().mkdir(readOnlyFolder));
    writeOld(readOnlyFolder + QStringLiteral("/model.kmf"));
    writeOld(path("readonly.kmf"));
    if (RunningAsRoot()) {
        // nobody may enter the test's folder and replace files in it, but not in the locked one.
        ASSERT_EQ(::chmod(QFile::encodeName(m_folder.path()).constData(), 0777), 0);
        ASSERT_EQ(::chown(QFile::encodeName(path("readonly.kmf")).constData(), Nobody, Nobody), 0);
    }
    QFile::setPermissions(readOnlyFolder,
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(path("readonly.kmf"), QFile::ReadOwner | QFile::ReadOther);
    const auto asUser = [] {
        if (RunningAsRoot() && (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
            ::_exit(3);
    };
    for (const QString& target :
         {readOnlyFolder + QStringLiteral("/model.kmf"), path("readonly.kmf")}) {
        EXPECT_EQ(SaveInChild(asUser, target, NewContent), 1) << target.toStdString();
        EXPECT_EQ(ReadAll(target), OldContent);
    }
    QFile::setPermissions(readOnlyFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(FileSaveTest, FailingWriterKeepsTheOldFile)
{
    writeOld(path("model.kmf"));
    const Status saved =
        SaveFile(path("model.kmf"), [](QIODevice& device) { return device.write("half") < 0; });
    EXPECT_FALSE(saved.ok);
    EXPECT_FALSE(saved.error.isEmpty());
    expectOldFileAlone(path("model.kmf"));
}

// A process killed at any moment of a save leaves the complete old or the complete new file.
TEST_F(FileSaveTest, KilledSaveLeavesTheOldOrTheNewFile)
{
    const QString target = path("model.kmf");
    const QByteArray first(300000, 'a');
    const QByteArray second(200000, 'b');
    ASSERT_TRUE(SaveFile(target, first).ok);
    for (int round = 0; round < 20; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (int i = 0;; ++i)
                SaveFile(target, i % 2 == 0 ? second : first);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500 + 731 * round));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const QByteArray onDisk = ReadAll(target);
        EXPECT_TRUE(onDisk == first || onDisk == second)
            << "round " << round << ": " << onDisk.size() << " bytes";
    }
}

} // namespace
} // namespace kinetra
