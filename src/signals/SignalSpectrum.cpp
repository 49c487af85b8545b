#include "SignalSpectrum.h"

#include <cmath>
#include <numbers>

#include <fftw3.h>

namespace kinetra {

double BinFrequency(int bin, int sampleCount)
{
    return bin * SampleRateHz / sampleCount;
}

SpectrumAnalyser::~SpectrumAnalyser()
{
    release();
}

void SpectrumAnalyser::release()
{
    if (m_plan)
        fftw_destroy_plan(static_cast<fftw_plan>(m_plan));
    fftw_free(m_input);
    fftw_free(m_output);
    m_plan = nullptr;
    m_input = nullptr;
    m_output = nullptr;
    m_sampleCount = 0;
}

void SpectrumAnalyser::plan(int sampleCount)
{
    if (sampleCount == m_sampleCount)
        return;
    release();
    m_sampleCount = sampleCount;
    m_input = fftw_alloc_real(static_cast<std::size_t>(sampleCount));
    auto* output = fftw_alloc_complex(static_cast<std::size_t>(sampleCount / 2 + 1));
    m_output = output;
    // Estimated, not measured: planning stays well below a millisecond and leaves the input alone.
    m_plan = fftw_plan_dft_r2c_1d(sampleCount, m_input, output, FFTW_ESTIMATE);
}

std::vector<double> SpectrumAnalyser::amplitudes(std::span<const double> samples)
{
    const int n = static_cast<int>(samples.size());
    if (n == 0)
        return {};
    plan(n);
    std::copy(samples.begin(), samples.end(), m_input);
    fftw_execute(static_cast<fftw_plan>(m_plan));
    const auto* bins = static_cast<const fftw_complex*>(m_output);
    std::vector<double> result(static_cast<std::size_t>(n / 2 + 1));
    for (int j = 0; j <= n / 2; ++j) {
        // Every bin but the constant and, for an even n, the highest has its mirror image.
        const double weight = (j == 0 || 2 * j == n) ? 1.0 : 2.0;
        result[static_cast<std::size_t>(j)] = weight * std::hypot(bins[j][0], bins[j][1]) / n;
    }
    return result;
}

std::complex<double> FrequencyResponse(const DifferenceEquation& e, double frequencyHz)
{
    using Form = DifferenceEquation::Form;
    if (e.form == Form::Passing)
        return 1.0;
    if (e.form == Form::Undefined)
        return 0.0;
    const double omega = 2 * std::numbers::pi * frequencyHz / SampleRateHz;
    const std::complex<double> z1 = std::polar(1.0, -omega); // one sample of delay
    const std::complex<double> z2 = z1 * z1;
    const std::complex<double> numerator = e.b0 + e.b1 * z1 + e.b2 * z2;
    const std::complex<double> denominator = 1.0 + e.a1 * z1 + e.a2 * z2;
    // Written one sample early: a sample of advance.
    const std::complex<double> advance = e.lead == 1 ? std::polar(1.0, omega) : 1.0;
    return numerator / denominator * advance;
}

ResponseCurve ResponseOver(const DifferenceEquation& equation, double lowest, double highest,
                           int count)
{
    ResponseCurve curve;
    const auto points = static_cast<std::size_t>(std::max(count, 0));
    curve.frequencies.reserve(points);
    curve.magnitudeDb.reserve(points);
    curve.phaseDegrees.reserve(points);
    const double ratio = count > 1 ? std::pow(highest / lowest, 1.0 / (count - 1)) : 1.0;
    double previous = 0;
    for (int j = 0; j < count; ++j) {
        const double f = j == count - 1 ? highest : lowest * std::pow(ratio, j);
        const std::complex<double> h = FrequencyResponse(equation, f);
        double phase = std::arg(h) * 180 / std::numbers::pi;
        if (j > 0)
            phase -= 360 * std::round((phase - previous) / 360);
        previous = phase;
        curve.frequencies.push_back(f);
        // A response of zero is drawn at the bottom of the chart rather than at minus infinity.
        curve.magnitudeDb.push_back(20 * std::log10(std::max(std::abs(h), 1e-12)));
        curve.phaseDegrees.push_back(phase);
    }
    return curve;
}

} // namespace kinetra
