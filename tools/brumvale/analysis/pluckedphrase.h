// A synthesised riff of plucked strings, the input of the demo and of the preset measurements.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace Brumvale {

// A riff of plucked strings around A2 (110 Hz), mono, at the given rate: each
// note a sum of harmonics whose upper ones fade faster, as on a real string.
// Deterministic.
std::vector<float> synthesisePluckedPhrase(int sampleRate, double seconds);

} // namespace Brumvale
