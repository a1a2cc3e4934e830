// The edit controller: the parameters and their texts, its own state, MIDI mapping and editors.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pluginterfaces/vst/ivstmidicontrollers.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

#include <vector>

namespace Brumvale {

class againEditorView;

// The edit controller: unit "Unit1" and the five parameters with their texts,
// the processor's component state mirrored into them, a 128-character text as
// its own state, MIDI controllers 7 (Volume) and 12 (Boost), and the processor's
// messages printed to standard error. It creates the editor views and tells every
// attached one of every value that passes through setParamNormalized.
//
// Every host call is answered with a result code: indexes out of range, null
// pointers and values that are not finite are refused, and no exception leaves a
// call (allocation failure answers kOutOfMemory).
class againController : public Steinberg::Vst::EditControllerEx1,
                        public Steinberg::Vst::IMidiMapping
{
public:
    // FUnknown
    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid,
                                                 void** obj) SMTG_OVERRIDE;

    // IPluginBase
    // A second initialize before terminate is refused and changes nothing.
    Steinberg::tresult PLUGIN_API initialize(FUnknown* context) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API terminate() SMTG_OVERRIDE;

    // IConnectionPoint
    Steinberg::tresult PLUGIN_API notify(Steinberg::Vst::IMessage* message) SMTG_OVERRIDE;

    // IEditController
    Steinberg::tresult PLUGIN_API setComponentState(Steinberg::IBStream* state) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API setState(Steinberg::IBStream* state) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API getState(Steinberg::IBStream* state) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API getParameterInfo(
        Steinberg::int32 paramIndex, Steinberg::Vst::ParameterInfo& info) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API
    getParamStringByValue(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue valueNormalized,
                          Steinberg::Vst::String128 string) SMTG_OVERRIDE;
    // Stores the value clamped to 0..1 and hands it, as received, to every attached
    // editor (also for a tag that names no parameter); a value that is not finite
    // is refused.
    Steinberg::tresult PLUGIN_API
    setParamNormalized(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value) SMTG_OVERRIDE;
    // A new editor view for the name "editor", null for any other name.
    Steinberg::IPlugView* PLUGIN_API createView(Steinberg::FIDString name) SMTG_OVERRIDE;

    // IUnitInfo
    Steinberg::tresult PLUGIN_API getUnitInfo(Steinberg::int32 unitIndex,
                                              Steinberg::Vst::UnitInfo& info) SMTG_OVERRIDE;

    // IMidiMapping
    Steinberg::tresult PLUGIN_API getMidiControllerAssignment(
        Steinberg::int32 busIndex, Steinberg::int16 channel,
        Steinberg::Vst::CtrlNumber midiControllerNumber, Steinberg::Vst::ParamID& id) SMTG_OVERRIDE;

    // ComponentBase
    Steinberg::tresult receiveText(const char* text) SMTG_OVERRIDE;

    // EditController: the list of attached editors, in attach order. A view
    // attached twice stands there twice; one destroyed without being removed
    // leaves the list.
    void editorDestroyed(Steinberg::Vst::EditorView* editor) SMTG_OVERRIDE;
    void editorAttached(Steinberg::Vst::EditorView* editor) SMTG_OVERRIDE;
    void editorRemoved(Steinberg::Vst::EditorView* editor) SMTG_OVERRIDE;

    OBJ_METHODS(againController, EditControllerEx1)
    REFCOUNT_METHODS(EditControllerEx1)

private:
    Steinberg::tresult registerUnitAndParameters();

    // againEditorViews only, not owned, no references held: a view is here between
    // its attach and removal.
    std::vector<Steinberg::Vst::EditorView*> editorViews;
    // The controller's own state; nothing shows or edits it.
    Steinberg::Vst::String128 messageText = {};
};

} // namespace Brumvale
