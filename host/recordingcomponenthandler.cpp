// Host library: a component handler that records the controller's edits.
// GPL-3.0-or-later.
#include "recordingcomponenthandler.h"

namespace Brumvale::Host {

using namespace Steinberg;

tresult PLUGIN_API RecordingComponentHandler::beginEdit(Vst::ParamID id)
{
    recorded.push_back({Kind::BeginEdit, id, 0.0});
    return kResultOk;
}

tresult PLUGIN_API RecordingComponentHandler::performEdit(Vst::ParamID id, Vst::ParamValue value)
{
    recorded.push_back({Kind::PerformEdit, id, value});
    return kResultOk;
}

tresult PLUGIN_API RecordingComponentHandler::endEdit(Vst::ParamID id)
{
    recorded.push_back({Kind::EndEdit, id, 0.0});
    return kResultOk;
}

tresult PLUGIN_API RecordingComponentHandler::restartComponent(int32 flags)
{
    recorded.push_back({Kind::RestartComponent, static_cast<Vst::ParamID>(flags), 0.0});
    return kResultOk;
}

tresult PLUGIN_API RecordingComponentHandler::queryInterface(const TUID iid, void** obj)
{
    if (FUnknownPrivate::iidEqual(iid, FUnknown::iid) ||
        FUnknownPrivate::iidEqual(iid, Vst::IComponentHandler::iid))
    {
        addRef();
        *obj = static_cast<Vst::IComponentHandler*>(this);
        return kResultOk;
    }
    *obj = nullptr;
    return kNoInterface;
}

uint32 PLUGIN_API RecordingComponentHandler::addRef() { return ++references; }

uint32 PLUGIN_API RecordingComponentHandler::release()
{
    const uint32 left = --references;
    if (left == 0)
        delete this;
    return left;
}

} // namespace Brumvale::Host
