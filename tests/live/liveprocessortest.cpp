// The live host's audio callback side with the built bundle: edits arrive as the
// block's parameter changes, the latest of each, and bad blocks stay silent.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "live/liveprocessor.h"
#include "bundletest.h"
#include "live/midicontrollers.h"

#include <pluginterfaces/vst/vstspeaker.h>

#include <cmath>
#include <vector>

namespace Brumvale::Host {
namespace {

using namespace Steinberg;

constexpr int32 kFrames = 64;
constexpr int kBlocks = 40;

// A 220 Hz sine at a guitar's level, block after block.
std::vector<float> guitar(int blocks)
{
    std::vector<float> samples(size_t(blocks) * kFrames);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = 0.25f * float(std::sin(2.0 * M_PI * 220.0 * double(i) / 48000.0));
    return samples;
}

class LiveProcessorTest : public BundleTest
{
protected:
    std::unique_ptr<PluginInstance> monoInstance()
    {
        auto instance = openInstance();
        if (instance &&
            instance->startProcessing(Vst::SpeakerArr::kMono, 48000.0, kFrames) != kResultOk)
            ADD_FAILURE() << "the plug-in does not start in mono";
        return instance;
    }

    // The output of the blocks through a live processor, with edits pushed before
    // the first block.
    std::vector<float> live(const std::vector<EditQueue::Edit>& pushed, std::uint64_t& dropped)
    {
        auto instance = monoInstance();
        auto queue = std::make_unique<EditQueue>();
        LiveProcessor processor(instance->processor(), 1, kFrames, *queue);
        for (const auto& edit : pushed)
            EXPECT_TRUE(queue->push(edit));
        const std::vector<float> input = guitar(kBlocks);
        std::vector<float> output(input.size());
        for (int block = 0; block < kBlocks; ++block)
        {
            const float* in[] = {input.data() + block * kFrames};
            float* out[] = {output.data() + block * kFrames};
            EXPECT_TRUE(processor.process(in, out, kFrames));
        }
        dropped = processor.dropped();
        return output;
    }

    // The same blocks as a host renders them with Boost set once at the start.
    std::vector<float> rendered(double boost)
    {
        auto instance = monoInstance();
        BlockRunner runner(instance->processor(), 1, 1, kFrames);
        const std::vector<float> input = guitar(kBlocks);
        std::vector<float> output(input.size());
        for (int block = 0; block < kBlocks; ++block)
        {
            if (block == 0)
                runner.changes().addChange(3, 0, boost);
            std::copy_n(input.data() + block * kFrames, kFrames, runner.input().channel(0));
            EXPECT_EQ(runner.run(kFrames), kResultOk);
            std::copy_n(runner.output().channel(0), kFrames, output.data() + block * kFrames);
        }
        return output;
    }
};

TEST_F(LiveProcessorTest, TheLatestEditOfEachParameterReachesThePlugIn)
{
    // More edits of Boost than a parameter's queue in one block holds, ending at 0.75.
    std::vector<EditQueue::Edit> edits;
    for (int i = 0; i < 299; ++i)
        edits.push_back({3, (i % 10) / 10.0});
    edits.push_back({3, 0.75});
    std::uint64_t dropped = 1;
    const std::vector<float> output = live(edits, dropped);
    EXPECT_EQ(dropped, 0u);
    EXPECT_EQ(output, rendered(0.75));
    EXPECT_NE(output, rendered(0.0))
        << "Boost must change the sound for this test to mean anything";

    // Edits of more parameters than one block carries: the first ones pass, the
    // rest are counted.
    edits.clear();
    for (Vst::ParamID id = 100; id < 100 + LiveProcessor::kMaxParameters + 8; ++id)
        edits.push_back({id, 0.5});
    live(edits, dropped);
    EXPECT_EQ(dropped, 8u);
}

TEST_F(LiveProcessorTest, BlocksItCannotProcessAreSilent)
{
    auto instance = monoInstance();
    auto queue = std::make_unique<EditQueue>();
    LiveProcessor processor(instance->processor(), 1, kFrames, *queue);
    std::vector<float> input(kFrames * 2, 0.5f), output(kFrames * 2, 1.0f);
    const float* in[] = {input.data()};
    float* out[] = {output.data()};
    EXPECT_FALSE(processor.process(in, out, kFrames * 2));
    EXPECT_EQ(output, std::vector<float>(kFrames * 2, 0.0f));
    EXPECT_FALSE(processor.process(in, out, -1));
    EXPECT_TRUE(processor.process(in, out, 0));
    EXPECT_TRUE(processor.process(in, out, kFrames));
}

// Control changes become edits of the parameters the plug-in maps them to.
TEST_F(LiveProcessorTest, MidiControllersAsThePlugInMapsThem)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    const MidiControllers controllers(instance->controller());
    const struct
    {
        std::vector<unsigned char> message;
        bool found;
        Vst::ParamID id;
        double value;
    } cases[] = {{{0xB0, 12, 127}, true, 3, 1.0},       {{0xB0, 7, 0}, true, 4, 0.0},
                 {{0xBF, 12, 64}, true, 3, 64 / 127.0}, {{0xB0, 13, 5}, false, 0, 0},
                 {{0x90, 12, 127}, false, 0, 0},        {{0xB0, 12}, false, 0, 0},
                 {{0xB0, 12, 200}, false, 0, 0},        {{0xB0, 140, 1}, false, 0, 0}};
    for (const auto& c : cases)
    {
        Vst::ParamID id = 99;
        Vst::ParamValue value = -1.0;
        EXPECT_EQ(controllers.find(c.message.data(), c.message.size(), id, value), c.found)
            << int(c.message[0]) << " " << int(c.message[1]);
        if (c.found)
        {
            EXPECT_EQ(id, c.id);
            EXPECT_DOUBLE_EQ(value, c.value);
        }
    }
    // A controller without a MIDI mapping maps nothing.
    const MidiControllers none(nullptr);
    Vst::ParamID id = 0;
    Vst::ParamValue value = 0;
    const unsigned char boost[] = {0xB0, 12, 127};
    EXPECT_FALSE(none.find(boost, 3, id, value));
}

} // namespace
} // namespace Brumvale::Host
