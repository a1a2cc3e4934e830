// A stand-in for the SDK's AudioEffect helper: audio busses, process setup, default answers.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Debian's copy of the VST 3 SDK lacks the AudioEffect helper. This stand-in
// provides what a processor built on Component needs from it: the audio bus
// helpers, the current process setup and the default IAudioProcessor answers.
// Unlike the SDK's classes it refuses null pointers where the host hands in
// something to fill (queryInterface, getControllerClassId).

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "public.sdk/source/vst/vstbus.h"
#include "public.sdk/source/vst/vstcomponent.h"

namespace Steinberg {
namespace Vst {

class AudioEffect : public Component, public IAudioProcessor
{
public:
    // Real-time, 32-bit samples, at most 1024 samples per block, 44100 Hz.
    AudioEffect();

    AudioBus* addAudioInput(const TChar* name, SpeakerArrangement arrangement,
                            BusType busType = kMain, int32 flags = BusInfo::kDefaultActive);
    AudioBus* addAudioOutput(const TChar* name, SpeakerArrangement arrangement,
                             BusType busType = kMain, int32 flags = BusInfo::kDefaultActive);
    AudioBus* getAudioInput(int32 index);
    AudioBus* getAudioOutput(int32 index);

    // FUnknown: IAudioProcessor, then what Component answers.
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;

    // IComponent
    tresult PLUGIN_API getControllerClassId(TUID classId) SMTG_OVERRIDE;

    // IAudioProcessor
    tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                          SpeakerArrangement* outputs, int32 numOuts) SMTG_OVERRIDE;
    tresult PLUGIN_API getBusArrangement(BusDirection dir, int32 index,
                                         SpeakerArrangement& arrangement) SMTG_OVERRIDE;
    // 32-bit float samples only.
    tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) SMTG_OVERRIDE;
    uint32 PLUGIN_API getLatencySamples() SMTG_OVERRIDE;
    // Refuses a sample size canProcessSampleSize refuses; otherwise keeps the setup.
    tresult PLUGIN_API setupProcessing(ProcessSetup& setup) SMTG_OVERRIDE;
    tresult PLUGIN_API setProcessing(TBool state) SMTG_OVERRIDE;
    tresult PLUGIN_API process(ProcessData& data) SMTG_OVERRIDE;
    uint32 PLUGIN_API getTailSamples() SMTG_OVERRIDE;

    OBJ_METHODS(AudioEffect, Component)
    REFCOUNT_METHODS(Component)

protected:
    ProcessSetup processSetup;
};

} // namespace Vst
} // namespace Steinberg
