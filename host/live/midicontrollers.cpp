// Host library: MIDI control changes to parameters.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "midicontrollers.h"

#include <pluginterfaces/base/smartpointer.h>

namespace Brumvale::Host {

using namespace Steinberg;

MidiControllers::MidiControllers(Vst::IEditController* controller)
{
    for (auto& channel : parameters)
        channel.fill(kNone);
    FUnknownPtr<Vst::IMidiMapping> mapping(controller);
    if (!mapping)
        return;
    for (int16 channel = 0; channel < 16; ++channel)
        for (int16 number = 0; number < 128; ++number)
        {
            Vst::ParamID id = 0;
            if (mapping->getMidiControllerAssignment(0, channel, number, id) == kResultOk)
                parameters[size_t(channel)][size_t(number)] = int64(id);
        }
}

bool MidiControllers::find(const unsigned char* message, std::size_t size, Vst::ParamID& id,
                           Vst::ParamValue& value) const
{
    if (size != 3 || (message[0] & 0xF0) != 0xB0 || message[1] > 127 || message[2] > 127)
        return false;
    const int64 mapped = parameters[message[0] & 0x0F][message[1]];
    if (mapped == kNone)
        return false;
    id = Vst::ParamID(mapped);
    value = message[2] / 127.0;
    return true;
}

} // namespace Brumvale::Host
