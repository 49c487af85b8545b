#include "sim/SignalSettings.h"

#include <QCommandLineParser>

#include "SignalWorkbench.h"

namespace kinetra {

namespace {

// A list index within 0..count-1 given as text.
std::optional<int> ReadKind(const QString& text, int count)
{
    bool ok = false;
    const int kind = text.toInt(&ok);
    return ok && kind >= 0 && kind < count ? std::optional(kind) : std::nullopt;
}

QString Number(double value)
{
    return QString::asprintf("%.17g", value);
}

} // namespace

QList<QCommandLineOption> SignalOptions::options() const
{
    return {m_wave, m_periods, m_channel, m_channelMs, m_filter, m_coefficients, m_out};
}

bool SignalOptions::read(const QCommandLineParser& parser, std::optional<SignalSettings>& settings,
                         QString& message) const
{
    settings.reset();
    for (const auto& [option, needs] :
         {std::pair{&m_periods, &m_wave}, std::pair{&m_channel, &m_wave},
          std::pair{&m_filter, &m_wave}, std::pair{&m_out, &m_wave},
          std::pair{&m_channelMs, &m_channel}, std::pair{&m_coefficients, &m_filter}}) {
        if (parser.isSet(*option) && !parser.isSet(*needs)) {
            message = QStringLiteral("--%1 needs --%2.")
                          .arg(option->names().constFirst(), needs->names().constFirst());
            return false;
        }
    }
    if (!parser.isSet(m_wave))
        return true;
    SignalSettings wanted;
    const auto kind = [&parser, &message](const QCommandLineOption& option, int count) {
        const std::optional<int> value = ReadKind(parser.value(option), count);
        if (!value)
            message = QStringLiteral("--%1 takes a number from 0 to %2.")
                          .arg(option.names().constFirst())
                          .arg(count - 1);
        return value;
    };
    const std::optional<int> wave = kind(m_wave, WaveformCount);
    if (!wave)
        return false;
    wanted.wave = *wave;
    wanted.periods = parser.value(m_periods);
    if (parser.isSet(m_channel)) {
        wanted.channel = kind(m_channel, ChannelKindCount);
        if (!wanted.channel)
            return false;
        wanted.channelMs = parser.value(m_channelMs);
    }
    if (parser.isSet(m_filter)) {
        wanted.filter = kind(m_filter, FilterKindCount);
        if (!wanted.filter)
            return false;
        if (parser.isSet(m_coefficients)) {
            wanted.coefficients = parser.value(m_coefficients).split(u';');
            if (wanted.coefficients.size() != CoefficientCount) {
                message = QStringLiteral("--coefficients takes six texts separated by \";\".");
                return false;
            }
        }
    }
    wanted.outPath = parser.value(m_out);
    settings = wanted;
    return true;
}

void ShapeSignal(const SignalSettings& settings, SignalWorkbench& workbench)
{
    workbench.chooseListItem(SignalList::SignalComboBox1, settings.wave);
    if (!settings.periods.isNull())
        workbench.setText(SignalField::SignalEdit1, settings.periods);
    if (settings.channel) {
        workbench.chooseListItem(SignalList::SignalComboBox2, *settings.channel);
        if (!settings.channelMs.isNull())
            workbench.setText(SignalField::SignalEdit2, settings.channelMs);
    }
    if (settings.filter) {
        workbench.chooseListItem(SignalList::SignalComboBox3, *settings.filter);
        // A pinned coefficient's field is disabled and takes no typing.
        for (int i = 0; i < int(settings.coefficients.size()); ++i)
            workbench.setText(FieldOf(static_cast<Coefficient>(i)), settings.coefficients.at(i));
    }
}

QByteArray SignalCsv(const SignalBuffer& buffer, int count)
{
    QString csv = QStringLiteral("index,input,channel,output\n");
    for (int k = 0; k < count; ++k) {
        const auto i = static_cast<std::size_t>(k);
        csv += QString::number(k) + u',' + Number(buffer.InputSamples[i]) + u',' +
               Number(buffer.ChannelSamples[i]) + u',' + Number(buffer.OutputSamples[i]) + u'\n';
    }
    return csv.toUtf8();
}

} // namespace kinetra
