// One instance of the LV2 plug-in: the engine driven from control ports.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lv2ports.h"

#include "processor/parametermodel.h"

#include <array>
#include <cstdint>

namespace Brumvale::Lv2 {

// Drives the engine on the VST 3 processor's road (prepareEngine, applyParameter),
// so that the same settings give the same samples: a port's value becomes the
// normalised value the processor would receive, a level's decibels through its
// mapping, a switch as 0 or 1. Switch ports, the host's enable port among them, are
// on above zero, as LV2 reads toggles (the panel and the presets write 0 and 1);
// Bypass is on by our switch or by the host's. A value is applied when it changes;
// values outside the port's range are clamped, values that are not finite ignored.
//
// Threads: the LV2 classes. create, activate and destroy in the instantiation
// class; run in the audio class, where it allocates nothing, locks nothing, makes
// no system call and throws nothing. No operation throws.
class Lv2Effect
{
public:
    // Null for a width other than 1 or 2, a rate outside 1 Hz to 2^31 - 1 Hz (the
    // engine counts whole hertz in 32 bits) or no memory.
    static Lv2Effect* create(uint32_t channels, double sampleRate) noexcept;

    // Ports beyond this width's are ignored.
    void connectPort(uint32_t port, void* data) noexcept;
    // Restarts everything that depends on history, as LV2 asks of an activation
    // (after a deactivation too): the instance becomes what a new one is, and the
    // ports' values are taken at the next run. Allocates the engine's memory anew;
    // without memory the instance goes on as it was.
    void activate() noexcept;
    // Renders when every audio port of the width is connected; outputs may be the
    // inputs.
    void run(uint32_t sampleCount) noexcept;

private:
    Lv2Effect(uint32_t channels, double sampleRate) noexcept;
    // The state a new instance starts in: an engine of this width and rate with
    // every setting at its port's default. False when there is no memory.
    bool restart() noexcept;
    void applyControls() noexcept;
    // The value the processor would receive for this parameter's port.
    float normalized(uint32_t id) const noexcept;

    const uint32_t channels;
    const double sampleRate;
    OctaveFuzzEngine engine;
    ParameterModel model; // the values in effect
    std::array<const float*, kControlInputCount> controls{};
    std::array<float, kControlInputCount> taken{}; // the ports' last finite values
    float* latency = nullptr;
    std::array<const float*, 2> inputs{};
    std::array<float*, 2> outputs{};
};

} // namespace Brumvale::Lv2
