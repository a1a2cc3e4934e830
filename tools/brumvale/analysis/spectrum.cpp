// A radix-2 FFT, Hann-windowed Welch averaging, the interpolated strongest peak, and levels.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "spectrum.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <stdexcept>

namespace Brumvale {
namespace {

constexpr double kPi = 3.14159265358979323846;
// Power (amplitude squared) below which toDecibels's floor applies.
constexpr double kPowerFloor = 1e-20;

bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

double powerToDecibels(double power)
{
    return power > kPowerFloor ? 10.0 * std::log10(power) : kDecibelFloor;
}

// In-place iterative radix-2 decimation-in-time FFT; data.size() is a power of two.
void fft(std::vector<std::complex<double>>& data)
{
    const std::size_t n = data.size();
    for (std::size_t i = 1, j = 0; i < n; ++i)
    {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(data[i], data[j]);
    }
    // Twiddles computed directly rather than by repeated multiplication, which
    // would accumulate rounding error across a long butterfly span.
    std::vector<std::complex<double>> twiddle(n / 2);
    for (std::size_t k = 0; k < n / 2; ++k)
        twiddle[k] = std::polar(1.0, -2.0 * kPi * double(k) / double(n));
    for (std::size_t length = 2; length <= n; length <<= 1)
    {
        const std::size_t half = length / 2;
        const std::size_t stride = n / length;
        for (std::size_t start = 0; start < n; start += length)
            for (std::size_t k = 0; k < half; ++k)
            {
                const std::complex<double> odd = data[start + k + half] * twiddle[k * stride];
                data[start + k + half] = data[start + k] - odd;
                data[start + k] += odd;
            }
    }
}

std::vector<double> hannWindow(std::size_t length)
{
    // Periodic Hann: its overlap-by-half segments weigh every sample equally.
    std::vector<double> window(length);
    for (std::size_t i = 0; i < length; ++i)
        window[i] = 0.5 - 0.5 * std::cos(2.0 * kPi * double(i) / double(length));
    return window;
}

} // namespace

double Spectrum::levelAt(double frequency) const
{
    if (binHz <= 0.0 || magnitudeDb.empty() || frequency < 0.0)
        return kDecibelFloor;
    const double position = frequency / binHz;
    if (position > double(magnitudeDb.size() - 1) + 1.0)
        return kDecibelFloor;
    const auto lowest = std::size_t(std::max(0.0, std::floor(position - 1.0)));
    const auto highest = std::min(magnitudeDb.size() - 1, std::size_t(std::ceil(position + 1.0)));
    double level = kDecibelFloor;
    for (std::size_t bin = lowest; bin <= highest; ++bin)
        if (std::abs(double(bin) - position) <= 1.0)
            level = std::max(level, magnitudeDb[bin]);
    return level;
}

int spectrumFftSize(double sampleRate)
{
    int size = 256;
    while (size < (1 << 20) && double(size) < sampleRate / 6.0)
        size <<= 1;
    return size;
}

Spectrum computeSpectrum(const std::vector<float>& signal, double sampleRate, int fftSize)
{
    if (!(sampleRate > 0.0) || !std::isfinite(sampleRate))
        throw std::invalid_argument("computeSpectrum: the sample rate must be positive");
    if (fftSize == 0)
        fftSize = spectrumFftSize(sampleRate);
    if (fftSize < 16 || !isPowerOfTwo(fftSize))
        throw std::invalid_argument("computeSpectrum: the FFT size must be a power of two >= 16");

    const auto size = std::size_t(fftSize);
    const std::size_t bins = size / 2 + 1;
    Spectrum spectrum;
    spectrum.sampleRate = sampleRate;
    spectrum.binHz = sampleRate / double(size);
    spectrum.magnitudeDb.assign(bins, kDecibelFloor);
    if (signal.empty())
        return spectrum;

    const std::size_t segmentLength = std::min(size, signal.size());
    const std::vector<double> window = hannWindow(segmentLength);
    double windowSum = 0.0;
    for (double w : window)
        windowSum += w;
    const std::size_t hop = std::max<std::size_t>(1, segmentLength / 2);

    std::vector<double> power(bins, 0.0);
    std::vector<std::complex<double>> buffer(size);
    std::size_t segments = 0;
    for (std::size_t start = 0; start + segmentLength <= signal.size(); start += hop)
    {
        std::fill(buffer.begin(), buffer.end(), std::complex<double>());
        for (std::size_t i = 0; i < segmentLength; ++i)
            buffer[i] = double(signal[start + i]) * window[i];
        fft(buffer);
        for (std::size_t k = 0; k < bins; ++k)
            power[k] += std::norm(buffer[k]);
        ++segments;
    }

    // One-sided amplitude: a sine of amplitude A puts A * windowSum / 2 in its
    // bin. DC and Nyquist have no mirror image, so they take half that gain.
    const double sideGain = 2.0 / windowSum;
    for (std::size_t k = 0; k < bins; ++k)
    {
        const double gain = (k == 0 || k == bins - 1) ? sideGain / 2.0 : sideGain;
        spectrum.magnitudeDb[k] = powerToDecibels(power[k] / double(segments) * gain * gain);
    }
    return spectrum;
}

double strongestFrequency(const std::vector<float>& signal, double sampleRate, double minHz)
{
    const Spectrum spectrum = computeSpectrum(signal, sampleRate);
    const std::vector<double>& db = spectrum.magnitudeDb;
    // The peak needs a neighbour on each side for the interpolation.
    const auto first =
        std::max<std::size_t>(1, std::size_t(std::ceil(std::max(0.0, minHz) / spectrum.binHz)));
    const std::size_t last = db.size() - 2;
    if (first > last)
        return 0.0;

    // Prefer a true local maximum: the top of a lower peak's skirt just above
    // minHz is not a peak of its own.
    std::size_t best = 0;
    std::size_t loudest = first;
    for (std::size_t k = first; k <= last; ++k)
    {
        if (db[k] > db[loudest])
            loudest = k;
        if (db[k] >= db[k - 1] && db[k] >= db[k + 1] && (best == 0 || db[k] > db[best]))
            best = k;
    }
    if (best == 0)
        best = loudest;
    if (db[best] <= kDecibelFloor)
        return 0.0;

    const double a = db[best - 1];
    const double b = db[best];
    const double c = db[best + 1];
    const double curvature = a - 2.0 * b + c;
    double offset = 0.0;
    if (curvature < 0.0)
        offset = std::clamp(0.5 * (a - c) / curvature, -0.5, 0.5);
    return (double(best) + offset) * spectrum.binHz;
}

double peakLevel(const std::vector<float>& signal)
{
    double peak = 0.0;
    for (float x : signal)
        peak = std::max(peak, std::abs(double(x)));
    return peak;
}

double powerAboveDb(const Spectrum& spectrum, double frequency)
{
    double above = 0.0, total = 0.0;
    for (std::size_t bin = 0; bin < spectrum.magnitudeDb.size(); ++bin)
    {
        const double power = std::pow(10.0, spectrum.magnitudeDb[bin] / 10.0);
        total += power;
        if (spectrum.frequencyOfBin(bin) > frequency)
            above += power;
    }
    return above > 0.0 ? std::max(kDecibelFloor, 10.0 * std::log10(above / total)) : kDecibelFloor;
}

double rmsLevel(const std::vector<float>& signal)
{
    if (signal.empty())
        return 0.0;
    double sum = 0.0;
    for (float x : signal)
        sum += double(x) * double(x);
    return std::sqrt(sum / double(signal.size()));
}

double toDecibels(double linear) { return powerToDecibels(linear * linear); }

} // namespace Brumvale
