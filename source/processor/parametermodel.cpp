// Parameter values into the model and the engine, through the table's mappings.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "parametermodel.h"

#include "parametertable.h"

namespace Brumvale {

namespace {

// The one parameter's value from the model into the engine.
void hand(OctaveFuzzEngine& engine, const ParameterModel& model, uint32_t id)
{
    switch (id)
    {
    case kBypassId:
        engine.setBypass(model.bypass);
        break;
    case kAntiAliasId:
        engine.setAntiAlias(model.antiAlias);
        break;
    case kWarmthId:
        engine.setWarmth(model.warmth);
        break;
    case kBoostId:
        engine.setBoostDb(kParameters[kBoostId].plain(model.boost));
        break;
    case kVolumeId:
        engine.setVolumeDb(kParameters[kVolumeId].plain(model.volume));
        break;
    }
}

} // namespace

ParameterModel ParameterModel::start(const ParameterDefaults& defaults)
{
    ParameterModel model;
    model.bypass = defaults.bypass != 0;
    model.antiAlias = defaults.antiAlias != 0;
    model.warmth = defaults.warmth != 0;
    model.boost = defaults.boostDbToNormalized(defaults.boostDb);
    model.volume = defaults.volumeDbToNormalized(defaults.volumeDb);
    return model;
}

bool ParameterModel::set(uint32_t id, float value)
{
    const bool on = value > 0.5f;
    switch (id)
    {
    case kBypassId:
        bypass = on;
        return true;
    case kAntiAliasId:
        antiAlias = on;
        return true;
    case kWarmthId:
        warmth = on;
        return true;
    case kBoostId:
        boost = value;
        return true;
    case kVolumeId:
        volume = value;
        return true;
    default:
        return false;
    }
}

float ParameterModel::normalized(uint32_t id) const
{
    switch (id)
    {
    case kBypassId:
        return bypass ? 1.0f : 0.0f;
    case kAntiAliasId:
        return antiAlias ? 1.0f : 0.0f;
    case kWarmthId:
        return warmth ? 1.0f : 0.0f;
    case kBoostId:
        return boost;
    case kVolumeId:
        return volume;
    default:
        return 0.0f;
    }
}

bool prepareEngine(OctaveFuzzEngine& engine, int32_t channels, double sampleRate,
                   const ParameterModel& model)
{
    engine.setChannelCount(channels);
    engine.setSampleRate(sampleRate);
    pushToEngine(engine, model);
    return engine.channelCount() == channels;
}

void pushToEngine(OctaveFuzzEngine& engine, const ParameterModel& model)
{
    for (const uint32_t id : {kBoostId, kVolumeId, kBypassId, kAntiAliasId, kWarmthId})
        hand(engine, model, id);
}

bool applyParameter(OctaveFuzzEngine& engine, ParameterModel& model, uint32_t id, float normalized)
{
    if (!model.set(id, normalized))
        return false;
    hand(engine, model, id);
    return true;
}

} // namespace Brumvale
