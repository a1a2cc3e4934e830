// An on/off parameter's info, and a typed text read as its normalised value.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "switchparameter.h"

#include "parametertext/numbertext.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Brumvale {

SwitchParameter::SwitchParameter(const TChar* title, ParamID id, ParamValue defaultValue,
                                 int32 flags, UnitID unit)
    : Parameter(title, id, nullptr, defaultValue, 1, flags, unit)
{}

bool SwitchParameter::fromString(const TChar* string, ParamValue& valueNormalized) const
{
    return readNumber(string, valueNormalized);
}

} // namespace Brumvale
