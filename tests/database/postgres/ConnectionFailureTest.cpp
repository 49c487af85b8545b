// Connecting to a server that asks for a password, and failing to connect: a string without a
// password falls back on the client library's password file, and a connection that cannot be
// made says why without keeping the user waiting.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <optional>

#include "Catalogue.h"
#include "CatalogueBrowser.h"
#include "PostgresTestSupport.h"

namespace kinetra::test {
namespace {

// Sets or removes an environment variable for one test and puts back what was there.
class ScopedEnvironment final {
public:
    ScopedEnvironment(const char* name, std::optional<QByteArray> value)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_was(qgetenv(name))
    {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~ScopedEnvironment()
    {
        if (m_wasSet)
            qputenv(m_name, m_was);
        else
            qunsetenv(m_name);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* m_name;
    const bool m_wasSet;
    const QByteArray m_was;
};

// No password source but what a test gives: no password variable, and a password file that
// does not exist in place of the user's own.
class PasswordTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    QByteArray passwordFile(const QString& line)
    {
        const QString path = folder.filePath(QStringLiteral("pgpass"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(line.toUtf8() + '\n');
        file.close();
        // The client library ignores a password file that others may read.
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return QFile::encodeName(path);
    }

    // A password file line for the reader: the socket folder stands where a host name would.
    static QString readerLine(const QString& password)
    {
        QString socket = QStringLiteral(KINETRA_PG_SOCKET_DIR);
        socket.replace(u'\\', QStringLiteral("\\\\")).replace(u':', QStringLiteral("\\:"));
        return QStringLiteral("%1:%2:%3:%4:%5")
            .arg(socket)
            .arg(KINETRA_PG_PORT)
            .arg(QStringLiteral(KINETRA_PG_DATABASE), QStringLiteral(KINETRA_PG_READER), password);
    }

    QTemporaryDir folder;
    ScopedEnvironment noPassword{"PGPASSWORD", std::nullopt};
    ScopedEnvironment noPasswordFile{"PGPASSFILE",
                                     QFile::encodeName(folder.filePath(QStringLiteral("none")))};
    Catalogue catalogue{u','};
};

TEST_F(PasswordTest, ReaderWithoutAPasswordIsRefused)
{
    const Status opened = catalogue.open(ReaderConnection());
    EXPECT_FALSE(opened.ok);
    EXPECT_FALSE(opened.error.isEmpty());
    EXPECT_FALSE(catalogue.isOpen());
}

TEST_F(PasswordTest, PasswordFileServesAStringWithoutPassword)
{
    ScopedEnvironment file("PGPASSFILE",
                           passwordFile(readerLine(QStringLiteral(KINETRA_PG_READER_PASSWORD))));
    const Status opened = catalogue.open(ReaderConnection());
    ASSERT_TRUE(opened.ok) << opened.error.toStdString();
    const StatusOr<QStringList> tables = catalogue.tableNames();
    ASSERT_TRUE(tables.ok);
    QStringList listed = tables.value;
    QStringList created = ScriptTableNames();
    listed.sort();
    created.sort();
    EXPECT_EQ(listed, created);
    const StatusOr<RecordSet> first = catalogue.openTable(created.first());
    ASSERT_TRUE(first.ok) << first.error.toStdString();
    EXPECT_GT(first.value.RecordCount(), 0);
}

TEST_F(PasswordTest, PasswordInTheStringIsUsed)
{
    const Status opened =
        catalogue.open(ReaderConnection(QStringLiteral(KINETRA_PG_READER_PASSWORD)));
    EXPECT_TRUE(opened.ok) << opened.error.toStdString();
    EXPECT_TRUE(catalogue.tableNames().ok);
}

TEST_F(PasswordTest, WrongPasswordInTheStringIsRefusedDespiteTheFile)
{
    ScopedEnvironment file("PGPASSFILE",
                           passwordFile(readerLine(QStringLiteral(KINETRA_PG_READER_PASSWORD))));
    const Status opened = catalogue.open(ReaderConnection(QStringLiteral("not-the-password")));
    EXPECT_FALSE(opened.ok);
    EXPECT_FALSE(opened.error.isEmpty());
}

// Fails within a few seconds, with a reason; the library's own limit is ten.
void ExpectQuickFailure(const QString& connection)
{
    Catalogue catalogue{u','};
    QElapsedTimer clock;
    clock.start();
    const Status opened = catalogue.open(connection);
    EXPECT_FALSE(opened.ok);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_FALSE(opened.error.isEmpty());
    EXPECT_FALSE(catalogue.isOpen());
    EXPECT_FALSE(catalogue.tableNames().ok);
}

TEST(ConnectionFailureTest, DatabaseThatDoesNotExistFailsWithAReason)
{
    ExpectQuickFailure(ConnectionTo(QStringLiteral(KINETRA_PG_SOCKET_DIR),
                                    QStringLiteral("no_such_catalogue"),
                                    QStringLiteral(KINETRA_PG_SUPERUSER)));
}

TEST(ConnectionFailureTest, ServerThatIsNotThereFailsWithAReason)
{
    QTemporaryDir empty;
    ASSERT_TRUE(empty.isValid());
    ExpectQuickFailure(ConnectionTo(empty.path(), QStringLiteral(KINETRA_PG_DATABASE),
                                    QStringLiteral(KINETRA_PG_SUPERUSER)));
}

TEST(ConnectionFailureTest, BrowserConnectsAfterAFailedAttempt)
{
    CapturedMessages messages;
    CatalogueBrowser browser(u',', messages);
    const Status refused = browser.ConnectDatabase(
        ConnectionTo(QStringLiteral(KINETRA_PG_SOCKET_DIR), QStringLiteral("no_such_catalogue"),
                     QStringLiteral(KINETRA_PG_SUPERUSER)));
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(browser.isConnected());
    EXPECT_FALSE(refused.error.isEmpty());

    const Status connected = browser.ConnectDatabase(CatalogueConnection());
    ASSERT_TRUE(connected.ok) << connected.error.toStdString();
    EXPECT_FALSE(browser.tableNames().isEmpty());
    EXPECT_TRUE(browser.positionPanel().startsWith(QStringLiteral("1/")));
}

TEST(ConnectionFailureTest, LostConnectionSaysWhy)
{
    ServerLook look;
    ASSERT_TRUE(look.isOpen()) << look.error().toStdString();
    CapturedMessages messages;
    CatalogueBrowser browser(u',', messages);
    const Status connected = browser.ConnectDatabase(CatalogueConnection());
    ASSERT_TRUE(connected.ok) << connected.error.toStdString();
    ASSERT_TRUE(browser.runQuery(QStringLiteral("SELECT pg_backend_pid()")).ok);
    const QString backend = browser.query().text(0, 0);
    ASSERT_TRUE(look.column(QStringLiteral("SELECT pg_terminate_backend(%1)").arg(backend)));

    const Status lost = browser.runQuery(QStringLiteral("SELECT 1"));
    EXPECT_FALSE(lost.ok);
    // The server's reason, not the words for an error that gave none.
    EXPECT_FALSE(lost.error.isEmpty());
    EXPECT_NE(lost.error, QStringLiteral("неизвестная ошибка"));
}

} // namespace
} // namespace kinetra::test
