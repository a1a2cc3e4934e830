// Spectra and levels of audio: Welch-averaged magnitudes in dB, the strongest frequency, peak, RMS.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

namespace Brumvale {

// What toDecibels gives for zero (and anything below about 1e-10): a finite
// floor keeps plots, averages and comparisons free of infinities.
constexpr double kDecibelFloor = -200.0;

// Magnitude spectrum of a mono signal, one value per FFT bin from DC up to
// Nyquist, in dB relative to a full-scale sine (a sine of amplitude 1 reads
// about 0 dB at its frequency).
struct Spectrum
{
    double sampleRate = 0.0;
    double binHz = 0.0;              // spacing of the bins: sampleRate / FFT size
    std::vector<double> magnitudeDb; // FFT size / 2 + 1 bins

    double frequencyOfBin(std::size_t bin) const { return double(bin) * binHz; }
    // The highest level within one bin of the frequency: a tone between two bins
    // still reads its level. kDecibelFloor when the frequency is out of range.
    double levelAt(double frequency) const;
};

// The FFT size used for a sample rate: the smallest power of two of at least a
// sixth of a second (8192 at 44.1 and 48 kHz), so the resolution in Hz barely
// depends on the rate.
int spectrumFftSize(double sampleRate);

// Hann-windowed Welch average (segments overlapping by half, power averaged) of
// the signal. fftSize 0 picks spectrumFftSize(sampleRate); otherwise it must be
// a power of two of at least 16. A signal shorter than the FFT size is windowed
// over its own length and zero-padded. Throws std::invalid_argument for a
// sample rate that is not positive or a bad FFT size.
Spectrum computeSpectrum(const std::vector<float>& signal, double sampleRate, int fftSize = 0);

// Frequency of the strongest spectral peak above minHz, refined by a parabola
// through the log magnitudes of the peak bin and its neighbours. 0 for a
// signal with no energy above minHz.
double strongestFrequency(const std::vector<float>& signal, double sampleRate, double minHz = 20.0);

// The share of the spectrum's power above the frequency, in dB (0: all of it);
// kDecibelFloor when nothing lies above it or the spectrum holds no energy.
double powerAboveDb(const Spectrum& spectrum, double frequency);

// Largest absolute sample value (linear; 0 for an empty signal).
double peakLevel(const std::vector<float>& signal);
// Root mean square of the samples (linear; 0 for an empty signal).
double rmsLevel(const std::vector<float>& signal);
// 20 log10 of a linear amplitude, kDecibelFloor for zero and tiny values.
double toDecibels(double linear);

} // namespace Brumvale
