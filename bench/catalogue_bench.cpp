// The database window on a catalogue of 100,000 induction motors in an SQLite file: opening it
// until the status panel reads "1/100000", and sorting it by a numeric and by a text column.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include <QCoreApplication>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include "CatalogueBrowser.h"
#include "editor/MessageSink.h"

namespace {

constexpr int RecordCount = 100000;
const QString ExpectedPosition = QStringLiteral("1/100000");

class CountedMessages final : public kinetra::MessageSink {
public:
    void showMessage(const QString&) override { ++count; }
    int count = 0;
};

// A repeatable spread of values, so that sorting has real work to do.
class Spread {
public:
    double next(double low, double high)
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return low + (high - low) * static_cast<double>(m_state >> 11) / 9007199254740992.0;
    }

private:
    std::uint64_t m_state = 20240611;
};

// Written once through a writable connection of the benchmark's own, as a catalogue keeper
// would, and read by every benchmark.
class LargeCatalogue {
public:
    static LargeCatalogue& instance()
    {
        static LargeCatalogue catalogue;
        return catalogue;
    }

    bool ok() const { return m_error.empty(); }
    const std::string& error() const { return m_error; }
    QString connectionString() const
    {
        return QStringLiteral("Provider=SQLite;Data Source=") +
               m_folder.filePath(QLatin1String(FileName));
    }

private:
    static constexpr const char* FileName = "large-catalogue.sqlite";

    LargeCatalogue()
    {
        if (!m_folder.isValid()) {
            m_error = "no temporary folder";
            return;
        }
        const QString connection = QStringLiteral("catalogue-bench-writer");
        {
            QSqlDatabase database =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            database.setDatabaseName(m_folder.filePath(QLatin1String(FileName)));
            if (!database.open())
                m_error = database.lastError().text().toStdString();
            else
                write(database);
            database.close();
        }
        QSqlDatabase::removeDatabase(connection);
    }

    void write(QSqlDatabase& database)
    {
        QSqlQuery query(database);
        const auto run = [&](const QString& sql) {
            if (!query.exec(sql) && m_error.empty())
                m_error = query.lastError().text().toStdString();
        };
        run(QStringLiteral(
            "CREATE TABLE \"Двигатели_АД\" (\"Motor\" VARCHAR(40), \"P\" DOUBLE PRECISION, "
            "\"U\" DOUBLE PRECISION, \"I1\" DOUBLE PRECISION, \"w\" INTEGER, "
            "\"R1\" DOUBLE PRECISION, \"X1\" DOUBLE PRECISION, \"R2\" DOUBLE PRECISION, "
            "\"X2\" DOUBLE PRECISION, \"X12\" DOUBLE PRECISION, \"J\" DOUBLE PRECISION, "
            "\"Исполнение\" VARCHAR(40))"));
        run(QStringLiteral("BEGIN"));
        if (!query.prepare(QStringLiteral("INSERT INTO \"Двигатели_АД\" VALUES "
                                          "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))) {
            m_error = query.lastError().text().toStdString();
            return;
        }
        const QStringList series{QStringLiteral("АИР"), QStringLiteral("4А"), QStringLiteral("5A"),
                                 QStringLiteral("RA"), QStringLiteral("АИРМ")};
        const QStringList mountings{QStringLiteral("IM1081"), QStringLiteral("IM2081"),
                                    QStringLiteral("фланец"), QStringLiteral("лапы")};
        Spread spread;
        for (int i = 0; i < RecordCount && m_error.empty(); ++i) {
            const int poles = 2 * (1 + i % 4);
            query.bindValue(0, QStringLiteral("%1%2M%3-%4")
                                   .arg(series.at(i % series.size()))
                                   .arg(71 + (i * 7) % 250)
                                   .arg(poles)
                                   .arg(i));
            query.bindValue(1, spread.next(0.12, 315));
            query.bindValue(2, 220.0);
            query.bindValue(3, spread.next(0.4, 560));
            query.bindValue(4, static_cast<int>(314 / (poles / 2) * spread.next(0.9, 0.98)));
            for (int column = 5; column < 11; ++column)
                query.bindValue(column, spread.next(0.01, 200));
            query.bindValue(11, mountings.at(i % mountings.size()));
            if (!query.exec())
                m_error = query.lastError().text().toStdString();
        }
        run(QStringLiteral("COMMIT"));
    }

    QTemporaryDir m_folder;
    std::string m_error;
};

void OpenLargeTable(benchmark::State& state)
{
    const LargeCatalogue& catalogue = LargeCatalogue::instance();
    if (!catalogue.ok()) {
        state.SkipWithError(catalogue.error().c_str());
        return;
    }
    CountedMessages messages;
    for (auto _ : state) {
        auto browser = std::make_unique<kinetra::CatalogueBrowser>(u',', messages);
        if (!browser->ConnectDatabase(catalogue.connectionString()).ok ||
            browser->positionPanel() != ExpectedPosition) {
            state.SkipWithError("the table does not open at its first of 100000 records");
            break;
        }
        state.PauseTiming();
        browser.reset();
        state.ResumeTiming();
    }
    state.counters["records"] = RecordCount;
}
BENCHMARK(OpenLargeTable)->Unit(benchmark::kMillisecond);

// Sorts the opened table by one column, ascending and descending in turn as the sort command
// does.
void SortLargeTableBy(benchmark::State& state, const QString& column)
{
    const LargeCatalogue& catalogue = LargeCatalogue::instance();
    if (!catalogue.ok()) {
        state.SkipWithError(catalogue.error().c_str());
        return;
    }
    CountedMessages messages;
    kinetra::CatalogueBrowser browser(u',', messages);
    if (!browser.ConnectDatabase(catalogue.connectionString()).ok ||
        browser.positionPanel() != ExpectedPosition) {
        state.SkipWithError("the table does not open at its first of 100000 records");
        return;
    }
    const int field = browser.table().fieldIndex(column);
    if (field < 0) {
        state.SkipWithError("the column is missing");
        return;
    }
    for (auto _ : state) {
        browser.setSelectedColumn(field);
        browser.aSortExecute();
    }
    if (messages.count > 0)
        state.SkipWithError("the sort was refused");
}
BENCHMARK_CAPTURE(SortLargeTableBy, Power, QStringLiteral("P"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SortLargeTableBy, Designation, QStringLiteral("Motor"))
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    // Designations sort by the collation of a Russian user's desktop, not by code points.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
