// The Boost parameter: 0 to +36 dB, read and typed in decibels.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decibelparameter.h"

namespace Brumvale {

// Boost: 0 to +36 dB; reports +36 dB as its default, starts at 0 dB.
class BoostParameter : public DecibelParameter
{
public:
    BoostParameter(Steinberg::int32 flags, Steinberg::Vst::ParamID id)
        : DecibelParameter(kParameters[kBoostId], flags, id)
    {}
};

} // namespace Brumvale
