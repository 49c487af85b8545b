#include "SimRun.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <chrono>
#include <memory>

#include <unistd.h>

#include "ModelParams.h"
#include "ResultsActivation.h"
#include "RunData.h"
#include "SignalExchange.h"
#include "SignalFile.h"
#include "SignalWorkbench.h"
#include "SimOutput.h"
#include "StepResponse.h"
#include "Sweep.h"
#include "SweepProgressLine.h"
#include "SweepStatistics.h"
#include "ToleranceStudy.h"
#include "editor/MessageSink.h"
#include "editor/ModelSession.h"
#include "text/FileSave.h"
#include "text/TextFile.h"

namespace kinetra {

namespace {

// Prints each message once: the collection that ends loading and the one that starts the run
// would otherwise report the same bad entries twice.
class ErrorStreamMessages final : public MessageSink {
public:
    explicit ErrorStreamMessages(QTextStream& err) : m_err(err) {}

    void showMessage(const QString& text) override
    {
        if (m_shown.contains(text))
            return;
        m_shown.insert(text);
        m_err << text << '\n';
        m_err.flush();
    }

private:
    QTextStream& m_err;
    QSet<QString> m_shown;
};

QString number(double value)
{
    return QString::asprintf("%.17g", value);
}

// A positioning drive's samples end with the mechanism's position.
QString SamplesCsv(const RunData& run)
{
    QString csv = QStringLiteral("time,torque,mechSpeed,current,motorSpeed");
    csv += run.loopF ? QStringLiteral(",position\n") : QStringLiteral("\n");
    for (int i = 0; i < run.SampleCount; ++i) {
        const ResultSample& s = run.samples[static_cast<std::size_t>(i)];
        csv += number(s.time) + u',' + number(s.torque) + u',' + number(s.mechSpeed) + u',' +
               number(s.current) + u',' + number(s.motorSpeed);
        if (run.loopF)
            csv += u',' + number(run.positions[static_cast<std::size_t>(i)]);
        csv += u'\n';
    }
    return csv;
}

QString StaticCsv(const std::vector<StaticPoint>& points)
{
    QString csv = QStringLiteral("x,y,white\n");
    for (const StaticPoint& point : points)
        csv +=
            number(point.x) + u',' + number(point.y) + u',' + (point.white ? u'1' : u'0') + u'\n';
    return csv;
}

void PrintParams(const ModelParams& params, QTextStream& out)
{
    for (const NumericField& field : NumericFields)
        out << QLatin1String(field.key.data(), qsizetype(field.key.size())) << '='
            << number(params.*field.member) << '\n';
    out << "MotorKind=" << params.MotorKind << '\n'
        << "SupplyKind=" << params.SupplyKind << '\n'
        << "GearKind=" << params.GearKind << '\n'
        << "UseInductances=" << int(params.UseInductances) << '\n'
        << "ElasticGear=" << int(params.ElasticGear) << '\n'
        << "ActiveLoad=" << int(params.ActiveLoad) << '\n'
        << "VariableLoad=" << int(params.VariableLoad) << '\n'
        << "VariableReference=" << int(params.VariableReference) << '\n'
        << "TorqueControl=" << int(params.TorqueControl) << '\n';
}

void PrintLines(const QStringList& lines, QTextStream& out)
{
    for (const QString& line : lines)
        out << line << '\n';
}

void PrintFields(const RunView& view, QTextStream& out)
{
    for (const StepResponseField& field : StepResponseFields(view.stepResponse))
        out << field.key << '=' << field.value << '\n';
    for (const StepResponseField& field : ConverterLoadFields(view.converterLoad))
        out << field.key << '=' << field.value << '\n';
    if (view.motorDuty) {
        for (const StepResponseField& field : MotorDutyFields(*view.motorDuty))
            out << field.key << '=' << field.value << '\n';
    }
    out << "energyBalanceError=" << FigureText(view.energyBalanceError) << '\n';
    for (const DriveWarning warning : view.warnings)
        out << "warning=" << DriveWarningKey(warning) << '\n';
}

bool IsTerminal(const QTextStream& stream)
{
    const auto* file = qobject_cast<const QFile*>(stream.device());
    return file && file->handle() >= 0 && ::isatty(file->handle());
}

// Rows between two checks that standard output still takes what is written.
constexpr std::size_t RowsBetweenOutputChecks = 256;

std::unique_ptr<SweepVariants> VariantsOf(const SimOptions& options)
{
    if (options.tolerances.empty())
        return std::make_unique<SweepGrid>(options.sweep);
    return std::make_unique<ToleranceSamples>(options.tolerances, options.sampleCount,
                                              options.seed);
}

SweepRange RangeOf(const SimOptions& options, const SweepVariants& variants)
{
    return ShardOf(variants.size(), options.shard, options.shardCount);
}

// Says before the study which normal spreads reach below zero often enough that some of their
// draws are expected to be drawn again.
void PrintDrawnAgain(const SimOptions& options, QTextStream& err)
{
    for (const Tolerance& tolerance : options.tolerances) {
        const double share = ShareDrawnAgain(tolerance);
        if (share * double(options.sampleCount) < 1)
            continue;
        err << tolerance.key << ": " << QString::number(100 * share, 'g', 2)
            << " % of the normal draws fall below zero and are drawn again; the spread is cut at "
               "zero.\n";
    }
}

// Sweeps the collected model and prints the table row by row as the rows come; progress goes
// to the error stream once the sweep has taken a second, and a tolerance study closes with its
// summary there.
SimStatus Sweep(ModelSession& session, const SignalSeries& signal, const SimOptions& options,
                QTextStream& out, QTextStream& err)
{
    if (!session.CollectModel())
        return SimStatus::Failed;
    const std::unique_ptr<SweepVariants> variants = VariantsOf(options);
    const SweepRange range = RangeOf(options, *variants);
    const unsigned jobs = options.jobs != 0 ? options.jobs : CoreCount();
    PrintDrawnAgain(options, err);

    SweepStatistics statistics;
    QStringList notices;
    const auto outputWritten = [&out] { return FlushOutput(out).ok; };
    out << SweepHeader(*variants) << '\n';
    const auto sink = [&](const SweepRow& row) {
        out << row.text << '\n';
        statistics.add(row);
        if (!row.notice.isEmpty() && !notices.contains(row.notice))
            notices.append(row.notice);
        return statistics.variants() % RowsBetweenOutputChecks != 0 || outputWritten();
    };
    const auto start = std::chrono::steady_clock::now();
    SweepProgressLine progressLine(IsTerminal(err));
    const auto progress = [&](std::size_t done, std::size_t total) {
        const QString text =
            progressLine.update(done, total, std::chrono::steady_clock::now() - start);
        if (!text.isEmpty()) {
            err << text;
            err.flush();
        }
    };
    const SweepOutcome outcome =
        RunSweep(session.params(), signal, *variants, range, jobs, sink, progress);
    err << progressLine.finish();
    for (const QString& notice : notices)
        err << notice << '\n';
    if (outcome.threads < std::min<std::size_t>(jobs, range.size()))
        err << "Only " << outcome.threads << " of " << jobs
            << " threads could be started; the sweep ran on "
            << (outcome.threads == 0 ? QStringLiteral("the main thread alone")
                                     : QStringLiteral("those"))
            << ".\n";
    if (outcome.stoppedBySink || !outputWritten()) {
        err << "Standard output cannot be written: the table is incomplete.\n";
        return SimStatus::OutputIncomplete;
    }
    if (!options.tolerances.empty())
        for (const QString& line : statistics.lines())
            err << line << '\n';
    SimStatus status = outcome.failed == 0 ? SimStatus::Success : SimStatus::Failed;
    if (!options.summaryPath.isEmpty()) {
        const Status saved = SaveFile(options.summaryPath, statistics.csv().toUtf8());
        if (!saved.ok) {
            err << SaveFailedMessage(options.summaryPath, saved.error) << '\n';
            status = SimStatus::UsageError;
        }
    }
    return status;
}

SimStatus RunAndPrint(const SimOptions& options, QChar localeSeparator, QTextStream& out,
                      QTextStream& err, const SimReportWriter& writeReport)
{
    if (options.countVariants) {
        out << RangeOf(options, *VariantsOf(options)).size() << '\n';
        return SimStatus::Success;
    }
    // A summary that cannot be written is told before the study, not after it.
    if (!options.summaryPath.isEmpty()) {
        const QString problem = SummaryTargetProblem(options.summaryPath, out);
        if (!problem.isEmpty()) {
            err << problem << '\n';
            return SimStatus::UsageError;
        }
    }
    const QChar separator = options.decimalSeparator.value_or(localeSeparator);
    const std::optional<SignalSettings>& shaped = options.signalWorkbench;
    if (shaped) {
        const QString unreadable = UnreadableSignalNumber(*shaped, separator);
        if (!unreadable.isEmpty()) {
            err << unreadable << '\n';
            return SimStatus::UsageError;
        }
    }
    ErrorStreamMessages messages(err);
    ModelSession session(separator, messages);
    session.NewModel();
    const ModelSession::LoadResult load = session.LoadModelFile(options.modelPath);
    if (!load.ok) {
        err << OpenFailedMessage(options.modelPath, load.error) << '\n';
        return SimStatus::UsageError;
    }
    if (!load.notice.isEmpty())
        err << load.notice << '\n';
    session.ModelFileName = options.modelPath;
    if (options.modelText)
        PrintLines(session.modelText(), out);

    // The engine reads the workbench's output series, whether a file or the workbench fills it.
    auto buffer = std::make_unique<SignalBuffer>();
    SignalSeries& signal = buffer->OutputSamples;
    if (!options.signalPath.isEmpty()) {
        const SignalFileRead read = ReadSignalFile(options.signalPath, separator);
        if (!read.ok) {
            err << options.signalPath << ": " << read.error << '\n';
            return SimStatus::UsageError;
        }
        // The rest of the series keeps its 1.0.
        std::copy(read.value.begin(), read.value.end(), signal.begin());
        // As sending a signal into the model does: the matching box is switched on.
        session.editor().setChecked(options.signalTarget == SimOptions::SignalTarget::Load
                                        ? CheckBox::dMVarCheckBox
                                        : CheckBox::refCheckBox,
                                    true);
    }

    if (options.sweeps())
        return Sweep(session, signal, options, out, err);

    auto run = std::make_unique<RunData>();
    ResultsActivation activation(session, *run, signal, messages);
    ResultsActivation::Outcome outcome = activation.FormActivate(true);
    SignalWorkbench workbench(*buffer, run->SampleCount, session.reader());
    if (shaped && outcome == ResultsActivation::Outcome::Simulated) {
        // As the window's user does: the first run sets N, the signal is built and sent, and
        // the results run again with it. A signal that cannot be computed as typed is not sent.
        ShapeSignal(*shaped, workbench);
        workbench.SignalCalcForRun();
        const QString notice = workbench.notice();
        if (!notice.isEmpty()) {
            err << notice << '\n';
            if (!shaped->outPath.isEmpty()) {
                const Status saved =
                    SaveFile(shaped->outPath, SignalCsv(*buffer, run->SampleCount));
                if (!saved.ok)
                    err << SaveFailedMessage(shaped->outPath, saved.error) << '\n';
            }
            if (options.paramsAfter)
                PrintParams(session.params(), out);
            return SimStatus::SignalRefused;
        }
        activation.setSignalFit([&workbench] { return workbench.fitRun(); });
        SendToModel(workbench, session.editor(),
                    options.signalTarget == SimOptions::SignalTarget::Reference
                        ? SignalUse::Control
                        : SignalUse::Disturbance,
                    activation);
        outcome = activation.FormActivate(true);
    }
    SimStatus status = SimStatus::Failed;
    if (outcome == ResultsActivation::Outcome::Simulated) {
        status = SimStatus::Success;
        if (!activation.view().runNotice.isEmpty())
            err << activation.view().runNotice << '\n';
        if (options.table)
            out << activation.sampleTable() << '\n';
        else if (options.metrics)
            PrintFields(activation.view(), out);
        else
            PrintLines(activation.view().summary, out);
        const QString signalPath = shaped ? shaped->outPath : QString();
        for (const auto& [path, content] :
             {std::pair{options.samplesPath, SamplesCsv(*run).toUtf8()},
              std::pair{options.staticPath, StaticCsv(activation.view().staticPoints).toUtf8()},
              std::pair{signalPath, SignalCsv(*buffer, run->SampleCount)}}) {
            if (path.isEmpty())
                continue;
            const Status saved = SaveFile(path, content);
            if (!saved.ok) {
                err << SaveFailedMessage(path, saved.error) << '\n';
                status = SimStatus::UsageError;
            }
        }
        if (!options.reportPath.isEmpty() && writeReport) {
            const Status written = writeReport(options, session, activation, err);
            if (!written.ok) {
                err << SaveFailedMessage(options.reportPath, written.error) << '\n';
                status = SimStatus::UsageError;
            }
        }
    }
    if (options.paramsAfter)
        PrintParams(session.params(), out);
    return status;
}

} // namespace

SimStatus RunSim(const SimOptions& options, QChar localeSeparator, QTextStream& out,
                 QTextStream& err, const SimReportWriter& writeReport)
{
    return FinishStreams(RunAndPrint(options, localeSeparator, out, err, writeReport), out, err);
}

} // namespace kinetra
