// Host library: the parameter changes handed to a process call.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "parameterchanges.h"

namespace Brumvale::Host {

using namespace Steinberg;

tresult ParameterChanges::addChange(Vst::ParamID id, int32 sampleOffset, Vst::ParamValue value)
{
    int32 queueIndex = 0;
    Vst::IParamValueQueue* queue = addParameterData(id, queueIndex);
    if (!queue)
        return kResultFalse;
    int32 pointIndex = 0;
    return queue->addPoint(sampleOffset, value, pointIndex);
}

ParamValueQueue* ParameterChanges::addSeparateQueue(Vst::ParamID id)
{
    if (used == kMaxQueues)
        return nullptr;
    ParamValueQueue& queue = queues[static_cast<size_t>(used++)];
    queue.reset(id);
    return &queue;
}

Vst::IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index)
{
    if (index < 0 || index >= used)
        return nullptr;
    return &queues[static_cast<size_t>(index)];
}

Vst::IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const Vst::ParamID& id,
                                                                     int32& index)
{
    for (int32 i = 0; i < used; ++i)
    {
        if (queues[static_cast<size_t>(i)].getParameterId() == id)
        {
            index = i;
            return &queues[static_cast<size_t>(i)];
        }
    }
    ParamValueQueue* queue = addSeparateQueue(id);
    if (queue)
        index = used - 1;
    return queue;
}

} // namespace Brumvale::Host
