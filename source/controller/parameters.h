// The controller's parameter classes: the switches, and the levels (Boost, Volume) that the
// user reads and types in decibels.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "parametertext/decibeltext.h"
#include "processor/parametertable.h"

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
    // Titled as the table's row says, starting (and by default) at its starting value.
    SwitchParameter(const ParameterDescription& row, Steinberg::int32 flags,
                    Steinberg::Vst::UnitID unit);

    bool fromString(const Steinberg::Vst::TChar* string,
                    Steinberg::Vst::ParamValue& valueNormalized) const SMTG_OVERRIDE;
};

// A continuous parameter whose value the host sees normalised (plain value equals
// normalised value) and the user reads and types in decibels. Neither direction
// clamps; storing the value does.
class DecibelParameter : public Steinberg::Vst::Parameter
{
public:
    // Titled and mapped as the table's row says; reports 1.0 as its default and
    // starts at the row's starting decibels.
    DecibelParameter(const ParameterDescription& row, Steinberg::int32 flags,
                     Steinberg::Vst::ParamID id);

    void toString(Steinberg::Vst::ParamValue valueNormalized,
                  Steinberg::Vst::String128 string) const SMTG_OVERRIDE;
    // Reads the first number in the text as decibels (readNumber: a comma counts
    // as the decimal point, words before it and " dB" after it are skipped); false
    // when there is none or it is not a finite float.
    bool fromString(const Steinberg::Vst::TChar* string,
                    Steinberg::Vst::ParamValue& valueNormalized) const SMTG_OVERRIDE;

private:
    const ParameterDescription& row;
};

// Boost: 0 to +36 dB; reports +36 dB as its default, starts at 0 dB.
class BoostParameter : public DecibelParameter
{
public:
    BoostParameter(Steinberg::int32 flags, Steinberg::Vst::ParamID id)
        : DecibelParameter(kParameters[kBoostId], flags, id)
    {}
};

// Volume: -36 to 0 dB; reports and starts at 0 dB.
class VolumeParameter : public DecibelParameter
{
public:
    VolumeParameter(Steinberg::int32 flags, Steinberg::Vst::ParamID id)
        : DecibelParameter(kParameters[kVolumeId], flags, id)
    {}
};

} // namespace Brumvale
