// Host-level test built with ThreadSanitizer: setState and getState on the main thread
// while another thread keeps calling process, as hosts do when they load a preset during
// playback. TSan reports any data race inside the (instrumented) plug-in.
// GPL-3.0-or-later.
#include "blockrunner.h"
#include "bundletest.h"
#include "statebytes.h"

#include <pluginterfaces/vst/vstspeaker.h>

#include <atomic>
#include <cmath>
#include <thread>

namespace Brumvale::Host {
namespace {

using namespace Steinberg;

using RaceTest = BundleTest;

TEST_F(RaceTest, StateCallsWhileProcessing)
{
    auto instance = startedInstance();
    ASSERT_TRUE(instance);
    BlockRunner runner(instance->processor(), 2, 2, kMaxBlock);
    fillWithSine(runner.input());

    std::atomic<bool> stop{false};
    std::atomic<int> blocks{0};
    std::thread audio([&] {
        int32 block = 0;
        while (!stop.load())
        {
            runner.changes().addChange(3, 0, (block % 10) / 10.0);
            runner.changes().addChange(0, 0, block % 2);
            runner.run(block % 3 == 0 ? 64 : kMaxBlock);
            ++block;
            blocks.store(block);
        }
    });

    // Start once the audio thread runs, and go on until it has rendered many blocks
    // alongside, so that the two threads really overlap.
    while (blocks.load() < 5)
        std::this_thread::yield();
    const int until = blocks.load() + 300;
    bool allOk = true;
    int rounds = 0;
    for (; rounds < 300 || blocks.load() < until; ++rounds)
    {
        const auto state = StateBytes::make(rounds % 2, (rounds / 2) % 2, (rounds / 3) % 2,
                                            (rounds % 7) / 7.0f, (rounds % 5) / 5.0f);
        allOk = allOk && instance->setComponentState(state) == kResultOk;
        std::vector<std::uint8_t> saved;
        allOk = allOk && instance->getComponentState(saved) == kResultOk && saved.size() == 20;
    }
    stop = true;
    audio.join();
    EXPECT_TRUE(allOk);
}

} // namespace
} // namespace Brumvale::Host
