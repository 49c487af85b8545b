#include "SimRun.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <chrono>
#include <memory>

#include <unistd.h>

#include "ModelParams.h"
#include "ReportOfRun.h"
#include "ResultsActivation.h"
#include "RunData.h"
#include "RunMetrics.h"
#include "SignalExchange.h"
#include "SignalFile.h"
#include "SignalWorkbench.h"
#include "SimOutput.h"
#include "SimTuning.h"
#include "Study.h"
#include "SweepProgressLine.h"
#include "SweepStatistics.h"
#include "SweepTable.h"
#include "editor/MessageSink.h"
#include "editor/ModelSession.h"
#include "text/FileSave.h"
#include "text/KeyValueText.h"
#include "text/NumberText.h"
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
    return GeneralNumber(value, ExactDigits);
}

// A positioning drive's samples end with the mechanism's position.
QString SamplesCsv(const RunData& run)
{
    QString csv = QStringLiteral("time,torque,mechSpeed,current,motorSpeed");
    csv += run.loopF ? QStringLiteral(",position\n") : QStringLiteral("\n");
    const std::span<const ResultSample> samples = ValidSamples(run);
    const std::span<const double> positions = RecordedPositions(run);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const ResultSample& s = samples[i];
        csv += number(s.time) + u',' + number(s.torque) + u',' + number(s.mechSpeed) + u',' +
               number(s.current) + u',' + number(s.motorSpeed);
        if (run.loopF)
            csv += u',' + number(positions[i]);
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

// The run's figures, the margins of the loops the model closes, and the warnings last.
void PrintMetrics(const RunView& view, const ModelParams& params, QTextStream& out)
{
    const QList<StepResponseField> figures = RunMetrics(view);
    const auto warnings = std::find_if(figures.begin(), figures.end(), [](const auto& field) {
        return qstrcmp(field.key, "warning") == 0;
    });
    QList<StepResponseField> fields(figures.begin(), warnings);
    fields << MarginFields(params) << QList<StepResponseField>(warnings, figures.end());
    for (const StepResponseField& field : fields)
        out << field.key << '=' << field.value << '\n';
}

// The loops' frequency responses of the collected model, when asked for.
Status WriteLoopResponse(const SimOptions& options, const ModelParams& params)
{
    if (options.loopResponsePath.isEmpty())
        return Status::Done();
    const CascadeModelResult cascade = CascadeModelOf(params);
    if (!cascade.model)
        return Status::Failed(RefusalLine(*cascade.refusal));
    const CascadeResponse response =
        CascadeResponseOf(*cascade.model, ResponseFrequencies(*cascade.model));
    return SaveFile(options.loopResponsePath, LoopResponseCsv(response).toUtf8());
}

// Tunes the collected model as the controller page's "Настроить" does: the tuned keys go into
// the page's fields, and the model is collected again. Prints the keys and each loop's figures,
// and writes the tuned model and its loops' responses when asked.
SimStatus Tune(ModelSession& session, const SimOptions& options, QTextStream& out, QTextStream& err)
{
    if (!session.CollectModel())
        return SimStatus::Failed;
    const CascadeTuning tuning = TuneCascade(session.params());
    if (tuning.refusal) {
        err << QStringLiteral("Настроить нельзя: ") << RefusalLine(*tuning.refusal) << '\n';
        return SimStatus::Failed;
    }
    const QChar separator = session.reader().decimalSeparator();
    KeyValueText text = session.modelText();
    for (const ModelKey& key : TunedKeys(tuning))
        WriteKey(text, QString::fromStdString(key.key), FormatNumber(key.value, separator));
    session.editor().FillControllerPage(text);
    session.CollectModel();
    const CascadeModel cascade = *CascadeModelOf(session.params()).model;
    const CascadeResponse response = CascadeResponseOf(cascade, ResponseFrequencies(cascade));
    PrintLines(TuningLines(tuning, response, CompareStep(session.params(), cascade), separator),
               out);
    SimStatus status = SimStatus::Success;
    if (!options.tunedModelPath.isEmpty()) {
        const Status written = WriteTextFile(options.tunedModelPath, session.modelText());
        if (!written.ok) {
            err << SaveFailedMessage(options.tunedModelPath, written.error) << '\n';
            status = SimStatus::UsageError;
        }
    }
    const Status responded = WriteLoopResponse(options, session.params());
    if (!responded.ok) {
        err << SaveFailedMessage(options.loopResponsePath, responded.error) << '\n';
        status = SimStatus::UsageError;
    }
    return status;
}

bool IsTerminal(const QTextStream& stream)
{
    const auto* file = qobject_cast<const QFile*>(stream.device());
    return file && file->handle() >= 0 && ::isatty(file->handle());
}

// Rows between two checks that standard output still takes what is written.
constexpr std::size_t RowsBetweenOutputChecks = 256;

// Says before the study which normal spreads reach below zero often enough that some of their
// draws are expected to be drawn again.
void PrintDrawnAgain(const StudyRequest& study, QTextStream& err)
{
    for (const Tolerance& tolerance : study.tolerances) {
        const double share = ShareDrawnAgain(tolerance);
        if (share * double(study.samples) < 1)
            continue;
        err << tolerance.key << ": " << QString::number(100 * share, 'g', 2)
            << " % of the normal draws fall below zero and are drawn again; the spread is cut at "
               "zero.\n";
    }
}

// What ends a sweep on standard error after its table: its notices and the threads it lacked.
void PrintSweepNotices(const QStringList& notices, const SweepOutcome& outcome, const Study& study,
                       QTextStream& err)
{
    for (const QString& notice : notices)
        err << notice << '\n';
    if (outcome.threads < std::min<std::size_t>(study.jobs(), study.range().size()))
        err << "Only " << outcome.threads << " of " << study.jobs()
            << " threads could be started; the sweep ran on "
            << (outcome.threads == 0 ? QStringLiteral("the main thread alone")
                                     : QStringLiteral("those"))
            << ".\n";
}

// Sweeps the collected model and prints the table row by row as the rows come; progress goes
// to the error stream once the sweep has taken a second, and a tolerance study closes with its
// summary there.
SimStatus Sweep(ModelSession& session, const SignalSeries& signal, const SimOptions& options,
                QTextStream& out, QTextStream& err)
{
    if (!session.CollectModel())
        return SimStatus::Failed;
    const Study study(options.study);
    PrintDrawnAgain(options.study, err);

    SweepStatistics statistics;
    QStringList notices;
    const auto outputWritten = [&out] { return FlushOutput(out).ok; };
    out << SweepHeader(study.variants()) << '\n';
    const auto sink = [&](const SweepRow& row) {
        out << SweepRowText(study.variants(), row) << '\n';
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
    const SweepOutcome outcome = study.run(session.params(), signal, sink, progress);
    err << progressLine.finish();
    PrintSweepNotices(notices, outcome, study, err);
    if (outcome.stoppedBySink || !outputWritten()) {
        err << "Standard output cannot be written: the table is incomplete.\n";
        return SimStatus::OutputIncomplete;
    }
    if (!options.study.tolerances.empty())
        PrintLines(SweepSummaryLines(statistics), err);
    SimStatus status = outcome.failed == 0 ? SimStatus::Success : SimStatus::Failed;
    if (!options.summaryPath.isEmpty()) {
        const Status saved = SaveFile(options.summaryPath, SweepSummaryCsv(statistics).toUtf8());
        if (!saved.ok) {
            err << SaveFailedMessage(options.summaryPath, saved.error) << '\n';
            status = SimStatus::UsageError;
        }
    }
    return status;
}

// The checks that need no model: a summary that cannot be written is told before the study, not
// after it, and a workbench number that does not read before any run.
Status CheckBeforeLoading(const SimOptions& options, QChar separator, const QTextStream& out)
{
    if (!options.summaryPath.isEmpty()) {
        const QString problem = SummaryTargetProblem(options.summaryPath, out);
        if (!problem.isEmpty())
            return Status::Failed(problem);
    }
    if (options.signalWorkbench) {
        const QString unreadable = UnreadableSignalNumber(*options.signalWorkbench, separator);
        if (!unreadable.isEmpty())
            return Status::Failed(unreadable);
    }
    return Status::Done();
}

// Opens the model file as the model window's Open command does; how it was read goes to err.
Status LoadModel(ModelSession& session, const SimOptions& options, QTextStream& out,
                 QTextStream& err)
{
    session.NewModel();
    const ModelSession::LoadResult load = session.LoadModelFile(options.modelPath);
    if (!load.ok)
        return Status::Failed(OpenFailedMessage(options.modelPath, load.error));
    if (!load.notice.isEmpty())
        err << load.notice << '\n';
    session.setModelFileName(options.modelPath);
    if (options.modelText)
        PrintLines(session.modelText(), out);
    return Status::Done();
}

// Reads the signal file into the series the engine reads, and switches on the box it shapes, as
// sending a signal into the model does. The rest of the series keeps its 1.0.
Status ReadSignalInto(SignalSeries& signal, ModelSession& session, const SimOptions& options,
                      QChar separator)
{
    const SignalFileRead read = ReadSignalFile(options.signalPath, separator);
    if (!read.ok)
        return Status::Failed(options.signalPath + QStringLiteral(": ") + read.error);
    std::copy(read.value.begin(), read.value.end(), signal.begin());
    session.editor().setChecked(options.signalTarget == SimOptions::SignalTarget::Load
                                    ? CheckBox::dMVarCheckBox
                                    : CheckBox::refCheckBox,
                                true);
    return Status::Done();
}

// Builds the signal in the workbench as the window's user types it and sends it into the model;
// false, with the window's notice on err and the signal built so far in its file, when a stage
// cannot compute it as typed.
bool ShapeAndSend(const SimOptions& options, SignalWorkbench& workbench, const SignalBuffer& buffer,
                  int sampleCount, ModelSession& session, ResultsActivation& activation,
                  QTextStream& err)
{
    const SignalSettings& shaped = *options.signalWorkbench;
    ShapeSignal(shaped, workbench);
    workbench.SignalCalcForRun();
    const QString notice = workbench.notice();
    if (!notice.isEmpty()) {
        err << notice << '\n';
        if (!shaped.outPath.isEmpty()) {
            const Status saved = SaveFile(shaped.outPath, SignalCsv(buffer, sampleCount));
            if (!saved.ok)
                err << SaveFailedMessage(shaped.outPath, saved.error) << '\n';
        }
        return false;
    }
    activation.setSignalSource(&workbench);
    SendToModel(workbench, session.editor(),
                options.signalTarget == SimOptions::SignalTarget::Reference
                    ? SignalUse::Control
                    : SignalUse::Disturbance,
                activation);
    return true;
}

void PrintRun(const SimOptions& options, ResultsActivation& activation, const ModelParams& params,
              QTextStream& out)
{
    if (options.table)
        out << activation.sampleTable() << '\n';
    else if (options.metrics)
        PrintMetrics(activation.view(), params, out);
    else
        PrintLines(activation.view().summary, out);
}

// The samples, the static characteristic and the shaped signal, each to its file when asked.
SimStatus SaveRunFiles(const SimOptions& options, const RunData& run, const RunView& view,
                       const SignalBuffer& buffer, QTextStream& err)
{
    SimStatus status = SimStatus::Success;
    const QString signalPath =
        options.signalWorkbench ? options.signalWorkbench->outPath : QString();
    for (const auto& [path, content] :
         {std::pair{options.samplesPath, SamplesCsv(run).toUtf8()},
          std::pair{options.staticPath, StaticCsv(view.staticPoints).toUtf8()},
          std::pair{signalPath, SignalCsv(buffer, int(ValidSamples(run).size()))}}) {
        if (path.isEmpty())
            continue;
        const Status saved = SaveFile(path, content);
        if (!saved.ok) {
            err << SaveFailedMessage(path, saved.error) << '\n';
            status = SimStatus::UsageError;
        }
    }
    return status;
}

// The report the options ask for: a text export written here, one that draws its charts by the
// drawing writer when there is one.
Status WriteReport(const SimOptions& options, const ModelSession& session,
                   const ResultsActivation& activation, QTextStream& err,
                   const SimReportWriter& drawReport)
{
    const ReportFormat format = ReportFormatOf(options.reportPath).value_or(ReportFormat::Pdf);
    if (ReportFormatDraws(format))
        return drawReport ? drawReport(options, session, activation, err) : Status::Done();
    ReportForm form;
    ComposeReport(form, session, activation.view(), options.reportParts);
    return SaveReportText(form, format, options.reportPath);
}

// Runs the model as the results window's first activation does (twice with a signal shaped in
// the workbench) and prints and writes what the options ask for.
SimStatus RunOnce(ModelSession& session, SignalBuffer& buffer, MessageSink& messages,
                  const SimOptions& options, QTextStream& out, QTextStream& err,
                  const SimReportWriter& drawReport)
{
    auto run = std::make_unique<RunData>();
    ResultsActivation activation(session, *run, buffer.OutputSamples, messages);
    ResultsActivation::Outcome outcome = activation.FormActivate(true);
    SignalWorkbench workbench(buffer, session.reader().decimalSeparator());
    workbench.takeSampleCount(run->SampleCount);
    if (options.signalWorkbench && outcome == ResultsActivation::Outcome::Simulated) {
        // As the window's user does: the first run sets N, the signal is built and sent, and
        // the results run again with it. A signal that cannot be computed as typed is not sent.
        if (!ShapeAndSend(options, workbench, buffer, int(ValidSamples(*run).size()), session,
                          activation, err)) {
            if (options.paramsAfter)
                PrintParams(session.params(), out);
            return SimStatus::SignalRefused;
        }
        outcome = activation.FormActivate(true);
    }
    SimStatus status = SimStatus::Failed;
    if (outcome == ResultsActivation::Outcome::Simulated) {
        if (!activation.view().runNotice.isEmpty())
            err << activation.view().runNotice << '\n';
        PrintRun(options, activation, session.params(), out);
        status = SaveRunFiles(options, *run, activation.view(), buffer, err);
        const Status responded = WriteLoopResponse(options, session.params());
        if (!responded.ok) {
            err << SaveFailedMessage(options.loopResponsePath, responded.error) << '\n';
            status = SimStatus::UsageError;
        }
        if (!options.reportPath.isEmpty()) {
            const Status written = WriteReport(options, session, activation, err, drawReport);
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

SimStatus RunAndPrint(const SimOptions& options, QChar localeSeparator, QTextStream& out,
                      QTextStream& err, const SimReportWriter& drawReport)
{
    if (options.countVariants) {
        out << Study(options.study).range().size() << '\n';
        return SimStatus::Success;
    }
    const QChar separator = options.decimalSeparator.value_or(localeSeparator);
    const Status checked = CheckBeforeLoading(options, separator, out);
    if (!checked.ok) {
        err << checked.error << '\n';
        return SimStatus::UsageError;
    }
    ErrorStreamMessages messages(err);
    ModelSession session(separator, messages);
    const Status loaded = LoadModel(session, options, out, err);
    if (!loaded.ok) {
        err << loaded.error << '\n';
        return SimStatus::UsageError;
    }
    // The engine reads the workbench's output series, whether a file or the workbench fills it.
    auto buffer = std::make_unique<SignalBuffer>();
    if (!options.signalPath.isEmpty()) {
        const Status read = ReadSignalInto(buffer->OutputSamples, session, options, separator);
        if (!read.ok) {
            err << read.error << '\n';
            return SimStatus::UsageError;
        }
    }
    if (options.sweeps())
        return Sweep(session, buffer->OutputSamples, options, out, err);
    if (options.tune)
        return Tune(session, options, out, err);
    return RunOnce(session, *buffer, messages, options, out, err, drawReport);
}

} // namespace

SimStatus RunSim(const SimOptions& options, QChar localeSeparator, QTextStream& out,
                 QTextStream& err, const SimReportWriter& drawReport)
{
    return FinishStreams(RunAndPrint(options, localeSeparator, out, err, drawReport), out, err);
}

} // namespace kinetra
