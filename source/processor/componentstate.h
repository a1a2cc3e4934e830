// The component state the processor saves: five little-endian values, 20 bytes.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pluginterfaces/base/ibstream.h"

namespace Brumvale {

// The component state: five 4-byte little-endian values, 20 bytes, no header.
// The processor writes it; the processor and the controller read it, each with
// its own presets and its own reading of the switch integers.
struct ComponentState
{
    Steinberg::int32 bypass = 0;
    Steinberg::int32 antiAlias = 0;
    Steinberg::int32 warmth = 0;
    float boost = 0.0f;
    float volume = 0.0f;

    // kResultFalse at the first failing write; what was written stays written.
    Steinberg::tresult write(Steinberg::IBStream& stream) const;
    // Reads over the current values, which stay where the stream reports success
    // without delivering bytes. kResultFalse, with this object unchanged, when a
    // read fails or a float is not finite (a NaN or an infinity would reach the
    // engine and the parameters).
    Steinberg::tresult read(Steinberg::IBStream& stream);
};

} // namespace Brumvale
