// Host-level tests built with ThreadSanitizer: the main thread loads states, edits
// parameters and talks to the controller while other threads keep calling process, as
// hosts do during playback. TSan reports any data race inside the (instrumented)
// plug-in.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "blockrunner.h"
#include "bundletest.h"
#include "processingthread.h"
#include "statebytes.h"

#include <pluginterfaces/vst/vstspeaker.h>

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
    ProcessingThread audio(instance->processor(), kMaxBlock, [](BlockRunner& runner, int block) {
        if (block == 0)
            fillWithSine(runner.input());
        runner.changes().addChange(3, 0, (block % 10) / 10.0);
        runner.changes().addChange(0, 0, block % 2);
        return block % 3 == 0 ? 64 : kMaxBlock;
    });

    // Start once the audio thread runs, and go on until it has rendered many blocks
    // alongside, so that the two threads really overlap.
    audio.waitFor(5);
    const int until = audio.blocks() + 300;
    bool allOk = true;
    for (int rounds = 0; rounds < 300 || audio.blocks() < until; ++rounds)
    {
        const auto state = StateBytes::make(rounds % 2, (rounds / 2) % 2, (rounds / 3) % 2,
                                            (rounds % 7) / 7.0f, (rounds % 5) / 5.0f);
        allOk = allOk && instance->setComponentState(state) == kResultOk;
        std::vector<std::uint8_t> saved;
        allOk = allOk && instance->getComponentState(saved) == kResultOk && saved.size() == 20;
    }
    audio.stop();
    EXPECT_TRUE(allOk);
}

// What the host's UI thread does while the audio runs: edits at the controller, texts
// for its display, the processor's state handed to the controller.
TEST_F(RaceTest, ControllerEditsWhileProcessing)
{
    auto instance = startedInstance();
    ASSERT_TRUE(instance);
    ProcessingThread audio(instance->processor(), kMaxBlock, [](BlockRunner& runner, int block) {
        if (block == 0)
            fillWithSine(runner.input());
        runner.changes().addChange(block % 5, 0, (block % 4) / 3.0);
        return kMaxBlock;
    });
    Vst::IEditController* controller = instance->controller();
    Vst::String128 text;
    for (int round = 0; round < 2000 || audio.blocks() < 200; ++round)
    {
        const Vst::ParamID id = round % 5;
        controller->setParamNormalized(id, (round % 9) / 8.0);
        controller->getParamStringByValue(id, 0.5, text);
        if (round % 100 == 0)
        {
            std::vector<std::uint8_t> state;
            instance->getComponentState(state);
            instance->setControllerComponentState(state);
        }
    }
}

// Two instances, each on its own audio thread, with the same input and automation:
// nothing is shared between them, so they render the same samples.
TEST_F(RaceTest, TwoInstancesOnTwoThreadsRenderAlike)
{
    auto first = startedInstance();
    auto second = startedInstance();
    ASSERT_TRUE(first && second);
    std::vector<float> rendered[2];
    const auto play = [&](PluginInstance& instance, std::vector<float>& out) {
        BlockRunner runner(instance.processor(), 2, 2, kMaxBlock);
        fillWithSine(runner.input());
        for (int32 block = 0; block < 400; ++block)
        {
            runner.changes().addChange(3, 0, (block % 10) / 10.0);
            runner.changes().addChange(1, 0, (block / 50) % 2);
            runner.run(kMaxBlock);
            out.insert(out.end(), runner.output().channel(0),
                       runner.output().channel(0) + kMaxBlock);
        }
    };
    std::thread one([&] { play(*first, rendered[0]); });
    std::thread two([&] { play(*second, rendered[1]); });
    one.join();
    two.join();
    EXPECT_EQ(rendered[0], rendered[1]);
}

} // namespace
} // namespace Brumvale::Host
