// The audio processor: busses, parameter changes, component state and the engine.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/octavefuzzengine.h"
#include "latestvalue.h"
#include "parameterdefaults.h"
#include "parametermodel.h"
#include "sdkstandins/audioeffect.h"

namespace Brumvale {

// The audio processor: one input and one output bus of equal width, the octave
// fuzz engine, parameter changes applied before each block, and the 20-byte
// component state.
//
// Threads: process runs on the host's processing thread, everything else on its
// main thread. While the processor is active, a state set from the main thread
// is handed to the processing side through a lock-free mailbox and taken at the
// start of the next block, and the processing side publishes its values back the
// same way for getState: process takes no lock and no data is shared unguarded.
//
// Every host call is answered with a result code: a second initialize before
// terminate is refused, and no exception leaves a call (allocation failure
// answers kOutOfMemory). Values far outside 0..1 are kept as received; the engine
// takes the levels they map to within its limits.
class again : public Steinberg::Vst::AudioEffect
{
public:
    again();

    // IPluginBase
    Steinberg::tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API terminate() SMTG_OVERRIDE;

    // IComponent
    Steinberg::tresult PLUGIN_API setActive(Steinberg::TBool state) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API setState(Steinberg::IBStream* state) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API getState(Steinberg::IBStream* state) SMTG_OVERRIDE;

    // IAudioProcessor
    Steinberg::tresult PLUGIN_API setBusArrangements(Steinberg::Vst::SpeakerArrangement* inputs,
                                                     Steinberg::int32 numIns,
                                                     Steinberg::Vst::SpeakerArrangement* outputs,
                                                     Steinberg::int32 numOuts) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API setupProcessing(Steinberg::Vst::ProcessSetup& setup)
        SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API process(Steinberg::Vst::ProcessData& data) SMTG_OVERRIDE;

    // IConnectionPoint
    Steinberg::tresult PLUGIN_API notify(Steinberg::Vst::IMessage* message) SMTG_OVERRIDE;

    // ComponentBase
    Steinberg::tresult receiveText(const char* text) SMTG_OVERRIDE;

private:
    // A model with the number of the setState that produced it, so the main side
    // can tell a publication made before its latest setState from one made after.
    struct VersionedModel
    {
        ParameterModel model;
        Steinberg::uint32 version = 0;
    };

    void pushModelToEngine();
    // Takes a state set from the main thread, when one waits; true when it did.
    bool takeIncomingState();
    // True when a value was applied.
    bool applyParameterChanges(Steinberg::Vst::IParameterChanges& changes);
    bool buffersMatchBusses(const Steinberg::Vst::ProcessData& data) const;
    // The model as the main thread may read it.
    const ParameterModel& mainSideModel();

    ParameterDefaults defaults;
    OctaveFuzzEngine engine;
    // The processing side's model; the main thread touches it only while the
    // processor is inactive, when no process call runs.
    VersionedModel model;

    bool active = false; // main thread only
    Steinberg::uint32 stateVersion = 0;
    VersionedModel mainModel;                    // main thread only
    LatestValue<VersionedModel> incomingStates;  // main -> processing
    LatestValue<VersionedModel> publishedModels; // processing -> main
};

} // namespace Brumvale
