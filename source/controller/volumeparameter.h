// The Volume parameter: -36 to 0 dB, read and typed in decibels.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decibelparameter.h"

namespace Brumvale {

// Volume: -36 to 0 dB; reports and starts at 0 dB.
class VolumeParameter : public DecibelParameter
{
public:
    VolumeParameter(Steinberg::int32 flags, Steinberg::Vst::ParamID id)
        : DecibelParameter(kParameters[kVolumeId], flags, id)
    {}
};

} // namespace Brumvale
