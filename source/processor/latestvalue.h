// A lock-free triple buffer that hands the latest value from one thread to another.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>

namespace Brumvale {

// Hands the latest of a series of values from one thread to another without a
// lock (a triple buffer): write() never waits, read() never waits and sees the
// last value written, once. One writer thread, one reader thread. Fixed storage,
// no allocation, so the reader may be the audio thread.
template <class T> class LatestValue
{
public:
    void write(const T& value)
    {
        slots[writing] = value;
        writing = middle.exchange(writing | kFresh, std::memory_order_acq_rel) & kIndex;
    }

    // False when nothing new was written since the last read.
    bool read(T& value)
    {
        if (!(middle.load(std::memory_order_acquire) & kFresh))
            return false;
        reading = middle.exchange(reading, std::memory_order_acq_rel) & kIndex;
        value = slots[reading];
        return true;
    }

private:
    static constexpr int kIndex = 3;
    static constexpr int kFresh = 4;

    T slots[3] = {};
    std::atomic<int> middle{1};
    int writing = 0;
    int reading = 2;
};

} // namespace Brumvale
