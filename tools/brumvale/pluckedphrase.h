// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#pragma once

#include <vector>

namespace Brumvale {

// A short riff of plucked strings (Karplus-Strong: a noise burst circulating in a
// damped delay line), mono, at the given rate. Deterministic.
std::vector<float> synthesisePluckedPhrase(int sampleRate, double seconds);

} // namespace Brumvale
