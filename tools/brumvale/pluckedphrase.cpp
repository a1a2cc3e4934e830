// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#include "pluckedphrase.h"

#include <cmath>
#include <cstdint>

namespace Brumvale {

std::vector<float> synthesisePluckedPhrase(int sampleRate, double seconds)
{
    // E2 A2 D3 G3 A2 E3 D3 A2 (Hz), one note per quarter second, each ringing on.
    const double notes[] = {82.41, 110.0, 146.83, 196.0, 110.0, 164.81, 146.83, 110.0};
    const int frames = int(seconds * sampleRate);
    const int noteFrames = sampleRate / 4;
    std::vector<float> out(size_t(frames), 0.0f);
    uint32_t noise = 22222;
    for (int n = 0; n * noteFrames < frames; ++n)
    {
        const int period = int(std::lround(sampleRate / notes[n % 8]));
        std::vector<float> line(static_cast<size_t>(period));
        for (float& x : line)
        {
            noise = noise * 1664525u + 1013904223u;
            x = float(noise >> 8) / float(1u << 24) - 0.5f;
        }
        // A soft pick: smoothing the burst puts the weight on the low harmonics.
        for (int pass = 0; pass < 4; ++pass)
            for (size_t k = 1; k < line.size(); ++k)
                line[k] = 0.5f * (line[k] + line[k - 1]);
        for (int i = n * noteFrames, k = 0; i < frames; ++i, ++k)
        {
            const size_t at = size_t(k % period);
            const float next = line[(at + 1) % size_t(period)];
            out[size_t(i)] += 0.6f * line[at];
            line[at] = 0.498f * (line[at] + next); // damped average: the string's decay
        }
    }
    return out;
}

} // namespace Brumvale
