#include "SimOptions.h"

#include <array>

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "ReportExports.h"

namespace kinetra {

namespace {

// Every option of the command line, declared once for the parser and for reading the arguments
// back.
struct OptionSet {
    QCommandLineOption help{QStringList{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help.")};
    QCommandLineOption separator{
        QStringLiteral("decimal-separator"),
        QStringLiteral("The decimal separator of the model file and the texts (default: the "
                       "locale's)."),
        QStringLiteral("C")};
    QCommandLineOption table{QStringLiteral("table"),
                             QStringLiteral("Print the sample table instead of the summary.")};
    QCommandLineOption samples{
        QStringLiteral("samples"),
        QStringLiteral("Write the samples to FILE as CSV; with --vary, the number of variants "
                       "to draw."),
        QStringLiteral("FILE|N")};
    QCommandLineOption statics{QStringLiteral("static"),
                               QStringLiteral("Write the static characteristic to FILE as CSV."),
                               QStringLiteral("FILE")};
    QCommandLineOption signal{
        QStringLiteral("signal"),
        QStringLiteral("Shape the load (or the reference) by the numbers in FILE, one a line."),
        QStringLiteral("FILE")};
    QCommandLineOption signalTo{QStringLiteral("signal-to"),
                                QStringLiteral("What the signal shapes: load or reference."),
                                QStringLiteral("load|reference")};
    QCommandLineOption modelText{QStringLiteral("model-text"),
                                 QStringLiteral("Print the model text after loading.")};
    QCommandLineOption paramsAfter{QStringLiteral("params-after"),
                                   QStringLiteral("Print every parameter as the run left it.")};
    QCommandLineOption report{
        QStringLiteral("report"),
        QStringLiteral("Write the one-page report to FILE: PDF, or TXT, CSV or HTML by the "
                       "extension."),
        QStringLiteral("FILE")};
    QCommandLineOption reportParts{
        QStringLiteral("report-parts"),
        QStringLiteral("Only these parts in the report, comma-separated: dynamics, statics, "
                       "equipment, controllers, analysis, margins (default: all but margins)."),
        QStringLiteral("LIST")};
    QCommandLineOption metrics{
        QStringLiteral("metrics"),
        QStringLiteral("Print the step-response figures as KEY=value lines instead of the "
                       "summary.")};
    QCommandLineOption tune{
        QStringLiteral("tune"),
        QStringLiteral("Tune the cascade by the standard optima: print the tuned controller keys "
                       "as model lines, each loop's optimum and margins, and run nothing.")};
    QCommandLineOption write{QStringLiteral("write"),
                             QStringLiteral("With --tune, write the tuned model to FILE."),
                             QStringLiteral("FILE")};
    QCommandLineOption loopResponse{
        QStringLiteral("loop-response"),
        QStringLiteral("Write the loops' frequency responses to FILE as CSV: the angular "
                       "frequency, each loop's magnitude in dB and phase in degrees."),
        QStringLiteral("FILE")};
    QCommandLineOption set{
        QStringLiteral("set"),
        QStringLiteral("Sweep a model key over values (V1;V2;...) or a range (FROM:TO:COUNT), "
                       "numbers with a point, whole for p1, m1 and m0; repeat with other keys for "
                       "a grid. Prints a CSV of every variant."),
        QStringLiteral("KEY=VALUES")};
    QCommandLineOption vary{
        QStringLiteral("vary"),
        QStringLiteral("A tolerance study: draw a model key evenly within NOMINAL±PERCENT% (or "
                       "+-) or normally as NOMINAL~SIGMA, numbers with a point; a magnitude's "
                       "normal draw below zero is drawn again. Repeat for more keys. Needs "
                       "--samples N; prints a CSV of every sample."),
        QStringLiteral("KEY=TOLERANCE")};
    QCommandLineOption seed{
        QStringLiteral("seed"),
        QStringLiteral("The seed of a tolerance study's draws (default: 1); the same seed draws "
                       "the same samples."),
        QStringLiteral("S")};
    QCommandLineOption shard{
        QStringLiteral("shard"),
        QStringLiteral("Run only the K-th of N equal parts of a sweep (K from 1); the parts' "
                       "tables, headers once, make the whole table."),
        QStringLiteral("K/N")};
    QCommandLineOption summary{
        QStringLiteral("summary"),
        QStringLiteral("Write a sweep's closing summary to FILE as CSV; checked before the first "
                       "variant, and never the file standard output goes to."),
        QStringLiteral("FILE")};
    QCommandLineOption countVariants{
        QStringLiteral("count-variants"),
        QStringLiteral("Print how many variants the sweep (with --shard, its part) runs, and run "
                       "none; the model file is not read.")};
    QCommandLineOption jobs{QStringLiteral("jobs"),
                            QStringLiteral("Run a sweep on N threads (default: one per core)."),
                            QStringLiteral("N")};
    SignalOptions workbench;

    void declare(QCommandLineParser& parser) const
    {
        parser.setApplicationDescription(
            QStringLiteral("Simulates the drive of a Kinetra model file and prints the analysis."));
        parser.addOptions({help, separator, table, samples, statics, signal, signalTo, modelText,
                           paramsAfter, report, reportParts, metrics});
        parser.addOptions(
            {tune, write, loopResponse, set, vary, seed, shard, summary, countVariants, jobs});
        parser.addOptions(workbench.options());
        parser.addPositionalArgument(QStringLiteral("MODEL.kmf"),
                                     QStringLiteral("The model file to simulate."));
    }
};

// Reads one concern of the arguments into the options, or says why they do not fit.
using OptionReader = Status (*)(const QCommandLineParser& parser, const OptionSet& set,
                                SimOptions& options);

Status ReadModel(const QCommandLineParser& parser, const OptionSet& set, SimOptions& options)
{
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return Status::Failed(positional.isEmpty()
                                  ? QStringLiteral("No model file given.")
                                  : QStringLiteral("Only one model file can be simulated at a "
                                                   "time."));
    options.modelPath = positional.first();
    if (parser.isSet(set.separator)) {
        const QString value = parser.value(set.separator);
        if (value.size() != 1 || value.at(0).isDigit() || value.at(0).isSpace())
            return Status::Failed(QStringLiteral("The decimal separator must be one character "
                                                 "such as \",\" or \".\"."));
        options.decimalSeparator = value.at(0);
    }
    return Status::Done();
}

Status ReadSignal(const QCommandLineParser& parser, const OptionSet& set, SimOptions& options)
{
    const bool shaped = parser.isSet(set.workbench.wave());
    if (parser.isSet(set.signal) && shaped)
        return Status::Failed(QStringLiteral("--signal and --signal-wave exclude each other."));
    StatusOr<std::optional<SignalSettings>> workbench = set.workbench.read(parser);
    if (!workbench.ok)
        return Status::Failed(workbench.error);
    options.signalWorkbench = std::move(workbench.value);
    if (parser.isSet(set.signalTo)) {
        if (!parser.isSet(set.signal) && !shaped)
            return Status::Failed(QStringLiteral("--signal-to needs --signal or --signal-wave."));
        const QString target = parser.value(set.signalTo);
        if (target == u"reference")
            options.signalTarget = SimOptions::SignalTarget::Reference;
        else if (target != u"load")
            return Status::Failed(QStringLiteral("--signal-to takes \"load\" or \"reference\"."));
    }
    options.signalPath = parser.value(set.signal);
    return Status::Done();
}

Status ReadReport(const QCommandLineParser& parser, const OptionSet& set, SimOptions& options)
{
    if (parser.isSet(set.report) && !ReportFormatOf(parser.value(set.report)))
        return Status::Failed(QStringLiteral("--report writes a .pdf, .txt, .csv or .html file."));
    options.reportPath = parser.value(set.report);
    if (!parser.isSet(set.reportParts))
        return Status::Done();
    if (!parser.isSet(set.report))
        return Status::Failed(QStringLiteral("--report-parts needs --report."));
    ReportSwitches& parts = options.reportParts;
    parts = {false, false, false, false, false};
    for (const QString& part : parser.value(set.reportParts).split(u',')) {
        const QString name = part.trimmed();
        bool* const chosen = name == u"dynamics"      ? &parts.dynamics
                             : name == u"statics"     ? &parts.statics
                             : name == u"equipment"   ? &parts.equipment
                             : name == u"controllers" ? &parts.controllers
                             : name == u"analysis"    ? &parts.analysis
                             : name == u"margins"     ? &parts.margins
                                                      : nullptr;
        if (!chosen)
            return Status::Failed(QStringLiteral("Unknown report part \"%1\": choose from "
                                                 "dynamics, statics, equipment, controllers, "
                                                 "analysis, margins.")
                                      .arg(name));
        *chosen = true;
    }
    return Status::Done();
}

Status ReadGrid(const QCommandLineParser& parser, const OptionSet& set, SimOptions& options)
{
    for (const QString& text : parser.values(set.set)) {
        StatusOr<SweepAxis> axis = ParseSweepAxis(text);
        if (!axis.ok)
            return Status::Failed(axis.error);
        const Status added = AddSweepAxis(options.study.grid, std::move(axis.value));
        if (!added.ok)
            return added;
    }
    return Status::Done();
}

Status ReadTolerances(const QCommandLineParser& parser, const OptionSet& set, SimOptions& options)
{
    for (const QString& text : parser.values(set.vary)) {
        StatusOr<Tolerance> tolerance = ParseTolerance(text);
        if (!tolerance.ok)
            return Status::Failed(tolerance.error);
        const Status added = AddTolerance(options.study.tolerances, std::move(tolerance.value));
        if (!added.ok)
            return added;
    }
    if (!options.study.grid.empty() && !options.study.tolerances.empty())
        return Status::Failed(QStringLiteral("A sweep is a grid (--set) or a tolerance study "
                                             "(--vary), not both."));
    return Status::Done();
}

// The number of samples and the seed of a tolerance study.
Status ReadDraws(const QCommandLineParser& parser, const OptionSet& set, SimOptions& options)
{
    StudyRequest& study = options.study;
    const bool drawing = !study.tolerances.empty();
    if (drawing) {
        bool read = false;
        study.samples = parser.value(set.samples).toULongLong(&read);
        if (!read || study.samples < 1 || study.samples > MaximumStudySize)
            return Status::Failed(
                QStringLiteral("--vary needs --samples N, from 1 to %1.").arg(MaximumStudySize));
    }
    if (parser.isSet(set.seed)) {
        bool read = false;
        study.seed = parser.value(set.seed).toULongLong(&read);
        if (!drawing || !read)
            return Status::Failed(QStringLiteral("--seed takes a whole number from 0 and goes "
                                                 "with --vary."));
    }
    return Status::Done();
}

// "K/N" with 1 <= K <= N.
bool ReadShardText(const QString& text, StudyRequest& study)
{
    const QStringList parts = text.split(u'/');
    if (parts.size() != 2)
        return false;
    bool shardRead = false;
    bool countRead = false;
    study.shard = parts[0].trimmed().toULongLong(&shardRead);
    study.shardCount = parts[1].trimmed().toULongLong(&countRead);
    return shardRead && countRead && study.shard >= 1 && study.shard <= study.shardCount &&
           study.shardCount <= MaximumStudySize;
}

Status ReadShard(const QCommandLineParser& parser, const OptionSet& set, SimOptions& options)
{
    if (parser.isSet(set.shard) &&
        (!options.sweeps() || !ReadShardText(parser.value(set.shard), options.study)))
        return Status::Failed(QStringLiteral("--shard takes K/N with K from 1 to N and goes with "
                                             "--set or --vary."));
    return Status::Done();
}

// The closing summary's file, and the count that runs nothing to summarise.
Status ReadSummary(const QCommandLineParser& parser, const OptionSet& set, SimOptions& options)
{
    const bool summarised = parser.isSet(set.summary);
    if (summarised && !options.sweeps())
        return Status::Failed(QStringLiteral("--summary goes with --set or --vary."));
    if (summarised && parser.value(set.summary).isEmpty())
        return Status::Failed(QStringLiteral("--summary names the file to write the summary to."));
    options.summaryPath = parser.value(set.summary);
    options.countVariants = parser.isSet(set.countVariants);
    if (options.countVariants && (!options.sweeps() || summarised))
        return Status::Failed(QStringLiteral("--count-variants goes with --set or --vary, and "
                                             "runs nothing to summarise."));
    return Status::Done();
}

// What a single run prints and writes; a sweep prints its own table instead.
Status ReadRunOutputs(const QCommandLineParser& parser, const OptionSet& set, SimOptions& options)
{
    const bool drawing = !options.study.tolerances.empty();
    const bool printsOneRun = parser.isSet(set.table) || (parser.isSet(set.samples) && !drawing) ||
                              parser.isSet(set.statics) || parser.isSet(set.metrics) ||
                              parser.isSet(set.modelText) || parser.isSet(set.paramsAfter) ||
                              parser.isSet(set.report) || parser.isSet(set.workbench.wave()) ||
                              parser.isSet(set.tune) || parser.isSet(set.loopResponse);
    if (options.sweeps() && printsOneRun)
        return Status::Failed(QStringLiteral("A sweep (--set) prints its own table: it takes none "
                                             "of --table, --samples, --static, --metrics, "
                                             "--model-text, --params-after, --report, "
                                             "--signal-wave, --tune and --loop-response."));
    options.metrics = parser.isSet(set.metrics);
    options.table = parser.isSet(set.table);
    options.modelText = parser.isSet(set.modelText);
    options.paramsAfter = parser.isSet(set.paramsAfter);
    options.samplesPath = drawing ? QString() : parser.value(set.samples);
    options.staticPath = parser.value(set.statics);
    options.loopResponsePath = parser.value(set.loopResponse);
    return Status::Done();
}

// Tuning prints the tuned model's lines instead of a run.
Status ReadTuning(const QCommandLineParser& parser, const OptionSet& set, SimOptions& options)
{
    options.tune = parser.isSet(set.tune);
    if (parser.isSet(set.write) && !options.tune)
        return Status::Failed(QStringLiteral("--write goes with --tune."));
    if (parser.isSet(set.write) && parser.value(set.write).isEmpty())
        return Status::Failed(
            QStringLiteral("--write names the file to write the tuned model to."));
    const bool printsRun = parser.isSet(set.table) || parser.isSet(set.metrics) ||
                           parser.isSet(set.report) || parser.isSet(set.samples) ||
                           parser.isSet(set.statics);
    if (options.tune && printsRun)
        return Status::Failed(QStringLiteral("--tune runs nothing: it takes none of --table, "
                                             "--metrics, --report, --samples and --static."));
    options.tunedModelPath = parser.value(set.write);
    return Status::Done();
}

Status ReadJobs(const QCommandLineParser& parser, const OptionSet& set, SimOptions& options)
{
    if (!parser.isSet(set.jobs))
        return Status::Done();
    bool read = false;
    const int count = parser.value(set.jobs).toInt(&read);
    if (!read || count < 1 || unsigned(count) > MaximumSweepJobs())
        return Status::Failed(
            QStringLiteral("--jobs takes a number of threads from 1 to %1 (8 a core).")
                .arg(MaximumSweepJobs()));
    options.study.jobs = unsigned(count);
    return Status::Done();
}

} // namespace

StatusOr<SimOptions> ParseSimOptions(const QStringList& arguments)
{
    const OptionSet set;
    QCommandLineParser parser;
    set.declare(parser);
    if (!parser.parse(arguments))
        return StatusOr<SimOptions>::Failed(parser.errorText());
    SimOptions options;
    if (parser.isSet(set.help)) {
        options.help = parser.helpText();
        return StatusOr<SimOptions>::Of(std::move(options));
    }
    // In this order, so that of several faults the first one named is always the same.
    constexpr std::array<OptionReader, 11> readers{
        ReadModel, ReadSignal,  ReadReport,     ReadGrid,   ReadTolerances, ReadDraws,
        ReadShard, ReadSummary, ReadRunOutputs, ReadTuning, ReadJobs};
    for (const OptionReader read : readers) {
        const Status status = read(parser, set, options);
        if (!status.ok)
            return StatusOr<SimOptions>::Failed(status.error);
    }
    return StatusOr<SimOptions>::Of(std::move(options));
}

} // namespace kinetra
