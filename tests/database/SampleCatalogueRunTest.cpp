#include <gtest/gtest.h>

#include <QDir>

#include <cmath>
#include <memory>

#include "CatalogueBrowser.h"
#include "ResultsActivation.h"
#include "RunData.h"
#include "TestCatalogue.h"
#include "editor/ModelSession.h"
#include "editor/RecordTransfer.h"

namespace kinetra::test {
namespace {

// The example drive each table's records are sent into: the one whose equipment the records
// replace sensibly without retuning its controller.
struct TableDrive {
    const char* table;
    const char* example;
};

constexpr TableDrive Drives[] = {
    {"Двигатели_ПТ", "dc-mains-start.kmf"},
    {"Двигатели_АД", "induction-direct-on-line.kmf"},
    {"Преобразователи", "dc-thyristor-speed-current.kmf"},
    {"Редукторы", "dc-thyristor-speed-current.kmf"},
    {"Передачи_ШВП", "dc-positioning-ballscrew.kmf"},
};

bool finite(const RunData& run)
{
    for (int i = 0; i < run.SampleCount; ++i) {
        const ResultSample& sample = run.samples[i];
        if (!std::isfinite(sample.torque) || !std::isfinite(sample.mechSpeed) ||
            !std::isfinite(sample.current))
            return false;
    }
    return run.SampleCount > 0;
}

// Every record of the sample catalogue goes into a model that simulates: the transfer takes it
// without a message and the run ends with finite results.
TEST(SampleCatalogueRunTest, EveryRecordSimulatesInItsExampleDrive)
{
    RecordedMessages messages;
    CatalogueBrowser browser{u',', messages};
    ASSERT_TRUE(browser.ConnectDatabase(QStringLiteral("Provider=SQLite;Data Source=") +
                                        QStringLiteral(KINETRA_CATALOGUE_FILE)))
        << browser.connectionError().toStdString();
    ASSERT_EQ(browser.tableNames().size(), std::size(Drives));
    const QDir examples(QStringLiteral(KINETRA_EXAMPLES_FOLDER));

    ModelSession session{u',', messages};
    auto run = std::make_unique<RunData>();
    const auto signal = std::make_unique<SignalSeries>(UnitSignal());
    for (const TableDrive& drive : Drives) {
        const int table = browser.tableNames().indexOf(QString::fromUtf8(drive.table));
        ASSERT_GE(table, 0) << drive.table;
        browser.bdComboBoxChange(table);
        const int count = browser.dataSet().RecordCount();
        for (int row = 0; row < count; ++row) {
            browser.moveTo(row);
            ASSERT_TRUE(session.LoadModelFile(examples.filePath(QLatin1String(drive.example))).ok);
            std::vector<TransferField> record;
            for (const FieldValue& field : browser.currentRecord())
                record.push_back({field.name, field.text});
            const QString name = record.front().value;
            ASSERT_TRUE(RecordTransfer(session, messages).aToModelExecute(record))
                << name.toStdString();
            ResultsActivation activation(session, *run, *signal, messages);
            EXPECT_EQ(activation.FormActivate(true), ResultsActivation::Outcome::Simulated)
                << drive.table << " " << name.toStdString();
            EXPECT_TRUE(finite(*run)) << name.toStdString();
            EXPECT_TRUE(messages.messages.isEmpty())
                << name.toStdString() << ": " << messages.messages.join(u' ').toStdString();
            messages.messages.clear();
        }
    }
}

} // namespace
} // namespace kinetra::test
