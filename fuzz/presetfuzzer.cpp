// Fuzz target: a .vstpreset file's chunks read from arbitrary bytes, as
// brumvale reads a file a user names before the plug-in sees any of it.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzzcheck.h"

#include "presetchunks.h"

#include <vector>

namespace Brumvale::Fuzz {

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    const std::vector<std::uint8_t> file(data, data + size);
    Host::PresetChunks chunks;
    std::string error;
    const bool accepted = chunks.read(file, "74E8DE5282554F5586FAE4152C935A20", error);
    require(accepted == error.empty(), "a preset is either taken or refused with a reason");
    // Each within the file (two entries may name the same bytes).
    require(!accepted || (chunks.component.size() <= size && chunks.controller.size() <= size),
            "the chunks lie within the file");
    require(accepted || size >= 48 || error == "is cut short" || error == "is not a VST 3 preset",
            "a file shorter than the header is refused as such");
    return 0;
}

} // namespace Brumvale::Fuzz
