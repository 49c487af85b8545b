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
