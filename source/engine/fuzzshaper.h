// The octave-fuzz shaper of one sample: envelope bias, asymmetric soft clipper, soft rectifier.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fuzztuning.h"
#include "onepole.h"
#include "simd/scalarlanes.h"

namespace Brumvale {

// The shaper's settings in force: the clipper and rectifier curves chosen by
// Warmth, and the three smoothers designed for the shaper's rate.
struct ShaperSettings
{
    float clipHigh = 0.0f;
    float clipLow = 0.0f;
    float clipSharpness = 1.0f;
    float rectifierKnee = 1.0f;
    float biasKnee = 0.0f;
    OnePole inputTracker;
    OnePole envelope;
    OnePole rectifierTracker;
};

// The settings broadcast to lanes once per block, so the per-sample code reads
// registers. Derived constants (2s, k/2, 0.5/k) are the very float operations the
// curves would do per sample, so precomputing them changes no result.
template <class Floats> struct ShaperLanes
{
    explicit ShaperLanes(const ShaperSettings& s)
        : clipHigh(s.clipHigh), clipLow(s.clipLow), clipSharpness(s.clipSharpness),
          clipTwiceSharpness(2.0f * s.clipSharpness), rectifierKnee(s.rectifierKnee),
          rectifierHalfKnee(0.5f * s.rectifierKnee), rectifierSquareScale(0.5f / s.rectifierKnee),
          biasKnee(s.biasKnee), inputGain(s.inputTracker.gain), inputPole(s.inputTracker.pole),
          envelopeGain(s.envelope.gain), envelopePole(s.envelope.pole),
          rectifierGain(s.rectifierTracker.gain), rectifierPole(s.rectifierTracker.pole)
    {}

    Floats clipHigh, clipLow, clipSharpness, clipTwiceSharpness;
    Floats rectifierKnee, rectifierHalfKnee, rectifierSquareScale, biasKnee;
    Floats inputGain, inputPole, envelopeGain, envelopePole, rectifierGain, rectifierPole;
};

// One channel's shaper memory (or one per lane).
template <class Floats> struct ShaperState
{
    Floats inputTracker;
    Floats envelope;
    Floats rectifierTracker;
};

// Asymmetric soft clipper: the identity between clipLow and clipHigh; past either
// threshold a parabola joins with slope 1 and flattens after 1/sharpness. Both
// sides and the flat part are computed and selected, so it runs without branches
// on SIMD lanes; clamping t at 0 gives exactly the flat value (1 - 0) / 2s.
template <class Floats> Floats softClip(Floats u, const ShaperLanes<Floats>& s)
{
    const Floats one(1.0f);
    const auto above = u > s.clipHigh;
    const Floats over = select(above, u - s.clipHigh, s.clipLow - u);
    const Floats t = maximum(one - s.clipSharpness * over, Floats(0.0f));
    const Floats knee = (one - t * t) / s.clipTwiceSharpness;
    const Floats clipped = select(above, s.clipHigh + knee, s.clipLow - knee);
    return select(above | (u < s.clipLow), clipped, u);
}

// Near silence the shaper's products fall below the smallest normal float, and
// processors take many times longer over subnormal numbers. Where a product could
// be subnormal it is taken through double (exactProduct): the same bits, at the
// normal speed. These bounds keep the plain products normal: an envelope of 2^-40
// gives a bias of at least 2^-120; a rectifier input of 2^-60 a square of 2^-120,
// and the square's scale is at least 1.5.
constexpr float kSmallestPlainEnvelope = 0x1p-40f;
constexpr float kSmallestPlainSquared = 0x1p-60f;
// Below an envelope of 2^-40 the bias is under 2^-118: less than half a unit in the
// last place of any sum of at least 2^-90, which adding it leaves as it is.
constexpr float kSmallestUnbiasedSum = 0x1p-90f;

// a plus the bias q^2 x envelope. In silence and quiet tails the bias would be
// subnormal in every sample; there a sum of at least 2^-90 is a itself, so neither
// the bias nor a subnormal addition is computed. Only a sum near zero takes the
// bias through double.
template <class Floats> Floats addEnvelopeBias(Floats a, Floats q, Floats envelope)
{
    const Floats plain(kSmallestPlainEnvelope);
    if (allAtLeast(envelope, plain))
        return a + q * q * envelope;
    const auto quiet = envelope < plain;
    const Floats unbiased(kSmallestUnbiasedSum);
    if (!allAtLeast(select(quiet, absolute(a), unbiased), unbiased))
        return a + exactProduct(exactProduct(q, q), envelope);
    // Quiet lanes keep a; the others take the plain sum, on zeros in the quiet lanes
    // so that no subnormal product arises there.
    const Floats zero(0.0f);
    const Floats loudQ = select(quiet, zero, q);
    const Floats loudEnvelope = select(quiet, zero, envelope);
    return select(quiet, a, a + loudQ * loudQ * loudEnvelope);
}

// Soft full-wave rectifier for d >= 0: a parabola below the knee (a small sine
// comes out squared, a pure octave up), d - knee/2 above it; both meet with
// slope 1 at the knee.
template <class Floats> Floats softRectify(Floats d, const ShaperLanes<Floats>& s)
{
    const Floats square = allAtLeast(d, Floats(kSmallestPlainSquared))
                              ? d * d * s.rectifierSquareScale
                              : exactProduct(exactProduct(d, d), s.rectifierSquareScale);
    return select(d >= s.rectifierKnee, d - s.rectifierHalfKnee, square);
}

// Takes out the slow part, adds a bias that grows with the envelope, clips, takes
// out the slow part again and folds: the octave-fuzz sound of one sample.
// Advances the three smoothers of the state.
template <class Floats>
Floats shapeSample(Floats x, ShaperState<Floats>& state, const ShaperLanes<Floats>& s)
{
    state.inputTracker = s.inputGain * x + s.inputPole * state.inputTracker;
    state.envelope = s.envelopeGain * absolute(x) + s.envelopePole * state.envelope;
    const Floats q = state.envelope / (state.envelope + s.biasKnee);
    const Floats u = addEnvelopeBias(x - state.inputTracker, q, state.envelope);
    const Floats y = softClip(u, s);
    state.rectifierTracker = s.rectifierPole * state.rectifierTracker + s.rectifierGain * y;
    return softRectify(absolute(y - state.rectifierTracker), s);
}

} // namespace Brumvale
