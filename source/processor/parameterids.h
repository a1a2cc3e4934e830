// The VST 3 parameter IDs of Bypass, AntiAlias, Warmth, Boost and Volume.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace Brumvale {

// VST 3 parameter IDs; the processor, the component state, the controller and the
// editor all use these numbers directly.
enum ParameterId : uint32_t
{
    kBypassId = 0,
    kAntiAliasId = 1,
    kWarmthId = 2,
    kBoostId = 3,
    kVolumeId = 4,
};
constexpr uint32_t kNumParameters = 5;

} // namespace Brumvale
