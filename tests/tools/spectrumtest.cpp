// Spectra of sines, noise and silence, the strongest frequency, and peak, RMS and decibel levels.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace Brumvale {
namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<float> sine(double frequency, double amplitude, double sampleRate, double seconds)
{
    std::vector<float> out(std::size_t(seconds * sampleRate));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = float(amplitude * std::sin(2.0 * kPi * frequency * double(i) / sampleRate));
    return out;
}

std::vector<float> whiteNoise(std::size_t length)
{
    // Uniform in [-1, 1): variance 1/3.
    std::vector<float> out(length);
    uint32_t state = 12345;
    for (float& x : out)
    {
        state = state * 1664525u + 1013904223u;
        x = float(double(state) / 2147483648.0 - 1.0);
    }
    return out;
}

std::size_t nearestBin(const Spectrum& s, double frequency)
{
    return std::size_t(std::lround(frequency / s.binHz));
}

TEST(Spectrum, FullScaleSineReadsZeroDbAtItsFrequencyAndFarLessElsewhere)
{
    const double rate = 48000.0;
    const Spectrum s = computeSpectrum(sine(1000.0, 1.0, rate, 1.0), rate);
    ASSERT_EQ(s.magnitudeDb.size(), 8192u / 2 + 1);
    EXPECT_DOUBLE_EQ(s.binHz, rate / 8192.0);
    EXPECT_DOUBLE_EQ(s.sampleRate, rate);
    // 1 kHz lies a third of a bin off a bin centre, where the Hann window's
    // scalloping costs it up to 1.4 dB.
    EXPECT_NEAR(s.levelAt(1000.0), 0.0, 1.5);
    const std::size_t peak = nearestBin(s, 1000.0);
    for (std::size_t k = 0; k < s.magnitudeDb.size(); ++k)
    {
        const double distance = std::abs(double(k) - double(peak));
        if (distance > 20.0)
        {
            EXPECT_LT(s.magnitudeDb[k], -70.0) << "bin " << k;
        }
        if (k < peak / 2 || k > peak * 2)
        {
            EXPECT_LT(s.magnitudeDb[k], -100.0) << "bin " << k;
        }
    }
}

TEST(Spectrum, LevelFollowsAmplitudeAndDcReadsItsValue)
{
    // On a bin centre there is no scalloping: the scaling shows exactly.
    const double rate = 44100.0;
    const double centre = 372.0 * rate / 8192.0;
    for (double db : {0.0, -20.0, -40.0, -60.0})
    {
        const double amplitude = std::pow(10.0, db / 20.0);
        const Spectrum s = computeSpectrum(sine(centre, amplitude, rate, 1.0), rate);
        EXPECT_NEAR(s.magnitudeDb[372], db, 0.01);
        EXPECT_DOUBLE_EQ(s.levelAt(centre), s.magnitudeDb[372]);
    }
    const Spectrum dc = computeSpectrum(std::vector<float>(20000, 0.25f), rate);
    EXPECT_NEAR(dc.magnitudeDb[0], 20.0 * std::log10(0.25), 0.01);
}

TEST(Spectrum, WelchAverageOfWhiteNoiseIsFlatAtTheExpectedLevel)
{
    // With the sine-amplitude scaling, noise of variance v reads
    // 10 log10(v * 4 * sum(w^2) / sum(w)^2) = 10 log10(v * 6 / N) per bin.
    const int n = 1024;
    const Spectrum s = computeSpectrum(whiteNoise(400000), 48000.0, n);
    const double expected = 10.0 * std::log10((1.0 / 3.0) * 6.0 / n);
    double sum = 0.0;
    double sumSquares = 0.0;
    int count = 0;
    double meanPower = 0.0;
    for (std::size_t k = 10; k + 10 < s.magnitudeDb.size(); ++k)
    {
        sum += s.magnitudeDb[k];
        sumSquares += s.magnitudeDb[k] * s.magnitudeDb[k];
        meanPower += std::pow(10.0, s.magnitudeDb[k] / 10.0);
        ++count;
    }
    meanPower /= count;
    const double mean = sum / count;
    const double deviation = std::sqrt(sumSquares / count - mean * mean);
    EXPECT_NEAR(10.0 * std::log10(meanPower), expected, 0.3);
    // A single periodogram scatters by about 5.6 dB; hundreds of averaged
    // segments bring that well under 1 dB.
    EXPECT_LT(deviation, 0.5);
}

TEST(Spectrum, ShortSignalIsWindowedOverItsOwnLength)
{
    const double rate = 48000.0;
    const Spectrum s = computeSpectrum(sine(3000.0, 1.0, rate, 2048.0 / rate), rate);
    ASSERT_EQ(s.magnitudeDb.size(), 8192u / 2 + 1);
    EXPECT_NEAR(s.levelAt(3000.0), 0.0, 1.5);
    EXPECT_LT(s.levelAt(9000.0), -60.0);
}

TEST(Spectrum, SilenceAndEmptySignalsGiveTheFloor)
{
    for (const std::vector<float>& signal : {std::vector<float>(), std::vector<float>(30000)})
    {
        const Spectrum s = computeSpectrum(signal, 44100.0);
        ASSERT_EQ(s.magnitudeDb.size(), 8192u / 2 + 1);
        for (double db : s.magnitudeDb)
            EXPECT_EQ(db, kDecibelFloor);
        EXPECT_EQ(strongestFrequency(signal, 44100.0), 0.0);
    }
}

TEST(Spectrum, FftSizeFollowsTheRateAndBadArgumentsThrow)
{
    EXPECT_EQ(spectrumFftSize(44100.0), 8192);
    EXPECT_EQ(spectrumFftSize(48000.0), 8192);
    EXPECT_EQ(spectrumFftSize(96000.0), 16384);
    EXPECT_EQ(spectrumFftSize(22050.0), 4096);
    const std::vector<float> signal(1000, 0.5f);
    EXPECT_THROW(computeSpectrum(signal, 0.0), std::invalid_argument);
    EXPECT_THROW(computeSpectrum(signal, -44100.0), std::invalid_argument);
    EXPECT_THROW(computeSpectrum(signal, 44100.0, 1000), std::invalid_argument);
    EXPECT_THROW(computeSpectrum(signal, 44100.0, 8), std::invalid_argument);
    EXPECT_EQ(computeSpectrum(signal, 44100.0, 512).magnitudeDb.size(), 257u);
}

TEST(StrongestFrequency, FindsSinesWithinOneHertzAtBothRates)
{
    for (double rate : {44100.0, 48000.0})
        for (double frequency : {220.0, 440.0, 1000.0, 3150.7})
        {
            const double found = strongestFrequency(sine(frequency, 0.8, rate, 2.0), rate);
            // Far finer than the 5.4-5.9 Hz bin spacing: the interpolation works.
            EXPECT_NEAR(found, frequency, 1.0) << frequency << " Hz at " << rate;
        }
}

TEST(StrongestFrequency, PicksTheLouderOfTwoSinesAndHonoursMinHz)
{
    const double rate = 44100.0;
    std::vector<float> mix = sine(330.0, 0.2, rate, 1.0);
    const std::vector<float> loud = sine(1250.0, 0.6, rate, 1.0);
    for (std::size_t i = 0; i < mix.size(); ++i)
        mix[i] += loud[i];
    EXPECT_NEAR(strongestFrequency(mix, rate), 1250.0, 1.0);

    // The louder tone is first in frequency here: minHz above it finds the other.
    std::vector<float> bassHeavy = sine(60.0, 0.9, rate, 1.0);
    const std::vector<float> treble = sine(2500.0, 0.1, rate, 1.0);
    for (std::size_t i = 0; i < bassHeavy.size(); ++i)
        bassHeavy[i] += treble[i];
    EXPECT_NEAR(strongestFrequency(bassHeavy, rate), 60.0, 1.0);
    EXPECT_NEAR(strongestFrequency(bassHeavy, rate, 200.0), 2500.0, 1.0);
}

TEST(Levels, PeakAndRmsOfKnownSignals)
{
    const std::vector<float> half = sine(1000.0, 0.5, 48000.0, 1.0);
    EXPECT_NEAR(peakLevel(half), 0.5, 1e-4);
    EXPECT_NEAR(rmsLevel(half), 0.5 / std::sqrt(2.0), 1e-4);

    // The negative excursion is the peak.
    const std::vector<float> square = {0.25f, -0.75f, 0.25f, -0.25f};
    EXPECT_DOUBLE_EQ(peakLevel(square), 0.75);
    EXPECT_DOUBLE_EQ(rmsLevel(square), std::sqrt((0.0625 + 0.5625 + 0.0625 + 0.0625) / 4.0));

    EXPECT_EQ(peakLevel({}), 0.0);
    EXPECT_EQ(rmsLevel({}), 0.0);
}

TEST(Levels, DecibelConversion)
{
    EXPECT_DOUBLE_EQ(toDecibels(1.0), 0.0);
    EXPECT_NEAR(toDecibels(0.5), -6.0206, 1e-4);
    EXPECT_NEAR(toDecibels(10.0), 20.0, 1e-12);
    EXPECT_NEAR(toDecibels(1e-9), -180.0, 1e-9);
    EXPECT_EQ(toDecibels(0.0), kDecibelFloor);
    EXPECT_EQ(toDecibels(1e-12), kDecibelFloor);
}

} // namespace
} // namespace Brumvale
