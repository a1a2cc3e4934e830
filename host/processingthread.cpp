// Host library: a host's audio thread, calling process block after block.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "processingthread.h"

namespace Brumvale::Host {

ProcessingThread::ProcessingThread(Steinberg::Vst::IAudioProcessor* processor,
                                   Steinberg::int32 maxSamples, Prepare prepare)
    : runner(processor, 2, 2, maxSamples), prepare(std::move(prepare))
{
    thread = std::thread([this] {
        for (int block = 0; !stopping.load(); ++block)
        {
            runner.run(this->prepare(runner, block));
            rendered.store(block + 1);
        }
    });
}

void ProcessingThread::waitFor(int count) const
{
    while (rendered.load() < count)
        std::this_thread::yield();
}

void ProcessingThread::stop()
{
    stopping = true;
    if (thread.joinable())
        thread.join();
}

} // namespace Brumvale::Host
