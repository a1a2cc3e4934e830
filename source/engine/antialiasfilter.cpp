// The elliptic low-pass coefficients for 352.8 kHz and 384 kHz, and the pass-through set.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "antialiasfilter.h"

namespace Brumvale {
namespace {

// Each value is the shortest decimal that converts to the double in use.
constexpr AntiAliasCoefficients kElliptic352k8 = {
    {0.00014656278652071304, -0.0008330976473479205, 0.0020472282927474494, -0.002595369698388977,
     0.0012354536047475772, 0.0012354536047475772, -0.0025953696983889766, 0.00204722829274745,
     -0.0008330976473479207, 0.0001465627865207131},
    {1.0, -8.287274017750377, 30.779725610288807, -67.2262083127931, 95.1339320056776,
     -90.44278039011833, 57.755782712165, -23.88704939345552, 5.805609508435459,
     -0.6317361677729653},
};

constexpr AntiAliasCoefficients kElliptic384k = {
    {0.0001313457395970512, -0.0007710809289655166, 0.00193783246136305, -0.002493012058350816,
     0.001195283515139726, 0.001195283515139726, -0.0024930120583508157, 0.0019378324613630504,
     -0.0007710809289655166, 0.0001313457395970512},
    {1.0, -8.363447105812348, 31.305247747936583, -68.81871589786775, 97.89931078682092,
     -93.44863489540279, 59.846810870111554, -24.794470278668204, 6.029649171553242,
     -0.6557496612136563},
};

// Passes its input through up to a few times 1e-45.
constexpr AntiAliasCoefficients kPassThrough = {
    {1.0, 1e-45, 1e-45, 1e-45, 1e-45, 1e-45, 1e-45, 1e-45, 1e-45, 1e-45},
    {1.0, 1e-45, 1e-45, 1e-45, 1e-45, 1e-45, 1e-45, 1e-45, 1e-45, 1e-45},
};

} // namespace

const AntiAliasCoefficients& AntiAliasCoefficients::forRate(int32_t shaperRate)
{
    switch (shaperRate)
    {
    case 352800:
        return kElliptic352k8;
    case 384000:
        return kElliptic384k;
    default:
        return kPassThrough;
    }
}

} // namespace Brumvale
