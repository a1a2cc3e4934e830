// Host library: the non-interleaved float buffers of one audio bus.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "audiobuffers.h"

#include <algorithm>

namespace Brumvale::Host {

using namespace Steinberg;

AudioBuffers::AudioBuffers(int32 channelCount, int32 samplesPerChannel)
    : channels(channelCount), maxSamples(samplesPerChannel),
      samples(static_cast<size_t>(channelCount) * static_cast<size_t>(samplesPerChannel) + 1),
      pointers(static_cast<size_t>(channelCount) + 1, nullptr)
{
    for (int32 c = 0; c < channels; ++c)
        pointers[static_cast<size_t>(c)] =
            samples.data() + static_cast<size_t>(c) * static_cast<size_t>(maxSamples);
    resetBus();
}

void AudioBuffers::resetBus()
{
    busBuffers.numChannels = channels;
    busBuffers.silenceFlags = 0;
    busBuffers.channelBuffers32 = pointers.data();
}

void AudioBuffers::fill(float value) { std::fill(samples.begin(), samples.end(), value); }

} // namespace Brumvale::Host
