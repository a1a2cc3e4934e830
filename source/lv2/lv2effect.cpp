// An LV2 instance's ports, its restart on activation, and its control values taken into the engine.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lv2effect.h"

#include "engine/floatingpointmode.h"

#include <algorithm>
#include <cmath>
#include <cstring>
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
    // The processor's order: width, rate, then every parameter once.
    OctaveFuzzEngine fresh;
    fresh.setChannelCount(int32_t(channels));
    if (fresh.channelCount() != int32_t(channels))
        return false;
    fresh.setSampleRate(sampleRate);
    fresh.setBoostDb(normalizedDb(kBoostPort, ports[kBoostPort].defaultValue));
    fresh.setVolumeDb(normalizedDb(kVolumePort, ports[kVolumePort].defaultValue));
    fresh.setBypass(switchOn(ports[kBypassPort].defaultValue));
    fresh.setAntiAlias(switchOn(ports[kAntiAliasPort].defaultValue));
    fresh.setWarmth(switchOn(ports[kWarmthPort].defaultValue));
    engine = std::move(fresh);
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

float Lv2Effect::normalizedDb(ControlPort port, float db) const noexcept
{
    const float clamped = std::clamp(db, ports[port].minimum, ports[port].maximum);
    return port == kBoostPort
               ? defaults.normalizedToBoostDb(defaults.boostDbToNormalized(clamped))
               : defaults.normalizedToVolumeDb(defaults.volumeDbToNormalized(clamped));
}

void Lv2Effect::applyControls() noexcept
{
    const bool wasBypassed = bypassed();
    for (uint32_t p = 0; p < kControlInputCount; ++p)
    {
        if (!controls[p])
            continue;
        const float value = *controls[p];
        // Compared by bits: a changed value applies once, a repeated one never,
        // which is what a VST 3 host's parameter changes amount to.
        if (!std::isfinite(value) || std::memcmp(&value, &taken[p], sizeof value) == 0)
            continue;
        const bool wasOn = switchOn(taken[p]);
        taken[p] = value;
        const bool on = switchOn(value);
        switch (p)
        {
        case kAntiAliasPort:
            if (on != wasOn)
                engine.setAntiAlias(on);
            break;
        case kWarmthPort:
            if (on != wasOn)
                engine.setWarmth(on);
            break;
        case kBoostPort:
            engine.setBoostDb(normalizedDb(kBoostPort, value));
            break;
        case kVolumePort:
            engine.setVolumeDb(normalizedDb(kVolumePort, value));
            break;
        }
    }
    if (bypassed() != wasBypassed)
        engine.setBypass(!wasBypassed);
}

bool Lv2Effect::bypassed() const noexcept
{
    // By our switch or by the host's.
    return switchOn(taken[kBypassPort]) || !switchOn(taken[kEnabledPort]);
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
