// Parameter values into the model and the engine, through the table's mappings.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "parametermodel.h"

#include "parametertable.h"

namespace Brumvale {

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
    ParameterModel taken = model;
    for (const uint32_t id : {kBoostId, kVolumeId, kBypassId, kAntiAliasId, kWarmthId})
        applyParameter(engine, taken, id, model.normalized(id));
}

bool applyParameter(OctaveFuzzEngine& engine, ParameterModel& model, uint32_t id, float normalized)
{
    if (!model.set(id, normalized))
        return false;
    const bool on = model.values[id] > 0.5f;
    const float db = kParameters[id].plain(model.values[id]);
    switch (id)
    {
    case kBypassId:
        engine.setBypass(on);
        break;
    case kAntiAliasId:
        engine.setAntiAlias(on);
        break;
    case kWarmthId:
        engine.setWarmth(on);
        break;
    case kBoostId:
        engine.setBoostDb(db);
        break;
    case kVolumeId:
        engine.setVolumeDb(db);
        break;
    }
    return true;
}

} // namespace Brumvale
