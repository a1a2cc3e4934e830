// Host library: a component handler that records the controller's edits.
// SPDX-License-Identifier: GPL-3.0-or-later
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

} // namespace Brumvale::Host
