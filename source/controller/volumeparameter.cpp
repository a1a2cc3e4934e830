// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#include "volumeparameter.h"

#include "decibeltext.h"

#include "pluginterfaces/base/ustring.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Brumvale {

VolumeParameter::VolumeParameter(int32 flags, ParamID id)
{
    UString(info.title, 128).fromAscii("Volume");
    info.defaultNormalizedValue = 1.0;
    info.flags = flags;
    info.id = id;
    info.stepCount = 0;
    info.unitId = kRootUnitId;
    setNormalized(defaults.volumeDbToNormalized(defaults.volumeDb));
}

void VolumeParameter::toString(ParamValue valueNormalized, String128 string) const
{
    char text[kDecibelTextSize];
    formatDecibels(text, defaults.normalizedToVolumeDb(static_cast<float>(valueNormalized)));
    widenInto(text, string);
}

bool VolumeParameter::fromString(const TChar* string, ParamValue& valueNormalized) const
{
    double db = 0.0;
    if (!parseDecibels(string, db))
        return false;
    valueNormalized = defaults.volumeDbToNormalized(static_cast<float>(db));
    return true;
}

} // namespace Brumvale
