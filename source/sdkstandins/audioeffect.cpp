// The AudioEffect stand-in: adding and finding audio busses, their arrangements, the process setup.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "audioeffect.h"

#include "common/interfaceguard.h"

namespace Steinberg {
namespace Vst {

AudioEffect::AudioEffect()
{
    processSetup.processMode = kRealtime;
    processSetup.symbolicSampleSize = kSample32;
    processSetup.maxSamplesPerBlock = 1024;
    processSetup.sampleRate = 44100.0;
}

tresult PLUGIN_API AudioEffect::queryInterface(const TUID iid, void** obj)
{
    if (!Brumvale::answerableQuery(iid, obj))
        return kInvalidArgument;
    QUERY_INTERFACE(iid, obj, IAudioProcessor::iid, IAudioProcessor)
    return Component::queryInterface(iid, obj);
}

tresult PLUGIN_API AudioEffect::getControllerClassId(TUID classId)
{
    if (!classId)
        return kInvalidArgument;
    return Component::getControllerClassId(classId);
}

AudioBus* AudioEffect::addAudioInput(const TChar* name, SpeakerArrangement arrangement,
                                     BusType busType, int32 flags)
{
    auto* bus = new AudioBus(name, busType, flags, arrangement);
    audioInputs.push_back(IPtr<Bus>(bus, false));
    return bus;
}

AudioBus* AudioEffect::addAudioOutput(const TChar* name, SpeakerArrangement arrangement,
                                      BusType busType, int32 flags)
{
    auto* bus = new AudioBus(name, busType, flags, arrangement);
    audioOutputs.push_back(IPtr<Bus>(bus, false));
    return bus;
}

AudioBus* AudioEffect::getAudioInput(int32 index)
{
    if (index < 0 || index >= static_cast<int32>(audioInputs.size()))
        return nullptr;
    return FCast<AudioBus>(audioInputs.at(size_t(index)).get());
}

AudioBus* AudioEffect::getAudioOutput(int32 index)
{
    if (index < 0 || index >= static_cast<int32>(audioOutputs.size()))
        return nullptr;
    return FCast<AudioBus>(audioOutputs.at(size_t(index)).get());
}

tresult PLUGIN_API AudioEffect::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                                   SpeakerArrangement* outputs, int32 numOuts)
{
    if (numIns != static_cast<int32>(audioInputs.size()) ||
        numOuts != static_cast<int32>(audioOutputs.size()))
        return kResultFalse;
    for (int32 i = 0; i < numIns; ++i)
        if (AudioBus* bus = getAudioInput(i))
            bus->setArrangement(inputs[i]);
    for (int32 i = 0; i < numOuts; ++i)
        if (AudioBus* bus = getAudioOutput(i))
            bus->setArrangement(outputs[i]);
    return kResultTrue;
}

tresult PLUGIN_API AudioEffect::getBusArrangement(BusDirection dir, int32 index,
                                                  SpeakerArrangement& arrangement)
{
    AudioBus* bus = dir == kInput ? getAudioInput(index) : getAudioOutput(index);
    if (!bus)
        return kInvalidArgument;
    arrangement = bus->getArrangement();
    return kResultTrue;
}

tresult PLUGIN_API AudioEffect::canProcessSampleSize(int32 symbolicSampleSize)
{
    return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

uint32 PLUGIN_API AudioEffect::getLatencySamples() { return 0; }

tresult PLUGIN_API AudioEffect::setupProcessing(ProcessSetup& setup)
{
    if (canProcessSampleSize(setup.symbolicSampleSize) != kResultTrue)
        return kResultFalse;
    processSetup = setup;
    return kResultOk;
}

tresult PLUGIN_API AudioEffect::setProcessing(TBool) { return kNotImplemented; }

tresult PLUGIN_API AudioEffect::process(ProcessData&) { return kNotImplemented; }

uint32 PLUGIN_API AudioEffect::getTailSamples() { return kNoTail; }

} // namespace Vst
} // namespace Steinberg
