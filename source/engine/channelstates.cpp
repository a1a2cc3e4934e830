// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#include "channelstates.h"

#include "fuzztuning.h"

#include <algorithm>
#include <cstdint>
#include <new>

namespace Brumvale {

bool ChannelStates::resize(int32_t count)
{
    channels = 0;
    interpolatorState.reset();
    decimatorState.reset();
    trackers.reset();
    if (count <= 0)
        return true;
    if (size_t(count) > SIZE_MAX / (kFilterOrder * sizeof(double)))
        return false; // the sizes below would wrap on a 32-bit target

    const size_t filterValues = size_t(kFilterOrder) * size_t(count);
    interpolatorState.reset(new (std::nothrow) double[filterValues]);
    decimatorState.reset(new (std::nothrow) double[filterValues]);
    trackers.reset(new (std::nothrow) float[4 * size_t(count)]);
    if (!interpolatorState || !decimatorState || !trackers)
    {
        interpolatorState.reset();
        decimatorState.reset();
        trackers.reset();
        return false;
    }
    channels = count;
    fill(0.0);
    return true;
}

void ChannelStates::reset() { fill(1e-45); }

void ChannelStates::fill(double filterValue)
{
    const size_t filterValues = size_t(kFilterOrder) * size_t(channels);
    std::fill_n(interpolatorState.get(), filterValues, filterValue);
    std::fill_n(decimatorState.get(), filterValues, filterValue);
    std::fill_n(trackers.get(), 4 * size_t(channels), kTiny);
}

} // namespace Brumvale
