// Host-level tests: building and reading the 20-byte component state.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

namespace Brumvale::Host {

// The component state as its five little-endian fields (x86-64 is little-endian, so
// memcpy gives the stream's byte order).
struct StateBytes
{
    static std::vector<std::uint8_t> make(std::int32_t bypass, std::int32_t antiAlias,
                                          std::int32_t warmth, float boost, float volume)
    {
        std::vector<std::uint8_t> bytes(20);
        std::memcpy(bytes.data() + 0, &bypass, 4);
        std::memcpy(bytes.data() + 4, &antiAlias, 4);
        std::memcpy(bytes.data() + 8, &warmth, 4);
        std::memcpy(bytes.data() + 12, &boost, 4);
        std::memcpy(bytes.data() + 16, &volume, 4);
        return bytes;
    }
    static std::int32_t integer(const std::vector<std::uint8_t>& bytes, size_t offset)
    {
        std::int32_t value = 0;
        std::memcpy(&value, bytes.data() + offset, 4);
        return value;
    }
    static float real(const std::vector<std::uint8_t>& bytes, size_t offset)
    {
        float value = 0;
        std::memcpy(&value, bytes.data() + offset, 4);
        return value;
    }
};

} // namespace Brumvale::Host
