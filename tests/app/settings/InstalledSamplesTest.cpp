#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include "settings/InstalledSamples.h"

namespace kinetra::test {
namespace {

const QString DefaultConnection =
    QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=Kinetra.mdb");
const QByteArray SampleBytes("SQLite format 3\0sample catalogue", 32);

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// An installation (share/kinetra with a catalogue and examples) and a user's working folder.
class InstalledSamplesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(installation.path()).mkpath(QStringLiteral("examples")));
        writeFile(installation.filePath(QStringLiteral("Kinetra.mdb")), SampleBytes);
    }
    QString placed(const QString& connection = DefaultConnection) const
    {
        return samples.placeCatalogue(connection, QDir(work.path()));
    }
    QString userCatalogue() const { return work.filePath(QStringLiteral("Kinetra.mdb")); }

    QTemporaryDir installation;
    QTemporaryDir work;
    InstalledSamples samples{installation.path()};
};

TEST_F(InstalledSamplesTest, MissingCatalogueIsCopiedOnceAndSaysWhere)
{
    EXPECT_EQ(placed(), QStringLiteral("Каталог оборудования скопирован в ") + userCatalogue());
    EXPECT_EQ(contentOf(userCatalogue()), SampleBytes);
    EXPECT_TRUE(placed().isEmpty());
}

TEST_F(InstalledSamplesTest, UsersOwnFilesAreNeverTouched)
{
    writeFile(userCatalogue(), "the user's own catalogue");
    EXPECT_TRUE(placed().isEmpty());
    EXPECT_EQ(contentOf(userCatalogue()), "the user's own catalogue");

    // Connections that name another file, another folder or a server copy nothing.
    QFile::remove(userCatalogue());
    for (const QString& connection :
         {QStringLiteral("Provider=SQLite;Data Source=parts.db"),
          QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=sub/Kinetra.mdb"),
          QStringLiteral("Provider=PostgreSQL;Server=/tmp;Database=kinetra"), QString()}) {
        EXPECT_TRUE(placed(connection).isEmpty()) << connection.toStdString();
    }
    EXPECT_FALSE(QFile::exists(userCatalogue()));
}

TEST_F(InstalledSamplesTest, UnwritableWorkingFolderIsReported)
{
    // A read-only folder stops a user but not root, who runs the tests in CI; a folder that
    // vanished after the start stops both.
    ASSERT_EQ(::chmod(QFile::encodeName(work.path()).constData(), 0555), 0);
    if (::geteuid() == 0) {
        ASSERT_TRUE(QDir(work.path()).removeRecursively());
    }
    const QString message = placed();
    EXPECT_TRUE(message.startsWith(QStringLiteral("Каталог оборудования не скопирован в ") +
                                   userCatalogue() + u':'))
        << message.toStdString();
    EXPECT_FALSE(QFile::exists(userCatalogue()));
    ::chmod(QFile::encodeName(work.path()).constData(), 0755);
}

TEST_F(InstalledSamplesTest, ExamplesFolderOnlyWhenInstalled)
{
    EXPECT_EQ(samples.examplesFolder(),
              QDir(installation.path()).canonicalPath() + QStringLiteral("/examples/"));
    const InstalledSamples buildTree(work.filePath(QStringLiteral("share/kinetra")));
    EXPECT_TRUE(buildTree.examplesFolder().isEmpty());
    EXPECT_TRUE(buildTree.placeCatalogue(DefaultConnection, QDir(work.path())).isEmpty());
}

} // namespace
} // namespace kinetra::test
