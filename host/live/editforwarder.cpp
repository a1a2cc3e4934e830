// Host library: a controller's edits to the live host's queue.
// GPL-3.0-or-later.
#include "live/editforwarder.h"

#include <cmath>

namespace Brumvale::Host {

using namespace Steinberg;

tresult PLUGIN_API EditForwarder::beginEdit(Vst::ParamID) { return kResultOk; }

tresult PLUGIN_API EditForwarder::performEdit(Vst::ParamID id, Vst::ParamValue value)
{
    if (!std::isfinite(value))
        return kInvalidArgument;
    return edits.push({id, std::fmin(std::fmax(value, 0.0), 1.0)}) ? kResultOk : kResultFalse;
}

tresult PLUGIN_API EditForwarder::endEdit(Vst::ParamID) { return kResultOk; }

tresult PLUGIN_API EditForwarder::restartComponent(int32) { return kResultOk; }

tresult PLUGIN_API EditForwarder::queryInterface(const TUID iid, void** obj)
{
    if (!obj)
        return kInvalidArgument;
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

uint32 PLUGIN_API EditForwarder::addRef() { return ++references; }

uint32 PLUGIN_API EditForwarder::release()
{
    const uint32 left = --references;
    if (left == 0)
        delete this;
    return left;
}

} // namespace Brumvale::Host
