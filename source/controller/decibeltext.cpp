// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#include "decibeltext.h"

#include "base/source/fstring.h"
#include "pluginterfaces/base/ustring.h"

#include <cstdio>

namespace Brumvale {

void formatDecibels(char (&text)[kDecibelTextSize], float db)
{
    const int length = std::snprintf(text, kDecibelTextSize, "%.1f dB", double(db));
    if (length < 0 || length >= kDecibelTextSize)
        std::snprintf(text, kDecibelTextSize, "%.6g dB", double(db));
}

bool parseDecibels(const Steinberg::Vst::TChar* text, double& db)
{
    if (!text)
        return false;
    const Steinberg::String string(text);
    return string.scanFloat(db, 0, true);
}

void widenInto(const char* text, Steinberg::Vst::String128 string)
{
    Steinberg::UString(string, 128).fromAscii(text);
}

} // namespace Brumvale
