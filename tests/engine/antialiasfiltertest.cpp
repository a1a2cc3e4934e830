// The elliptic filters measured as built: impulse, DC, passband and stopband.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/antialiasfilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace Brumvale {
namespace {

// Level of the filter's steady answer to a sine, in decibels. The filter runs on a
// cosine and on a sine of the frequency; once the transient has died away the two
// answers are the real and imaginary parts of H(w) e^(iwn), so |H| is their
// magnitude at any later sample, without windowing errors.
double responseDb(const AntiAliasCoefficients& coefficients, double rate, double frequency)
{
    const AntiAliasFilter<double> filter(coefficients);
    double cosineState[10] = {};
    double sineState[10] = {};
    const double w = 6.283185307179586 * frequency / rate;
    double magnitude = 0.0;
    for (int i = 0; i < 12000; ++i)
    {
        const double re = filter.step(cosineState, std::cos(w * i));
        const double im = filter.step(sineState, std::sin(w * i));
        magnitude = std::hypot(re, im);
    }
    return 20.0 * std::log10(magnitude);
}

class EllipticSet : public testing::TestWithParam<double>
{
protected:
    const AntiAliasCoefficients& coefficients() const
    {
        return AntiAliasCoefficients::forRate(int32_t(GetParam()));
    }
};

TEST_P(EllipticSet, ImpulseStartsAtB0AndDcSettlesAtUnity)
{
    const AntiAliasFilter<double> filter(coefficients());
    double impulseState[10] = {};
    EXPECT_EQ(filter.step(impulseState, 1.0), coefficients().b[0]);
    double energy = 0.0;
    for (int i = 0; i < 20000; ++i)
        energy += std::pow(filter.step(impulseState, 0.0), 2);
    EXPECT_LT(std::fabs(filter.step(impulseState, 0.0)), 1e-12) << "the impulse answer dies away";
    EXPECT_GT(energy, 0.0);

    double dcState[10] = {};
    double y = 0.0;
    for (int i = 0; i < 20000; ++i)
        y = filter.step(dcState, 1.0);
    EXPECT_NEAR(y, 1.0, 1e-7); // the coefficients are rounded to 17 digits
}

TEST_P(EllipticSet, PassbandStaysWithinRippleTo18kHz)
{
    for (double f = 100.0; f <= 18000.0; f += 100.0)
    {
        const double db = responseDb(coefficients(), GetParam(), f);
        EXPECT_LE(db, 0.002) << f << " Hz";
        EXPECT_GE(db, -0.2 - 0.002) << f << " Hz";
    }
}

TEST_P(EllipticSet, StopbandIsAtLeast80dBDownToTheNyquistFrequency)
{
    const double nyquist = GetParam() / 2.0;
    for (double f = 22050.0; f < nyquist; f += 250.0)
        EXPECT_LE(responseDb(coefficients(), GetParam(), f), -80.0) << f << " Hz";
}

TEST_P(EllipticSet, NumeratorIsSymmetric)
{
    for (int k = 0; k < 5; ++k)
        EXPECT_NEAR(coefficients().b[k], coefficients().b[9 - k], 1e-18);
    EXPECT_EQ(coefficients().a[0], 1.0);
}

INSTANTIATE_TEST_SUITE_P(Rates, EllipticSet, testing::Values(352800.0, 384000.0),
                         [](const testing::TestParamInfo<double>& info) {
                             return std::to_string(int(info.param)) + "Hz";
                         });

TEST(AntiAliasCoefficients, OtherRatesPassThrough)
{
    const AntiAliasCoefficients& elliptic = AntiAliasCoefficients::forRate(352800);
    for (int32_t rate : {0, 44100, 176400, 352799, 352801, 383999, 768000})
    {
        const AntiAliasCoefficients& set = AntiAliasCoefficients::forRate(rate);
        EXPECT_NE(&set, &elliptic);
        const AntiAliasFilter<double> filter(set);
        double state[10] = {};
        for (double x : {0.25, -1.0, 1e-15, 3.0, 0.0})
            EXPECT_NEAR(filter.step(state, x), x, 1e-43) << rate;
    }
    EXPECT_NE(&AntiAliasCoefficients::forRate(384000), &elliptic);
    EXPECT_EQ(AntiAliasCoefficients::forRate(352800).b[0], 0.00014656278652071304);
    EXPECT_EQ(AntiAliasCoefficients::forRate(384000).a[9], -0.6557496612136563);
}

TEST(AntiAliasFilter, SilentStepEqualsAStepWithZeroInput)
{
    const AntiAliasFilter<double> filter(AntiAliasCoefficients::forRate(384000));
    double full[10] = {}, silent[10] = {};
    for (int i = 0; i < 4000; ++i)
    {
        const double x = i % 8 == 0 ? std::sin(i * 0.01) : 0.0;
        const double expected = filter.step(full, x);
        const double actual = x == 0.0 ? filter.stepSilent(silent) : filter.step(silent, x);
        ASSERT_EQ(std::memcmp(&expected, &actual, sizeof(double)), 0) << i;
        ASSERT_EQ(std::memcmp(full, silent, sizeof(full)), 0) << i;
    }
}

} // namespace
} // namespace Brumvale
