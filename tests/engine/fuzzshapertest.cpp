// Shaper tests: the soft clip and rectifier, the one-pole smoothers, decibels and the portable pow.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/fuzzshaper.h"
#include "engine/decibels.h"
#include "engine/portablepow.h"
#include "model/referencefuzzengine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace Brumvale {
namespace {

ShaperSettings settingsFor(bool warm)
{
    const FuzzTuning tuning = makeFuzzTuning();
    ShaperSettings s;
    s.clipHigh = tuning.clipHigh;
    s.clipLow = tuning.clipLow;
    s.biasKnee = tuning.biasKnee;
    s.clipSharpness = warm ? tuning.clipSharpnessWarm : tuning.clipSharpnessNormal;
    s.rectifierKnee = warm ? tuning.rectifierKneeWarm : tuning.rectifierKneeNormal;
    return s;
}

TEST(FuzzTuning, RectifierKneeIsTheSinglePrecisionSeventh)
{
    EXPECT_EQ(makeFuzzTuning().rectifierKneeNormal, 0.095142856f);
}

// The curve values of the worked examples, from the production curves and the
// transcription alike.
TEST(SoftClip, FollowsTheWorkedExamples)
{
    struct Case
    {
        float u, normal, warm;
    };
    const Case cases[] = {{0.666f, 0.666f, 0.666f},    {-1.0f, -1.0f, -1.0f},
                          {0.80f, 0.7285f, 0.791022f}, {-1.2f, -1.0625f, -1.18f},
                          {0.7f, 0.69538f, 0.69942f},  {1.0f, 0.7285f, 0.94422f},
                          {-1.05f, -1.04f, -1.04875f}, {5.0f, 0.7285f, 1.166f},
                          {-5.0f, -1.0625f, -1.5f},    {0.1f, 0.1f, 0.1f}};
    Model::ReferenceFuzzEngine model;
    for (bool warm : {false, true})
    {
        const ShaperLanes<float> lanes(settingsFor(warm));
        model.setWarmth(warm);
        for (const Case& c : cases)
        {
            const float expected = warm ? c.warm : c.normal;
            EXPECT_NEAR(softClip(c.u, lanes), expected, 2e-5f) << c.u << " warm " << warm;
            EXPECT_EQ(softClip(c.u, lanes), model.softClip(c.u)) << c.u << " warm " << warm;
        }
    }
    // Thresholds pass unchanged, bit for bit.
    const ShaperLanes<float> normal(settingsFor(false));
    EXPECT_EQ(softClip(0.666f, normal), 0.666f);
    EXPECT_EQ(softClip(-1.0f, normal), -1.0f);
    EXPECT_EQ(softClip(0.80f, normal), 0.7285f);
}

TEST(SoftRectify, IsContinuousAtTheKneeAndMatchesTheTranscription)
{
    Model::ReferenceFuzzEngine model;
    for (bool warm : {false, true})
    {
        const ShaperSettings s = settingsFor(warm);
        const ShaperLanes<float> lanes(s);
        model.setWarmth(warm);
        const float k = s.rectifierKnee;
        EXPECT_NEAR(softRectify(k, lanes), 0.5f * k, 1e-7f);
        EXPECT_NEAR(softRectify(std::nextafter(k, 0.0f), lanes), 0.5f * k, 1e-6f);
        for (float d = 0.0f; d < 2.0f; d += 0.0137f)
            EXPECT_EQ(softRectify(d, lanes), model.softRectify(d)) << d;
    }
    const ShaperLanes<float> normal(settingsFor(false));
    EXPECT_FLOAT_EQ(softRectify(0.05f, normal), 0.05f * 0.05f * 5.2552553f);
    EXPECT_FLOAT_EQ(softRectify(0.5f, normal), 0.5f - 0.047571428f);
}

TEST(OnePole, DesignsTheTabulatedSmoothers)
{
    // 44.1 kHz with HiFi on: the shaper's three at 352.8 kHz, the output one at
    // the host rate.
    const OnePole input = OnePole::design(40.0f, 352800.0f);
    const OnePole envelope = OnePole::design(450.0f, 352800.0f);
    const OnePole rectifier = OnePole::design(80.0f, 352800.0f);
    const OnePole output = OnePole::design(200.0f, 44100.0f);
    EXPECT_EQ(input.pole, 0.99951065f);
    EXPECT_EQ(input.gain, 0.00051245047f);
    EXPECT_EQ(envelope.pole, 0.99995649f);
    EXPECT_EQ(envelope.gain, 0.000045565022f);
    EXPECT_EQ(rectifier.pole, 0.99975526f);
    EXPECT_EQ(rectifier.gain, 0.00025628766f);
    EXPECT_EQ(output.pole, 0.99921709f);
    EXPECT_EQ(output.gain, 0.00081985834f);
    // Gain at 0 Hz is pi/3, not 1.
    EXPECT_NEAR(output.gain / (1.0 - output.pole), 1.0471976, 1e-3);
}

TEST(Decibels, GainsAreTenToTheTwentieth)
{
    EXPECT_EQ(decibelsToGain(0.0f), 1.0f);
    EXPECT_EQ(decibelsToGain(36.0f), 63.095726f);
    EXPECT_EQ(decibelsToGain(-36.0f), 0.015848933f);
    EXPECT_EQ(decibelsToGain(-40.0f), 0.01f);
}

TEST(PortablePow, AgreesWithTheLibraryPow)
{
    int floatDifferences = 0, cases = 0;
    for (double base : {10.0, 0.001, 0.01, double(0.01f), 2.0, 0.5, 1234.5})
        for (double exponent = -40.0; exponent <= 40.0; exponent += 0.0137)
        {
            const double expected = std::pow(base, exponent);
            const double actual = portablePow(base, exponent);
            const double magnitude = std::fabs(exponent * std::log(base));
            ASSERT_NEAR(actual / expected, 1.0, 1e-15 * (1.0 + magnitude))
                << base << " ^ " << exponent;
            floatDifferences += float(actual) != float(expected);
            ++cases;
        }
    EXPECT_LE(floatDifferences, cases / 100000 + 1) << "rounded to float they almost never differ";
    EXPECT_EQ(portablePow(10.0, 0.0), 1.0);
    EXPECT_EQ(float(portablePow(10.0, 2.0)), 100.0f);
    EXPECT_EQ(portablePow(0.01, std::numeric_limits<double>::infinity()), 0.0);
    EXPECT_TRUE(std::isnan(portablePow(10.0, std::numeric_limits<double>::quiet_NaN())));
}

TEST(ShapeSample, SmallSineComesOutSquaredAtTwiceItsFrequency)
{
    // Below the rectifier's knee the fold is a square law: sin^2 = (1 - cos 2wt)/2,
    // so after the slow parts settle the output repeats at half the input period.
    ShaperSettings s = settingsFor(false);
    s.inputTracker = OnePole::design(40.0f, 44100.0f);
    s.envelope = OnePole::design(450.0f, 44100.0f);
    s.rectifierTracker = OnePole::design(80.0f, 44100.0f);
    const ShaperLanes<float> lanes(s);
    ShaperState<float> state{kTiny, kTiny, kTiny};
    const int period = 100; // 441 Hz
    std::vector<float> out;
    for (int i = 0; i < 44100; ++i)
        out.push_back(shapeSample(0.02f * float(std::sin(6.283185307 * i / period)), state, lanes));
    double differenceHalf = 0.0, differenceQuarter = 0.0, level = 0.0;
    for (int i = 40000; i < 44000; ++i)
    {
        differenceHalf += std::fabs(out[i] - out[i + period / 2]);
        differenceQuarter += std::fabs(out[i] - out[i + period / 4]);
        level += std::fabs(out[i]);
    }
    EXPECT_GT(level, 0.0);
    EXPECT_LT(differenceHalf, 0.02 * differenceQuarter);
}

} // namespace
} // namespace Brumvale
