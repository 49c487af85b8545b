#include "SimOptions.h"

#include <algorithm>
#include <thread>

#include <QCommandLineParser>

#include "ReportExports.h"

namespace kinetra {

unsigned CoreCount()
{
    return std::max(1u, std::thread::hardware_concurrency());
}

unsigned MaximumSweepJobs()
{
    return 8 * CoreCount();
}

namespace {

// "K/N" with 1 <= K <= N.
bool ReadShard(const QString& text, SimOptions& options)
{
    const QStringList parts = text.split(u'/');
    if (parts.size() != 2)
        return false;
    bool shardRead = false;
    bool countRead = false;
    options.shard = parts[0].trimmed().toULongLong(&shardRead);
    options.shardCount = parts[1].trimmed().toULongLong(&countRead);
    return shardRead && countRead && options.shard >= 1 && options.shard <= options.shardCount &&
           options.shardCount <= MaximumStudySize;
}

// Whether a --set or --vary already given names the key.
auto SameKey(double ModelParams::*member)
{
    return [member](const auto& given) { return given.member == member; };
}

// A key given twice would print two columns and run only the last.
QString GivenTwice(const QString& key)
{
    return QStringLiteral("%1 is given twice: a key takes one --set or --vary.").arg(key);
}

} // namespace

SimOptionsParse ParseSimOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulates the drive of a Kinetra model file and prints the analysis."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption separator(
        QStringLiteral("decimal-separator"),
        QStringLiteral("The decimal separator of the model file and the texts (default: the "
                       "locale's)."),
        QStringLiteral("C"));
    const QCommandLineOption table(
        QStringLiteral("table"), QStringLiteral("Print the sample table instead of the summary."));
    const QCommandLineOption samples(
        QStringLiteral("samples"),
        QStringLiteral("Write the samples to FILE as CSV; with --vary, the number of variants "
                       "to draw."),
        QStringLiteral("FILE|N"));
    const QCommandLineOption statics(
        QStringLiteral("static"), QStringLiteral("Write the static characteristic to FILE as CSV."),
        QStringLiteral("FILE"));
    const QCommandLineOption signal(
        QStringLiteral("signal"),
        QStringLiteral("Shape the load (or the reference) by the numbers in FILE, one a line."),
        QStringLiteral("FILE"));
    const QCommandLineOption signalTo(QStringLiteral("signal-to"),
                                      QStringLiteral("What the signal shapes: load or reference."),
                                      QStringLiteral("load|reference"));
    const QCommandLineOption modelText(QStringLiteral("model-text"),
                                       QStringLiteral("Print the model text after loading."));
    const QCommandLineOption paramsAfter(
        QStringLiteral("params-after"),
        QStringLiteral("Print every parameter as the run left it."));
    const QCommandLineOption report(
        QStringLiteral("report"),
        QStringLiteral("Write the one-page report to FILE: PDF, or TXT, CSV or HTML by the "
                       "extension."),
        QStringLiteral("FILE"));
    const QCommandLineOption reportParts(
        QStringLiteral("report-parts"),
        QStringLiteral("Only these parts in the report, comma-separated: dynamics, statics, "
                       "equipment, controllers, analysis (default: all)."),
        QStringLiteral("LIST"));
    const QCommandLineOption metrics(
        QStringLiteral("metrics"),
        QStringLiteral("Print the step-response figures as KEY=value lines instead of the "
                       "summary."));
    const QCommandLineOption set(
        QStringLiteral("set"),
        QStringLiteral(
            "Sweep a model key over values (V1;V2;...) or a range (FROM:TO:COUNT), "
            "numbers with a point, whole for p1, m1 and m0; repeat with other keys for a "
            "grid. Prints a CSV of every variant."),
        QStringLiteral("KEY=VALUES"));
    const QCommandLineOption vary(
        QStringLiteral("vary"),
        QStringLiteral("A tolerance study: draw a model key evenly within NOMINAL±PERCENT% (or "
                       "+-) or normally as NOMINAL~SIGMA, numbers with a point; a magnitude's "
                       "normal draw below zero is drawn again. Repeat for more keys. Needs "
                       "--samples N; prints a CSV of every sample."),
        QStringLiteral("KEY=TOLERANCE"));
    const QCommandLineOption seed(
        QStringLiteral("seed"),
        QStringLiteral("The seed of a tolerance study's draws (default: 1); the same seed draws "
                       "the same samples."),
        QStringLiteral("S"));
    const QCommandLineOption shard(
        QStringLiteral("shard"),
        QStringLiteral("Run only the K-th of N equal parts of a sweep (K from 1); the parts' "
                       "tables, headers once, make the whole table."),
        QStringLiteral("K/N"));
    const QCommandLineOption summary(
        QStringLiteral("summary"),
        QStringLiteral("Write a sweep's closing summary to FILE as CSV; checked before the first "
                       "variant, and never the file standard output goes to."),
        QStringLiteral("FILE"));
    const QCommandLineOption countVariants(
        QStringLiteral("count-variants"),
        QStringLiteral("Print how many variants the sweep (with --shard, its part) runs, and run "
                       "none; the model file is not read."));
    const QCommandLineOption jobs(
        QStringLiteral("jobs"), QStringLiteral("Run a sweep on N threads (default: one per core)."),
        QStringLiteral("N"));
    parser.addOptions({help, separator, table, samples, statics, signal, signalTo, modelText,
                       paramsAfter, report, reportParts, metrics, set, vary, seed, shard, summary,
                       countVariants, jobs});
    const SignalOptions workbench;
    parser.addOptions(workbench.options());
    parser.addPositionalArgument(QStringLiteral("MODEL.kmf"),
                                 QStringLiteral("The model file to simulate."));

    SimOptionsParse result;
    if (!parser.parse(arguments)) {
        result.message = parser.errorText();
        return result;
    }
    if (parser.isSet(help)) {
        result.helpRequested = true;
        result.message = parser.helpText();
        return result;
    }

    SimOptions options;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        result.message = positional.isEmpty()
                             ? QStringLiteral("No model file given.")
                             : QStringLiteral("Only one model file can be simulated at a time.");
        return result;
    }
    options.modelPath = positional.first();

    if (parser.isSet(separator)) {
        const QString value = parser.value(separator);
        if (value.size() != 1 || value.at(0).isDigit() || value.at(0).isSpace()) {
            result.message = QStringLiteral("The decimal separator must be one character such "
                                            "as \",\" or \".\".");
            return result;
        }
        options.decimalSeparator = value.at(0);
    }
    if (parser.isSet(signal) && parser.isSet(workbench.wave())) {
        result.message = QStringLiteral("--signal and --signal-wave exclude each other.");
        return result;
    }
    if (!workbench.read(parser, options.signalWorkbench, result.message))
        return result;
    if (parser.isSet(signalTo)) {
        if (!parser.isSet(signal) && !parser.isSet(workbench.wave())) {
            result.message = QStringLiteral("--signal-to needs --signal or --signal-wave.");
            return result;
        }
        const QString target = parser.value(signalTo);
        if (target == u"reference") {
            options.signalTarget = SimOptions::SignalTarget::Reference;
        } else if (target != u"load") {
            result.message = QStringLiteral("--signal-to takes \"load\" or \"reference\".");
            return result;
        }
    }
    if (parser.isSet(report) && !ReportFormatOf(parser.value(report))) {
        result.message = QStringLiteral("--report writes a .pdf, .txt, .csv or .html file.");
        return result;
    }
    if (parser.isSet(reportParts)) {
        if (!parser.isSet(report)) {
            result.message = QStringLiteral("--report-parts needs --report.");
            return result;
        }
        ReportSwitches& parts = options.reportParts;
        parts = {false, false, false, false, false};
        for (const QString& part : parser.value(reportParts).split(u',')) {
            const QString name = part.trimmed();
            bool* const chosen = name == u"dynamics"      ? &parts.dynamics
                                 : name == u"statics"     ? &parts.statics
                                 : name == u"equipment"   ? &parts.equipment
                                 : name == u"controllers" ? &parts.controllers
                                 : name == u"analysis"    ? &parts.analysis
                                                          : nullptr;
            if (!chosen) {
                result.message = QStringLiteral("Unknown report part \"%1\": choose from "
                                                "dynamics, statics, equipment, controllers, "
                                                "analysis.")
                                     .arg(name);
                return result;
            }
            *chosen = true;
        }
    }
    options.reportPath = parser.value(report);
    std::size_t variants = 1;
    for (const QString& text : parser.values(set)) {
        SweepAxisParse axis = ParseSweepAxis(text);
        if (!axis.axis) {
            result.message = axis.error;
            return result;
        }
        if (std::ranges::any_of(options.sweep, SameKey(axis.axis->member))) {
            result.message = GivenTwice(axis.axis->key);
            return result;
        }
        variants *= std::min(axis.axis->values.size(), MaximumSweepSize + 1);
        if (variants > MaximumSweepSize) {
            result.message =
                QStringLiteral("A sweep runs at most %1 variants.").arg(MaximumSweepSize);
            return result;
        }
        options.sweep.push_back(std::move(*axis.axis));
    }
    for (const QString& text : parser.values(vary)) {
        ToleranceParse tolerance = ParseTolerance(text);
        if (!tolerance.tolerance) {
            result.message = tolerance.error;
            return result;
        }
        if (std::ranges::any_of(options.tolerances, SameKey(tolerance.tolerance->member))) {
            result.message = GivenTwice(tolerance.tolerance->key);
            return result;
        }
        options.tolerances.push_back(std::move(*tolerance.tolerance));
    }
    if (!options.sweep.empty() && !options.tolerances.empty()) {
        result.message = QStringLiteral("A sweep is a grid (--set) or a tolerance study (--vary), "
                                        "not both.");
        return result;
    }
    const bool study = !options.tolerances.empty();
    if (study) {
        bool read = false;
        options.sampleCount = parser.value(samples).toULongLong(&read);
        if (!read || options.sampleCount < 1 || options.sampleCount > MaximumStudySize) {
            result.message =
                QStringLiteral("--vary needs --samples N, from 1 to %1.").arg(MaximumStudySize);
            return result;
        }
    }
    if (parser.isSet(seed)) {
        bool read = false;
        options.seed = parser.value(seed).toULongLong(&read);
        if (!study || !read) {
            result.message = QStringLiteral("--seed takes a whole number from 0 and goes with "
                                            "--vary.");
            return result;
        }
    }
    if (parser.isSet(shard) && (!options.sweeps() || !ReadShard(parser.value(shard), options))) {
        result.message = QStringLiteral("--shard takes K/N with K from 1 to N and goes with --set "
                                        "or --vary.");
        return result;
    }
    if (parser.isSet(summary) && !options.sweeps()) {
        result.message = QStringLiteral("--summary goes with --set or --vary.");
        return result;
    }
    if (parser.isSet(summary) && parser.value(summary).isEmpty()) {
        result.message = QStringLiteral("--summary names the file to write the summary to.");
        return result;
    }
    options.summaryPath = parser.value(summary);
    options.countVariants = parser.isSet(countVariants);
    if (options.countVariants && (!options.sweeps() || parser.isSet(summary))) {
        result.message = QStringLiteral("--count-variants goes with --set or --vary, and runs "
                                        "nothing to summarise.");
        return result;
    }
    const bool printsOneRun = parser.isSet(table) || (parser.isSet(samples) && !study) ||
                              parser.isSet(statics) || parser.isSet(metrics) ||
                              parser.isSet(modelText) || parser.isSet(paramsAfter) ||
                              parser.isSet(report) || parser.isSet(workbench.wave());
    if (options.sweeps() && printsOneRun) {
        result.message = QStringLiteral("A sweep (--set) prints its own table: it takes none of "
                                        "--table, --samples, --static, --metrics, --model-text, "
                                        "--params-after, --report and --signal-wave.");
        return result;
    }
    if (parser.isSet(jobs)) {
        bool read = false;
        const int count = parser.value(jobs).toInt(&read);
        if (!read || count < 1 || unsigned(count) > MaximumSweepJobs()) {
            result.message =
                QStringLiteral("--jobs takes a number of threads from 1 to %1 (8 a core).")
                    .arg(MaximumSweepJobs());
            return result;
        }
        options.jobs = unsigned(count);
    }
    options.metrics = parser.isSet(metrics);
    options.table = parser.isSet(table);
    options.modelText = parser.isSet(modelText);
    options.paramsAfter = parser.isSet(paramsAfter);
    options.samplesPath = study ? QString() : parser.value(samples);
    options.staticPath = parser.value(statics);
    options.signalPath = parser.value(signal);
    result.options = options;
    return result;
}

} // namespace kinetra
