// Nothing typed into the query box may change a shared catalogue, whatever the statement tries:
// the connection is the superuser's, so only the program's read-only session stands in the way.

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <csignal>

#include "../TestCatalogue.h"
#include "Catalogue.h"
#include "CatalogueBrowser.h"
#include "PostgresTestSupport.h"

namespace kinetra::test {
namespace {

class ReadOnlySessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(look.isOpen()) << look.error().toStdString();
        const Status connected = browser.ConnectDatabase(CatalogueConnection());
        ASSERT_TRUE(connected.ok) << connected.error.toStdString();
        table = browser.tableNames().value(0);
        ASSERT_FALSE(table.isEmpty());
        quoted = ServerLook::Quoted(table);
        rows = look.rowCount(table);
        ASSERT_GT(rows, 0);
    }

    // The rows are all there, as the server and as the program's next query see them.
    void expectUnchanged()
    {
        EXPECT_EQ(look.rowCount(table), rows);
        const Status counted = browser.runQuery(QStringLiteral("SELECT count(*) FROM ") + quoted);
        ASSERT_TRUE(counted.ok) << counted.error.toStdString();
        EXPECT_EQ(browser.query().text(0, 0), QString::number(rows));
    }

    QString deletingSelect() const
    {
        return QStringLiteral("WITH gone AS (DELETE FROM %1 RETURNING 1) SELECT count(*) FROM gone")
            .arg(quoted);
    }

    ServerLook look;
    CapturedMessages messages;
    CatalogueBrowser browser{u',', messages};
    QString table;
    QString quoted;
    int rows = 0;
};

TEST_F(ReadOnlySessionTest, DeleteIsRefused)
{
    const Status deleted = browser.runQuery(QStringLiteral("DELETE FROM ") + quoted);
    EXPECT_FALSE(deleted.ok);
    EXPECT_FALSE(deleted.error.isEmpty());
    expectUnchanged();
}

TEST_F(ReadOnlySessionTest, DeleteAfterASelectInTheSameTextIsRefused)
{
    EXPECT_FALSE(browser.runQuery(QStringLiteral("SELECT 1; DELETE FROM ") + quoted).ok);
    expectUnchanged();
}

TEST_F(ReadOnlySessionTest, DeleteInsideASelectIsRefused)
{
    const Status deleted = browser.runQuery(deletingSelect());
    EXPECT_FALSE(deleted.ok);
    EXPECT_FALSE(deleted.error.isEmpty());
    expectUnchanged();
}

TEST_F(ReadOnlySessionTest, InsertThroughWithIsRefused)
{
    const QString first = ServerLook::Quoted(look.columnNames(table).value(0));
    EXPECT_FALSE(
        browser
            .runQuery(
                QStringLiteral("WITH added AS (INSERT INTO %1 (%2) VALUES ('Запись из запроса') "
                               "RETURNING 1) SELECT count(*) FROM added")
                    .arg(quoted, first))
            .ok);
    expectUnchanged();
}

TEST_F(ReadOnlySessionTest, SessionCannotBeSwitchedToWriting)
{
    EXPECT_FALSE(
        browser.runQuery(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ WRITE"))
            .ok);
    EXPECT_FALSE(browser.runQuery(deletingSelect()).ok);
    expectUnchanged();
}

TEST_F(ReadOnlySessionTest, SettingChangedInsideASelectDoesNotOutliveIt)
{
    // The setting itself may change inside the statement's transaction; it must not last.
    browser.runQuery(
        QStringLiteral("SELECT set_config('default_transaction_read_only', 'off', false)"));
    browser.runQuery(QStringLiteral("SELECT set_config('transaction_read_only', 'off', false)"));
    ASSERT_TRUE(
        browser.runQuery(QStringLiteral("SELECT current_setting('default_transaction_read_only')"))
            .ok);
    EXPECT_EQ(browser.query().text(0, 0), QStringLiteral("on"));
    EXPECT_FALSE(browser.runQuery(deletingSelect()).ok);
    expectUnchanged();
}

TEST_F(ReadOnlySessionTest, WriteThatAReadOnlyTransactionAllowsIsUndone)
{
    // The server lets a read-only transaction create a large object; only the rollback after
    // every statement keeps it from staying.
    const QString objects = QStringLiteral("SELECT count(*) FROM pg_largeobject_metadata");
    const QStringList before = look.column(objects).value_or(QStringList());
    ASSERT_EQ(before.size(), 1) << look.error().toStdString();
    browser.runQuery(QStringLiteral("SELECT lo_create(0)"));
    EXPECT_EQ(look.column(objects).value_or(QStringList()), before);
    expectUnchanged();
}

TEST_F(ReadOnlySessionTest, RefusedStatementLeavesTheConnectionUsable)
{
    EXPECT_FALSE(browser.runQuery(deletingSelect()).ok);
    EXPECT_FALSE(browser.runQuery(QStringLiteral("SELECT no_such_column FROM ") + quoted).ok);
    browser.bdComboBoxChange(0);
    EXPECT_EQ(browser.table().RecordCount(), rows);
    EXPECT_EQ(browser.positionPanel(), QStringLiteral("1/%1").arg(rows));
}

// The server stops a statement at the fetch's deadline; the user's stop, pressed while the
// server computes before its first record, ends the fetch at once. Either way the session serves
// the next statement.
TEST(PostgresQueryBoundsTest, LongStatementStopsAtTheDeadlineOrAtOnceByTheUser)
{
    Catalogue catalogue{u','};
    ASSERT_TRUE(catalogue.open(CatalogueConnection()).ok);
    StoppingWait stopping(std::chrono::milliseconds(200));
    for (const bool byUser : {false, true}) {
        catalogue.setFetchLimits({std::chrono::milliseconds(byUser ? 60'000 : 300)});
        catalogue.setFetchWait(byUser ? &stopping : nullptr);
        QElapsedTimer timer;
        timer.start();
        const auto stopped = catalogue.openQuery(QStringLiteral("SELECT pg_sleep(20)"));
        EXPECT_TRUE(stopped.error.contains(byUser ? QStringLiteral("Запрос остановлен.")
                                                  : QStringLiteral("дольше 0,3 с")))
            << stopped.error.toStdString();
        EXPECT_LT(timer.elapsed(), byUser ? 1000 : 10000);
        catalogue.setFetchWait(nullptr);
        const auto next = catalogue.openQuery(QStringLiteral("SELECT 1"));
        ASSERT_TRUE(next.ok) << next.error.toStdString();
        EXPECT_EQ(next.value.text(0, 0), QStringLiteral("1"));
        EXPECT_LT(timer.elapsed(), 10000) << "the stopped statement was left running";
    }
}

// Rows come one at a time, so a result of a few huge values stops at its byte bound before the
// client holds it all.
TEST(PostgresQueryBoundsTest, HugeValuesStopAtTheByteBound)
{
    Catalogue catalogue{u','};
    ASSERT_TRUE(catalogue.open(CatalogueConnection()).ok);
    catalogue.setFetchLimits({std::chrono::milliseconds(60000), 1'000'000, 4 * 1024 * 1024});
    EXPECT_EQ(catalogue
                  .openQuery(QStringLiteral("SELECT repeat('x', 1000000) FROM "
                                            "generate_series(1, 200)"))
                  .error,
              QStringLiteral("Результат запроса больше 4 МБ; уточните условие отбора."));
}

// Stops the server's process of the catalogue's session as a frozen machine would, and lets it
// go on when the case ends.
class FrozenBackend {
public:
    explicit FrozenBackend(Catalogue& catalogue)
    {
        const auto pid = catalogue.openQuery(QStringLiteral("SELECT pg_backend_pid()"));
        m_pid = pid.ok ? pid.value.text(0, 0).toInt() : 0;
    }
    ~FrozenBackend()
    {
        if (m_pid > 0)
            ::kill(m_pid, SIGCONT);
    }
    FrozenBackend(const FrozenBackend&) = delete;
    FrozenBackend& operator=(const FrozenBackend&) = delete;

    bool known() const { return m_pid > 0; }
    void freeze() { ::kill(m_pid, SIGSTOP); }

private:
    pid_t m_pid = 0;
};

// Freezes the server once the fetch has run a moment, then stops the fetch as the user does.
struct FreezingWait final : Catalogue::FetchWait {
    explicit FreezingWait(FrozenBackend& backend) : backend(backend) {}
    void wait(RunningFetch& fetch) override
    {
        if (fetch.waitFor(std::chrono::milliseconds(50)))
            return;
        backend.freeze();
        if (!fetch.waitFor(std::chrono::milliseconds(200)))
            fetch.cancel();
    }

    FrozenBackend& backend;
};

// A server that answers nothing at all, not even a cancel, neither holds the fetch past its
// time bound nor the user's stop; the catalogue serves the next query on a new session.
TEST(PostgresQueryBoundsTest, FrozenServerEndsAtTheDeadlineAndOnTheStop)
{
    for (const bool byStop : {false, true}) {
        Catalogue catalogue{u','};
        ASSERT_TRUE(catalogue.open(CatalogueConnection()).ok);
        FrozenBackend backend(catalogue);
        ASSERT_TRUE(backend.known());
        FreezingWait wait(backend);
        QElapsedTimer timer;
        timer.start();
        if (byStop) {
            catalogue.setFetchWait(&wait);
            EXPECT_EQ(
                catalogue.openQuery(QStringLiteral("SELECT g FROM generate_series(1, 3000000) g"))
                    .error,
                QStringLiteral("Запрос остановлен."));
            catalogue.setFetchWait(nullptr);
        } else {
            catalogue.setFetchLimits({std::chrono::milliseconds(500)});
            backend.freeze();
            const auto stopped = catalogue.openQuery(QStringLiteral("SELECT 1"));
            EXPECT_TRUE(stopped.error.contains(QStringLiteral("дольше 0,5 с")))
                << stopped.error.toStdString();
        }
        EXPECT_LT(timer.elapsed(), 4000) << (byStop ? "stop" : "deadline");
        const auto next = catalogue.openQuery(QStringLiteral("SELECT 1"));
        ASSERT_TRUE(next.ok) << next.error.toStdString();
        EXPECT_EQ(next.value.text(0, 0), QStringLiteral("1"));
    }
}

} // namespace
} // namespace kinetra::test
