// The five parameter values a processor holds, and the one road by which they reach
// the engine, shared by the VST 3 processor and the LV2 plug-in.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "parameterdefaults.h"
#include "parameterids.h"

#include "engine/octavefuzzengine.h"

#include <array>

namespace Brumvale {

// The five values as the processor receives them, by ID: a switch's as 0 or 1, a
// level's normalised.
struct ParameterModel
{
    std::array<float, kNumParameters> values{};

    // Every parameter at the record's starting value.
    static ParameterModel start(const ParameterDefaults& defaults);
    // A switch is on above 0.5, a level keeps its normalised value as it is. False
    // for an ID beyond the set.
    bool set(uint32_t id, float normalized);
    // 0 for an ID beyond the set.
    float normalized(uint32_t id) const { return id < kNumParameters ? values[id] : 0.0f; }
};

// The road from a value to the engine. Real-time safe: no allocation, no lock, no
// system call, no exception; the engine works in its own floating-point mode.

// Prepares an engine of this width and rate and hands it every value, in the one
// order every format keeps. False when the engine has no memory for the width.
bool prepareEngine(OctaveFuzzEngine& engine, int32_t channels, double sampleRate,
                   const ParameterModel& model);
// Hands every value to the engine: Boost, Volume, Bypass, AntiAlias, Warmth.
void pushToEngine(OctaveFuzzEngine& engine, const ParameterModel& model);
// One received value: a switch is on above 0.5, a level maps from its normalised
// value to decibels. Taken into the model and the engine; false for an ID beyond
// the set. A bypass value starts a fade even when it repeats the state in effect.
bool applyParameter(OctaveFuzzEngine& engine, ParameterModel& model, uint32_t id, float normalized);

} // namespace Brumvale
