// The model written out step by step: shaper, elliptic filters, smoothers, oversampling and fade.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "referencefuzzengine.h"

#include <cmath>

namespace Brumvale::Model {
namespace {

const float kTiny = 1e-15f;
const float headroom = 3.0f;
const float biasKnee = 0.7f;
const float clipHigh = 0.666f;
const float clipLow = -1.0f;
const float rectifierKneeNormal = 0.666f / 7.0f;
const float rectifierKneeWarm = 0.333f;
const float clipSharpnessNormal = 8.0f;
const float clipSharpnessWarm = 1.0f;
const float inputLowCutMs = 40.0f;
const float envelopeMs = 450.0f;
const float rectifierLowCutMs = 80.0f;
const float outputLowCutMs = 200.0f;

const double ellipticB352[10] = {
    0.00014656278652071304, -0.0008330976473479205, 0.0020472282927474494,  -0.002595369698388977,
    0.0012354536047475772,  0.0012354536047475772,  -0.0025953696983889766, 0.00204722829274745,
    -0.0008330976473479207, 0.0001465627865207131};
const double ellipticA352[10] = {1.0,
                                 -8.287274017750377,
                                 30.779725610288807,
                                 -67.2262083127931,
                                 95.1339320056776,
                                 -90.44278039011833,
                                 57.755782712165,
                                 -23.88704939345552,
                                 5.805609508435459,
                                 -0.6317361677729653};
const double ellipticB384[10] = {
    0.0001313457395970512,  -0.0007710809289655166, 0.00193783246136305,    -0.002493012058350816,
    0.001195283515139726,   0.001195283515139726,   -0.0024930120583508157, 0.0019378324613630504,
    -0.0007710809289655166, 0.0001313457395970512};
const double ellipticA384[10] = {1.0,
                                 -8.363447105812348,
                                 31.305247747936583,
                                 -68.81871589786775,
                                 97.89931078682092,
                                 -93.44863489540279,
                                 59.846810870111554,
                                 -24.794470278668204,
                                 6.029649171553242,
                                 -0.6557496612136563};

float dbToGain(float db)
{
    float quotient = db / 20.0f;
    return (float)std::pow(10.0, (double)quotient);
}

void designSmoother(float T, float F, float& p, float& g)
{
    float e = (float)(1.0 / ((double)T * (double)F * 0.001));
    p = (float)std::pow(0.001, (double)e);
    g = (float)((1.0 - (double)p) * (double)3.1415927410125732f / 3.0);
}

} // namespace

ReferenceFuzzEngine::ReferenceFuzzEngine()
{
    setSampleRate(44100.0);
    setAntiAlias(false);
    setWarmth(false);
}

void ReferenceFuzzEngine::setChannelCount(int32_t count)
{
    channels.assign(count > 0 ? count : 0, ChannelState{});
    for (ChannelState& state : channels)
    {
        for (int k = 0; k < 10; k++)
        {
            state.interpolatorState[k] = 0.0;
            state.decimatorState[k] = 0.0;
        }
        state.inputTracker = kTiny;
        state.envelope = kTiny;
        state.rectifierTracker = kTiny;
        state.outputTracker = kTiny;
    }
}

void ReferenceFuzzEngine::setSampleRate(double rate)
{
    sampleRate = (int32_t)rate;
    fadeFloor = dbToGain(-40.0f);
    fadeCoefficient = (float)std::pow((double)fadeFloor, 1.0 / (sampleRate * 10 * 0.001));
    fadeActive = false;
    fadeGain = 1.0f;
    fadeRising = false;
}

void ReferenceFuzzEngine::setBoostDb(float db) { boostGain = dbToGain(db); }

void ReferenceFuzzEngine::setVolumeDb(float db) { volumeGain = dbToGain(db); }

void ReferenceFuzzEngine::setBypass(bool on)
{
    pendingBypass = on;
    fadeActive = true;
}

void ReferenceFuzzEngine::setAntiAlias(bool on)
{
    antiAlias = on;
    int32_t r = on ? sampleRate : 0;
    if (r == 44100 || r == 48000)
        oversampling = 8;
    else if (r == 88200 || r == 96000)
        oversampling = 4;
    else if (r == 176400 || r == 192000)
        oversampling = 2;
    else
        oversampling = 1;

    int32_t P = oversampling * sampleRate;
    for (int k = 0; k < 10; k++)
    {
        if (P == 352800)
        {
            b[k] = ellipticB352[k];
            a[k] = ellipticA352[k];
        }
        else if (P == 384000)
        {
            b[k] = ellipticB384[k];
            a[k] = ellipticA384[k];
        }
        else
        {
            b[k] = k == 0 ? 1.0 : 1e-45;
            a[k] = k == 0 ? 1.0 : 1e-45;
        }
    }

    float F = (float)(oversampling * sampleRate);
    designSmoother(inputLowCutMs, F, p1, g1);
    designSmoother(envelopeMs, F, p2, g2);
    designSmoother(rectifierLowCutMs, F, p3, g3);
    designSmoother(outputLowCutMs, (float)sampleRate, p4, g4);
}

void ReferenceFuzzEngine::setWarmth(bool on)
{
    if (on)
    {
        clipSharpness = clipSharpnessWarm;
        rectifierKnee = rectifierKneeWarm;
    }
    else
    {
        clipSharpness = clipSharpnessNormal;
        rectifierKnee = rectifierKneeNormal;
    }
}

void ReferenceFuzzEngine::reset()
{
    for (ChannelState& state : channels)
    {
        for (int k = 0; k < 10; k++)
        {
            state.interpolatorState[k] = 1e-45;
            state.decimatorState[k] = 1e-45;
        }
        state.inputTracker = kTiny;
        state.envelope = kTiny;
        state.rectifierTracker = kTiny;
        state.outputTracker = kTiny;
    }
}

float ReferenceFuzzEngine::softClip(float u) const
{
    float hi = clipHigh;
    float lo = clipLow;
    float s = clipSharpness;
    float result;
    if (u > hi)
    {
        float over = u - hi;
        float t = 1.0f - s * over;
        if (t > 0.0f)
            result = hi + (1.0f - t * t) / (2.0f * s);
        else
            result = hi + 1.0f / (2.0f * s);
    }
    else if (u < lo)
    {
        float under = lo - u;
        float t = 1.0f - s * under;
        if (t > 0.0f)
            result = lo - (1.0f - t * t) / (2.0f * s);
        else
            result = lo - 1.0f / (2.0f * s);
    }
    else
    {
        result = u;
    }
    return result;
}

float ReferenceFuzzEngine::softRectify(float d) const
{
    float k = rectifierKnee;
    if (d >= k)
        return d - 0.5f * k;
    return d * d * (0.5f / k);
}

float ReferenceFuzzEngine::shapeSample(float x, ChannelState& state) const
{
    state.inputTracker = g1 * x + p1 * state.inputTracker;
    float magnitude = std::fabs(x);
    state.envelope = g2 * magnitude + p2 * state.envelope;
    float q = state.envelope / (state.envelope + biasKnee);
    float u = (x - state.inputTracker) + q * q * state.envelope;
    float y = softClip(u);
    state.rectifierTracker = p3 * state.rectifierTracker + g3 * y;
    float d = std::fabs(y - state.rectifierTracker);
    return softRectify(d);
}

float ReferenceFuzzEngine::filterStep(float x, double* s) const
{
    double y = b[0] * x + s[0];
    for (int k = 1; k <= 9; k++)
        s[k - 1] = s[k] - a[k] * y + b[k] * x;
    return (float)y;
}

float ReferenceFuzzEngine::oversampledShaping(float v, ChannelState& state) const
{
    int L = oversampling;
    float w = (float)L * filterStep(v, state.interpolatorState);
    w = shapeSample(w, state);
    float z = filterStep(w, state.decimatorState);
    for (int j = 1; j < L; j++)
    {
        w = (float)L * filterStep(0.0f, state.interpolatorState);
        w = shapeSample(w, state);
        filterStep(w, state.decimatorState);
    }
    return z;
}

void ReferenceFuzzEngine::processBlock(const float* const* inputs, float* const* outputs, int32_t n)
{
    if (n <= 0)
        return;
    int32_t channelCount = (int32_t)channels.size();
    if (bypassed)
    {
        for (int32_t c = 0; c < channelCount; c++)
            for (int32_t i = 0; i < n; i++)
                outputs[c][i] = inputs[c][i];
    }
    else
    {
        for (int32_t i = 0; i < n; i++)
        {
            for (int32_t c = 0; c < channelCount; c++)
            {
                ChannelState& state = channels[c];
                float x = inputs[c][i];
                float v;
                if (std::fabs(x) >= kTiny)
                    v = x * boostGain / headroom;
                else
                    v = kTiny;
                float z;
                if (antiAlias)
                    z = oversampledShaping(v, state);
                else
                    z = shapeSample(v, state);
                state.outputTracker = g4 * z + p4 * state.outputTracker;
                outputs[c][i] = (state.outputTracker - z) * (headroom * volumeGain);
            }
        }
    }
    runFade(outputs, n);
}

void ReferenceFuzzEngine::runFade(float* const* outputs, int32_t n)
{
    if (!fadeActive)
        return;
    float k = fadeCoefficient;
    for (int32_t i = 0; i < n; i++)
    {
        if (fadeRising)
        {
            fadeGain = fadeGain * k + (1.0f - k);
            if (fadeGain >= 1.0f - fadeFloor)
                fadeGain = 1.0f;
        }
        else
        {
            fadeGain = fadeGain * k;
            if (fadeGain <= fadeFloor)
                fadeGain = fadeFloor;
        }
        for (size_t c = 0; c < channels.size(); c++)
        {
            float s = outputs[c][i];
            if (std::fabs(s) >= kTiny)
                outputs[c][i] = s * fadeGain;
            else
                outputs[c][i] = kTiny;
        }
    }
    if (fadeRising)
    {
        if (fadeGain >= 1.0f - fadeFloor)
        {
            fadeRising = false;
            fadeActive = false;
            if (pendingBypass != bypassed)
                fadeActive = true; // a request made during the rise
        }
    }
    else
    {
        if (fadeGain <= fadeFloor)
        {
            fadeRising = true;
            bypassed = pendingBypass;
        }
    }
}

} // namespace Brumvale::Model
