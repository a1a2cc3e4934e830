// Host library: one parameter's automation points for a block.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "paramvaluequeue.h"

namespace Brumvale::Host {

using namespace Steinberg;

void ParamValueQueue::reset(Vst::ParamID id)
{
    paramId = id;
    count = 0;
}

tresult PLUGIN_API ParamValueQueue::getPoint(int32 index, int32& sampleOffset,
                                             Vst::ParamValue& value)
{
    if (index < 0 || index >= count)
        return kResultFalse;
    sampleOffset = points[static_cast<size_t>(index)].offset;
    value = points[static_cast<size_t>(index)].value;
    return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::addPoint(int32 sampleOffset, Vst::ParamValue value,
                                             int32& index)
{
    // Points stay sorted by offset; a point at an existing offset replaces it, as hosts do.
    int32 position = 0;
    while (position < count && points[static_cast<size_t>(position)].offset < sampleOffset)
        ++position;
    if (position < count && points[static_cast<size_t>(position)].offset == sampleOffset)
    {
        points[static_cast<size_t>(position)].value = value;
        index = position;
        return kResultOk;
    }
    if (count == kMaxPoints)
        return kResultFalse;
    for (int32 i = count; i > position; --i)
        points[static_cast<size_t>(i)] = points[static_cast<size_t>(i - 1)];
    points[static_cast<size_t>(position)] = {sampleOffset, value};
    ++count;
    index = position;
    return kResultOk;
}

} // namespace Brumvale::Host
