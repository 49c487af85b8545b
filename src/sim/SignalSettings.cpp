#include "SignalSettings.h"

#include <QCommandLineParser>

#include "SignalWorkbench.h"
#include "text/NumberText.h"

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
    return GeneralNumber(value, ExactDigits);
}

} // namespace

QList<QCommandLineOption> SignalOptions::options() const
{
    return {m_wave, m_periods, m_channel, m_channelMs, m_filter, m_coefficients, m_out};
}

StatusOr<std::optional<SignalSettings>> SignalOptions::read(const QCommandLineParser& parser) const
{
    using Read = StatusOr<std::optional<SignalSettings>>;
    for (const auto& [option, needs] :
         {std::pair{&m_periods, &m_wave}, std::pair{&m_channel, &m_wave},
          std::pair{&m_filter, &m_wave}, std::pair{&m_out, &m_wave},
          std::pair{&m_channelMs, &m_channel}, std::pair{&m_coefficients, &m_filter}}) {
        if (parser.isSet(*option) && !parser.isSet(*needs))
            return Read::Failed(
                QStringLiteral("--%1 needs --%2.")
                    .arg(option->names().constFirst(), needs->names().constFirst()));
    }
    if (!parser.isSet(m_wave))
        return Read::Of(std::nullopt);
    // A list index within 0..count-1, or the usage error that names the option.
    const auto kind = [&parser](const QCommandLineOption& option, int count) {
        const std::optional<int> value = ReadKind(parser.value(option), count);
        return value ? StatusOr<int>::Of(*value)
                     : StatusOr<int>::Failed(QStringLiteral("--%1 takes a number from 0 to %2.")
                                                 .arg(option.names().constFirst())
                                                 .arg(count - 1));
    };
    SignalSettings wanted;
    const StatusOr<int> wave = kind(m_wave, WaveformCount);
    if (!wave.ok)
        return Read::Failed(wave.error);
    wanted.wave = wave.value;
    wanted.periods = parser.value(m_periods);
    if (parser.isSet(m_channel)) {
        const StatusOr<int> channel = kind(m_channel, ChannelKindCount);
        if (!channel.ok)
            return Read::Failed(channel.error);
        wanted.channel = channel.value;
        wanted.channelMs = parser.value(m_channelMs);
    }
    if (parser.isSet(m_filter)) {
        const StatusOr<int> filter = kind(m_filter, FilterKindCount);
        if (!filter.ok)
            return Read::Failed(filter.error);
        wanted.filter = filter.value;
        if (parser.isSet(m_coefficients)) {
            wanted.coefficients = parser.value(m_coefficients).split(u';');
            if (wanted.coefficients.size() != CoefficientCount)
                return Read::Failed(
                    QStringLiteral("--coefficients takes six texts separated by \";\"."));
        }
    }
    wanted.outPath = parser.value(m_out);
    return Read::Of(wanted);
}

QString UnreadableSignalNumber(const SignalSettings& settings, QChar decimalSeparator)
{
    const auto unreadable = [decimalSeparator](const QString& text) {
        return !text.isNull() && !ReadNumber(text, decimalSeparator);
    };
    const auto message = [decimalSeparator](const char* option, const QString& text) {
        return QStringLiteral("--%1: \"%2\" is not a number with the decimal separator \"%3\".")
            .arg(QLatin1String(option), text, decimalSeparator);
    };
    if (unreadable(settings.periods))
        return message("signal-periods", settings.periods);
    if (unreadable(settings.channelMs))
        return message("channel-ms", settings.channelMs);
    for (const QString& coefficient : settings.coefficients)
        if (unreadable(coefficient))
            return message("coefficients", coefficient);
    return {};
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
