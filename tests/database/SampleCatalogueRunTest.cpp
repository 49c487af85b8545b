#include <gtest/gtest.h>

#include <QDir>
#include <QMap>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CatalogueBrowser.h"
#include "InductionCircuit.h"
#include "ResultsActivation.h"
#include "RunData.h"
#include "Simulation.h"
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
    {"Сервомоторы", "servo-positioning.kmf"},
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
    ASSERT_TRUE(browser
                    .ConnectDatabase(QStringLiteral("Provider=SQLite;Data Source=") +
                                     QStringLiteral(KINETRA_CATALOGUE_FILE))
                    .ok);
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

// A 400 W servomotor of each series, sent into the servo positioning example, stops its ball
// screw less than 1 % beyond the position limit, by the lag it needs to brake without reversing;
// with the position loop off and an integrating speed loop it runs at the reference speed.
TEST(SampleCatalogueRunTest, ServomotorsReachTheirReferencesInPositionAndSpeedLoops)
{
    RecordedMessages messages;
    CatalogueBrowser browser{u',', messages};
    ASSERT_TRUE(browser
                    .ConnectDatabase(QStringLiteral("Provider=SQLite;Data Source=") +
                                     QStringLiteral(KINETRA_CATALOGUE_FILE))
                    .ok);
    browser.bdComboBoxChange(browser.tableNames().indexOf(QStringLiteral("Сервомоторы")));
    const QDir examples(QStringLiteral(KINETRA_EXAMPLES_FOLDER));
    auto run = std::make_unique<RunData>();
    const auto signal = std::make_unique<SignalSeries>(UnitSignal());
    int tried = 0;
    for (int row = 0; row < browser.dataSet().RecordCount(); ++row) {
        browser.moveTo(row);
        std::vector<TransferField> record;
        for (const FieldValue& field : browser.currentRecord())
            record.push_back({field.name, field.text});
        const std::string name = record.front().value.toStdString();
        if (name != "HG-KR43" && name != "SGM7J-04A")
            continue;
        ++tried;
        ModelSession session{u',', messages};
        ASSERT_TRUE(
            session.LoadModelFile(examples.filePath(QStringLiteral("servo-positioning.kmf"))).ok);
        ASSERT_TRUE(RecordTransfer(session, messages).aToModelExecute(record)) << name;
        ResultsActivation positioning(session, *run, *signal, messages);
        ASSERT_EQ(positioning.FormActivate(true), ResultsActivation::Outcome::Simulated) << name;
        EXPECT_EQ(session.params().p1, 4) << name;
        double position = 0;
        for (int i = 0; i < run->SampleCount; ++i)
            position += run->samples[i].mechSpeed * run->timeStep;
        EXPECT_NEAR(position / session.params().fmax, 1.005, 0.004) << name;

        session.editor().setText(EditField::KpfEdit, QStringLiteral("0"));
        session.editor().setText(EditField::TpwintEdit, QStringLiteral("0,05"));
        ResultsActivation speed(session, *run, *signal, messages);
        ASSERT_EQ(speed.FormActivate(true), ResultsActivation::Outcome::Simulated) << name;
        const ResultSample& last = run->samples[run->SampleCount - 1];
        EXPECT_NEAR(last.mechSpeed / session.params().wref, 1, 0.01) << name;
    }
    EXPECT_EQ(tried, 2);
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join(u' ').toStdString();
}

// An induction motor record of the sample catalogue as numbers.
struct InductionRecord {
    std::string name;
    double P = 0;
    double I1 = 0;
    double w = 0;
    double Mst = 0;
    double Mmax = 0;
    double Ist = 0;
    InductionCircuit circuit;

    double ratedTorque() const { return 1000 * P / w; }
    double ratedSlip() const { return 1 - w / circuit.syncSpeed(); }
};

class InductionRecords : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RecordedMessages messages;
        CatalogueBrowser browser{u',', messages};
        ASSERT_TRUE(browser
                        .ConnectDatabase(QStringLiteral("Provider=SQLite;Data Source=") +
                                         QStringLiteral(KINETRA_CATALOGUE_FILE))
                        .ok);
        browser.bdComboBoxChange(browser.tableNames().indexOf(QStringLiteral("Двигатели_АД")));
        for (int row = 0; row < browser.dataSet().RecordCount(); ++row) {
            browser.moveTo(row);
            QMap<QString, QString> fields;
            for (const FieldValue& field : browser.currentRecord())
                fields.insert(field.name, field.text);
            const auto number = [&](const char* name) {
                return fields.value(QLatin1String(name)).replace(u',', u'.').toDouble();
            };
            InductionRecord record{
                fields.value(QStringLiteral("Motor")).toStdString(),
                number("P"),
                number("I1"),
                number("w"),
                number("Mst"),
                number("Mmax"),
                number("Ist"),
                {number("U"), number("R1"), number("X1"), number("R2"), number("X2"), number("X12"),
                 PolePairsFromSpeed(fields.value(QStringLiteral("w")).toLongLong())}};
            s_records.push_back(record);
        }
    }

    static inline std::vector<InductionRecord> s_records;
};

// The circuit runs at the rated point and starts and breaks down as the catalogue says.
TEST_F(InductionRecords, StartAndBreakdownFollowTheCatalogueRatios)
{
    ASSERT_EQ(s_records.size(), 28u);
    for (const InductionRecord& record : s_records) {
        const InductionCircuit& circuit = record.circuit;
        const auto rated = circuit.at(record.ratedSlip());
        const auto start = circuit.at(1);
        EXPECT_NEAR(rated.torque / record.ratedTorque(), 1, 0.05) << record.name;
        EXPECT_NEAR(rated.current / record.I1, 1, 0.05) << record.name;
        EXPECT_NEAR(start.torque / record.ratedTorque() / record.Mst, 1, 0.1) << record.name;
        EXPECT_NEAR(start.current / record.I1 / record.Ist, 1, 0.1) << record.name;
        EXPECT_NEAR(circuit.maximumTorque() / record.ratedTorque() / record.Mmax, 1, 0.1)
            << record.name;
    }
}

// The mean of a sample field over the samples from .. from + count - 1.
double Mean(const RunData& run, double ResultSample::*field, int from, int count)
{
    double sum = 0;
    for (int i = from; i < from + count; ++i)
        sum += run.samples[i].*field;
    return sum / count;
}

// The circuit is what the user sees: a motor held at standstill by a huge inertia settles at the
// circuit's starting torque and current, and one that runs up slowly passes through its maximum
// torque. The switching transient makes the torque swing at the mains frequency, so it is
// averaged over whole periods of 20 samples.
TEST_F(InductionRecords, TheEngineSettlesOnTheCircuit)
{
    constexpr int Period = 20;
    for (const InductionRecord& record : s_records) {
        const InductionCircuit& circuit = record.circuit;
        ModelParams params;
        params.MotorKind = 0;
        params.SupplyKind = 0;
        params.UseInductances = false;
        params.U = circuit.U;
        params.R1 = circuit.R1;
        params.X1 = circuit.X1;
        params.R2 = circuit.R2;
        params.X2 = circuit.X2;
        params.X12 = circuit.X12;
        params.p1 = circuit.p1;
        params.m1 = 3;
        auto run = std::make_unique<RunData>();
        const auto signal = std::make_unique<SignalSeries>(UnitSignal());

        params.J = 1e6;
        params.Tmax = 2;
        SimulationRecord locked{params, *run, *signal};
        ASSERT_EQ(RunSimulation(locked), RunOutcome::Completed) << record.name;
        const int lastPeriods = run->SampleCount - 10 * Period;
        EXPECT_NEAR(Mean(*run, &ResultSample::torque, lastPeriods, 10 * Period) /
                        circuit.at(1).torque,
                    1, 0.01)
            << record.name;
        EXPECT_NEAR(Mean(*run, &ResultSample::current, lastPeriods, 10 * Period) / std::sqrt(2.0) /
                        circuit.at(1).current,
                    1, 0.01)
            << record.name;

        // Under 5 s from standstill to the breakdown slip.
        params.J = 5 * circuit.at(1).torque / circuit.syncSpeed();
        params.Tmax = 10;
        SimulationRecord runUp{params, *run, *signal};
        ASSERT_EQ(RunSimulation(runUp), RunOutcome::Completed) << record.name;
        double maximum = 0;
        for (int i = 1000; i + Period <= run->SampleCount; ++i)
            maximum = std::max(maximum, Mean(*run, &ResultSample::torque, i, Period));
        EXPECT_NEAR(maximum / circuit.maximumTorque(), 1, 0.03) << record.name;
    }
}

// The motors of the sample catalogue, each on its rated supply without a controller: a DC motor
// on the mains at its rated voltage, an induction motor on the 50 Hz mains, a servomotor on its
// amplifier with the amplifier's 115 V.
std::vector<std::pair<std::string, ModelParams>> CatalogueMotors()
{
    RecordedMessages messages;
    CatalogueBrowser browser{u',', messages};
    EXPECT_TRUE(browser
                    .ConnectDatabase(QStringLiteral("Provider=SQLite;Data Source=") +
                                     QStringLiteral(KINETRA_CATALOGUE_FILE))
                    .ok);
    std::vector<std::pair<std::string, ModelParams>> motors;
    for (const auto& [table, kind] :
         {std::pair{"Двигатели_ПТ", 1}, {"Двигатели_АД", 0}, {"Сервомоторы", 2}}) {
        browser.bdComboBoxChange(browser.tableNames().indexOf(QString::fromUtf8(table)));
        for (int row = 0; row < browser.dataSet().RecordCount(); ++row) {
            browser.moveTo(row);
            QMap<QString, QString> fields;
            for (const FieldValue& field : browser.currentRecord())
                fields.insert(field.name, field.text);
            const auto number = [&](const char* name) {
                return fields.value(QLatin1String(name)).replace(u',', u'.').toDouble();
            };
            ModelParams p;
            p.MotorKind = kind;
            p.P = number("P");
            p.U = number("U");
            p.w = number("w");
            p.J = number("J");
            p.I = kind == 0 ? number("I1") : number("I");
            p.Tmax = kind == 2 ? 0.5 : 1;
            if (kind == 1) {
                p.SupplyKind = 0;
                p.R2 = number("R");
                p.L2 = number("L");
            } else if (kind == 0) {
                p.SupplyKind = 0;
                p.UseInductances = false;
                for (const auto& [key, member] : {std::pair{"R1", &ModelParams::R1},
                                                  {"X1", &ModelParams::X1},
                                                  {"R2", &ModelParams::R2},
                                                  {"X2", &ModelParams::X2},
                                                  {"X12", &ModelParams::X12}})
                    p.*member = number(key);
                p.p1 = PolePairsFromSpeed(fields.value(QStringLiteral("w")).toLongLong());
                p.m1 = 3;
            } else {
                p.SupplyKind = 1;
                p.R1 = number("R1");
                p.L1 = number("L1");
                p.p1 = number("p1");
                p.U0 = 115;
                p.F0 = 50;
            }
            motors.emplace_back(fields.value(QStringLiteral("Motor")).toStdString(), p);
        }
    }
    return motors;
}

// The largest difference between two runs' values of a field, over the first run's peak.
double LargestDifference(const RunData& run, const RunData& reference, double ResultSample::*field)
{
    double peak = 0;
    double difference = 0;
    for (int i = 0; i < reference.SampleCount; ++i) {
        peak = std::max(peak, std::abs(reference.samples[i].*field));
        difference =
            std::max(difference, std::abs(run.samples[i].*field - reference.samples[i].*field));
    }
    return difference / peak;
}

// Every motor of the catalogue, started without load and against its rated torque of friction,
// integrated at the sub-steps the engine chooses, agrees with the same run at a hundredth of them
// to within 0.5 % of the peak of its current, speed and torque at every sample.
TEST(SampleCatalogueRunTest, EveryCatalogueMotorConvergesAtTheEnginesSubSteps)
{
    const auto motors = CatalogueMotors();
    ASSERT_EQ(motors.size(), 24u + 28u + 12u);
    auto run = std::make_unique<RunData>();
    auto reference = std::make_unique<RunData>();
    const auto signal = std::make_unique<SignalSeries>(UnitSignal());
    for (const auto& [name, motor] : motors) {
        for (const double load : {0.0, 1000 * motor.P / motor.w}) {
            SCOPED_TRACE(name + (load == 0 ? " without load" : " at rated load"));
            ModelParams params = motor;
            params.Mc = load;
            SimulationRecord record{params, *run, *signal};
            ASSERT_EQ(RunSimulation(record), RunOutcome::Completed);
            ModelParams referenceParams = motor;
            referenceParams.Mc = load;
            SimulationRecord fine{referenceParams, *reference, *signal, true, 100 * run->subSteps};
            ASSERT_EQ(RunSimulation(fine), RunOutcome::Completed);
            ASSERT_EQ(run->SampleCount, reference->SampleCount);
            for (double ResultSample::*field :
                 {&ResultSample::current, &ResultSample::mechSpeed, &ResultSample::torque})
                EXPECT_LT(LargestDifference(*run, *reference, field), 0.005);
        }
    }
}

} // namespace
} // namespace kinetra::test
