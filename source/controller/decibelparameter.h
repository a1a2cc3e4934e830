// A continuous parameter that the user reads and types in decibels.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "parametertext/decibeltext.h"
#include "processor/parameterdefaults.h"

#include "public.sdk/source/vst/vstparameters.h"

namespace Brumvale {

// A continuous parameter whose value the host sees normalised (plain value equals
// normalised value) and the user reads and types in decibels. Neither direction
// clamps; storing the value does.
class DecibelParameter : public Steinberg::Vst::Parameter
{
public:
    using Mapping = float (ParameterDefaults::*)(float) const;

    // Reports 1.0 as its default and starts at the record's initial decibels.
    DecibelParameter(const char* title, Steinberg::int32 flags, Steinberg::Vst::ParamID id,
                     Mapping toDecibels, Mapping toNormalized, float ParameterDefaults::*initialDb);

    void toString(Steinberg::Vst::ParamValue valueNormalized,
                  Steinberg::Vst::String128 string) const SMTG_OVERRIDE;
    // Reads the first number in the text as decibels (readNumber: a comma counts
    // as the decimal point, words before it and " dB" after it are skipped); false
    // when there is none or it is not a finite float.
    bool fromString(const Steinberg::Vst::TChar* string,
                    Steinberg::Vst::ParamValue& valueNormalized) const SMTG_OVERRIDE;

private:
    ParameterDefaults defaults;
    const Mapping toDecibels;
    const Mapping toNormalized;
};

} // namespace Brumvale
