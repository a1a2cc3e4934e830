// Parameter values into the model and the engine, through the table's mappings.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "parametermodel.h"

#include "parametertable.h"

namespace Brumvale {
namespace {

// The model's value of one parameter into the engine: a switch on or off, a level
// in decibels.
void handToEngine(OctaveFuzzEngine& engine, const ParameterModel& model, uint32_t id)
{
    const float value = model.values[id];
    switch (id)
    {
    case kBypassId:
        engine.setBypass(value > 0.5f);
        break;
    case kAntiAliasId:
        engine.setAntiAlias(value > 0.5f);
        break;
    case kWarmthId:
        engine.setWarmth(value > 0.5f);
        break;
    case kBoostId:
        engine.setBoostDb(kParameters[id].plain(value));
        break;
    case kVolumeId:
        engine.setVolumeDb(kParameters[id].plain(value));
        break;
    }
}

} // namespace

ParameterModel ParameterModel::start(const ParameterDefaults& defaults)
{
    ParameterModel model;
    model.set(kBypassId, defaults.bypass);
    model.set(kAntiAliasId, defaults.antiAlias);
    model.set(kWarmthId, defaults.warmth);
    model.set(kBoostId, defaults.boostDbToNormalized(defaults.boostDb));
    model.set(kVolumeId, defaults.volumeDbToNormalized(defaults.volumeDb));
    return model;
}

bool ParameterModel::set(uint32_t id, float value)
{
    if (id >= kNumParameters)
        return false;
    values[id] =
        kParameters[id].kind == ParameterKind::kSwitch ? (value > 0.5f ? 1.0f : 0.0f) : value;
    return true;
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
        handToEngine(engine, model, id);
}

bool applyParameter(OctaveFuzzEngine& engine, ParameterModel& model, uint32_t id, float normalized)
{
    if (!model.set(id, normalized))
        return false;
    handToEngine(engine, model, id);
    return true;
}

} // namespace Brumvale
