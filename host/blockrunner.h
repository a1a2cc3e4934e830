// Host library: builds ProcessData for a block and calls process.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audiobuffers.h"
#include "parameterchanges.h"

#include <pluginterfaces/vst/ivstaudioprocessor.h>

namespace Brumvale::Host {

// Everything one process call needs, allocated once: input and output bus buffers,
// input parameter changes and the ProcessData that ties them together. run() allocates
// nothing, so it can stand in for a host's audio thread in real-time tests.
class BlockRunner
{
public:
    BlockRunner(Steinberg::Vst::IAudioProcessor* processor, Steinberg::int32 inputChannels,
                Steinberg::int32 outputChannels, Steinberg::int32 maxSamples);

    AudioBuffers& input() { return inputs; }
    AudioBuffers& output() { return outputs; }
    ParameterChanges& changes() { return parameterChanges; }
    // The ProcessData of the next call, for tests that tamper with it after prepare().
    Steinberg::Vst::ProcessData& data() { return processData; }

    // Restores the ProcessData to the runner's own busses and changes for numSamples.
    void prepare(Steinberg::int32 numSamples);
    // Calls process with the prepared data, then empties the parameter changes.
    Steinberg::tresult process();
    // prepare + process.
    Steinberg::tresult run(Steinberg::int32 numSamples);
    // A parameter flush: no audio busses, only the pending parameter changes.
    Steinberg::tresult flush();

private:
    Steinberg::Vst::IAudioProcessor* processor;
    AudioBuffers inputs;
    AudioBuffers outputs;
    ParameterChanges parameterChanges;
    Steinberg::Vst::ProcessData processData;
};

} // namespace Brumvale::Host
