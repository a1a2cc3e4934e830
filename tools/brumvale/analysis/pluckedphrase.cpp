// The riff's notes (A2, E3, D3, G2), each a sum of decaying harmonics that rings on.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pluckedphrase.h"

#include <cmath>

namespace Brumvale {

std::vector<float> synthesisePluckedPhrase(int sampleRate, double seconds)
{
    struct Note
    {
        double hz;
        double level;
    };
    // A2 A2 E3 A2 A2 D3 A2 G2, a quarter second each, ringing on.
    const Note notes[] = {{110.0, 0.5},  {110.0, 0.35}, {164.81, 0.3}, {110.0, 0.5},
                          {110.0, 0.35}, {146.83, 0.3}, {110.0, 0.5},  {98.0, 0.3}};
    constexpr double kTwoPi = 6.283185307179586;
    const long frames = long(seconds * sampleRate);
    const long noteFrames = sampleRate / 4;
    std::vector<float> out(size_t(frames), 0.0f);
    for (long n = 0; n * noteFrames < frames; ++n)
    {
        const Note& note = notes[n % 8];
        for (long i = n * noteFrames; i < frames; ++i)
        {
            const double t = double(i - n * noteFrames) / sampleRate;
            const double attack = std::min(1.0, t * 400.0);
            double sample = 0.0;
            for (int k = 1; k <= 12; ++k)
                sample += std::sin(kTwoPi * k * note.hz * t) * std::exp(-t * (1.5 + 0.8 * k)) /
                          std::pow(k, 1.5);
            out[size_t(i)] += float(note.level * attack * sample);
        }
    }
    return out;
}

} // namespace Brumvale
