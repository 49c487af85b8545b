#include "sim/SimRun.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <memory>

#include "ModelParams.h"
#include "ResultsActivation.h"
#include "RunData.h"
#include "editor/MessageSink.h"
#include "editor/ModelSession.h"
#include "text/FileSave.h"
#include "text/NumberText.h"

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

struct SignalRead {
    bool ok = false;
    QString error;
};

// Reads up to a full series of numbers, one a line with a point as separator, into signal; the
// rest of the series stays 1.0.
SignalRead ReadSignal(const QString& path, SignalSeries& signal)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {false, QStringLiteral("%1: %2").arg(path, file.errorString())};
    std::size_t count = 0;
    int lineNumber = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromLatin1(file.readLine()).trimmed();
        ++lineNumber;
        if (line.isEmpty())
            continue;
        const auto value = ReadNumber(line, u'.');
        if (!value)
            return {false, QStringLiteral("%1:%2: \"%3\" is not a number")
                               .arg(path)
                               .arg(lineNumber)
                               .arg(line)};
        if (count == signal.size())
            return {false, QStringLiteral("%1: more than %2 numbers").arg(path).arg(signal.size())};
        signal[count++] = *value;
    }
    return {true, {}};
}

QString SamplesCsv(const RunData& run)
{
    QString csv = QStringLiteral("time,torque,mechSpeed,current,motorSpeed\n");
    for (int i = 0; i < run.SampleCount; ++i) {
        const ResultSample& s = run.samples[static_cast<std::size_t>(i)];
        csv += number(s.time) + u',' + number(s.torque) + u',' + number(s.mechSpeed) + u',' +
               number(s.current) + u',' + number(s.motorSpeed) + u'\n';
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

} // namespace

SimStatus RunSim(const SimOptions& options, QChar localeSeparator, QTextStream& out,
                 QTextStream& err)
{
    ErrorStreamMessages messages(err);
    ModelSession session(options.decimalSeparator.value_or(localeSeparator), messages);
    session.NewModel();
    const ModelSession::LoadResult load = session.LoadModelFile(options.modelPath);
    if (!load.ok) {
        err << "Не открыть файл " << QFileInfo(options.modelPath).fileName() << '\n'
            << load.error << '\n';
        return SimStatus::UsageError;
    }
    session.ModelFileName = options.modelPath;
    if (options.modelText)
        PrintLines(session.modelText(), out);

    auto signal = std::make_unique<SignalSeries>(UnitSignal());
    if (!options.signalPath.isEmpty()) {
        const SignalRead read = ReadSignal(options.signalPath, *signal);
        if (!read.ok) {
            err << read.error << '\n';
            return SimStatus::UsageError;
        }
        // As sending a signal into the model does: the matching box is switched on.
        session.editor().setChecked(options.signalTarget == SimOptions::SignalTarget::Load
                                        ? CheckBox::dMVarCheckBox
                                        : CheckBox::refCheckBox,
                                    true);
    }

    auto run = std::make_unique<RunData>();
    ResultsActivation activation(session, *run, *signal, messages);
    const ResultsActivation::Outcome outcome = activation.FormActivate(true);
    SimStatus status = SimStatus::Failed;
    if (outcome == ResultsActivation::Outcome::Simulated) {
        status = SimStatus::Success;
        if (options.table)
            out << activation.sampleTable() << '\n';
        else
            PrintLines(activation.summary(), out);
        for (const auto& [path, content] :
             {std::pair{options.samplesPath, SamplesCsv(*run)},
              std::pair{options.staticPath, StaticCsv(activation.staticPoints())}}) {
            if (path.isEmpty())
                continue;
            const FileSaveResult saved = SaveFile(path, content.toUtf8());
            if (!saved.ok) {
                err << "Не сохранить файл " << QFileInfo(path).fileName() << '\n'
                    << saved.error << '\n';
                status = SimStatus::UsageError;
            }
        }
    }
    if (options.paramsAfter)
        PrintParams(session.params(), out);
    return status;
}

} // namespace kinetra
