// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#pragma once

#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

namespace Brumvale {

// The edit controller: unit "Unit1" and the five parameters with their texts,
// the processor's component state mirrored into them, a 128-character text as
// its own state, MIDI controllers 7 (Volume) and 12 (Boost), and the processor's
// messages printed to standard error.
class againController : public Steinberg::Vst::EditControllerEx1,
                        public Steinberg::Vst::IMidiMapping
{
public:
    // IPluginBase
    Steinberg::tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API terminate() SMTG_OVERRIDE;

    // IEditController
    Steinberg::tresult PLUGIN_API setComponentState(Steinberg::IBStream* state) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API setState(Steinberg::IBStream* state) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API getState(Steinberg::IBStream* state) SMTG_OVERRIDE;

    // IMidiMapping
    Steinberg::tresult PLUGIN_API getMidiControllerAssignment(
        Steinberg::int32 busIndex, Steinberg::int16 channel,
        Steinberg::Vst::CtrlNumber midiControllerNumber, Steinberg::Vst::ParamID& id) SMTG_OVERRIDE;

    // ComponentBase
    Steinberg::tresult receiveText(const char* text) SMTG_OVERRIDE;

    OBJ_METHODS(againController, EditControllerEx1)
    DEFINE_INTERFACES
    DEF_INTERFACE(IMidiMapping)
    DEF_INTERFACE(IUnitInfo)
    END_DEFINE_INTERFACES(EditController)
    REFCOUNT_METHODS(EditControllerEx1)

private:
    // The controller's own state; nothing shows or edits it.
    Steinberg::Vst::String128 messageText = {};
};

} // namespace Brumvale
