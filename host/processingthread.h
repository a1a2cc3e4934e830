// Host library: a host's audio thread, calling process block after block.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "blockrunner.h"

#include <atomic>
#include <functional>
#include <thread>

namespace Brumvale::Host {

// Calls process on a thread of its own until stopped, as a host's audio thread
// does during playback. Before each block, prepare(runner, block) may fill the
// input and add parameter changes; it returns the block's length.
class ProcessingThread
{
public:
    using Prepare = std::function<Steinberg::int32(BlockRunner&, int block)>;

    ProcessingThread(Steinberg::Vst::IAudioProcessor* processor, Steinberg::int32 maxSamples,
                     Prepare prepare);
    ~ProcessingThread() { stop(); }
    ProcessingThread(const ProcessingThread&) = delete;
    ProcessingThread& operator=(const ProcessingThread&) = delete;

    // Blocks rendered so far.
    int blocks() const { return rendered.load(); }
    // Waits until at least count blocks are rendered.
    void waitFor(int count) const;
    void stop();

private:
    BlockRunner runner;
    Prepare prepare;
    std::atomic<bool> stopping{false};
    std::atomic<int> rendered{0};
    std::thread thread;
};

} // namespace Brumvale::Host
