#pragma once

#include <optional>

#include <QByteArray>
#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

class QCommandLineParser;

namespace kinetra {

class SignalWorkbench;
struct SignalBuffer;

// The signals workbench as a user sets it in the window: list indices, and texts typed into the
// fields, read with the model's decimal separator.
struct SignalSettings {
    int wave = 0;
    QString periods;
    std::optional<int> channel;
    QString channelMs;
    std::optional<int> filter;
    QStringList coefficients; // T1, T2, K1, T3, T4, K2; empty when not given
    QString outPath;          // CSV of the three series, when not empty
};

// The command-line options that shape a signal in the workbench.
class SignalOptions final {
public:
    QList<QCommandLineOption> options() const;
    // The settings the parsed options ask for: nullopt without --signal-wave. False, with the
    // usage error in message, when the options do not fit together.
    bool read(const QCommandLineParser& parser, std::optional<SignalSettings>& settings,
              QString& message) const;
    const QCommandLineOption& wave() const { return m_wave; }

private:
    QCommandLineOption m_wave{QStringLiteral("signal-wave"),
                              QStringLiteral("Build the signal in the workbench from waveform KIND "
                                             "(0 to 7) and send it into the model."),
                              QStringLiteral("KIND")};
    QCommandLineOption m_periods{QStringLiteral("signal-periods"),
                                 QStringLiteral("The periodicity typed for the waveform."),
                                 QStringLiteral("X")};
    QCommandLineOption m_channel{QStringLiteral("channel"),
                                 QStringLiteral("The channel KIND (0 to 2)."),
                                 QStringLiteral("KIND")};
    QCommandLineOption m_channelMs{QStringLiteral("channel-ms"),
                                   QStringLiteral("The channel parameter typed, in ms."),
                                   QStringLiteral("D")};
    QCommandLineOption m_filter{QStringLiteral("filter"),
                                QStringLiteral("The filter or controller KIND (0 to 9)."),
                                QStringLiteral("KIND")};
    QCommandLineOption m_coefficients{
        QStringLiteral("coefficients"),
        QStringLiteral("The six coefficients typed, separated by semicolons; pinned ones are "
                       "ignored."),
        QStringLiteral("T1;T2;K1;T3;T4;K2")};
    QCommandLineOption m_out{QStringLiteral("signal-out"),
                             QStringLiteral("Write index,input,channel,output to FILE as CSV."),
                             QStringLiteral("FILE")};
};

// Sets the workbench as the window's user would, in the order waveform, periodicity, channel,
// its parameter, filter, coefficients.
void ShapeSignal(const SignalSettings& settings, SignalWorkbench& workbench);

// index,input,channel,output for samples 0 to count - 1.
QByteArray SignalCsv(const SignalBuffer& buffer, int count);

} // namespace kinetra
