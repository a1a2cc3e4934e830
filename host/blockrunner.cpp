// Host library: builds ProcessData for a block and calls process.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "blockrunner.h"

namespace Brumvale::Host {

using namespace Steinberg;

BlockRunner::BlockRunner(Vst::IAudioProcessor* audioProcessor, int32 inputChannels,
                         int32 outputChannels, int32 maxSamples)
    : processor(audioProcessor), inputs(inputChannels, maxSamples),
      outputs(outputChannels, maxSamples)
{
    prepare(0);
}

void BlockRunner::prepare(int32 numSamples)
{
    inputs.resetBus();
    outputs.resetBus();
    processData = Vst::ProcessData();
    processData.processMode = Vst::kRealtime;
    processData.symbolicSampleSize = Vst::kSample32;
    processData.numSamples = numSamples;
    processData.numInputs = 1;
    processData.numOutputs = 1;
    processData.inputs = &inputs.bus();
    processData.outputs = &outputs.bus();
    processData.inputParameterChanges = &parameterChanges;
}

tresult BlockRunner::process()
{
    const tresult result = processor->process(processData);
    parameterChanges.clear();
    return result;
}

tresult BlockRunner::run(int32 numSamples)
{
    prepare(numSamples);
    return process();
}

tresult BlockRunner::flush()
{
    prepare(0);
    processData.numInputs = 0;
    processData.numOutputs = 0;
    processData.inputs = nullptr;
    processData.outputs = nullptr;
    return process();
}

} // namespace Brumvale::Host
