// The SSE2 lane packs, the x86 baseline: four floats, two doubles and the channel-pair layout.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <emmintrin.h>
#ifdef __AVX__
#include <immintrin.h>
#endif

// SSE2 lane packs, the x86 baseline: Floats4 holds four floats, Doubles2 two
// doubles. Every operation is the single IEEE operation of the scalar code, lane by
// lane, so a lane computes bit for bit what the scalar code computes. neonlanes.h
// has the same packs for 64-bit ARM.
//
// Kept in an unnamed namespace: the AVX translation unit includes these too, and
// its copies (VEX-encoded) must never stand in for the baseline ones.

namespace Brumvale {
namespace {
// Own namespace, so the lane functions are found by argument lookup and do not
// hide the scalar ones.
namespace simd {

struct Floats4
{
    __m128 v;
    Floats4() = default;
    explicit Floats4(__m128 x) : v(x) {}
    explicit Floats4(float x) : v(_mm_set1_ps(x)) {}

    static constexpr int kWidth = 4;
    static Floats4 load(const float* p) { return Floats4(_mm_load_ps(p)); }
    static void store(float* p, Floats4 x) { _mm_store_ps(p, x.v); }
};

inline Floats4 operator+(Floats4 a, Floats4 b) { return Floats4(_mm_add_ps(a.v, b.v)); }
inline Floats4 operator-(Floats4 a, Floats4 b) { return Floats4(_mm_sub_ps(a.v, b.v)); }
inline Floats4 operator*(Floats4 a, Floats4 b) { return Floats4(_mm_mul_ps(a.v, b.v)); }
inline Floats4 operator/(Floats4 a, Floats4 b) { return Floats4(_mm_div_ps(a.v, b.v)); }
inline Floats4 operator>(Floats4 a, Floats4 b) { return Floats4(_mm_cmpgt_ps(a.v, b.v)); }
inline Floats4 operator<(Floats4 a, Floats4 b) { return Floats4(_mm_cmplt_ps(a.v, b.v)); }
inline Floats4 operator>=(Floats4 a, Floats4 b) { return Floats4(_mm_cmpge_ps(a.v, b.v)); }
inline Floats4 operator|(Floats4 a, Floats4 b) { return Floats4(_mm_or_ps(a.v, b.v)); }
inline Floats4 select(Floats4 mask, Floats4 whenSet, Floats4 otherwise)
{
#ifdef __AVX__
    return Floats4(_mm_blendv_ps(otherwise.v, whenSet.v, mask.v));
#else
    return Floats4(_mm_or_ps(_mm_and_ps(mask.v, whenSet.v), _mm_andnot_ps(mask.v, otherwise.v)));
#endif
}
inline Floats4 absolute(Floats4 a) { return Floats4(_mm_andnot_ps(_mm_set1_ps(-0.0f), a.v)); }
inline Floats4 maximum(Floats4 a, Floats4 b) { return Floats4(_mm_max_ps(a.v, b.v)); }
inline bool allAtLeast(Floats4 x, Floats4 bound)
{
    return _mm_movemask_ps(_mm_cmpge_ps(x.v, bound.v)) == 0xF;
}
inline Floats4 exactProduct(Floats4 a, Floats4 b)
{
    const __m128d low = _mm_mul_pd(_mm_cvtps_pd(a.v), _mm_cvtps_pd(b.v));
    const __m128d high =
        _mm_mul_pd(_mm_cvtps_pd(_mm_movehl_ps(a.v, a.v)), _mm_cvtps_pd(_mm_movehl_ps(b.v, b.v)));
    return Floats4(_mm_movelh_ps(_mm_cvtpd_ps(low), _mm_cvtpd_ps(high)));
}

// Lanes 2 and 3 moved to 0 and 1; lanes 0 and 1 of two packs side by side.
inline Floats4 highHalf(Floats4 x) { return Floats4(_mm_movehl_ps(x.v, x.v)); }
inline Floats4 lowHalves(Floats4 low, Floats4 high)
{
    return Floats4(_mm_movelh_ps(low.v, high.v));
}

// A pair of floats (two channels of one sample) into lanes 0 and 1, repeated in
// lanes 2 and 3; and back. Pairs start at any float, so they move as unaligned
// 64-bit integers.
inline Floats4 loadPair(const float* p)
{
    const __m128i pair = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
    return Floats4(_mm_castsi128_ps(_mm_unpacklo_epi64(pair, pair)));
}
inline void storePair(float* p, Floats4 x)
{
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_castps_si128(x.v));
}

struct Doubles2
{
    __m128d v;
    Doubles2() = default;
    explicit Doubles2(__m128d x) : v(x) {}
    explicit Doubles2(double x) : v(_mm_set1_pd(x)) {}
};

inline Doubles2 operator+(Doubles2 a, Doubles2 b) { return Doubles2(_mm_add_pd(a.v, b.v)); }
inline Doubles2 operator-(Doubles2 a, Doubles2 b) { return Doubles2(_mm_sub_pd(a.v, b.v)); }
inline Doubles2 operator*(Doubles2 a, Doubles2 b) { return Doubles2(_mm_mul_pd(a.v, b.v)); }

// Lanes 0 and 1 as doubles; two doubles as floats in lanes 0 and 1 (2 and 3 zero).
inline Doubles2 lowToDoubles(Floats4 x) { return Doubles2(_mm_cvtps_pd(x.v)); }
inline Floats4 toLowFloats(Doubles2 x) { return Floats4(_mm_cvtpd_ps(x.v)); }
// [a, a, b, b]
inline Floats4 pairOfPairs(float a, float b) { return Floats4(_mm_setr_ps(a, a, b, b)); }
// Lanes 0 and 1, then their magnitudes: [x0, x1, |x0|, |x1|].
inline Floats4 withMagnitudes(Floats4 x)
{
    const __m128 mask = _mm_castsi128_ps(_mm_setr_epi32(-1, -1, 0x7fffffff, 0x7fffffff));
    return Floats4(_mm_and_ps(_mm_movelh_ps(x.v, x.v), mask));
}

// Two channels side by side: lanes 0 and 1 of the float pack. Lanes 2 and 3 repeat
// them and are never stored; copies rather than zeros, because zero lanes run the
// shaper on the guard value, whose tiny products are slow denormal arithmetic.
struct PairLanes
{
    using Floats = Floats4;
    using Doubles = Doubles2;
    static constexpr int kWidth = 2;

    static Floats gather(const float* const* buffers, int channel, int index)
    {
        const __m128 pair = _mm_unpacklo_ps(_mm_load_ss(buffers[channel] + index),
                                            _mm_load_ss(buffers[channel + 1] + index));
        return Floats(_mm_movelh_ps(pair, pair));
    }
    static void scatter(float* const* buffers, int channel, int index, Floats x)
    {
        _mm_store_ss(buffers[channel] + index, x.v);
        _mm_store_ss(buffers[channel + 1] + index, _mm_shuffle_ps(x.v, x.v, 1));
    }
    static Floats loadFloats(const float* p) { return loadPair(p); }
    static void storeFloats(float* p, Floats x) { storePair(p, x); }
    static Doubles loadDoubles(const double* p) { return Doubles(_mm_loadu_pd(p)); }
    static void storeDoubles(double* p, Doubles x) { _mm_storeu_pd(p, x.v); }
    static Doubles toDoubles(Floats x) { return lowToDoubles(x); }
    static Floats toFloats(Doubles x)
    {
        const __m128 pair = _mm_cvtpd_ps(x.v);
        return Floats(_mm_movelh_ps(pair, pair));
    }
};

} // namespace simd

using simd::PairLanes;

} // namespace
} // namespace Brumvale
