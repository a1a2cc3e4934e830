// The processor's busses, its state handed between threads, parameter changes and block processing.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "again.h"

#include "componentstate.h"
#include "parametertable.h"

#include "common/classids.h"
#include "common/interfaceguard.h"
#include "common/receivedtext.h"
#include "engine/floatingpointmode.h"

#include "pluginterfaces/base/ustring.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Brumvale {
namespace {

int32 channelCount(SpeakerArrangement arrangement)
{
    return static_cast<int32>(__builtin_popcountll(arrangement));
}

// "In (2 Ch)" and the like, as a bus name.
void busName(const char* direction, int32 channels, String128 name)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%s (%d Ch)", direction, static_cast<int>(channels));
    UString(name, 128).fromAscii(text);
}

template <class Sample> void clearChannels(Sample** buffers, int32 channels, int32 numSamples)
{
    if (!buffers || numSamples <= 0)
        return;
    for (int32 c = 0; c < channels; ++c)
        if (buffers[c])
            std::fill_n(buffers[c], numSamples, Sample(0));
}

} // namespace

again::again()
{
    setControllerClass(kControllerClassId);
    model.model = ParameterModel::start(defaults);
    mainModel = model;
}

tresult PLUGIN_API again::initialize(FUnknown* context)
{
    // The base refuses a second initialize only when the first had a context.
    if (getBusCount(kAudio, kInput) != 0)
        return kResultFalse;
    const tresult result = AudioEffect::initialize(context);
    if (result != kResultOk)
        return result;
    const tresult added = guarded([this] {
        addAudioInput(STR16("Stereo In"), SpeakerArr::kStereo);
        addAudioOutput(STR16("Stereo Out"), SpeakerArr::kStereo);
        return kResultOk;
    });
    if (added != kResultOk)
    {
        AudioEffect::terminate();
        return added;
    }
    prepareEngine(engine, 2, processSetup.sampleRate, model.model);
    return kResultOk;
}

tresult PLUGIN_API again::terminate() { return AudioEffect::terminate(); }

tresult PLUGIN_API again::setActive(TBool state)
{
    if (state)
    {
        // Whether the controller gets the text does not matter.
        guarded([this] { return sendTextMessage("again::setActive (true)"); });
        active = true;
    }
    else
    {
        // No process call runs from here on: a state still in the mailbox is
        // taken over directly, and the main side sees the processing side's model.
        active = false;
        takeIncomingState();
        mainModel = model;
        engine.reset();
    }
    return kResultOk;
}

tresult PLUGIN_API again::setState(IBStream* state)
{
    if (!state)
        return kInvalidArgument;
    ComponentState read;
    if (read.read(*state) != kResultOk)
        return kResultFalse;
    VersionedModel next;
    // A switch is on when its integer is above zero.
    for (const ParameterDescription& parameter : kParameters)
        next.model.set(parameter.id, parameter.kind == ParameterKind::kSwitch
                                         ? (read.switches[parameter.id] > 0 ? 1.0f : 0.0f)
                                         : read.levels[parameter.id]);
    next.version = ++stateVersion;
    mainModel = next;
    if (active)
    {
        incomingStates.write(next);
    }
    else
    {
        model = next;
        pushModelToEngine();
    }
    return kResultOk;
}

tresult PLUGIN_API again::getState(IBStream* state)
{
    if (!state)
        return kInvalidArgument;
    return ComponentState::of(mainSideModel()).write(*state);
}

const ParameterModel& again::mainSideModel()
{
    if (!active)
        return model.model;
    VersionedModel published;
    if (publishedModels.read(published) && published.version >= mainModel.version)
        mainModel = published;
    return mainModel.model;
}

tresult PLUGIN_API again::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                             SpeakerArrangement* outputs, int32 numOuts)
{
    if (!inputs || !outputs || numIns <= 0 || numOuts <= 0 || !getAudioInput(0))
        return kResultFalse;
    const int32 channels = channelCount(inputs[0]);
    const bool equal = channels == channelCount(outputs[0]);
    // Unequal widths fall back to an output that mirrors the input.
    String128 inputName, outputName;
    busName("In", channels, inputName);
    busName("Out", channels, outputName);
    const tresult replaced = guarded([&] {
        removeAudioBusses();
        addAudioInput(inputName, inputs[0]);
        addAudioOutput(outputName, equal ? outputs[0] : inputs[0]);
        return kResultOk;
    });
    if (replaced != kResultOk)
    {
        // No busses: process renders nothing until an arrangement is taken.
        removeAudioBusses();
        engine.setChannelCount(0);
        return replaced;
    }
    engine.setChannelCount(channels);
    return equal ? kResultOk : kResultFalse;
}

tresult PLUGIN_API again::setupProcessing(ProcessSetup& setup)
{
    const tresult result = AudioEffect::setupProcessing(setup);
    if (result == kResultOk)
    {
        engine.setSampleRate(setup.sampleRate);
        pushModelToEngine();
    }
    return result;
}

void again::pushModelToEngine() { pushToEngine(engine, model.model); }

bool again::takeIncomingState()
{
    VersionedModel incoming;
    if (!incomingStates.read(incoming))
        return false;
    model = incoming;
    pushModelToEngine();
    return true;
}

bool again::applyParameterChanges(IParameterChanges& changes)
{
    bool applied = false;
    const int32 queues = changes.getParameterCount();
    for (int32 i = 0; i < queues; ++i)
    {
        IParamValueQueue* queue = changes.getParameterData(i);
        if (!queue)
            continue;
        const int32 points = queue->getPointCount();
        const ParamID id = queue->getParameterId();
        if (id >= kNumParameters || points <= 0)
            continue;
        // Only the last point counts; it applies to the whole block.
        int32 offset = 0;
        ParamValue value = 0.0;
        if (queue->getPoint(points - 1, offset, value) != kResultOk || !std::isfinite(value))
            continue;
        applyParameter(engine, model.model, id, static_cast<float>(value));
        applied = true;
    }
    return applied;
}

bool again::buffersMatchBusses(const ProcessData& data) const
{
    const int32 channels = engine.channelCount();
    if (!data.inputs || !data.outputs || data.numSamples < 0 ||
        data.symbolicSampleSize != kSample32)
        return false;
    const AudioBusBuffers& in = data.inputs[0];
    const AudioBusBuffers& out = data.outputs[0];
    if (in.numChannels != channels || out.numChannels != channels)
        return false;
    if (channels == 0)
        return true;
    if (!in.channelBuffers32 || !out.channelBuffers32)
        return false;
    for (int32 c = 0; c < channels; ++c)
        if (!in.channelBuffers32[c] || !out.channelBuffers32[c])
            return false;
    return true;
}

tresult PLUGIN_API again::process(ProcessData& data)
{
    // Parameter values become engine settings in the engine's own mode too, so that
    // no host's mode reaches the sound.
    const IeeeArithmeticScope ieee;
    bool changed = takeIncomingState();
    if (data.inputParameterChanges)
        changed = applyParameterChanges(*data.inputParameterChanges) || changed;
    if (changed)
        publishedModels.write(model);

    if (data.numInputs == 0 || data.numOutputs == 0)
        return kResultOk; // a parameter flush

    if (!buffersMatchBusses(data))
    {
        // Buffers that do not match the busses: render nothing, leave silence.
        for (int32 b = 0; data.outputs && b < data.numOutputs; ++b)
        {
            AudioBusBuffers& out = data.outputs[b];
            if (data.symbolicSampleSize == kSample64)
                clearChannels(out.channelBuffers64, out.numChannels, data.numSamples);
            else
                clearChannels(out.channelBuffers32, out.numChannels, data.numSamples);
        }
        return kResultOk;
    }

    AudioBusBuffers& in = data.inputs[0];
    AudioBusBuffers& out = data.outputs[0];
    const int32 channels = in.numChannels;
    const uint64 everyChannel = channels >= 64 ? ~uint64(0) : (uint64(1) << channels) - 1;
    // Silent only when every input channel is flagged: one silent channel of a
    // live pair must not wipe the other.
    if (channels > 0 && (in.silenceFlags & everyChannel) == everyChannel)
    {
        out.silenceFlags = in.silenceFlags;
        for (int32 c = 0; c < channels; ++c)
            if (out.channelBuffers32[c] != in.channelBuffers32[c])
                std::fill_n(out.channelBuffers32[c], data.numSamples, 0.0f);
        return kResultOk;
    }
    out.silenceFlags = 0;
    engine.processBlock(in.channelBuffers32, out.channelBuffers32, data.numSamples);
    return kResultOk;
}

tresult PLUGIN_API again::notify(IMessage* message)
{
    if (!message)
        return kInvalidArgument;
    const char* id = message->getMessageID();
    if (id && std::strcmp(id, "BinaryMessage") == 0)
    {
        const void* data = nullptr;
        uint32 size = 0;
        IAttributeList* attributes = message->getAttributes();
        if (attributes && attributes->getBinary("MyData", data, size) == kResultOk)
            return kResultOk;
    }
    return notifyComponentBase(*this, message);
}

tresult again::receiveText(const char* text)
{
    printReceivedText("again", text);
    return kResultOk;
}

} // namespace Brumvale
