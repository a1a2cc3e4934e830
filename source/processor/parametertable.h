// The parameter set in one table: what the controller registers, the LV2 ports and
// Turtle files, the panel's port host, the presets and the tools are made from.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "parameterdefaults.h"
#include "parameterids.h"

#include <array>

namespace Brumvale {

enum class ParameterKind
{
    kSwitch, // on or off: 1 or 0 in its unit, on above 0.5 normalised
    kLevel,  // a level in dB, linear in its normalised value
};

// The record the table's starting values, ranges and mappings come from.
inline constexpr ParameterDefaults kParameterRecord{};

// One parameter as every format describes it. Plain values are in the unit: a
// switch's are 0 and 1, a level's decibels. Constant data, safe on any thread.
struct ParameterDescription
{
    using Mapping = float (ParameterDefaults::*)(float) const;

    ParameterId id;
    const char* name;      // the VST 3 title and the LV2 port's name
    const char* shortName; // what the panel and the terminal call it
    const char* symbol;    // the LV2 port's symbol, stored in hosts' sessions
    ParameterKind kind;
    const char* unit; // "dB" for levels, none for switches
    float minimum;    // the range, plain
    float maximum;
    float start; // the value the processor starts with, plain
    // A level's mappings (ParameterDefaults'), null for a switch. Neither clamps.
    Mapping toDecibels;
    Mapping toNormalized;

    // The normalised value to plain: a switch is on above 0.5. Does not clamp.
    float plain(double normalized) const
    {
        if (kind == ParameterKind::kSwitch)
            return normalized > 0.5 ? 1.0f : 0.0f;
        return (kParameterRecord.*toDecibels)(float(normalized));
    }
    // A plain value normalised: a switch is on above 0.5. Does not clamp.
    float normalized(float plainValue) const
    {
        if (kind == ParameterKind::kSwitch)
            return plainValue > 0.5f ? 1.0f : 0.0f;
        return (kParameterRecord.*toNormalized)(plainValue);
    }
};

// In the order of the IDs. The processor starts Boost at 0 dB, not at the +36 dB
// its controller reports as default.
// clang-format off
inline constexpr std::array<ParameterDescription, kNumParameters> kParameters = {{
    {kBypassId, "Bypass", "Bypass", "bypass", ParameterKind::kSwitch, "", 0.0f, 1.0f,
     float(kParameterRecord.bypass), nullptr, nullptr},
    {kAntiAliasId, "AntiAlias", "HiFi", "antialias", ParameterKind::kSwitch, "", 0.0f, 1.0f,
     float(kParameterRecord.antiAlias), nullptr, nullptr},
    {kWarmthId, "Warmth", "Warmth", "warmth", ParameterKind::kSwitch, "", 0.0f, 1.0f,
     float(kParameterRecord.warmth), nullptr, nullptr},
    {kBoostId, "Boost", "Boost", "boost", ParameterKind::kLevel, "dB", kParameterRecord.boostMinDb,
     kParameterRecord.boostMinDb + kParameterRecord.boostRangeDb, kParameterRecord.boostDb,
     &ParameterDefaults::normalizedToBoostDb, &ParameterDefaults::boostDbToNormalized},
    {kVolumeId, "Volume", "Volume", "volume", ParameterKind::kLevel, "dB", kParameterRecord.volumeMinDb,
     kParameterRecord.volumeMinDb + kParameterRecord.volumeRangeDb, kParameterRecord.volumeDb,
     &ParameterDefaults::normalizedToVolumeDb, &ParameterDefaults::volumeDbToNormalized},
}};
// clang-format on

// Every format numbers its parameters (VST 3 IDs, LV2 port indices, the component
// state's fields) by their row here.
constexpr bool rowsFollowTheIds()
{
    for (uint32_t i = 0; i < kParameters.size(); ++i)
        if (kParameters[i].id != i)
            return false;
    return true;
}
static_assert(rowsFollowTheIds(), "the table's rows must follow the parameter IDs");

} // namespace Brumvale
