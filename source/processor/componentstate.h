// The component state the processor saves: a little-endian field per parameter, 20 bytes.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "parametermodel.h"

#include "pluginterfaces/base/ibstream.h"

#include <array>

namespace Brumvale {

// The component state: a 4-byte little-endian field per parameter in the table's
// order, 20 bytes, no header: a switch's 32-bit integer, a level's normalised
// float. The processor writes it; the processor and the controller read it, each
// with its own presets and its own reading of the switch integers.
struct ComponentState
{
    std::array<Steinberg::int32, kNumParameters> switches{}; // the switches' fields
    std::array<float, kNumParameters> levels{};              // the levels' fields

    // The fields of the model's values: a switch as 1 or 0.
    static ComponentState of(const ParameterModel& model);

    // kResultFalse at the first failing write; what was written stays written.
    Steinberg::tresult write(Steinberg::IBStream& stream) const;
    // Reads over the current values, which stay where the stream reports success
    // without delivering bytes. kResultFalse, with this object unchanged, when a
    // read fails or a float is not finite (a NaN or an infinity would reach the
    // engine and the parameters).
    Steinberg::tresult read(Steinberg::IBStream& stream);
};

} // namespace Brumvale
