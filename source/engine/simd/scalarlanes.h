// The scalar lane pack: one channel in plain float and double, for the generic sound code.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One channel as a lane pack of width 1: plain float and double, with the same
// free functions the SIMD packs offer, so the generic sound code runs on both.

namespace Brumvale {

inline float select(bool mask, float whenSet, float otherwise)
{
    return mask ? whenSet : otherwise;
}
inline float absolute(float x) { return __builtin_fabsf(x); }
// The SIMD max instruction's rule: the first operand if it is greater, else the
// second.
inline float maximum(float a, float b) { return a > b ? a : b; }
inline bool allAtLeast(float x, float bound) { return x >= bound; }
// The float product taken through double: the double product of two floats is
// exact, so rounding it once gives the float product's bits. Processors compute
// subnormal float products slowly but subnormal conversions fast.
inline float exactProduct(float a, float b) { return float(double(a) * double(b)); }

struct ScalarLanes
{
    using Floats = float;
    using Doubles = double;
    static constexpr int kWidth = 1;

    static Floats gather(const float* const* buffers, int channel, int index)
    {
        return buffers[channel][index];
    }
    static void scatter(float* const* buffers, int channel, int index, Floats x)
    {
        buffers[channel][index] = x;
    }
    static Floats loadFloats(const float* p) { return *p; }
    static void storeFloats(float* p, Floats x) { *p = x; }
    static Doubles loadDoubles(const double* p) { return *p; }
    static void storeDoubles(double* p, Doubles x) { *p = x; }
    static Doubles toDoubles(Floats x) { return x; }
    static Floats toFloats(Doubles x) { return static_cast<float>(x); }
};

} // namespace Brumvale
