// The reference model: a plain scalar transcription of the engine, which must match it bit for bit.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace Brumvale::Model {

// A deliberately plain, scalar transcription of the sound engine: one channel and
// one sample at a time, every step written out as the design states it. It shares
// no code with the production engine, which must match it bit for bit.
class ReferenceFuzzEngine
{
public:
    ReferenceFuzzEngine();

    void setChannelCount(int32_t channels);
    void setSampleRate(double sampleRate);
    void setBoostDb(float db);
    void setVolumeDb(float db);
    void setBypass(bool on);
    void setAntiAlias(bool on);
    void setWarmth(bool on);
    void reset();
    void processBlock(const float* const* inputs, float* const* outputs, int32_t numSamples);

    // The shaper's pieces, for tests of the worked examples.
    float softClip(float u) const;
    float softRectify(float d) const;

    int32_t oversampling = 1;
    bool bypassed = false;

private:
    struct ChannelState
    {
        double interpolatorState[10];
        double decimatorState[10];
        float inputTracker;
        float envelope;
        float rectifierTracker;
        float outputTracker;
    };

    float shapeSample(float x, ChannelState& state) const;
    float filterStep(float x, double* state) const;
    float oversampledShaping(float v, ChannelState& state) const;
    void runFade(float* const* outputs, int32_t numSamples);

    int32_t sampleRate = 44100;
    bool antiAlias = false;
    float boostGain = 1.0f;
    float volumeGain = 1.0f;
    float clipSharpness = 8.0f;
    float rectifierKnee = 0.0f;
    double b[10] = {};
    double a[10] = {};
    float p1 = 0, g1 = 0, p2 = 0, g2 = 0, p3 = 0, g3 = 0, p4 = 0, g4 = 0;

    bool fadeActive = false;
    bool pendingBypass = false;
    bool fadeRising = false;
    float fadeGain = 1.0f;
    float fadeFloor = 0.01f;
    float fadeCoefficient = 0.0f;

    std::vector<ChannelState> channels;
};

} // namespace Brumvale::Model
