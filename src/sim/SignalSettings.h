#pragma once

#include <optional>

#include <QByteArray>
#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

#include "WorkbenchSettings.h"
#include "text/Status.h"

class QCommandLineParser;

namespace kinetra {

class SignalWorkbench;
struct SignalBuffer;

// The command-line options that shape a signal in the workbench.
class SignalOptions final {
public:
    QList<QCommandLineOption> options() const;
    // The settings the parsed options ask for: nullopt without --signal-wave. Fails with the
    // usage error when the options do not fit together.
    StatusOr<std::optional<SignalSettings>> read(const QCommandLineParser& parser) const;
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

// The usage error for the first workbench option whose number cannot be read with the decimal
// separator, naming the option and the text; empty when every number reads.
QString UnreadableSignalNumber(const SignalSettings& settings, QChar decimalSeparator);

// index,input,channel,output for samples 0 to count - 1.
QByteArray SignalCsv(const SignalBuffer& buffer, int count);

} // namespace kinetra
