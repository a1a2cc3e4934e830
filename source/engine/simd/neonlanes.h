// NEON lane packs for 64-bit ARM: the same four-float and two-double packs, lane
// helpers and channel-pair layout as sse2lanes.h, so the pair renderer runs on both.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <arm_neon.h>

// Every operation is the single IEEE operation of the scalar code, lane by lane, as
// on x86; where NEON's own instruction differs from SSE's (maximum with a NaN or
// with zeros of both signs), the SSE rule is built from a compare and a select.
// No fused multiply-add: the arithmetic is written as operators, which the
// project's -ffp-contract=off keeps apart.

namespace Brumvale {
namespace {
// Own namespace, so the lane functions are found by argument lookup and do not
// hide the scalar ones.
namespace simd {

struct Floats4
{
    float32x4_t v;
    Floats4() = default;
    explicit Floats4(float32x4_t x) : v(x) {}
    explicit Floats4(uint32x4_t mask) : v(vreinterpretq_f32_u32(mask)) {}
    explicit Floats4(float x) : v(vdupq_n_f32(x)) {}

    static constexpr int kWidth = 4;
    static Floats4 load(const float* p) { return Floats4(vld1q_f32(p)); }
    static void store(float* p, Floats4 x) { vst1q_f32(p, x.v); }
    uint32x4_t bits() const { return vreinterpretq_u32_f32(v); }
};

inline Floats4 operator+(Floats4 a, Floats4 b) { return Floats4(vaddq_f32(a.v, b.v)); }
inline Floats4 operator-(Floats4 a, Floats4 b) { return Floats4(vsubq_f32(a.v, b.v)); }
inline Floats4 operator*(Floats4 a, Floats4 b) { return Floats4(vmulq_f32(a.v, b.v)); }
inline Floats4 operator/(Floats4 a, Floats4 b) { return Floats4(vdivq_f32(a.v, b.v)); }
inline Floats4 operator>(Floats4 a, Floats4 b) { return Floats4(vcgtq_f32(a.v, b.v)); }
inline Floats4 operator<(Floats4 a, Floats4 b) { return Floats4(vcltq_f32(a.v, b.v)); }
inline Floats4 operator>=(Floats4 a, Floats4 b) { return Floats4(vcgeq_f32(a.v, b.v)); }
inline Floats4 operator|(Floats4 a, Floats4 b) { return Floats4(vorrq_u32(a.bits(), b.bits())); }
inline Floats4 select(Floats4 mask, Floats4 whenSet, Floats4 otherwise)
{
    return Floats4(vbslq_f32(mask.bits(), whenSet.v, otherwise.v));
}
inline Floats4 absolute(Floats4 a) { return Floats4(vabsq_f32(a.v)); }
// SSE's rule: the first operand if it is greater, else the second.
inline Floats4 maximum(Floats4 a, Floats4 b) { return select(a > b, a, b); }
inline bool allAtLeast(Floats4 x, Floats4 bound)
{
    return vminvq_u32(vcgeq_f32(x.v, bound.v)) == 0xFFFFFFFFu;
}
inline Floats4 exactProduct(Floats4 a, Floats4 b)
{
    const float64x2_t low =
        vmulq_f64(vcvt_f64_f32(vget_low_f32(a.v)), vcvt_f64_f32(vget_low_f32(b.v)));
    const float64x2_t high = vmulq_f64(vcvt_high_f64_f32(a.v), vcvt_high_f64_f32(b.v));
    return Floats4(vcvt_high_f32_f64(vcvt_f32_f64(low), high));
}

// Lanes 2 and 3 moved to 0 and 1; lanes 0 and 1 of two packs side by side.
inline Floats4 highHalf(Floats4 x)
{
    return Floats4(vcombine_f32(vget_high_f32(x.v), vget_high_f32(x.v)));
}
inline Floats4 lowHalves(Floats4 low, Floats4 high)
{
    return Floats4(vcombine_f32(vget_low_f32(low.v), vget_low_f32(high.v)));
}

// A pair of floats (two channels of one sample) into lanes 0 and 1, repeated in
// lanes 2 and 3; and back.
inline Floats4 loadPair(const float* p)
{
    const float32x2_t pair = vld1_f32(p);
    return Floats4(vcombine_f32(pair, pair));
}
inline void storePair(float* p, Floats4 x) { vst1_f32(p, vget_low_f32(x.v)); }

struct Doubles2
{
    float64x2_t v;
    Doubles2() = default;
    explicit Doubles2(float64x2_t x) : v(x) {}
    explicit Doubles2(double x) : v(vdupq_n_f64(x)) {}
};

inline Doubles2 operator+(Doubles2 a, Doubles2 b) { return Doubles2(vaddq_f64(a.v, b.v)); }
inline Doubles2 operator-(Doubles2 a, Doubles2 b) { return Doubles2(vsubq_f64(a.v, b.v)); }
inline Doubles2 operator*(Doubles2 a, Doubles2 b) { return Doubles2(vmulq_f64(a.v, b.v)); }

// Lanes 0 and 1 as doubles; two doubles as floats in lanes 0 and 1, repeated in 2
// and 3 (only lanes 0 and 1 are ever stored).
inline Doubles2 lowToDoubles(Floats4 x) { return Doubles2(vcvt_f64_f32(vget_low_f32(x.v))); }
inline Floats4 toLowFloats(Doubles2 x)
{
    const float32x2_t pair = vcvt_f32_f64(x.v);
    return Floats4(vcombine_f32(pair, pair));
}
// [a, a, b, b]
inline Floats4 pairOfPairs(float a, float b)
{
    return Floats4(vcombine_f32(vdup_n_f32(a), vdup_n_f32(b)));
}
// Lanes 0 and 1, then their magnitudes: [x0, x1, |x0|, |x1|].
inline Floats4 withMagnitudes(Floats4 x)
{
    const float32x2_t pair = vget_low_f32(x.v);
    return Floats4(vcombine_f32(pair, vabs_f32(pair)));
}

// Two channels side by side: lanes 0 and 1 of the float pack, repeated in lanes 2
// and 3 (copies rather than zeros, as on x86).
struct PairLanes
{
    using Floats = Floats4;
    using Doubles = Doubles2;
    static constexpr int kWidth = 2;

    static Floats gather(const float* const* buffers, int channel, int index)
    {
        const float32x2_t pair =
            vset_lane_f32(buffers[channel + 1][index], vdup_n_f32(buffers[channel][index]), 1);
        return Floats(vcombine_f32(pair, pair));
    }
    static void scatter(float* const* buffers, int channel, int index, Floats x)
    {
        vst1q_lane_f32(buffers[channel] + index, x.v, 0);
        vst1q_lane_f32(buffers[channel + 1] + index, x.v, 1);
    }
    static Floats loadFloats(const float* p) { return loadPair(p); }
    static void storeFloats(float* p, Floats x) { storePair(p, x); }
    static Doubles loadDoubles(const double* p) { return Doubles(vld1q_f64(p)); }
    static void storeDoubles(double* p, Doubles x) { vst1q_f64(p, x.v); }
    static Doubles toDoubles(Floats x) { return lowToDoubles(x); }
    static Floats toFloats(Doubles x) { return toLowFloats(x); }
};

} // namespace simd

using simd::PairLanes;

} // namespace
} // namespace Brumvale
