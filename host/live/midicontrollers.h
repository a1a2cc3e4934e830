// Host library: MIDI control changes to parameters, as the plug-in maps
// them.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pluginterfaces/vst/ivsteditcontroller.h>

#include <array>
#include <cstdint>

namespace Brumvale::Host {

// The parameter each controller number on each MIDI channel drives, asked of the
// plug-in's IMidiMapping (bus 0) once, on the main thread; after that, find is a
// table lookup that a real-time thread may make.
class MidiControllers
{
public:
    // Nothing is mapped when the controller has no IMidiMapping.
    explicit MidiControllers(Steinberg::Vst::IEditController* controller);

    // The parameter edit of a three-byte control change (status 0xB0 to 0xBF); false
    // for other messages and unmapped controllers. The value 0..127 becomes 0..1.
    bool find(const unsigned char* message, std::size_t size, Steinberg::Vst::ParamID& id,
              Steinberg::Vst::ParamValue& value) const;

private:
    static constexpr Steinberg::int64 kNone = -1;
    std::array<std::array<Steinberg::int64, 128>, 16> parameters;
};

} // namespace Brumvale::Host
