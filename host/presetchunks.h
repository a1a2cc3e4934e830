// Host library: the chunks of a .vstpreset file, checked before any is used.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Brumvale::Host {

// A VST 3 preset file: the header ("VST3", version, the class ID as 32 hex digits,
// the chunk list's offset), the chunks, and the list ("List", a count, then an
// ID, offset and size of 64 bits each per chunk), little-endian. The processor's
// state is the "Comp" chunk, the controller's the "Cont" chunk.
struct PresetChunks
{
    std::vector<std::uint8_t> component;
    std::vector<std::uint8_t> controller;
    bool hasController = false;

    // Takes the file apart, checking all of it first: false, with the reason (to
    // follow the file's name: "is cut short", ...), for a file that is not a
    // preset, is of another class than classId (32 hex digits), is cut short, has a
    // chunk or a list reaching past its end, or holds no processor state.
    bool read(const std::vector<std::uint8_t>& file, const std::string& classId,
              std::string& error);
};

} // namespace Brumvale::Host
