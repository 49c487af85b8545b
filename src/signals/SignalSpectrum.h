#pragma once

#include <complex>
#include <span>
#include <vector>

#include "SignalStages.h"

namespace kinetra {

// Sample k of every series belongs to step k of the run, and a run steps 1 ms of model time:
// the series are sampled at 1000 Hz of model time.
inline constexpr double SampleRateHz = 1000;

// The frequency of bin j of a transform of sampleCount samples, in Hz of model time.
double BinFrequency(int bin, int sampleCount);

// One-sided amplitude spectra of real series: bin j of n samples holds the amplitude of the
// component at BinFrequency(j, n), so a sine of amplitude A whose period fits the series a whole
// number of times shows A in its bin, and a constant shows its value in bin 0. The transform
// plan is kept for the next series of the same length.
class SpectrumAnalyser final {
public:
    SpectrumAnalyser() = default;
    ~SpectrumAnalyser();
    SpectrumAnalyser(const SpectrumAnalyser&) = delete;
    SpectrumAnalyser& operator=(const SpectrumAnalyser&) = delete;

    // Amplitudes of bins 0..n/2 of the n samples.
    std::vector<double> amplitudes(std::span<const double> samples);

private:
    void plan(int sampleCount);
    void release();

    int m_sampleCount = 0;
    double* m_input = nullptr;
    void* m_output = nullptr; // fftw_complex[n / 2 + 1]
    void* m_plan = nullptr;   // fftw_plan
};

// The frequency response of the element as stage 3 computes it, from its difference equation
// at the step of sampleCount samples a run, at a frequency in Hz of model time.
std::complex<double> FrequencyResponse(const DifferenceEquation& equation, double frequencyHz);

// The response at count frequencies spaced evenly on a logarithmic scale from lowest to highest
// Hz: magnitude in dB, phase in degrees continued across ±180° so that it reads as one curve.
struct ResponseCurve {
    std::vector<double> frequencies;
    std::vector<double> magnitudeDb;
    std::vector<double> phaseDegrees;
};
ResponseCurve ResponseOver(const DifferenceEquation& equation, double lowest, double highest,
                           int count);

} // namespace kinetra
