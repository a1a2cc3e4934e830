// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#pragma once

#include "processor/parameterdefaults.h"

#include "public.sdk/source/vst/vstparameters.h"

namespace Brumvale {

// The Volume parameter: normalised 0..1 for the host, shown and typed in
// decibels ("%.1f dB"). Reports 1.0 as its default; starts at the volumeDb of
// ParameterDefaults.
class VolumeParameter : public Steinberg::Vst::Parameter
{
public:
    VolumeParameter(Steinberg::int32 flags, Steinberg::Vst::ParamID id);

    void toString(Steinberg::Vst::ParamValue valueNormalized,
                  Steinberg::Vst::String128 string) const SMTG_OVERRIDE;
    bool fromString(const Steinberg::Vst::TChar* string,
                    Steinberg::Vst::ParamValue& valueNormalized) const SMTG_OVERRIDE;

private:
    ParameterDefaults defaults;
};

} // namespace Brumvale
