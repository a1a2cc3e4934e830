// The on/off parameters (Bypass, AntiAlias, Warmth): "On", "Off" and typed numbers.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "public.sdk/source/vst/vstparameters.h"

namespace Brumvale {

// An on/off parameter (one step): shows "On" above 0.5 and "Off" otherwise, and
// reads the first number in a typed text as the normalised value itself, unmapped
// and unclamped ("1" is on, "0,3" is 0.3, "about 1" is 1). "On" and "Off" hold no
// number and are not read. The same reading as the decibel parameters, on every
// platform, and safe for any text.
class SwitchParameter : public Steinberg::Vst::Parameter
{
public:
    SwitchParameter(const Steinberg::Vst::TChar* title, Steinberg::Vst::ParamID id,
                    Steinberg::Vst::ParamValue defaultValue, Steinberg::int32 flags,
                    Steinberg::Vst::UnitID unit);

    bool fromString(const Steinberg::Vst::TChar* string,
                    Steinberg::Vst::ParamValue& valueNormalized) const SMTG_OVERRIDE;
};

} // namespace Brumvale
