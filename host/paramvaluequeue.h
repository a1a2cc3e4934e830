// Host library: one parameter's automation points for a block.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comobject.h"

#include <pluginterfaces/vst/ivstparameterchanges.h>

#include <array>

namespace Brumvale::Host {

// Fixed capacity so that filling and reading it never allocates on the audio thread. The
// host owns it (inside ParameterChanges); references are not counted because a plug-in
// may use it only during the process call that delivered it.
class ParamValueQueue : public OwnedObject<Steinberg::Vst::IParamValueQueue>
{
public:
    static constexpr Steinberg::int32 kMaxPoints = 128;

    ParamValueQueue() = default;
    virtual ~ParamValueQueue() = default;

    void reset(Steinberg::Vst::ParamID id);

    Steinberg::Vst::ParamID PLUGIN_API getParameterId() override { return paramId; }
    Steinberg::int32 PLUGIN_API getPointCount() override { return count; }
    Steinberg::tresult PLUGIN_API getPoint(Steinberg::int32 index, Steinberg::int32& sampleOffset,
                                           Steinberg::Vst::ParamValue& value) override;
    Steinberg::tresult PLUGIN_API addPoint(Steinberg::int32 sampleOffset,
                                           Steinberg::Vst::ParamValue value,
                                           Steinberg::int32& index) override;

private:
    struct Point
    {
        Steinberg::int32 offset;
        Steinberg::Vst::ParamValue value;
    };

    Steinberg::Vst::ParamID paramId = 0;
    Steinberg::int32 count = 0;
    std::array<Point, kMaxPoints> points = {};
};

} // namespace Brumvale::Host
