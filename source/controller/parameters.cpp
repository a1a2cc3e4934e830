// The parameters' info from the table's rows, a switch's typed text read as its normalised
// value, and a level's texts both ways through its decibel mapping.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "parameters.h"

#include "parametertext/numbertext.h"

#include "pluginterfaces/base/ustring.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Brumvale {

SwitchParameter::SwitchParameter(const ParameterDescription& row, int32 flags, UnitID unit)
    : Parameter(STR16(""), row.id, nullptr, row.normalized(row.start), 1, flags, unit)
{
    UString(info.title, 128).fromAscii(row.name);
}

bool SwitchParameter::fromString(const TChar* string, ParamValue& valueNormalized) const
{
    return readNumber(string, valueNormalized);
}

DecibelParameter::DecibelParameter(const ParameterDescription& row, int32 flags, ParamID id)
    : row(row)
{
    UString(info.title, 128).fromAscii(row.name);
    info.defaultNormalizedValue = 1.0;
    info.flags = flags;
    info.id = id;
    info.stepCount = 0;
    info.unitId = kRootUnitId;
    setNormalized(row.normalized(row.start));
}

void DecibelParameter::toString(ParamValue valueNormalized, String128 string) const
{
    char text[kDecibelTextSize];
    formatDecibels(text, row.plain(valueNormalized));
    UString(string, 128).fromAscii(text);
}

bool DecibelParameter::fromString(const TChar* string, ParamValue& valueNormalized) const
{
    float db = 0.0f;
    if (!readDecibels(string, db))
        return false;
    valueNormalized = row.normalized(db);
    return true;
}

} // namespace Brumvale
