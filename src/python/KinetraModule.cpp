// The Python module kinetra._kinetra, which the package kinetra re-exports. It converts between
// Python and the program's own types and adds nothing else: a model is the model window's
// session, a run is what the results window's activation shows, a sweep or a study is the study
// library's, so a script gets what kinetra-sim prints, as arrays.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <QFile>
#include <QLocale>
#include <QStringList>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ModelParams.h"
#include "ResultsActivation.h"
#include "RunData.h"
#include "RunMetrics.h"
#include "Study.h"
#include "editor/MessageSink.h"
#include "editor/ModelSession.h"
#include "text/FileSave.h"
#include "text/KeyValueText.h"
#include "text/ModelTemplate.h"
#include "text/NumberText.h"
#include "text/TextFile.h"

namespace py = pybind11;
using namespace pybind11::literals;

namespace kinetra {

namespace {

QString TextOf(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string StringOf(const QString& text)
{
    return text.toStdString();
}

QString PathOf(const std::filesystem::path& path)
{
    return QFile::decodeName(path.c_str());
}

[[noreturn]] void Raise(PyObject* type, const QString& message)
{
    PyErr_SetString(type, StringOf(message).c_str());
    throw py::error_already_set();
}

void Warn(const QString& message)
{
    if (PyErr_WarnEx(PyExc_UserWarning, StringOf(message).c_str(), 1) != 0)
        throw py::error_already_set();
}

// The messages the model's logic shows, each once, kept for the exception that reports them.
class KeptMessages final : public MessageSink {
public:
    void showMessage(const QString& text) override
    {
        if (!m_kept.contains(text))
            m_kept.append(text);
    }
    QString take() { return std::exchange(m_kept, {}).join(u'\n'); }

private:
    QStringList m_kept;
};

// A model as a script holds it: the model window's session, loaded from a file.
class Model final {
public:
    explicit Model(QChar decimalSeparator) : m_session(decimalSeparator, m_messages) {}

    ModelSession& session() { return m_session; }
    const ModelSession& session() const { return m_session; }
    KeptMessages& messages() { return m_messages; }
    QChar separator() const { return m_session.reader().decimalSeparator(); }

    QString path;

private:
    KeptMessages m_messages;
    ModelSession m_session;
};

QChar SeparatorOf(const std::optional<std::string>& given)
{
    if (!given)
        return QLocale::system().decimalPoint().at(0);
    const QString text = TextOf(*given);
    if (text.size() != 1 || text.at(0).isDigit() || text.at(0).isSpace())
        Raise(PyExc_ValueError, QStringLiteral("The decimal separator must be one character such "
                                               "as \",\" or \".\"."));
    return text.at(0);
}

std::unique_ptr<Model> Load(const std::filesystem::path& path,
                            const std::optional<std::string>& decimalSeparator)
{
    auto model = std::make_unique<Model>(SeparatorOf(decimalSeparator));
    const QString file = PathOf(path);
    ModelSession& session = model->session();
    session.NewModel();
    const ModelSession::LoadResult load = session.LoadModelFile(file);
    if (!load.ok)
        Raise(PyExc_OSError, OpenFailedMessage(file, load.error));
    if (!load.notice.isEmpty())
        Warn(load.notice);
    model->path = file;
    return model;
}

// The key as the model text spells it, without regard to letter case as a model file reads it.
QString ModelKey(const std::string& key)
{
    const QString name = TextOf(key);
    if (!HasKey(ModelTemplate(), name))
        throw py::key_error(key);
    return name;
}

bool IsNumericKey(const QString& key)
{
    return NumericKeyAxis(key).member != nullptr;
}

py::object GetKey(const Model& model, const std::string& key)
{
    const QString name = ModelKey(key);
    const QString value = ReadKey(model.session().modelText(), name);
    if (value.trimmed().isEmpty())
        return py::none();
    if (IsNumericKey(name)) {
        const std::optional<double> number = ReadNumber(value, model.separator());
        if (number)
            return py::float_(*number);
    }
    return py::str(StringOf(value));
}

// A value as the model text holds it: a number as the editor writes it, a text as typed.
QString ValueText(const QString& key, const py::handle& value, QChar separator)
{
    if (value.is_none())
        return {};
    if (!IsNumericKey(key)) {
        if (!py::isinstance<py::str>(value))
            Raise(PyExc_TypeError, QStringLiteral("%1 takes a text.").arg(key));
        return TextOf(value.cast<std::string>());
    }
    if (py::isinstance<py::str>(value))
        Raise(PyExc_TypeError, QStringLiteral("%1 takes a number.").arg(key));
    double number = 0;
    try {
        number = py::float_(py::reinterpret_borrow<py::object>(value));
    } catch (const py::error_already_set&) {
        Raise(PyExc_TypeError, QStringLiteral("%1 takes a number.").arg(key));
    }
    if (!std::isfinite(number))
        Raise(PyExc_ValueError, QStringLiteral("%1 takes a finite number.").arg(key));
    return FormatNumber(number, separator);
}

// Writes the key into the model text and puts the editor to it, as a record sent from the
// catalogue is; a value the editor refuses leaves the model as it was.
void SetKey(Model& model, const std::string& key, const py::handle& value)
{
    const QString name = ModelKey(key);
    const QString text = ValueText(name, value, model.separator());
    ModelSession& session = model.session();
    const QString before = ReadKey(session.modelText(), name);
    session.writeModelKey(name, text);
    const Status applied = session.ModelInit();
    if (applied.ok)
        return;
    session.writeModelKey(name, before);
    [[maybe_unused]] const Status restored = session.ModelInit();
    Raise(PyExc_ValueError, applied.error);
}

QStringList ModelKeys()
{
    QStringList keys;
    for (const QString& line : ModelTemplate()) {
        const qsizetype sign = line.indexOf(u'=');
        if (sign > 0)
            keys.append(line.left(sign));
    }
    return keys;
}

void SaveModel(Model& model, const std::filesystem::path& path)
{
    const QString file = PathOf(path);
    ModelSession& session = model.session();
    session.CollectModel();
    const Status written = WriteTextFile(file, session.modelText());
    if (!written.ok)
        Raise(PyExc_OSError, SaveFailedMessage(file, written.error));
    session.setSavedText(session.modelText());
}

template <typename Value> py::array_t<Value> ArrayOf(const std::vector<Value>& values)
{
    py::array_t<Value> array(py::ssize_t(values.size()));
    std::copy(values.begin(), values.end(), array.mutable_data());
    return array;
}

py::array WordsOf(const std::vector<std::string>& words)
{
    return py::module_::import("numpy").attr("array")(py::cast(words), "dtype"_a = "str");
}

// A run as a script reads it: the samples as arrays, the static characteristic, the figures,
// the summary and the outcome.
struct Run {
    py::array_t<double> time;
    py::array_t<double> torque;
    py::array_t<double> current;
    py::array_t<double> mechSpeed;
    py::array_t<double> motorSpeed;
    py::object position = py::none();
    py::array statics;
    py::dict metrics;
    std::string summary;
    std::string outcome;
    std::string notice;
};

// The figures as --metrics prints them: a number where it prints one, with every digit, the word
// where it prints a word, and the warnings as a list under "warning".
py::dict MetricsOf(const RunView& view)
{
    py::dict metrics;
    py::list warnings;
    for (const StepResponseField& field : RunMetrics(view)) {
        if (std::string_view(field.key) == "warning")
            warnings.append(StringOf(field.value));
        else if (field.number)
            metrics[field.key] = *field.number;
        else
            metrics[field.key] = StringOf(field.value);
    }
    metrics["warning"] = warnings;
    return metrics;
}

py::array StaticsOf(const std::vector<StaticPoint>& points)
{
    py::list fields;
    fields.append(py::make_tuple("x", "f8"));
    fields.append(py::make_tuple("y", "f8"));
    fields.append(py::make_tuple("white", "?"));
    py::array table = py::module_::import("numpy").attr("zeros")(points.size(), "dtype"_a = fields);
    std::vector<double> x;
    std::vector<double> y;
    std::vector<bool> white;
    for (const StaticPoint& point : points) {
        x.push_back(point.x);
        y.push_back(point.y);
        white.push_back(point.white);
    }
    table[py::str("x")] = ArrayOf(x);
    table[py::str("y")] = ArrayOf(y);
    table[py::str("white")] = py::cast(white);
    return table;
}

Run RunOf(const RunData& data, const RunView& view, const char* outcome)
{
    const auto count = std::size_t(data.SampleCount);
    std::vector<double> time(count);
    std::vector<double> torque(count);
    std::vector<double> current(count);
    std::vector<double> mechSpeed(count);
    std::vector<double> motorSpeed(count);
    for (std::size_t i = 0; i < count; ++i) {
        const ResultSample& sample = data.samples[i];
        time[i] = sample.time;
        torque[i] = sample.torque;
        current[i] = sample.current;
        mechSpeed[i] = sample.mechSpeed;
        motorSpeed[i] = sample.motorSpeed;
    }
    Run run;
    run.time = ArrayOf(time);
    run.torque = ArrayOf(torque);
    run.current = ArrayOf(current);
    run.mechSpeed = ArrayOf(mechSpeed);
    run.motorSpeed = ArrayOf(motorSpeed);
    if (data.loopF)
        run.position = ArrayOf(std::vector<double>(data.positions.begin(),
                                                   data.positions.begin() + std::ptrdiff_t(count)));
    run.statics = StaticsOf(view.staticPoints);
    run.metrics = MetricsOf(view);
    run.summary = StringOf(view.summary.join(u'\n'));
    run.outcome = outcome;
    run.notice = StringOf(view.runNotice);
    return run;
}

PyObject* SimulationErrorType = nullptr;

[[noreturn]] void RaiseSimulationError(const QString& message, const char* outcome,
                                       py::object run = py::none())
{
    const py::object error =
        py::reinterpret_borrow<py::object>(SimulationErrorType)(StringOf(message));
    error.attr("outcome") = outcome;
    error.attr("run") = std::move(run);
    PyErr_SetObject(SimulationErrorType, error.ptr());
    throw py::error_already_set();
}

// The model collected as the results window collects it before a run; input errors raise.
void Collect(Model& model)
{
    model.messages().take();
    if (!model.session().CollectModel())
        RaiseSimulationError(model.messages().take(), "collectionFailed");
}

Run Simulate(Model& model)
{
    model.messages().take();
    auto data = std::make_unique<RunData>();
    const auto signal = std::make_unique<SignalSeries>(UnitSignal());
    ResultsActivation activation(model.session(), *data, *signal, model.messages());
    switch (activation.FormActivate(true)) {
    case ResultsActivation::Outcome::Simulated:
        if (!activation.view().runNotice.isEmpty())
            Warn(activation.view().runNotice);
        return RunOf(*data, activation.view(), "simulated");
    case ResultsActivation::Outcome::Diverged:
        RaiseSimulationError(model.messages().take(), "diverged",
                             py::cast(RunOf(*data, activation.view(), "diverged")));
    case ResultsActivation::Outcome::CollectionFailed:
        RaiseSimulationError(model.messages().take(), "collectionFailed");
    case ResultsActivation::Outcome::RunFailed:
    case ResultsActivation::Outcome::Unchanged:
        break;
    }
    RaiseSimulationError(model.messages().take(), "runFailed");
}

// The rows of a sweep or a study, a column each, named as kinetra-sim's table names them.
class Columns final {
public:
    explicit Columns(const SweepVariants& variants)
        : m_drawn(variants.drawn()), m_keys(variants.keys()), m_figures(SweepFigureColumns()),
          m_values(std::size_t(m_keys.size())), m_numbers(std::size_t(m_figures.size())),
          m_words(std::size_t(m_figures.size()))
    {
    }

    void add(const SweepRow& row)
    {
        m_samples.push_back(std::int64_t(row.index) + 1);
        for (std::size_t k = 0; k < m_values.size(); ++k)
            m_values[k].push_back(row.values[k]);
        m_status.push_back(row.failure.isEmpty() ? 0 : 1);
        m_reasons.push_back(StringOf(row.failure));
        const QList<StepResponseField> figures =
            row.failure.isEmpty() ? SweepFigures(row) : QList<StepResponseField>();
        for (std::size_t f = 0; f < m_numbers.size(); ++f) {
            const StepResponseField* field = figures.isEmpty() ? nullptr : &figures[qsizetype(f)];
            if (isWords(f))
                m_words[f].push_back(field ? StringOf(field->value) : std::string());
            else
                m_numbers[f].push_back(field && field->number
                                           ? *field->number
                                           : std::numeric_limits<double>::quiet_NaN());
        }
        if (!row.notice.isEmpty() && !m_notices.contains(row.notice))
            m_notices.append(row.notice);
    }

    py::dict arrays() const
    {
        py::dict columns;
        if (m_drawn)
            columns["sample"] = ArrayOf(m_samples);
        for (std::size_t k = 0; k < m_values.size(); ++k)
            columns[py::str(StringOf(m_keys[qsizetype(k)]))] = ArrayOf(m_values[k]);
        columns["status"] = ArrayOf(m_status);
        columns["reason"] = WordsOf(m_reasons);
        for (std::size_t f = 0; f < m_numbers.size(); ++f)
            columns[py::str(StringOf(m_figures[qsizetype(f)]))] =
                isWords(f) ? WordsOf(m_words[f]) : py::array(ArrayOf(m_numbers[f]));
        return columns;
    }

    const QStringList& notices() const { return m_notices; }

private:
    // What a step response measured is a word; every other figure is a number.
    bool isWords(std::size_t figure) const { return m_figures[qsizetype(figure)] == u"quantity"; }

    bool m_drawn;
    QStringList m_keys;
    QStringList m_figures;
    std::vector<std::int64_t> m_samples;
    std::vector<std::vector<double>> m_values;
    std::vector<std::int64_t> m_status;
    std::vector<std::string> m_reasons;
    std::vector<std::vector<double>> m_numbers;
    std::vector<std::vector<std::string>> m_words;
    QStringList m_notices;
};

void Finish(StudyRequest& request, std::optional<unsigned> jobs,
            std::optional<std::pair<std::size_t, std::size_t>> shard)
{
    if (jobs && (*jobs < 1 || *jobs > MaximumSweepJobs()))
        Raise(PyExc_ValueError,
              QStringLiteral("jobs takes a number of threads from 1 to %1 (8 a core).")
                  .arg(MaximumSweepJobs()));
    request.jobs = jobs.value_or(0);
    if (shard) {
        const auto [part, parts] = *shard;
        if (part < 1 || part > parts || parts > MaximumStudySize)
            Raise(PyExc_ValueError,
                  QStringLiteral("shard takes (K, N) with K from 1 to N, N at most %1.")
                      .arg(MaximumStudySize));
        request.shard = part;
        request.shardCount = parts;
    }
}

// Runs the request's variants on its threads with the interpreter free for other threads;
// Ctrl+C stops the study.
py::dict RunColumns(Model& model, const StudyRequest& request)
{
    Collect(model);
    const Study study(request);
    Columns columns(study.variants());
    const auto signal = std::make_unique<SignalSeries>(UnitSignal());
    std::atomic<bool> interrupted = false;
    {
        const py::gil_scoped_release free;
        study.run(
            model.session().params(), *signal,
            [&](const SweepRow& row) {
                columns.add(row);
                return !interrupted;
            },
            [&interrupted](std::size_t, std::size_t) {
                const py::gil_scoped_acquire held;
                if (PyErr_CheckSignals() != 0)
                    interrupted = true;
            });
    }
    if (interrupted)
        throw py::error_already_set();
    for (const QString& notice : columns.notices())
        Warn(notice);
    return columns.arrays();
}

py::dict RunGrid(Model& model, const py::dict& keys, std::optional<unsigned> jobs,
                 std::optional<std::pair<std::size_t, std::size_t>> shard)
{
    StudyRequest request;
    for (const auto& [key, values] : keys) {
        StatusOr<SweepAxis> axis =
            MakeSweepAxis(TextOf(key.cast<std::string>()), values.cast<std::vector<double>>());
        if (!axis.ok)
            Raise(PyExc_ValueError, axis.error);
        const Status added = AddSweepAxis(request.grid, std::move(axis.value));
        if (!added.ok)
            Raise(PyExc_ValueError, added.error);
    }
    if (request.grid.empty())
        Raise(PyExc_ValueError, QStringLiteral("A sweep needs at least one key."));
    Finish(request, jobs, shard);
    return RunColumns(model, request);
}

py::dict RunTolerances(Model& model, const py::dict& vary, std::size_t samples, std::uint64_t seed,
                       std::optional<unsigned> jobs,
                       std::optional<std::pair<std::size_t, std::size_t>> shard)
{
    StudyRequest request;
    for (const auto& [key, spread] : vary) {
        StatusOr<Tolerance> tolerance = ParseTolerance(TextOf(key.cast<std::string>()) + u'=' +
                                                       TextOf(spread.cast<std::string>()));
        if (!tolerance.ok)
            Raise(PyExc_ValueError, tolerance.error);
        const Status added = AddTolerance(request.tolerances, std::move(tolerance.value));
        if (!added.ok)
            Raise(PyExc_ValueError, added.error);
    }
    if (request.tolerances.empty())
        Raise(PyExc_ValueError, QStringLiteral("A study needs at least one key to vary."));
    if (samples < 1 || samples > MaximumStudySize)
        Raise(PyExc_ValueError,
              QStringLiteral("samples takes a number from 1 to %1.").arg(MaximumStudySize));
    request.samples = samples;
    request.seed = seed;
    Finish(request, jobs, shard);
    return RunColumns(model, request);
}

} // namespace

} // namespace kinetra

PYBIND11_MODULE(_kinetra, module)
{
    using namespace kinetra;
    module.doc() = "Kinetra's engine, run view and study library; see the package kinetra.";

    SimulationErrorType = PyErr_NewExceptionWithDoc(
        "kinetra.SimulationError",
        "A run or a study that gave no result. str(error) is the program's own message; outcome "
        "says what failed (\"collectionFailed\": the model has input errors, \"runFailed\": the "
        "run gave no result, \"diverged\": the run left what the drive can physically reach), "
        "and run holds a diverged run's samples up to there, else None.",
        PyExc_RuntimeError, nullptr);
    module.attr("SimulationError") = py::handle(SimulationErrorType);

    py::class_<Run> run(module, "Run",
                        "A simulated run: its samples as NumPy arrays, its static characteristic, "
                        "its figures and its summary.");
    run.attr("__module__") = "kinetra";
    run.def_readonly("time", &Run::time, "s, one entry per sample.")
        .def_readonly("torque", &Run::torque, "Nm, the motor's electromagnetic torque.")
        .def_readonly("current", &Run::current,
                      "A, the armature current, or the amplitude of an AC motor's stator "
                      "current.")
        .def_readonly("mech_speed", &Run::mechSpeed, "rad/s, the mechanism's shaft.")
        .def_readonly("motor_speed", &Run::motorSpeed, "rad/s, the motor's shaft.")
        .def_readonly("position", &Run::position,
                      "rad at the mechanism, recorded while a position loop runs; else None.")
        .def_readonly("static", &Run::statics,
                      "The static characteristic: a structured array with the fields x, y and "
                      "white, as kinetra-sim --static writes them.")
        .def_readonly("metrics", &Run::metrics,
                      "The step-response figures, the converter's load, the motor's duty and the "
                      "energy balance, keyed as kinetra-sim --metrics prints them: a float where "
                      "it prints a number, its word (\"never\", \"none\", \"outOfRange\", the "
                      "quantity measured) otherwise; \"warning\" holds the list of warnings.")
        .def_readonly("summary", &Run::summary, "The analysis summary as the results show it.")
        .def_readonly("outcome", &Run::outcome,
                      "\"simulated\", or \"diverged\" for the samples of a run that left what "
                      "its drive can reach, as SimulationError.run holds them.")
        .def_readonly("notice", &Run::notice,
                      "What the run needs said beside its results (a Tmax cut to the 10 s the "
                      "results hold); empty when nothing.")
        .def("__repr__", [](const Run& self) {
            return "<kinetra.Run " + self.outcome + ", " + std::to_string(self.time.size()) +
                   " samples>";
        });

    py::class_<Model> model(module, "Model",
                            "A model file loaded as the program's Open command loads it. Its keys "
                            "are those of the model file, without regard to letter case: "
                            "model[\"Mc\"] reads a number as a float, a text as a str, an empty "
                            "key as None; setting one writes it as the model editor would and puts "
                            "the model to it, as a catalogue record sent into the model does.");
    model.attr("__module__") = "kinetra";
    model.def("__getitem__", &GetKey, "key"_a)
        .def("__setitem__", &SetKey, "key"_a, "value"_a)
        .def(
            "__contains__",
            [](const Model&, const std::string& key) {
                return HasKey(ModelTemplate(), TextOf(key));
            },
            "key"_a)
        .def(
            "keys",
            [](const Model&) {
                std::vector<std::string> keys;
                for (const QString& key : ModelKeys())
                    keys.push_back(StringOf(key));
                return keys;
            },
            "The keys of a model file, in its order.")
        .def("save", &SaveModel, "path"_a,
             "Writes the model to path as the program saves a model file (Windows-1251, CR LF, "
             "the model's decimal separator); OSError with the reason when it cannot.")
        .def_property_readonly(
            "path", [](const Model& self) { return StringOf(self.path); },
            "The file the model was loaded from.")
        .def_property_readonly(
            "decimal_separator", [](const Model& self) { return StringOf(self.separator()); },
            "The decimal separator the model's numbers are read and written with.")
        .def("__repr__",
             [](const Model& self) { return "<kinetra.Model " + StringOf(self.path) + ">"; });

    module.def("load", &Load, "path"_a, "decimal_separator"_a = py::none(),
               "Loads a model file as the program's Open command does: Windows-1251 or UTF-8, "
               "with the decimal separator given (by default the locale's) or, when all its "
               "numbers read only so, the other one, which a UserWarning then says. OSError with "
               "the program's message when the file does not load.");
    module.def("simulate", &Simulate, "model"_a,
               "Runs the model as the results window's first activation and kinetra-sim do, and "
               "gives the run. A run that gives no result raises SimulationError with the "
               "program's message; a Tmax beyond the 10 s the results hold is cut, with a "
               "UserWarning.");
    module.def("sweep", &RunGrid, "model"_a, "keys"_a, "jobs"_a = py::none(),
               "shard"_a = py::none(),
               "Runs the grid of every combination of the keys' values (the first key changing "
               "slowest), as kinetra-sim --set does, on jobs threads (by default one a core) with "
               "the interpreter free for other threads. shard=(K, N) runs the K-th of N equal "
               "parts. Gives a dict of NumPy arrays, one per column of kinetra-sim's table: the "
               "keys, status (0, or 1 when the variant failed), reason, then the figures (NaN "
               "where the table reads never, none, outOfRange or nothing; quantity is a word).");
    module.def("study", &RunTolerances, "model"_a, "vary"_a, "samples"_a, "seed"_a = 1,
               "jobs"_a = py::none(), "shard"_a = py::none(),
               "Runs a tolerance study as kinetra-sim --vary does: each key drawn for each of "
               "samples samples from seed, evenly within \"NOMINAL±PERCENT%\" (or \"+-\") or "
               "normally as \"NOMINAL~SIGMA\"; the same seed draws the same samples as "
               "kinetra-sim, on any number of threads. Gives the columns as sweep does, starting "
               "with sample (from 1).");
}
