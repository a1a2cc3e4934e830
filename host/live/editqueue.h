// Host library: parameter edits on their way from the UI thread to the
// audio callback of a live host.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pluginterfaces/vst/vsttypes.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace Brumvale::Host {

// A ring of (parameter, value) edits with one writer thread (the UI thread, where a
// host hears the editor's performEdit) and one reader thread (the audio callback,
// which turns them into the next block's parameter changes). push and pop are
// wait-free: no lock, no allocation, no system call, a few atomic steps. A full ring
// refuses an edit rather than wait (push answers false and dropped() counts it);
// with kCapacity edits it fills only when the audio side has stopped taking them.
class EditQueue
{
public:
    struct Edit
    {
        Steinberg::Vst::ParamID id = 0;
        Steinberg::Vst::ParamValue value = 0.0;
    };

    static constexpr std::size_t kCapacity = 1024; // a power of two

    // Writer thread only.
    bool push(const Edit& edit)
    {
        const std::size_t tail = written.load(std::memory_order_relaxed);
        if (tail - read.load(std::memory_order_acquire) == kCapacity)
        {
            refused.fetch_add(1, std::memory_order_relaxed);
            return false;
        }
        ring[tail % kCapacity] = edit;
        written.store(tail + 1, std::memory_order_release);
        return true;
    }

    // Reader thread only: the oldest edit not yet taken; false when there is none.
    bool pop(Edit& edit)
    {
        const std::size_t head = read.load(std::memory_order_relaxed);
        if (head == written.load(std::memory_order_acquire))
            return false;
        edit = ring[head % kCapacity];
        read.store(head + 1, std::memory_order_release);
        return true;
    }

    // Edits refused because the ring was full; any thread.
    std::uint64_t dropped() const { return refused.load(std::memory_order_relaxed); }

private:
    static_assert((kCapacity & (kCapacity - 1)) == 0, "the index wraps with the counter");

    std::array<Edit, kCapacity> ring{};
    // Counters that only grow: their difference is the number of edits waiting.
    alignas(64) std::atomic<std::size_t> written{0};
    alignas(64) std::atomic<std::size_t> read{0};
    std::atomic<std::uint64_t> refused{0};
};

} // namespace Brumvale::Host
