// The portable power: natural logarithm and exponential by their series, in plain arithmetic.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "portablepow.h"

#include <cmath>
#include <limits>

namespace Brumvale {
namespace {

// ln 2 split so that n * kLn2High is exact for the n that occur.
constexpr double kLn2High = 6.93147180369123816490e-01;
constexpr double kLn2Low = 1.90821492927058770002e-10;
constexpr double kSqrtHalf = 0.70710678118654752440;

// ln x for x > 0: x = m * 2^k with m in [sqrt(1/2), sqrt(2)), then
// ln m = 2 atanh(s) with s = (m - 1) / (m + 1), |s| < 0.172, by its series.
double naturalLog(double x)
{
    int k = 0;
    double m = std::frexp(x, &k); // exact: m in [0.5, 1)
    if (m < kSqrtHalf)
    {
        m *= 2.0;
        --k;
    }
    const double s = (m - 1.0) / (m + 1.0);
    const double s2 = s * s;
    double series = 0.0;
    for (int n = 27; n >= 3; n -= 2)
        series = (series + 1.0 / n) * s2;
    const double lnM = 2.0 * s + 2.0 * s * series;
    return (k * kLn2High + lnM) + k * kLn2Low;
}

// e^x: x = n ln 2 + r with |r| <= ln 2 / 2, e^r by its Taylor series.
double naturalExp(double x)
{
    if (std::isnan(x))
        return x;
    if (x > 709.0)
        return std::numeric_limits<double>::infinity();
    if (x < -745.0)
        return 0.0;
    const double n = std::nearbyint(x / (kLn2High + kLn2Low));
    const double r = (x - n * kLn2High) - n * kLn2Low;
    double sum = 1.0;
    for (int k = 18; k >= 1; --k)
        sum = 1.0 + sum * r / k;
    return std::ldexp(sum, int(n));
}

} // namespace

double portablePow(double base, double exponent)
{
    if (exponent == 0.0)
        return 1.0;
    if (base == 0.0)
        return exponent > 0.0 ? 0.0 : std::numeric_limits<double>::infinity();
    return naturalExp(exponent * naturalLog(base));
}

} // namespace Brumvale
