// Test signals and buffers for driving the engine or its model in tests and benchmarks.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Signals and buffers for driving an engine (the production one or the model,
// which share an interface) in tests and benchmarks.

#include <cmath>
#include <cstdint>
#include <vector>

namespace Brumvale::Testing {

// Non-interleaved audio: one vector per channel, with the pointer arrays that
// processBlock takes.
struct AudioBuffer
{
    AudioBuffer(int channels, int frames) : data(channels, std::vector<float>(frames))
    {
        for (auto& channel : data)
            pointers.push_back(channel.data());
    }
    int channels() const { return int(data.size()); }
    int frames() const { return data.empty() ? 0 : int(data[0].size()); }
    // Pointers to the channels from a frame on, for rendering part of the buffer.
    std::vector<float*> from(int frame)
    {
        std::vector<float*> result;
        for (auto& channel : data)
            result.push_back(channel.data() + frame);
        return result;
    }

    std::vector<std::vector<float>> data;
    std::vector<float*> pointers;
};

// A small deterministic generator (a 64-bit linear congruential sequence), so that
// every platform draws the same numbers.
class Random
{
public:
    explicit Random(uint64_t seed) : state(seed * 6364136223846793005ull + 1442695040888963407ull)
    {}
    uint32_t next()
    {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return uint32_t(state >> 33);
    }
    // Uniform in [0, 1).
    double uniform() { return next() / 2147483648.0; }
    int between(int low, int high) { return low + int(next() % uint32_t(high - low + 1)); }

private:
    uint64_t state;
};

// A plucked-string-like test signal: decaying harmonic notes that differ per
// channel, a little noise, an offset, stretches of digital silence and of
// near-silence (which the engine replaces by its guard value), and loud peaks that
// drive the clipper past its flat ends.
inline AudioBuffer makeTestSignal(int channels, int frames, double sampleRate, uint64_t seed)
{
    AudioBuffer buffer(channels, frames);
    Random random(seed);
    constexpr double kTwoPi = 6.283185307179586;
    for (int c = 0; c < channels; ++c)
    {
        double frequency = 82.41 * (1 + c % 4);
        double amplitude = 0.5;
        double phase = 0.0;
        for (int i = 0; i < frames; ++i)
        {
            if (i % 9000 == 0)
            {
                frequency = 60.0 + 600.0 * random.uniform();
                amplitude = 0.05 + 1.2 * random.uniform();
            }
            amplitude *= 0.99995;
            phase += kTwoPi * frequency / sampleRate;
            double x = amplitude *
                       (std::sin(phase) + 0.4 * std::sin(2 * phase) + 0.2 * std::sin(3 * phase));
            x += 0.01 * (random.uniform() - 0.5) + 0.02;
            const int section = (i / 2500) % 11;
            if (section == 3)
                x = 0.0;
            else if (section == 7)
                x = 1e-17 * (random.uniform() - 0.5);
            else if (section == 9 && i % 50 < 3)
                x *= 25.0;
            buffer.data[c][i] = float(x);
        }
    }
    return buffer;
}

// A sine of the given frequency and amplitude on every channel.
inline AudioBuffer makeSine(int channels, int frames, double sampleRate, double frequency,
                            double amplitude)
{
    AudioBuffer buffer(channels, frames);
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < frames; ++i)
            buffer.data[c][i] =
                float(amplitude * std::sin(6.283185307179586 * frequency * i / sampleRate));
    return buffer;
}

// A plucked 110 Hz note (a parabolic wave, near a sine) falling into silence in
// about a second and a half, three seconds long (half as long in an emulated build);
// or samples around the smallest normal float and below, which are silence to the
// engine, with a few audible ones. Tails like these ran through subnormal numbers.
// Only IEEE arithmetic, no library function, so every platform makes the same
// samples.
#ifdef BRUMVALE_EMULATED_TESTS
constexpr double kQuietSignalSeconds = 1.5;
#else
constexpr double kQuietSignalSeconds = 3.0;
#endif
inline AudioBuffer makeQuietSignal(int channels, double rate, bool tiny)
{
    const int frames = int(rate * kQuietSignalSeconds);
    AudioBuffer buffer(channels, frames);
    const float quiet[] = {1e-39f, -1e-40f, 1.1754942e-38f, -1.1754945e-38f, 1.4e-45f, 9e-16f};
    for (int c = 0; c < channels; ++c)
    {
        double amplitude = 0.3 + 0.2 * c;
        double phase = 0.0;
        for (int i = 0; i < frames; ++i)
        {
            const double p = 2.0 * phase - 1.0;
            const double pluck = amplitude * 4.0 * p * (1.0 - (p < 0.0 ? -p : p));
            amplitude *= 0.9995 * 44100.0 / rate + (1.0 - 44100.0 / rate);
            phase += 110.0 / rate;
            if (phase >= 1.0)
                phase -= 1.0;
            const float loud = (i / 997) % 7 == 0 ? 0.2f : 0.0f;
            buffer.data[size_t(c)][size_t(i)] =
                tiny ? quiet[(i + c) % 6] + (i % 13 == 0 ? loud : 0.0f) : float(pluck);
        }
    }
    return buffer;
}

} // namespace Brumvale::Testing
