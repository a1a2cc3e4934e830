// A continuous parameter that the user reads and types in decibels.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "parametertext/decibeltext.h"
#include "processor/parametertable.h"

#include "public.sdk/source/vst/vstparameters.h"

namespace Brumvale {

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

} // namespace Brumvale
