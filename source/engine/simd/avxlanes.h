// The eight-float and four-double AVX lane packs, for the translation unit built with AVX2.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pairsmoother.h"
#include "sse2lanes.h"

#include <immintrin.h>

// AVX lane packs, for the translation unit built with AVX2 enabled only. Like the
// SSE2 packs, each operation is the scalar IEEE operation lane by lane.

namespace Brumvale {
namespace {
// Own namespace, so the lane functions are found by argument lookup and do not
// hide the scalar ones.
namespace simd {

struct Doubles4
{
    __m256d v;
    Doubles4() = default;
    explicit Doubles4(__m256d x) : v(x) {}
    explicit Doubles4(double x) : v(_mm256_set1_pd(x)) {}
};

inline Doubles4 operator+(Doubles4 a, Doubles4 b) { return Doubles4(_mm256_add_pd(a.v, b.v)); }
inline Doubles4 operator-(Doubles4 a, Doubles4 b) { return Doubles4(_mm256_sub_pd(a.v, b.v)); }
inline Doubles4 operator*(Doubles4 a, Doubles4 b) { return Doubles4(_mm256_mul_pd(a.v, b.v)); }

struct Floats8
{
    __m256 v;
    Floats8() = default;
    explicit Floats8(__m256 x) : v(x) {}
    explicit Floats8(float x) : v(_mm256_set1_ps(x)) {}

    static constexpr int kWidth = 8;
    static Floats8 load(const float* p) { return Floats8(_mm256_load_ps(p)); }
    static void store(float* p, Floats8 x) { _mm256_store_ps(p, x.v); }
};

inline Floats8 operator+(Floats8 a, Floats8 b) { return Floats8(_mm256_add_ps(a.v, b.v)); }
inline Floats8 operator-(Floats8 a, Floats8 b) { return Floats8(_mm256_sub_ps(a.v, b.v)); }
inline Floats8 operator*(Floats8 a, Floats8 b) { return Floats8(_mm256_mul_ps(a.v, b.v)); }
inline Floats8 operator/(Floats8 a, Floats8 b) { return Floats8(_mm256_div_ps(a.v, b.v)); }
inline Floats8 operator>(Floats8 a, Floats8 b)
{
    return Floats8(_mm256_cmp_ps(a.v, b.v, _CMP_GT_OQ));
}
inline Floats8 operator<(Floats8 a, Floats8 b)
{
    return Floats8(_mm256_cmp_ps(a.v, b.v, _CMP_LT_OQ));
}
inline Floats8 operator>=(Floats8 a, Floats8 b)
{
    return Floats8(_mm256_cmp_ps(a.v, b.v, _CMP_GE_OQ));
}
inline Floats8 operator|(Floats8 a, Floats8 b) { return Floats8(_mm256_or_ps(a.v, b.v)); }
inline Floats8 select(Floats8 mask, Floats8 whenSet, Floats8 otherwise)
{
    return Floats8(_mm256_blendv_ps(otherwise.v, whenSet.v, mask.v));
}
inline Floats8 absolute(Floats8 a) { return Floats8(_mm256_andnot_ps(_mm256_set1_ps(-0.0f), a.v)); }
inline Floats8 maximum(Floats8 a, Floats8 b) { return Floats8(_mm256_max_ps(a.v, b.v)); }
inline bool allAtLeast(Floats8 x, Floats8 bound)
{
    return _mm256_movemask_ps(_mm256_cmp_ps(x.v, bound.v, _CMP_GE_OQ)) == 0xFF;
}
inline Floats8 exactProduct(Floats8 a, Floats8 b)
{
    const __m256d low = _mm256_mul_pd(_mm256_cvtps_pd(_mm256_castps256_ps128(a.v)),
                                      _mm256_cvtps_pd(_mm256_castps256_ps128(b.v)));
    const __m256d high = _mm256_mul_pd(_mm256_cvtps_pd(_mm256_extractf128_ps(a.v, 1)),
                                       _mm256_cvtps_pd(_mm256_extractf128_ps(b.v, 1)));
    return Floats8(_mm256_set_m128(_mm256_cvtpd_ps(high), _mm256_cvtpd_ps(low)));
}

// The smoother of trackRectifier() in pairsmoother.h stepped through four consecutive
// samples of a channel pair.
inline Floats8 trackRectifier(Floats8 x, Floats4& state, Floats4 pole, Floats4 gain)
{
    const Floats4 early = trackRectifier(Floats4(_mm256_castps256_ps128(x.v)), state, pole, gain);
    const Floats4 late = trackRectifier(Floats4(_mm256_extractf128_ps(x.v, 1)), state, pole, gain);
    return Floats8(_mm256_set_m128(late.v, early.v));
}

} // namespace simd

} // namespace
} // namespace Brumvale
