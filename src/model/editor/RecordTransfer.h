#pragma once

#include <QCoreApplication>
#include <QString>

#include <vector>

namespace kinetra {

class MessageSink;
class ModelSession;

// A field of a catalogue record: its column name and its value as the catalogue shows it, empty
// for a null value.
struct TransferField {
    QString name;
    QString value;
};

// Sends a catalogue record into the model. A column "Motor", "Converter" or "Gear" tells which
// equipment the record describes; its parameter columns are matched by name, letter case
// included, against the model's keys, a few values are derived (motor type, pole pairs, phase
// count, a ball screw's ratio), and only that equipment's editor page is reset and refilled.
// Nothing is saved and nothing is simulated. A page's kind handler may change more than the
// record carries (a motor of another kind switches the controller between current and torque);
// the transfer names every equipment kind and switch that changed.
class RecordTransfer final {
    Q_DECLARE_TR_FUNCTIONS(RecordTransfer)

public:
    RecordTransfer(ModelSession& session, MessageSink& messages);

    // An empty record (no current record) changes nothing. False when the transfer stopped at
    // a value it could not take; the user has been told why.
    bool aToModelExecute(const std::vector<TransferField>& record);

    // After a transfer: the kinds and switches it changed, for the status bar; empty when none.
    const QString& changeNotice() const { return m_changeNotice; }

private:
    bool transferFields(const std::vector<TransferField>& record);
    bool transferMotor(const std::vector<TransferField>& record, const QString& motor);
    bool transferConverter(const std::vector<TransferField>& record, const QString& converter);
    void transferGear(const std::vector<TransferField>& record, const QString& gear);
    // Writes a key of the model text; an empty value removes its line.
    void write(const char* key, const QString& value);
    QString read(const char* key) const;

    ModelSession& m_session;
    MessageSink& m_messages;
    // A ball screw's rated speed, linear speed and radius.
    double m_wi = 0;
    double m_Vi = 0;
    double m_Ri = 0;
    QString m_changeNotice;
};

// The pole pairs of an induction motor whose rated speed is w rad/s.
int PolePairsFromSpeed(long long w);

} // namespace kinetra
