// Host library: the edits of a controller (its editor) sent on to a live
// host's audio callback.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comobject.h"
#include "live/editqueue.h"

#include <pluginterfaces/vst/ivsteditcontroller.h>

namespace Brumvale::Host {

// A component handler that puts every performEdit into the queue, so that the
// processor gets the value in the next callbacks; beginEdit and endEdit need no
// more than an answer, as a live host records no automation, and so does
// restartComponent (values the controller changed itself reach the processor
// through the state it already holds). An edit finding the queue full is lost and
// answered kResultFalse: the controller keeps its value and the next edit carries
// on. Main thread, as a controller's calls are.
//
// Reference counted in the SDK's way: create with owned(new EditForwarder(queue)).
class EditForwarder : public ComObject<Steinberg::Vst::IComponentHandler>
{
public:
    explicit EditForwarder(EditQueue& edits) : edits(edits) {}

    Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) override;
    Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id,
                                              Steinberg::Vst::ParamValue value) override;
    Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) override;
    Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32 flags) override;

private:
    EditQueue& edits;
};

} // namespace Brumvale::Host
