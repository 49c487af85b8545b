#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QList>
#include <QObject>
#include <QPointF>
#include <QString>
#include <QStringList>

#include "FilterKinds.h"
#include "ResultsActivation.h"
#include "SignalBuffer.h"
#include "SignalStages.h"
#include "editor/ControlIndex.h"

namespace kinetra {

// The signals window's controls, named as in the window.
enum class SignalField {
    SignalEdit1,
    SignalEdit2,
    sEdit1,
    sEdit2,
    sEditK1,
    sEdit3,
    sEdit4,
    sEditK2
};
inline constexpr int SignalFieldCount = 8;
enum class SignalList { SignalComboBox1, SignalComboBox2, SignalComboBox3 };
enum class SignalSpin { SignalUpDown1, SignalUpDown2 };
enum class SignalCheck { SignalCheckBox1, SignalCheckBox2, SignalCheckBox3 };

// The stages; each has its series in the buffer and its curve on the chart.
enum class SignalStage { Input, Channel, Output };

// The coefficient field of a coefficient.
constexpr SignalField FieldOf(Coefficient coefficient)
{
    return static_cast<SignalField>(static_cast<int>(coefficient) + 2);
}

// The result curves the workbench takes a signal from: the dynamics chart of the run on show,
// as its run view holds it, with the upper limits of its time, left and right axes.
struct ModelCurves {
    QList<QPointF> torqueOrCurrent; // the left-axis curve
    QList<QPointF> speed;           // the mechanism speed, right axis
    double timeLimit = 0;
    double leftLimit = 0;
    double rightLimit = 0;
};
enum class TakenQuantity { Speed, TorqueOrCurrent };

// The signals window as plain state with all its rules: a generator, a transmission channel and
// a filter or controller, each stage feeding the next. A change in a stage recomputes it and the
// stages after it, then tells the observer once which curves changed. The output series is the
// one the engine reads at the next run; N is the sample count of the last run, which the
// results hand over after every run. The workbench reads its fields itself.
class SignalWorkbench final : public QObject, public RunSignalSource {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SignalWorkbench)

public:
    // The time in whole seconds that seeds the random waveform.
    using Clock = std::function<std::int64_t()>;

    SignalWorkbench(SignalBuffer& buffer, QChar decimalSeparator, Clock clock = {},
                    QObject* parent = nullptr);

    static QStringList listItems(SignalList list);
    static constexpr int spinMinimum(SignalSpin spin)
    {
        return spin == SignalSpin::SignalUpDown1 ? 1 : 0;
    }
    static constexpr int SpinMaximum = 100;

    // State.
    const QString& text(SignalField field) const { return m_fields[indexOf(field)].text; }
    bool isEnabled(SignalField field) const { return m_fields[indexOf(field)].enabled; }
    int listIndex(SignalList list) const { return m_lists[indexOf(list)]; }
    // What the list shows: its item, "Модель" for a signal taken from the model, or the name
    // of the file a measured signal was opened from.
    QString listText(SignalList list) const;
    int spinPosition(SignalSpin spin) const { return m_spins[indexOf(spin)]; }
    bool isChecked(SignalCheck box) const { return m_checked[indexOf(box)]; }
    // The formula caption under the fraction.
    const QString& caption() const { return m_caption; }
    // What went wrong in the latest computation, and every text the stages did not take as
    // typed (an empty field, no number, a periodicity not above 0, a channel parameter beyond its
    // range, coefficients under which the element passes its input on), for the user; empty
    // when nothing did.
    QString notice() const;
    // Why the output is 0 though every text was taken as typed: the element has a denominator
    // but no numerator (T1, T2 and K1 at 0), as a first choice of a kind leaves it, its open
    // coefficients at 0, once a denominator is typed. Empty otherwise. No fault: a run takes
    // such a signal, and the command line does not refuse it.
    QString zeroOutputNote() const;

    const SignalBuffer& buffer() const { return m_buffer; }
    // The separator the workbench reads and shows numbers with.
    QChar decimalSeparator() const { return m_decimalSeparator; }
    // N: the count the stages compute, the last run's, or 1000 before any run.
    int sampleCount() const;
    // Takes the sample count of the run that just ran; the stages use it from their next
    // computation on.
    void takeSampleCount(int sampleCount) override { m_runSampleCount = sampleCount; }
    // The samples a stage last computed.
    int computedCount(SignalStage stage) const { return m_computed[indexOf(stage)]; }
    // The element as the output was last computed: its coefficients as typed, at the step of
    // the output's samples.
    DifferenceEquation differenceEquation() const;
    // The points of a stage's curve, empty while its box is off or before its first computation.
    QList<QPointF> curve(SignalStage stage) const;
    // The vertical axis: 10 % beyond the largest and smallest values shown.
    double verticalMinimum() const { return m_verticalMinimum; }
    double verticalMaximum() const { return m_verticalMaximum; }

    // What a user does; each runs the rules of its control.
    void chooseListItem(SignalList list, int index);
    void setText(SignalField field, const QString& text);
    void stepSpin(SignalSpin spin, int steps);
    void setChecked(SignalCheck box, bool checked);

    // The New command: every stage back to its first choice, computed for 1000 samples.
    void reset();
    // Recomputes the output with the current N.
    void SignalCalc();
    // Makes every stage cover the current N before a run reads the output: stages computed for
    // another count are computed again, a generated input for the new count, a measured one
    // holding its last value beyond its end. Says whether it computed anything, and whether a
    // field it read then held a text that is no number.
    Fit fitRun() override;
    // Sending the signal: the output recomputed with the current N, every stage covering it.
    void SignalCalcForRun();
    // Makes measured values the input, as a generated one is passed through the channel and the
    // filter; samples beyond the values hold the last of them. name is what the generator's list
    // then shows.
    void openMeasured(const std::vector<double>& values, const QString& name);
    // The smallest period, in samples, a periodic waveform is generated with.
    static constexpr double MinimumPeriod = 4;
    // Makes a result curve the input, divided by its axis limit. False, with nothing changed,
    // when no result is drawn.
    bool takeFromModel(const ModelCurves& curves, TakenQuantity quantity);

signals:
    void textChanged(kinetra::SignalField field);
    void enabledChanged(kinetra::SignalField field);
    void listChanged(kinetra::SignalList list);
    void checkedChanged(kinetra::SignalCheck box);
    void captionChanged();
    // The curves of this stage and the stages after it, the vertical axis and the notice have
    // changed.
    void curvesChanged(kinetra::SignalStage from);

private:
    static SignalField SpinField(SignalSpin spin)
    {
        return spin == SignalSpin::SignalUpDown1 ? SignalField::SignalEdit1
                                                 : SignalField::SignalEdit2;
    }

    // The handlers of the window, each computing its stage and those after it.
    void SignalComboBox1Change();
    void SignalComboBox2Change();
    void SignalComboBox3Change();
    void generate();
    void fillMeasured(int count);
    void transmit();
    void filter();
    void applyFilterKind();
    FilterCoefficients coefficients() const;
    void rescale();
    bool isShown(SignalStage stage) const;
    const SignalSeries& series(SignalStage stage) const;

    // A field's number; a text that is no number counts as 0, and is noted as a bad entry.
    double readField(SignalField field);
    void putText(SignalField field, const QString& text);
    void putEnabled(SignalField field, bool enabled);
    void putSpin(SignalSpin spin, int position);
    void putChecked(SignalCheck box, bool checked);
    void putListIndex(SignalList list, int index);

    SignalBuffer& m_buffer;
    const QChar m_decimalSeparator;
    Clock m_clock;
    int m_runSampleCount = 0;
    // A field read since the last fit held a text that is no number.
    bool m_badEntry = false;

    struct FieldState {
        QString text;
        bool enabled = true;
    };
    std::array<FieldState, SignalFieldCount> m_fields;
    std::array<int, 3> m_lists{-1, -1, -1};
    std::array<int, 2> m_spins{1, 0};
    std::array<bool, 3> m_checked{true, true, true};
    QString m_caption;
    // Where the input comes from: the generator, the model's results or a file of measurements.
    enum class InputOrigin { Generator, Model, File };
    InputOrigin m_origin = InputOrigin::Generator;
    QString m_measuredName;
    std::vector<double> m_measured;

    // The samples each stage last computed, and for a taken input the abscissas of its points.
    std::array<int, 3> m_computed{0, 0, 0};
    std::vector<double> m_takenAbscissas;
    double m_verticalMinimum = 0;
    double m_verticalMaximum = 1.1;
    int m_stalledAt = -1;
    // A periodicity refused for the run length, with the count it was refused for.
    double m_refusedPeriodicity = 0;
    int m_refusedFor = 0;
    // A channel parameter typed beyond the spin's range, and the value taken instead.
    struct ChannelCut {
        double typed;
        int taken;
    };
    std::optional<ChannelCut> m_channelCut;
    FilterOutcome m_filterOutcome;
};

} // namespace kinetra
