// The engine's per-channel memory: anti-alias filter states and smoothers, laid out for SIMD.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>

namespace Brumvale {

// The per-channel memory of the engine: the two anti-alias filter states and the
// four smoothers. Stored channel-minor (value k of channel c at [k * count + c]) so
// that neighbouring channels load into one SIMD register. Allocated only by
// resize(); nothing here allocates while audio runs.
class ChannelStates
{
public:
    static constexpr int kFilterOrder = 10; // nine delays plus the never-written tenth

    // Discards all state and makes room for the count: filter states 0.0,
    // smoothers at the guard value. Returns false, leaving zero channels, when the
    // memory cannot be had.
    bool resize(int32_t channels);
    // Restarts the memory: smoothers at the guard value, filter states at 1e-45.
    void reset();
    // The same for one channel.
    void restart(int32_t channel);
    // False when any value of the channel's memory is infinite or not a number.
    bool finite(int32_t channel) const;
    // Copies every value of other, which must hold as many channels (false, copying
    // nothing, when it does not). Allocates nothing.
    bool copyFrom(const ChannelStates& other);
    // True when every value equals other's bit for bit.
    bool sameAs(const ChannelStates& other) const;

    int32_t count() const { return channels; }

    double* interpolator(int k) { return interpolatorState.get() + size_t(k) * size_t(channels); }
    double* decimator(int k) { return decimatorState.get() + size_t(k) * size_t(channels); }
    float* inputTracker() { return trackers.get(); }
    float* envelope() { return trackers.get() + channels; }
    float* rectifierTracker() { return trackers.get() + 2 * size_t(channels); }
    float* outputTracker() { return trackers.get() + 3 * size_t(channels); }

private:
    void fill(double filterValue);
    static constexpr double kRestartFilterValue = 1e-45;

    int32_t channels = 0;
    std::unique_ptr<double[]> interpolatorState;
    std::unique_ptr<double[]> decimatorState;
    std::unique_ptr<float[]> trackers; // four smoothers, one run of `channels` each
};

} // namespace Brumvale
