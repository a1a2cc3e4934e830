// Allocating, restarting, checking, copying and comparing the engine's per-channel memory.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "channelstates.h"

#include "fuzztuning.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
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

void ChannelStates::reset() { fill(kRestartFilterValue); }

void ChannelStates::restart(int32_t channel)
{
    for (int k = 0; k < kFilterOrder; ++k)
        interpolator(k)[channel] = decimator(k)[channel] = kRestartFilterValue;
    for (int smoother = 0; smoother < 4; ++smoother)
        trackers[smoother * size_t(channels) + size_t(channel)] = kTiny;
}

bool ChannelStates::finite(int32_t channel) const
{
    for (size_t k = 0; k < kFilterOrder; ++k)
    {
        const size_t at = k * size_t(channels) + size_t(channel);
        if (!std::isfinite(interpolatorState[at]) || !std::isfinite(decimatorState[at]))
            return false;
    }
    for (size_t smoother = 0; smoother < 4; ++smoother)
        if (!std::isfinite(trackers[smoother * size_t(channels) + size_t(channel)]))
            return false;
    return true;
}

bool ChannelStates::copyFrom(const ChannelStates& other)
{
    if (other.channels != channels)
        return false;
    if (channels == 0)
        return true;
    const size_t filterValues = size_t(kFilterOrder) * size_t(channels);
    std::copy_n(other.interpolatorState.get(), filterValues, interpolatorState.get());
    std::copy_n(other.decimatorState.get(), filterValues, decimatorState.get());
    std::copy_n(other.trackers.get(), 4 * size_t(channels), trackers.get());
    return true;
}

bool ChannelStates::sameAs(const ChannelStates& other) const
{
    if (other.channels != channels)
        return false;
    if (channels == 0)
        return true;
    const size_t filterBytes = size_t(kFilterOrder) * size_t(channels) * sizeof(double);
    return std::memcmp(interpolatorState.get(), other.interpolatorState.get(), filterBytes) == 0 &&
           std::memcmp(decimatorState.get(), other.decimatorState.get(), filterBytes) == 0 &&
           std::memcmp(trackers.get(), other.trackers.get(),
                       4 * size_t(channels) * sizeof(float)) == 0;
}

void ChannelStates::fill(double filterValue)
{
    const size_t filterValues = size_t(kFilterOrder) * size_t(channels);
    std::fill_n(interpolatorState.get(), filterValues, filterValue);
    std::fill_n(decimatorState.get(), filterValues, filterValue);
    std::fill_n(trackers.get(), 4 * size_t(channels), kTiny);
}

} // namespace Brumvale
