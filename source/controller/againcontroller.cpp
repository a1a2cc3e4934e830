// The edit controller's unit and parameters, the processor's state mirrored into them, its own
// text state, its MIDI controller mapping and the editors it keeps up to date.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "againcontroller.h"

#include "parameters.h"

#include "common/interfaceguard.h"
#include "common/receivedtext.h"
#include "editor/againeditorview.h"
#include "processor/componentstate.h"
#include "processor/parametertable.h"

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/base/ustring.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Brumvale {

tresult PLUGIN_API againController::queryInterface(const TUID iid, void** obj)
{
    if (!answerableQuery(iid, obj))
        return kInvalidArgument;
    QUERY_INTERFACE(iid, obj, IMidiMapping::iid, IMidiMapping)
    QUERY_INTERFACE(iid, obj, IUnitInfo::iid, IUnitInfo)
    return EditController::queryInterface(iid, obj);
}

tresult PLUGIN_API againController::initialize(FUnknown* context)
{
    // The base refuses a second initialize only when the first had a context.
    if (getParameterCount() != 0)
        return kResultFalse;
    const tresult result = EditControllerEx1::initialize(context);
    if (result != kResultOk)
        return result;
    const tresult registered = guarded([this] { return registerUnitAndParameters(); });
    if (registered != kResultOk)
        EditControllerEx1::terminate();
    return registered;
}

tresult againController::registerUnitAndParameters()
{
    String128 unitName;
    UString(unitName, 128).fromAscii("Unit1");
    addUnit(new Unit(unitName, 1, kRootUnitId, kNoProgramListId));

    for (const ParameterDescription& row : kParameters)
    {
        const bool bypass = row.id == kBypassId; // the host's bypass, in a unit of its own
        if (row.kind == ParameterKind::kSwitch)
            parameters.addParameter(new SwitchParameter(
                row, ParameterInfo::kCanAutomate | (bypass ? ParameterInfo::kIsBypass : 0),
                bypass ? 1 : kRootUnitId));
    }
    auto* boost = new BoostParameter(ParameterInfo::kCanAutomate, kBoostId);
    auto* volume = new VolumeParameter(ParameterInfo::kCanAutomate, kVolumeId);
    parameters.addParameter(boost);
    parameters.addParameter(volume);
    return kResultOk;
}

tresult PLUGIN_API againController::terminate()
{
    editorViews.clear();
    return EditControllerEx1::terminate();
}

tresult PLUGIN_API againController::notify(IMessage* message)
{
    return notifyComponentBase(*this, message);
}

tresult PLUGIN_API againController::setComponentState(IBStream* state)
{
    if (!state)
        return kResultOk;
    // Fields the stream does not deliver keep the starting values; a switch is on
    // when its integer is not zero.
    ComponentState read = ComponentState::of(ParameterModel::start(ParameterDefaults()));
    if (read.read(*state) != kResultOk)
        return kResultFalse;
    for (const ParameterDescription& row : kParameters)
        setParamNormalized(row.id, row.kind == ParameterKind::kSwitch
                                       ? (read.switches[row.id] != 0 ? 1.0 : 0.0)
                                       : read.levels[row.id]);
    return kResultOk;
}

tresult PLUGIN_API againController::getState(IBStream* state)
{
    if (!state)
        return kInvalidArgument;
    const int8 littleEndian = 0;
    if (state->write(const_cast<int8*>(&littleEndian), 1, nullptr) != kResultOk)
        return kResultFalse;
    return state->write(messageText, sizeof(messageText), nullptr);
}

tresult PLUGIN_API againController::setState(IBStream* state)
{
    if (!state)
        return kInvalidArgument;
    // Read into a copy: a stream that breaks in the middle leaves the text as it was.
    int8 byteOrder = 0;
    Vst::String128 text;
    std::copy(std::begin(messageText), std::end(messageText), text);
    tresult result = state->read(&byteOrder, 1, nullptr);
    if (result != kResultOk)
        return result;
    result = state->read(text, sizeof(text), nullptr);
    if (result != kResultOk)
        return result;
    if (byteOrder != 0)
        for (TChar& unit : text)
            unit = static_cast<TChar>(((unit & 0xFF) << 8) | ((unit >> 8) & 0xFF));
    std::copy(std::begin(text), std::end(text), messageText);
    return kResultOk;
}

tresult PLUGIN_API againController::getParameterInfo(int32 paramIndex, ParameterInfo& info)
{
    if (paramIndex < 0 || paramIndex >= getParameterCount())
        return kInvalidArgument;
    return EditControllerEx1::getParameterInfo(paramIndex, info);
}

tresult PLUGIN_API againController::getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                                          String128 string)
{
    if (!string)
        return kInvalidArgument;
    return EditControllerEx1::getParamStringByValue(id, valueNormalized, string);
}

tresult PLUGIN_API againController::setParamNormalized(ParamID id, ParamValue value)
{
    if (!std::isfinite(value))
        return kInvalidArgument;
    const tresult result =
        guarded([&] { return EditControllerEx1::setParamNormalized(id, value); });
    // The count is read again on every step: an editor may be removed meanwhile.
    for (size_t i = 0; i < editorViews.size(); ++i)
        if (editorViews[i])
            static_cast<againEditorView*>(editorViews[i])->updateFromParameter(id, value);
    return result;
}

IPlugView* PLUGIN_API againController::createView(FIDString name)
{
    if (!name || std::strcmp(name, "editor") != 0)
        return nullptr;
    return new (std::nothrow) againEditorView(this);
}

tresult PLUGIN_API againController::getUnitInfo(int32 unitIndex, UnitInfo& info)
{
    if (unitIndex < 0 || unitIndex >= getUnitCount())
        return kInvalidArgument;
    return EditControllerEx1::getUnitInfo(unitIndex, info);
}

tresult PLUGIN_API againController::getMidiControllerAssignment(int32 busIndex, int16,
                                                                CtrlNumber midiControllerNumber,
                                                                ParamID& id)
{
    if (busIndex != 0)
        return kResultFalse;
    switch (midiControllerNumber)
    {
    case kCtrlVolume:
        id = kVolumeId;
        return kResultOk;
    case kCtrlEffect1:
        id = kBoostId;
        return kResultOk;
    default:
        return kResultFalse;
    }
}

tresult againController::receiveText(const char* text)
{
    printReceivedText("againController", text);
    return kResultOk;
}

void againController::editorDestroyed(EditorView* editor)
{
    editorViews.erase(std::remove(editorViews.begin(), editorViews.end(), editor),
                      editorViews.end());
}

void againController::editorAttached(EditorView* editor)
{
    if (dynamic_cast<againEditorView*>(editor))
        guarded([&] {
            editorViews.push_back(editor);
            return kResultOk;
        });
}

void againController::editorRemoved(EditorView* editor)
{
    const auto found = std::find(editorViews.begin(), editorViews.end(), editor);
    if (found != editorViews.end())
        editorViews.erase(found);
}

} // namespace Brumvale
