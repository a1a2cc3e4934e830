// The tags of the editor's controls: four-character codes, first character in the
// most significant byte.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace Brumvale {

constexpr int32_t fourCharacters(const char (&code)[5])
{
    return int32_t(uint32_t(uint8_t(code[0])) << 24 | uint32_t(uint8_t(code[1])) << 16 |
                   uint32_t(uint8_t(code[2])) << 8 | uint32_t(uint8_t(code[3])));
}

constexpr int32_t kBypassTag = fourCharacters("ByPB");
constexpr int32_t kHiFiTag = fourCharacters("HiFi");
constexpr int32_t kWarmthTag = fourCharacters("Warm");
constexpr int32_t kBoostKnobTag = fourCharacters("IGK ");
constexpr int32_t kBoostTextTag = fourCharacters("IGT ");
constexpr int32_t kVolumeKnobTag = fourCharacters("OGK ");
constexpr int32_t kVolumeTextTag = fourCharacters("OGT ");
constexpr int32_t kSplashTag = fourCharacters("xxxx");

} // namespace Brumvale
