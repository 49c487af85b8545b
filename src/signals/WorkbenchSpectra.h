#pragma once

#include <array>
#include <vector>

#include <QChar>
#include <QCoreApplication>
#include <QList>
#include <QPointF>
#include <QString>

#include "SignalSpectrum.h"
#include "SignalWorkbench.h"

namespace kinetra {

// The workbench seen in frequency: the amplitude spectra of its input, channel and output, and
// the frequency response of its filter or controller, all over Hz of model time (a sample is a
// step of 1 ms). Computed afresh from the workbench by update().
class WorkbenchSpectra final {
    Q_DECLARE_TR_FUNCTIONS(WorkbenchSpectra)

public:
    void update(const SignalWorkbench& workbench);

    // Amplitude over frequency of a stage, from bin 0; empty when the stage has no samples.
    const QList<QPointF>& amplitude(SignalStage stage) const
    {
        return m_amplitudes[static_cast<std::size_t>(stage)];
    }
    // The filter's magnitude in dB and phase in degrees, from the lowest bin above 0 Hz to the
    // highest frequency, evenly on a logarithmic scale.
    const QList<QPointF>& magnitudeDb() const { return m_magnitude; }
    const QList<QPointF>& phaseDegrees() const { return m_phase; }
    // The element's response at any frequency.
    std::complex<double> response(double frequency) const
    {
        return FrequencyResponse(m_equation, frequency);
    }
    // The highest frequency shown: half the sampling rate.
    static constexpr double HighestFrequency = SampleRateHz / 2;

private:
    SpectrumAnalyser m_analyser;
    std::array<QList<QPointF>, 3> m_amplitudes;
    QList<QPointF> m_magnitude;
    QList<QPointF> m_phase;
    DifferenceEquation m_equation;
};

// The status-bar readouts of the value under the mouse: on the time chart at an abscissa
// (sample k at k / 10), on the spectrum at a frequency in Hz. Empty away from any sample.
QString TimeReadout(const SignalWorkbench& workbench, double abscissa, QChar decimalSeparator);
QString SpectrumReadout(const WorkbenchSpectra& spectra, double frequency, QChar decimalSeparator);

} // namespace kinetra
