// Host library: a component handler that records the controller's edits.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comobject.h"

#include <pluginterfaces/vst/ivsteditcontroller.h>

#include <vector>

namespace Brumvale::Host {

// Keeps every beginEdit/performEdit/endEdit/restartComponent in call order, so tests
// can check what a controller told its host. Main thread only, as the calls are.
class RecordingComponentHandler : public ComObject<Steinberg::Vst::IComponentHandler>
{
public:
    enum class Kind
    {
        BeginEdit,
        PerformEdit,
        EndEdit,
        RestartComponent
    };

    struct Call
    {
        Kind kind;
        Steinberg::Vst::ParamID id; // restart flags for RestartComponent
        Steinberg::Vst::ParamValue value;
    };

    RecordingComponentHandler() = default;

    const std::vector<Call>& calls() const { return recorded; }
    void clear() { recorded.clear(); }

    Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) override;
    Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id,
                                              Steinberg::Vst::ParamValue value) override;
    Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) override;
    Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32 flags) override;

private:
    std::vector<Call> recorded;
};

} // namespace Brumvale::Host
