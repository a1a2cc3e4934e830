// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#include "againcontroller.h"

#include "boostparameter.h"
#include "volumeparameter.h"

#include "processor/componentstate.h"
#include "processor/parameterdefaults.h"
#include "processor/parameterids.h"
#include "processor/receivedtext.h"

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/base/ustring.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Brumvale {

tresult PLUGIN_API againController::initialize(FUnknown* context)
{
    const tresult result = EditControllerEx1::initialize(context);
    if (result != kResultOk)
        return result;

    String128 unitName;
    UString(unitName, 128).fromAscii("Unit1");
    addUnit(new Unit(unitName, 1, kRootUnitId, kNoProgramListId));

    const ParameterDefaults defaults;
    parameters.addParameter(STR16("Bypass"), nullptr, 1, defaults.bypass ? 1.0 : 0.0,
                            ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass, kBypassId, 1);
    parameters.addParameter(STR16("AntiAlias"), nullptr, 1, defaults.antiAlias ? 1.0 : 0.0,
                            ParameterInfo::kCanAutomate, kAntiAliasId);
    parameters.addParameter(STR16("Warmth"), nullptr, 1, defaults.warmth ? 1.0 : 0.0,
                            ParameterInfo::kCanAutomate, kWarmthId);
    auto* boost = new BoostParameter(ParameterInfo::kCanAutomate, kBoostId);
    auto* volume = new VolumeParameter(ParameterInfo::kCanAutomate, kVolumeId);
    parameters.addParameter(boost);
    parameters.addParameter(volume);
    return kResultOk;
}

tresult PLUGIN_API againController::terminate() { return EditControllerEx1::terminate(); }

tresult PLUGIN_API againController::setComponentState(IBStream* state)
{
    if (!state)
        return kResultOk;
    const ParameterDefaults defaults;
    ComponentState read;
    read.bypass = defaults.bypass;
    read.antiAlias = defaults.antiAlias;
    read.warmth = defaults.warmth;
    read.boost = defaults.boostDbToNormalized(defaults.boostDb);
    read.volume = defaults.volumeDbToNormalized(defaults.volumeDb);
    if (read.read(*state) != kResultOk)
        return kResultFalse;
    setParamNormalized(kBypassId, read.bypass != 0 ? 1.0 : 0.0);
    setParamNormalized(kAntiAliasId, read.antiAlias != 0 ? 1.0 : 0.0);
    setParamNormalized(kWarmthId, read.warmth != 0 ? 1.0 : 0.0);
    setParamNormalized(kBoostId, read.boost);
    setParamNormalized(kVolumeId, read.volume);
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
    int8 byteOrder = 0;
    tresult result = state->read(&byteOrder, 1, nullptr);
    if (result != kResultOk)
        return result;
    result = state->read(messageText, sizeof(messageText), nullptr);
    if (result != kResultOk)
        return result;
    if (byteOrder != 0)
        for (TChar& unit : messageText)
            unit = static_cast<TChar>(((unit & 0xFF) << 8) | ((unit >> 8) & 0xFF));
    return kResultOk;
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

} // namespace Brumvale
