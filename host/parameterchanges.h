// Host library: the parameter changes handed to a process call.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "paramvaluequeue.h"

#include <pluginterfaces/vst/ivstparameterchanges.h>

#include <array>

namespace Brumvale::Host {

// A fixed pool of queues, one per parameter and block; nothing is allocated while a block
// is prepared or processed. Owned by the host; references are not counted.
class ParameterChanges : public OwnedObject<Steinberg::Vst::IParameterChanges>
{
public:
    static constexpr Steinberg::int32 kMaxQueues = 32;

    ParameterChanges() = default;
    virtual ~ParameterChanges() = default;

    // Empties all queues for the next block.
    void clear() { used = 0; }

    // Adds a point to the queue of id, creating the queue when needed.
    Steinberg::tresult addChange(Steinberg::Vst::ParamID id, Steinberg::int32 sampleOffset,
                                 Steinberg::Vst::ParamValue value);
    // Always opens a new queue, even if one for id exists (hosts may send several).
    ParamValueQueue* addSeparateQueue(Steinberg::Vst::ParamID id);

    Steinberg::int32 PLUGIN_API getParameterCount() override { return used; }
    Steinberg::Vst::IParamValueQueue* PLUGIN_API getParameterData(Steinberg::int32 index) override;
    Steinberg::Vst::IParamValueQueue* PLUGIN_API addParameterData(const Steinberg::Vst::ParamID& id,
                                                                  Steinberg::int32& index) override;

private:
    std::array<ParamValueQueue, kMaxQueues> queues;
    Steinberg::int32 used = 0;
};

} // namespace Brumvale::Host
