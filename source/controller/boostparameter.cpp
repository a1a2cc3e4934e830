// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#include "boostparameter.h"

#include "decibeltext.h"

#include "pluginterfaces/base/ustring.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Brumvale {

BoostParameter::BoostParameter(int32 flags, ParamID id)
{
    UString(info.title, 128).fromAscii("Boost");
    info.defaultNormalizedValue = 1.0;
    info.flags = flags;
    info.id = id;
    info.stepCount = 0;
    info.unitId = kRootUnitId;
    setNormalized(defaults.boostDbToNormalized(defaults.boostDb));
}

void BoostParameter::toString(ParamValue valueNormalized, String128 string) const
{
    char text[kDecibelTextSize];
    formatDecibels(text, defaults.normalizedToBoostDb(static_cast<float>(valueNormalized)));
    widenInto(text, string);
}

bool BoostParameter::fromString(const TChar* string, ParamValue& valueNormalized) const
{
    double db = 0.0;
    if (!parseDecibels(string, db))
        return false;
    valueNormalized = defaults.boostDbToNormalized(static_cast<float>(db));
    return true;
}

} // namespace Brumvale
