#include "SignalWorkbench.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include <QDateTime>

#include "text/NumberText.h"

namespace kinetra {

namespace {

// N before any run, and for the reset.
constexpr std::int32_t DefaultSampleCount = 1000;
// The channel counts 10 samples per millisecond.
constexpr double SamplesPerMillisecond = 10;
// The chart places sample k at k / 10.
constexpr double AbscissaPerSample = 0.1;

std::int64_t SystemSeconds()
{
    return QDateTime::currentSecsSinceEpoch();
}

} // namespace

SignalWorkbench::SignalWorkbench(SignalBuffer& buffer, QChar decimalSeparator, Clock clock,
                                 QObject* parent)
    : QObject(parent), m_buffer(buffer), m_decimalSeparator(decimalSeparator),
      m_clock(clock ? std::move(clock) : Clock(SystemSeconds))
{
    m_fields[indexOf(SignalField::SignalEdit1)] = {QStringLiteral("1"), false};
    m_fields[indexOf(SignalField::SignalEdit2)] = {QStringLiteral("0"), true};
    for (int i = 0; i < CoefficientCount; ++i)
        m_fields[indexOf(FieldOf(static_cast<Coefficient>(i)))] = {QStringLiteral("0"), false};
}

QStringList SignalWorkbench::listItems(SignalList list)
{
    switch (list) {
    case SignalList::SignalComboBox1:
        return {tr("Постоянный"), tr("Ступенчатый"), tr("Импульсный"),    tr("Меандр"),
                tr("Линейный"),   tr("Треугольный"), tr("Гармонический"), tr("Случайный")};
    case SignalList::SignalComboBox2:
        return {tr("Без искажений"), tr("Задержка"), tr("Трение, гистерезис")};
    case SignalList::SignalComboBox3:
        return {tr("Усилитель"),        tr("Фильтр НЧ"),           tr("Фильтр ВЧ"),
                tr("Полосовой фильтр"), tr("Заграждающий фильтр"), tr("И-регулятор"),
                tr("ПИ-регулятор"),     tr("Д-регулятор"),         tr("ПД-регулятор"),
                tr("ПИД-регулятор")};
    }
    return {};
}

QString SignalWorkbench::listText(SignalList list) const
{
    if (list == SignalList::SignalComboBox1 && m_origin == InputOrigin::Model)
        return tr("Модель");
    if (list == SignalList::SignalComboBox1 && m_origin == InputOrigin::File)
        return m_measuredName;
    const int index = listIndex(list);
    return index < 0 ? QString() : listItems(list).at(index);
}

QString SignalWorkbench::notice() const
{
    QStringList notices;
    const QChar separator = m_decimalSeparator;
    // An empty text or one that is no number counts as 0; the user is told which field holds it.
    static const std::array<const char*, SignalFieldCount> fieldNames{
        QT_TR_NOOP("периодичность"), QT_TR_NOOP("канал, мс"), "T1", "T2", "K1", "T3", "T4", "K2"};
    QStringList empty;
    for (int i = 0; i < SignalFieldCount; ++i) {
        const auto field = static_cast<SignalField>(i);
        if (!isEnabled(field))
            continue;
        const QString name = tr(fieldNames[indexOf(field)]);
        if (text(field).isEmpty())
            empty << name;
        else if (!ReadNumber(text(field), separator))
            notices << tr("Не число в поле %1: \"%2\", принято 0").arg(name, text(field));
    }
    if (!empty.isEmpty())
        notices << (empty.size() == 1 ? tr("Пустое поле %1, принято 0")
                                      : tr("Пустые поля %1, принято 0"))
                       .arg(empty.join(QStringLiteral(", ")));
    // A periodic waveform has at least one period over the run.
    if (isEnabled(SignalField::SignalEdit1)) {
        const double periodicity =
            ReadNumber(text(SignalField::SignalEdit1), separator).value_or(0.0);
        if (periodicity <= 0)
            notices << tr("Периодичность %1 не больше нуля, принята 1")
                           .arg(FormatNumber(periodicity, separator));
    }
    if (m_channelCut)
        notices << tr("Параметр канала %1 мс вне пределов от 0 до %2, принято %3")
                       .arg(FormatNumber(m_channelCut->typed, separator))
                       .arg(SpinMaximum)
                       .arg(m_channelCut->taken);
    if (m_refusedFor > 0)
        notices << tr("Периодичность %1 велика для прогона в %2 отсчетов: период короче %3 "
                      "отсчетов, вход равен 0 (не более %4)")
                       .arg(FormatNumber(m_refusedPeriodicity, separator))
                       .arg(m_refusedFor)
                       .arg(MinimumPeriod)
                       .arg(FormatNumber(m_refusedFor / MinimumPeriod, separator));
    if (m_stalledAt >= 0)
        notices << tr("Период короче, чем позволяет форма сигнала: вход с отсчета %1 равен 0")
                       .arg(m_stalledAt);
    switch (m_filterOutcome.fault) {
    case FilterOutcome::Fault::None:
        break;
    case FilterOutcome::Fault::Undefined:
        notices << tr("Знаменатель звена равен нулю: выход с отсчета %1 равен 0")
                       .arg(m_filterOutcome.cutAt);
        break;
    case FilterOutcome::Fault::RunAway:
        notices << tr("Выход звена больше 1E9 по модулю: с отсчета %1 он равен 0")
                       .arg(m_filterOutcome.cutAt);
        break;
    }
    // Without a denominator and T2 the element passes its input on, whatever K1 and T1 say. Until
    // a kind is first applied every coefficient is pinned at 0 and passing is the design.
    bool typedCoefficients = false;
    for (int i = 0; i < CoefficientCount; ++i)
        typedCoefficients = typedCoefficients || isEnabled(FieldOf(static_cast<Coefficient>(i)));
    if (typedCoefficients && m_computed[indexOf(SignalStage::Output)] > 0 &&
        differenceEquation().form == DifferenceEquation::Form::Passing)
        notices << tr("T2, T3, T4 и K2 равны нулю: звено пропускает вход без изменений");
    return notices.join(QStringLiteral("; "));
}

QString SignalWorkbench::zeroOutputNote() const
{
    if (m_computed[indexOf(SignalStage::Output)] == 0)
        return {};
    const DifferenceEquation::Form form = differenceEquation().form;
    const FilterCoefficients typed = coefficients();
    const bool dividing =
        form == DifferenceEquation::Form::Recursive || form == DifferenceEquation::Form::Moving;
    if (!dividing || typed.T1 != 0 || typed.T2 != 0 || typed.K1 != 0)
        return {};
    return tr("T1, T2 и K1 равны нулю: выход звена равен 0");
}

bool SignalWorkbench::isShown(SignalStage stage) const
{
    // A signal taken from the model is drawn whatever the state of its box.
    return isChecked(static_cast<SignalCheck>(stage)) ||
           (stage == SignalStage::Input && m_origin == InputOrigin::Model);
}

const SignalSeries& SignalWorkbench::series(SignalStage stage) const
{
    switch (stage) {
    case SignalStage::Input:
        return m_buffer.InputSamples;
    case SignalStage::Channel:
        return m_buffer.ChannelSamples;
    case SignalStage::Output:
        break;
    }
    return m_buffer.OutputSamples;
}

QList<QPointF> SignalWorkbench::curve(SignalStage stage) const
{
    QList<QPointF> points;
    if (!isShown(stage))
        return points;
    const bool taken = stage == SignalStage::Input && m_origin == InputOrigin::Model;
    const int count = m_computed[indexOf(stage)];
    const SignalSeries& values = series(stage);
    points.reserve(count);
    for (int k = 0; k < count; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const bool hasTakenAbscissa = taken && i < m_takenAbscissas.size();
        points.append({hasTakenAbscissa ? m_takenAbscissas[i] : k * AbscissaPerSample, values[i]});
    }
    return points;
}

// --- What a user does ---

void SignalWorkbench::chooseListItem(SignalList list, int index)
{
    putListIndex(list, std::clamp(index, -1, int(listItems(list).size()) - 1));
    switch (list) {
    case SignalList::SignalComboBox1:
        SignalComboBox1Change();
        break;
    case SignalList::SignalComboBox2:
        SignalComboBox2Change();
        break;
    case SignalList::SignalComboBox3:
        SignalComboBox3Change();
        break;
    }
}

void SignalWorkbench::setText(SignalField field, const QString& text)
{
    // A disabled field takes no typing.
    if (!isEnabled(field) || this->text(field) == text)
        return;
    putText(field, text);
    if (field == SignalField::SignalEdit1)
        SignalComboBox1Change();
    else if (field == SignalField::SignalEdit2)
        SignalComboBox2Change();
    else
        SignalCalc();
}

void SignalWorkbench::stepSpin(SignalSpin spin, int steps)
{
    const SignalField field = SpinField(spin);
    if (!isEnabled(field))
        return;
    // The arrows step from what the field shows to the next whole number in their direction, as
    // a typed number is taken up by the arrows: "2,5" goes up to 3 and down to 2.
    const auto shown = ReadNumber(text(field), m_decimalSeparator);
    double target = spinPosition(spin) + steps;
    if (shown && std::isfinite(*shown))
        target = steps > 0 ? std::floor(*shown) + steps : std::ceil(*shown) + steps;
    const QString before = text(field);
    putSpin(spin, int(std::clamp<double>(target, spinMinimum(spin), SpinMaximum)));
    if (text(field) == before)
        return;
    if (spin == SignalSpin::SignalUpDown1)
        SignalComboBox1Change();
    else
        SignalComboBox2Change();
}

void SignalWorkbench::setChecked(SignalCheck box, bool checked)
{
    if (isChecked(box) == checked)
        return;
    putChecked(box, checked);
    switch (box) {
    case SignalCheck::SignalCheckBox1:
        SignalComboBox1Change();
        break;
    case SignalCheck::SignalCheckBox2:
        SignalComboBox2Change();
        break;
    case SignalCheck::SignalCheckBox3:
        SignalComboBox3Change();
        break;
    }
}

void SignalWorkbench::reset()
{
    putSpin(SignalSpin::SignalUpDown1, 1);
    putSpin(SignalSpin::SignalUpDown2, 0);
    for (SignalList list :
         {SignalList::SignalComboBox1, SignalList::SignalComboBox2, SignalList::SignalComboBox3})
        putListIndex(list, -1);
    // The reset shows 1000 samples whatever the last run's count, and leaves that count alone.
    const int runCount = std::exchange(m_runSampleCount, DefaultSampleCount);
    generate();
    transmit();
    applyFilterKind();
    filter();
    m_runSampleCount = runCount;
    m_verticalMinimum = 0;
    m_verticalMaximum = 1.1;
    emit curvesChanged(SignalStage::Input);
}

void SignalWorkbench::SignalCalc()
{
    filter();
    emit curvesChanged(SignalStage::Output);
}

RunSignalSource::Fit SignalWorkbench::fitRun()
{
    const int n = sampleCount();
    const auto stale = std::find_if(m_computed.begin(), m_computed.end(),
                                    [n](int computed) { return computed != n; });
    if (stale == m_computed.end())
        return {};
    m_badEntry = false;
    const auto from = static_cast<SignalStage>(stale - m_computed.begin());
    if (from == SignalStage::Input) {
        if (m_origin == InputOrigin::Generator)
            generate();
        else
            fillMeasured(n);
    }
    if (from != SignalStage::Output)
        transmit();
    filter();
    emit curvesChanged(from);
    return {true, m_badEntry};
}

void SignalWorkbench::SignalCalcForRun()
{
    if (!fitRun().recomputed)
        SignalCalc();
}

void SignalWorkbench::openMeasured(const std::vector<double>& values, const QString& name)
{
    if (values.empty())
        return;
    putEnabled(SignalField::SignalEdit1, false);
    putSpin(SignalSpin::SignalUpDown1, 1);
    putListIndex(SignalList::SignalComboBox1, -1);
    m_origin = InputOrigin::File;
    m_measuredName = name;
    m_measured = values;
    m_takenAbscissas.clear();
    emit listChanged(SignalList::SignalComboBox1);
    fillMeasured(sampleCount());
    transmit();
    filter();
    emit curvesChanged(SignalStage::Input);
}

void SignalWorkbench::fillMeasured(int count)
{
    // A taken curve is kept as it was taken; a measured one is laid over the run anew.
    if (m_origin == InputOrigin::Model && m_measured.empty()) {
        const int taken = m_computed[indexOf(SignalStage::Input)];
        m_measured.assign(m_buffer.InputSamples.begin(), m_buffer.InputSamples.begin() + taken);
    }
    const auto n = static_cast<std::size_t>(count);
    const std::size_t known = std::min(n, m_measured.size());
    std::copy_n(m_measured.begin(), known, m_buffer.InputSamples.begin());
    const double last = m_measured.empty() ? 0.0 : m_measured.back();
    std::fill(m_buffer.InputSamples.begin() + static_cast<std::ptrdiff_t>(known),
              m_buffer.InputSamples.begin() + static_cast<std::ptrdiff_t>(n), last);
    m_computed[indexOf(SignalStage::Input)] = count;
    m_stalledAt = -1;
    m_refusedFor = 0;
}

bool SignalWorkbench::takeFromModel(const ModelCurves& curves, TakenQuantity quantity)
{
    if (curves.timeLimit == 0 || curves.leftLimit == 0 || curves.rightLimit == 0)
        return false;
    putEnabled(SignalField::SignalEdit1, false);
    putSpin(SignalSpin::SignalUpDown1, 1);
    putListIndex(SignalList::SignalComboBox1, -1);
    m_origin = InputOrigin::Model;
    m_measured.clear();
    emit listChanged(SignalList::SignalComboBox1);

    const int n = sampleCount();
    const double scale = (n / 10) / curves.timeLimit;
    const bool speed = quantity == TakenQuantity::Speed;
    const QList<QPointF>& source = speed ? curves.speed : curves.torqueOrCurrent;
    const double limit = speed ? curves.rightLimit : curves.leftLimit;
    // The last sample keeps its value; a curve shorter than the run gives what it has.
    const auto count = static_cast<int>(
        std::min({qsizetype(n - 1), source.size(), curves.torqueOrCurrent.size()}));
    m_takenAbscissas.resize(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        const auto i = static_cast<std::size_t>(k);
        m_buffer.InputSamples[i] = source.at(k).y() / limit;
        m_takenAbscissas[i] = curves.torqueOrCurrent.at(k).x() * scale;
    }
    m_computed[indexOf(SignalStage::Input)] = count;
    m_stalledAt = -1;
    m_refusedFor = 0;

    // Hiding and showing the channel and output curves reruns their stages on the new input.
    putChecked(SignalCheck::SignalCheckBox2, true);
    putChecked(SignalCheck::SignalCheckBox3, true);
    applyFilterKind();
    transmit();
    filter();
    emit curvesChanged(SignalStage::Input);
    return true;
}

// --- The handlers ---

void SignalWorkbench::SignalComboBox1Change()
{
    generate();
    transmit();
    filter();
    emit curvesChanged(SignalStage::Input);
}

void SignalWorkbench::SignalComboBox2Change()
{
    transmit();
    filter();
    emit curvesChanged(SignalStage::Channel);
}

void SignalWorkbench::SignalComboBox3Change()
{
    applyFilterKind();
    filter();
    emit curvesChanged(SignalStage::Output);
}

void SignalWorkbench::generate()
{
    const double periodicity = readField(SignalField::SignalEdit1);
    const int n = sampleCount();
    const double period = PeriodInSamples(periodicity, n);
    const int index = listIndex(SignalList::SignalComboBox1);
    const bool periodic = index > 0;
    putEnabled(SignalField::SignalEdit1, periodic);
    if (!periodic)
        putSpin(SignalSpin::SignalUpDown1, 1);
    if (std::exchange(m_origin, InputOrigin::Generator) != InputOrigin::Generator)
        emit listChanged(SignalList::SignalComboBox1);
    m_takenAbscissas.clear();
    m_measured.clear();
    m_computed[indexOf(SignalStage::Input)] = n;

    const auto waveform = static_cast<Waveform>(std::max(index, 0));
    const auto samples = std::span(m_buffer.InputSamples).first(std::size_t(n));
    // Fewer than a few samples a period show no waveform, and an enormous periodicity makes a
    // ramp of millions or a sine of nothing but rounding: such a periodicity is refused.
    const bool random = waveform == Waveform::Random;
    if (periodic && !random && !(period >= MinimumPeriod)) {
        std::fill(samples.begin(), samples.end(), 0.0);
        m_refusedPeriodicity = periodicity;
        m_refusedFor = n;
        m_stalledAt = -1;
        return;
    }
    m_refusedFor = 0;
    const GenerationOutcome outcome =
        Generate(waveform, period, samples, static_cast<std::uint32_t>(m_clock()));
    m_stalledAt = outcome.stalledAt;
}

void SignalWorkbench::transmit()
{
    const double value = readField(SignalField::SignalEdit2);
    const double samples = std::trunc(SamplesPerMillisecond * value);
    const double longest = SamplesPerMillisecond * SpinMaximum;
    int delay = 0;
    // Beyond the spin's range the parameter is cut to it, the field shows the cut value and the
    // notice what was typed.
    m_channelCut.reset();
    if (samples > longest) {
        delay = static_cast<int>(longest);
        m_channelCut = ChannelCut{value, SpinMaximum};
        putSpin(SignalSpin::SignalUpDown2, SpinMaximum);
    } else if (samples < 0) {
        m_channelCut = ChannelCut{value, 0};
        putSpin(SignalSpin::SignalUpDown2, 0);
    } else {
        delay = static_cast<int>(samples);
    }
    const int n = sampleCount();
    const auto kind = static_cast<ChannelKind>(std::max(listIndex(SignalList::SignalComboBox2), 0));
    Transmit(kind, delay, std::span(m_buffer.InputSamples).first(std::size_t(n)),
             std::span(m_buffer.ChannelSamples).first(std::size_t(n)));
    m_computed[indexOf(SignalStage::Channel)] = n;
}

FilterCoefficients SignalWorkbench::coefficients() const
{
    // Read as stage 3 reads them: a text that is no number counts as 0.
    const auto read = [this](Coefficient coefficient) {
        return ReadNumber(text(FieldOf(coefficient)), m_decimalSeparator).value_or(0.0);
    };
    FilterCoefficients coefficients;
    coefficients.T1 = read(Coefficient::T1);
    coefficients.T2 = read(Coefficient::T2);
    coefficients.K1 = read(Coefficient::K1);
    coefficients.T3 = read(Coefficient::T3);
    coefficients.T4 = read(Coefficient::T4);
    coefficients.K2 = read(Coefficient::K2);
    return coefficients;
}

DifferenceEquation SignalWorkbench::differenceEquation() const
{
    const int n = m_computed[indexOf(SignalStage::Output)];
    return DifferenceEquationOf(coefficients(), n > 0 ? n : DefaultSampleCount);
}

void SignalWorkbench::filter()
{
    const int n = sampleCount();
    for (int i = 0; i < CoefficientCount; ++i)
        readField(FieldOf(static_cast<Coefficient>(i)));
    m_filterOutcome =
        Filter(coefficients(), std::span(m_buffer.ChannelSamples).first(std::size_t(n)),
               std::span(m_buffer.OutputSamples).first(std::size_t(n)));
    m_computed[indexOf(SignalStage::Output)] = n;
    rescale();
}

void SignalWorkbench::applyFilterKind()
{
    const FilterKind& kind = FilterKindAt(listIndex(SignalList::SignalComboBox3));
    for (int i = 0; i < CoefficientCount; ++i) {
        const SignalField field = FieldOf(static_cast<Coefficient>(i));
        const FilterKind::Field& rule = kind.fields[static_cast<std::size_t>(i)];
        if (rule.text)
            putText(field, QString::fromUtf16(*rule.text));
        putEnabled(field, rule.enabled);
    }
    const QString caption = CaptionOf(kind);
    if (std::exchange(m_caption, caption) != caption)
        emit captionChanged();
}

void SignalWorkbench::rescale()
{
    double smallest = std::numeric_limits<double>::infinity();
    double largest = -smallest;
    for (SignalStage stage : {SignalStage::Input, SignalStage::Channel, SignalStage::Output}) {
        if (!isShown(stage))
            continue;
        const SignalSeries& values = series(stage);
        const auto end = values.begin() + m_computed[indexOf(stage)];
        for (auto value = values.begin(); value != end; ++value) {
            smallest = std::min(smallest, *value);
            largest = std::max(largest, *value);
        }
    }
    // With nothing shown the axis stays where it is.
    if (smallest > largest)
        return;
    // A tenth beyond each end, whatever the sign, so no curve touches the frame.
    m_verticalMinimum = smallest - 0.1 * std::abs(smallest);
    m_verticalMaximum = largest + 0.1 * std::abs(largest);
    if (m_verticalMinimum == m_verticalMaximum) {
        m_verticalMinimum -= 1.1;
        m_verticalMaximum += 1.1;
    }
}

// --- State changes ---

int SignalWorkbench::sampleCount() const
{
    // Before any run every stage works on 1000 samples.
    return m_runSampleCount > 0 ? std::min<int>(m_runSampleCount, ResultCapacity)
                                : DefaultSampleCount;
}

double SignalWorkbench::readField(SignalField field)
{
    const std::optional<double> value = ReadNumber(text(field), m_decimalSeparator);
    m_badEntry = m_badEntry || !value;
    return value.value_or(0.0);
}

void SignalWorkbench::putText(SignalField field, const QString& text)
{
    QString& current = m_fields[indexOf(field)].text;
    if (current == text)
        return;
    current = text;
    emit textChanged(field);
}

void SignalWorkbench::putEnabled(SignalField field, bool enabled)
{
    bool& current = m_fields[indexOf(field)].enabled;
    if (current == enabled)
        return;
    current = enabled;
    emit enabledChanged(field);
}

void SignalWorkbench::putSpin(SignalSpin spin, int position)
{
    m_spins[indexOf(spin)] = position;
    putText(SpinField(spin), QString::number(position));
}

void SignalWorkbench::putChecked(SignalCheck box, bool checked)
{
    if (std::exchange(m_checked[indexOf(box)], checked) != checked)
        emit checkedChanged(box);
}

void SignalWorkbench::putListIndex(SignalList list, int index)
{
    if (std::exchange(m_lists[indexOf(list)], index) != index)
        emit listChanged(list);
}

} // namespace kinetra
