// Host library: the non-interleaved float buffers of one audio bus.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pluginterfaces/vst/ivstaudioprocessor.h>

#include <vector>

namespace Brumvale::Host {

// One bus worth of 32-bit channel buffers and the AudioBusBuffers that point at them. All
// memory is reserved up front for maxSamples per channel.
class AudioBuffers
{
public:
    AudioBuffers(Steinberg::int32 channels, Steinberg::int32 maxSamples);

    Steinberg::int32 channelCount() const { return channels; }
    Steinberg::int32 capacity() const { return maxSamples; }

    float* channel(Steinberg::int32 index) { return pointers[static_cast<size_t>(index)]; }
    const float* channel(Steinberg::int32 index) const
    {
        return pointers[static_cast<size_t>(index)];
    }

    // The bus description handed to process; reset to the real buffers and zero flags by
    // resetBus, and free to be tampered with by tests in between.
    Steinberg::Vst::AudioBusBuffers& bus() { return busBuffers; }
    void resetBus();

    void fill(float value);

private:
    Steinberg::int32 channels;
    Steinberg::int32 maxSamples;
    std::vector<float> samples;
    std::vector<float*> pointers;
    Steinberg::Vst::AudioBusBuffers busBuffers = {};
};

} // namespace Brumvale::Host
