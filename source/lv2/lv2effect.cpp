// An LV2 instance's ports, its restart on activation, and its control values taken into the engine.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lv2effect.h"

#include "engine/floatingpointmode.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <utility>

namespace Brumvale::Lv2 {
namespace {

// How LV2 reads a toggle: on above zero.
bool switchOn(float value) { return value > 0.0f; }

} // namespace

Lv2Effect* Lv2Effect::create(uint32_t channels, double sampleRate) noexcept
{
    constexpr double kLargest = std::numeric_limits<int32_t>::max();
    if ((channels != 1 && channels != 2) || !(sampleRate >= 1.0 && sampleRate <= kLargest))
        return nullptr;
    auto* effect = new (std::nothrow) Lv2Effect(channels, sampleRate);
    if (effect && !effect->restart())
    {
        delete effect;
        return nullptr;
    }
    return effect;
}

Lv2Effect::Lv2Effect(uint32_t channels, double sampleRate) noexcept
    : channels(channels), sampleRate(sampleRate)
{}

bool Lv2Effect::restart() noexcept
{
    OctaveFuzzEngine fresh;
    const ParameterModel start = ParameterModel::start(ParameterDefaults());
    if (!prepareEngine(fresh, int32_t(channels), sampleRate, start))
        return false;
    engine = std::move(fresh);
    model = start;
    const auto ports = controlPorts();
    for (uint32_t p = 0; p < kControlInputCount; ++p)
        taken[p] = ports[p].defaultValue;
    return true;
}

void Lv2Effect::activate() noexcept { restart(); }

void Lv2Effect::connectPort(uint32_t port, void* data) noexcept
{
    if (port < kControlInputCount)
        controls[port] = static_cast<const float*>(data);
    else if (port == kLatencyPort)
        latency = static_cast<float*>(data);
    else if (port < audioInputPort(channels))
        inputs[port - audioInputPort(0)] = static_cast<const float*>(data);
    else if (port < audioOutputPort(channels, channels))
        outputs[port - audioOutputPort(channels, 0)] = static_cast<float*>(data);
}

float Lv2Effect::normalized(uint32_t id) const noexcept
{
    const ParameterDescription& row = kParameters[id];
    if (id == kBypassId)
        return switchOn(taken[kBypassPort]) || !switchOn(taken[kEnabledPort]) ? 1.0f : 0.0f;
    if (row.kind == ParameterKind::kSwitch)
        return switchOn(taken[id]) ? 1.0f : 0.0f;
    return row.normalized(std::clamp(taken[id], row.minimum, row.maximum));
}

void Lv2Effect::applyControls() noexcept
{
    bool moved = false;
    for (uint32_t p = 0; p < kControlInputCount; ++p)
        if (controls[p] && std::isfinite(*controls[p]) && *controls[p] != taken[p])
        {
            taken[p] = *controls[p];
            moved = true;
        }
    if (!moved)
        return;
    // A changed value applies once, a repeated one never, which is what a VST 3
    // host's parameter changes amount to.
    for (const ParameterDescription& row : kParameters)
    {
        const float value = normalized(row.id);
        if (value != model.normalized(row.id))
            applyParameter(engine, model, row.id, value);
    }
}

void Lv2Effect::run(uint32_t sampleCount) noexcept
{
    // Port values become engine settings in the engine's own mode too, so that no
    // host's mode reaches the sound.
    const IeeeArithmeticScope ieee;
    applyControls();
    if (latency)
        *latency = 0.0f;
    for (uint32_t c = 0; c < channels; ++c)
        if (!inputs[c] || !outputs[c])
            return;
    const auto count =
        int32_t(std::min<uint32_t>(sampleCount, std::numeric_limits<int32_t>::max()));
    engine.processBlock(inputs.data(), outputs.data(), count);
}

} // namespace Brumvale::Lv2
