// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#include "decibelparameter.h"

#include "numbertext.h"

#include "pluginterfaces/base/ustring.h"

#include <cmath>
#include <cstdio>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Brumvale {

void formatDecibels(char (&text)[kDecibelTextSize], float db)
{
    const int length = std::snprintf(text, kDecibelTextSize, "%.1f dB", double(db));
    if (length < 0 || length >= kDecibelTextSize)
        std::snprintf(text, kDecibelTextSize, "%.6g dB", double(db));
}

DecibelParameter::DecibelParameter(const char* title, int32 flags, ParamID id, Mapping toDecibels,
                                   Mapping toNormalized, float ParameterDefaults::*initialDb)
    : toDecibels(toDecibels), toNormalized(toNormalized)
{
    UString(info.title, 128).fromAscii(title);
    info.defaultNormalizedValue = 1.0;
    info.flags = flags;
    info.id = id;
    info.stepCount = 0;
    info.unitId = kRootUnitId;
    setNormalized((defaults.*toNormalized)(defaults.*initialDb));
}

void DecibelParameter::toString(ParamValue valueNormalized, String128 string) const
{
    char text[kDecibelTextSize];
    formatDecibels(text, (defaults.*toDecibels)(static_cast<float>(valueNormalized)));
    UString(string, 128).fromAscii(text);
}

bool DecibelParameter::fromString(const TChar* string, ParamValue& valueNormalized) const
{
    double db = 0.0;
    // Decibels beyond the float range would map to an infinite value.
    if (!readNumber(string, db) || std::fabs(db) > std::numeric_limits<float>::max())
        return false;
    valueNormalized = (defaults.*toNormalized)(static_cast<float>(db));
    return true;
}

} // namespace Brumvale
