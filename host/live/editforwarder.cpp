// Host library: a controller's edits to the live host's queue.
// SPDX-License-Identifier: GPL-3.0-or-later
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

} // namespace Brumvale::Host
