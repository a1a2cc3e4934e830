// Host-level tests: the processor's busses, set-up and process calls.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "blockrunner.h"
#include "bundletest.h"
#include "statebytes.h"
#include "text.h"

#include <pluginterfaces/vst/vstspeaker.h>

#include <cmath>
#include <limits>
#include <thread>

namespace Brumvale::Host {
namespace {

using namespace Steinberg;
using Bytes = std::vector<std::uint8_t>;

class ProcessorTest : public BundleTest
{
protected:
    void SetUp() override
    {
        BundleTest::SetUp();
        instance = startedInstance();
        ASSERT_TRUE(instance);
        runner = std::make_unique<BlockRunner>(instance->processor(), 2, 2, kMaxBlock);
    }

    Bytes state()
    {
        Bytes bytes;
        EXPECT_EQ(instance->getComponentState(bytes), kResultOk);
        return bytes;
    }

    void fillSine(AudioBuffers& buffers, int32 samples, double frequency, int32 start = 0)
    {
        for (int32 c = 0; c < buffers.channelCount(); ++c)
            for (int32 i = 0; i < samples; ++i)
                buffers.channel(c)[i] = static_cast<float>(
                    0.5 * std::sin(2.0 * M_PI * frequency * (start + i) / kSampleRate));
    }

    static bool allFinite(AudioBuffers& buffers, int32 samples)
    {
        for (int32 c = 0; c < buffers.channelCount(); ++c)
            for (int32 i = 0; i < samples; ++i)
                if (!std::isfinite(buffers.channel(c)[i]))
                    return false;
        return true;
    }

    static float peak(const float* samples, int32 count)
    {
        float result = 0.0f;
        for (int32 i = 0; i < count; ++i)
            result = std::max(result, std::fabs(samples[i]));
        return result;
    }

    std::string busName(Vst::BusDirection direction)
    {
        Vst::BusInfo info = {};
        EXPECT_EQ(instance->component()->getBusInfo(Vst::kAudio, direction, 0, info), kResultOk);
        return toUtf8(info.name);
    }

    Vst::SpeakerArrangement arrangement(Vst::BusDirection direction)
    {
        Vst::SpeakerArrangement result = 0;
        EXPECT_EQ(instance->processor()->getBusArrangement(direction, 0, result), kResultOk);
        return result;
    }

    std::unique_ptr<PluginInstance> instance;
    std::unique_ptr<BlockRunner> runner;
};

TEST_F(ProcessorTest, LastPointOfAQueueWins)
{
    runner->changes().addChange(3, 0, 0.2);
    runner->changes().addChange(3, 100, 0.8);
    ASSERT_EQ(runner->changes().getParameterData(0)->getPointCount(), 2);
    EXPECT_EQ(runner->run(kMaxBlock), kResultOk);
    EXPECT_EQ(StateBytes::real(state(), 12), 0.8f);

    // Several queues for one ID: the later queue wins.
    int32 index = 0;
    runner->changes().addSeparateQueue(4)->addPoint(0, 0.1, index);
    runner->changes().addSeparateQueue(4)->addPoint(0, 0.4, index);
    EXPECT_EQ(runner->run(kMaxBlock), kResultOk);
    EXPECT_EQ(StateBytes::real(state(), 16), 0.4f);

    // Unknown IDs and empty queues change nothing.
    const Bytes before = state();
    runner->changes().addChange(5, 0, 1.0);
    runner->changes().addSeparateQueue(3);
    EXPECT_EQ(runner->run(kMaxBlock), kResultOk);
    EXPECT_EQ(state(), before);
}

TEST_F(ProcessorTest, SwitchesTurnOnAboveOneHalfAsFloat)
{
    const struct
    {
        double value;
        std::int32_t expected;
    } cases[] = {{0.51, 1}, {0.5, 0}, {0.5000001, 1}, {0.50000001, 0}, {1.0, 1}, {0.0, 0}};
    for (const auto& entry : cases)
    {
        for (Vst::ParamID id = 0; id < 3; ++id)
            runner->changes().addChange(id, 0, entry.value);
        ASSERT_EQ(runner->run(16), kResultOk);
        const Bytes bytes = state();
        for (Vst::ParamID id = 0; id < 3; ++id)
            EXPECT_EQ(StateBytes::integer(bytes, 4 * id), entry.expected)
                << "tag " << id << " value " << entry.value;
    }
}

TEST_F(ProcessorTest, NonFinitePointsAreSkipped)
{
    runner->changes().addChange(3, 0, 0.25);
    runner->changes().addChange(4, 0, 0.75);
    ASSERT_EQ(runner->run(32), kResultOk);
    const Bytes before = state();
    for (double bad :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity()})
    {
        for (Vst::ParamID id = 0; id < 5; ++id)
            runner->changes().addChange(id, 0, bad);
        fillSine(runner->input(), 64, 220.0);
        ASSERT_EQ(runner->run(64), kResultOk);
        EXPECT_EQ(state(), before) << bad;
        EXPECT_TRUE(allFinite(runner->output(), 64)) << bad;
    }
}

// Finite values far outside 0..1, from a parameter point or a saved state, are kept
// as received, yet the output stays finite and is ordinary again in the very block
// in which the value returns to normal.
TEST_F(ProcessorTest, ValuesFarOutsideTheRangeKeepTheOutputFinite)
{
    const struct
    {
        float boost, volume;
        bool fromState;
    } cases[] = {{30.0f, 1.0f, false}, {0.5f, 25.0f, false}, {1e30f, -1e30f, false},
                 {1e30f, 1.0f, true},  {0.0f, 1e30f, true},  {3e38f, 3e38f, true}};
    for (const auto& row : cases)
    {
        if (row.fromState)
        {
            ASSERT_EQ(instance->setComponentState(StateBytes::make(0, 1, 0, row.boost, row.volume)),
                      kResultOk);
        }
        else
        {
            runner->changes().addChange(3, 0, row.boost);
            runner->changes().addChange(4, 0, row.volume);
        }
        for (int block = 0; block < 4; ++block)
        {
            fillSine(runner->input(), kMaxBlock, 220.0, block * kMaxBlock);
            ASSERT_EQ(runner->run(kMaxBlock), kResultOk);
            ASSERT_TRUE(allFinite(runner->output(), kMaxBlock)) << row.boost << "/" << row.volume;
        }
        EXPECT_EQ(StateBytes::real(state(), 12), row.boost);
        EXPECT_EQ(StateBytes::real(state(), 16), row.volume);

        runner->changes().addChange(3, 0, 0.5);
        runner->changes().addChange(4, 0, 1.0);
        fillSine(runner->input(), kMaxBlock, 220.0);
        ASSERT_EQ(runner->run(kMaxBlock), kResultOk);
        EXPECT_LT(peak(runner->output().channel(0), kMaxBlock), 4.0f)
            << row.boost << "/" << row.volume;
    }
}

TEST_F(ProcessorTest, BusArrangements)
{
    using namespace Vst::SpeakerArr;
    const struct
    {
        Vst::SpeakerArrangement arrangement;
        const char* input;
        const char* output;
    } accepted[] = {{kMono, "In (1 Ch)", "Out (1 Ch)"},
                    {kStereo, "In (2 Ch)", "Out (2 Ch)"},
                    {k51, "In (6 Ch)", "Out (6 Ch)"}};
    ASSERT_EQ(instance->setActive(false), kResultOk);
    for (const auto& entry : accepted)
    {
        EXPECT_EQ(instance->setBusArrangements(entry.arrangement, entry.arrangement), kResultOk);
        EXPECT_EQ(busName(Vst::kInput), entry.input);
        EXPECT_EQ(busName(Vst::kOutput), entry.output);
        EXPECT_EQ(arrangement(Vst::kInput), entry.arrangement);
        EXPECT_EQ(arrangement(Vst::kOutput), entry.arrangement);
    }

    // Unequal: refused, and the output mirrors the input.
    EXPECT_EQ(instance->setBusArrangements(kStereo, kMono), kResultFalse);
    EXPECT_EQ(arrangement(Vst::kInput), kStereo);
    EXPECT_EQ(arrangement(Vst::kOutput), kStereo);
    EXPECT_EQ(busName(Vst::kInput), "In (2 Ch)");
    EXPECT_EQ(busName(Vst::kOutput), "Out (2 Ch)");

    // Empty lists: refused, nothing changed.
    ASSERT_EQ(instance->setBusArrangements(kMono, kMono), kResultOk);
    Vst::SpeakerArrangement stereo = kStereo;
    EXPECT_EQ(instance->processor()->setBusArrangements(&stereo, 0, &stereo, 1), kResultFalse);
    EXPECT_EQ(instance->processor()->setBusArrangements(&stereo, 1, &stereo, 0), kResultFalse);
    EXPECT_EQ(instance->processor()->setBusArrangements(nullptr, 0, nullptr, 0), kResultFalse);
    EXPECT_EQ(arrangement(Vst::kInput), kMono);
    EXPECT_EQ(arrangement(Vst::kOutput), kMono);
    EXPECT_EQ(busName(Vst::kInput), "In (1 Ch)");

    // The mono busses process a mono block.
    ASSERT_EQ(instance->setupProcessing(kSampleRate, kMaxBlock), kResultOk);
    ASSERT_EQ(instance->setActive(true), kResultOk);
    BlockRunner mono(instance->processor(), 1, 1, kMaxBlock);
    fillSine(mono.input(), kMaxBlock, 220.0);
    EXPECT_EQ(mono.run(kMaxBlock), kResultOk);
    EXPECT_TRUE(allFinite(mono.output(), kMaxBlock));
    EXPECT_GT(peak(mono.output().channel(0), kMaxBlock), 0.0f);
}

TEST_F(ProcessorTest, OnlyThirtyTwoBitSamples)
{
    EXPECT_EQ(instance->processor()->canProcessSampleSize(Vst::kSample32), kResultOk);
    EXPECT_EQ(instance->processor()->canProcessSampleSize(Vst::kSample64), kResultFalse);
    ASSERT_EQ(instance->setActive(false), kResultOk);
    EXPECT_EQ(instance->setupProcessing(kSampleRate, kMaxBlock, Vst::kSample64), kResultFalse);
    EXPECT_EQ(instance->setupProcessing(96000.0, kMaxBlock, Vst::kSample32), kResultOk);
}

// Rates no host should send, HiFi on: the processor still renders finite audio.
TEST_F(ProcessorTest, AnySampleRateRendersFiniteAudio)
{
    runner->changes().addChange(1, 0, 1.0);
    for (double rate : {0.0, -44100.0, 1.0, 1e12, std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(), 48000.0})
    {
        ASSERT_EQ(instance->setActive(false), kResultOk);
        EXPECT_EQ(instance->setupProcessing(rate, kMaxBlock), kResultOk) << rate;
        ASSERT_EQ(instance->setActive(true), kResultOk);
        fillSine(runner->input(), kMaxBlock, 220.0);
        ASSERT_EQ(runner->run(kMaxBlock), kResultOk);
        EXPECT_TRUE(allFinite(runner->output(), kMaxBlock)) << rate;
    }
}

TEST_F(ProcessorTest, ZeroOneAndOddBlockSizes)
{
    for (int32 samples : {0, 1, 7, 127, 333, kMaxBlock, 1})
    {
        fillSine(runner->input(), samples, 220.0);
        EXPECT_EQ(runner->run(samples), kResultOk) << samples;
        EXPECT_TRUE(allFinite(runner->output(), samples)) << samples;
    }
    // The block after odd sizes still carries sound.
    fillSine(runner->input(), kMaxBlock, 220.0);
    ASSERT_EQ(runner->run(kMaxBlock), kResultOk);
    EXPECT_GT(peak(runner->output().channel(0), kMaxBlock), 0.01f);
}

TEST_F(ProcessorTest, ParameterFlushWithoutBuffersAppliesChanges)
{
    runner->changes().addChange(3, 0, 0.625);
    runner->changes().addChange(0, 0, 1.0);
    EXPECT_EQ(runner->flush(), kResultOk);
    const Bytes bytes = state();
    EXPECT_EQ(StateBytes::integer(bytes, 0), 1);
    EXPECT_EQ(StateBytes::real(bytes, 12), 0.625f);

    // numInputs = numOutputs = 0 with a sample count: still no buffer is touched.
    runner->prepare(kMaxBlock);
    runner->data().numInputs = 0;
    runner->data().numOutputs = 0;
    runner->data().inputs = nullptr;
    runner->data().outputs = nullptr;
    EXPECT_EQ(runner->process(), kResultOk);
}

TEST_F(ProcessorTest, SilenceFlags)
{
    // Every input channel flagged: silent output with the same flags.
    runner->input().fill(0.0f);
    runner->output().fill(7.0f);
    runner->prepare(64);
    runner->input().bus().silenceFlags = 0x3;
    runner->output().bus().silenceFlags = 0;
    ASSERT_EQ(runner->process(), kResultOk);
    EXPECT_EQ(runner->output().bus().silenceFlags, 0x3u);
    for (int32 c = 0; c < 2; ++c)
        EXPECT_EQ(peak(runner->output().channel(c), 64), 0.0f) << c;

    // One flagged channel must not wipe the other's audio.
    fillSine(runner->input(), 64, 220.0);
    for (int32 i = 0; i < 64; ++i)
        runner->input().channel(0)[i] = 0.0f;
    runner->output().fill(0.0f);
    runner->prepare(64);
    runner->input().bus().silenceFlags = 0x1;
    ASSERT_EQ(runner->process(), kResultOk);
    EXPECT_GT(peak(runner->output().channel(1), 64), 0.001f);
    EXPECT_EQ(runner->output().bus().silenceFlags & 0x2u, 0u);
}

// A fully silent block does not run the engine: its signal state does not advance, so
// the block after it sounds exactly like the next block of an instance that never saw it.
TEST_F(ProcessorTest, SilentBlockLeavesTheEngineWhereItWas)
{
    auto other = startedInstance();
    ASSERT_TRUE(other);
    BlockRunner otherRunner(other->processor(), 2, 2, kMaxBlock);
    for (BlockRunner* each : {runner.get(), &otherRunner})
    {
        each->changes().addChange(3, 0, 0.5);
        fillSine(each->input(), kMaxBlock, 220.0);
        ASSERT_EQ(each->run(kMaxBlock), kResultOk);
    }
    runner->input().fill(0.0f);
    runner->prepare(kMaxBlock);
    runner->input().bus().silenceFlags = 0x3;
    ASSERT_EQ(runner->process(), kResultOk);

    for (BlockRunner* each : {runner.get(), &otherRunner})
    {
        fillSine(each->input(), kMaxBlock, 220.0, kMaxBlock);
        ASSERT_EQ(each->run(kMaxBlock), kResultOk);
    }
    for (int32 c = 0; c < 2; ++c)
        for (int32 i = 0; i < kMaxBlock; ++i)
            ASSERT_EQ(runner->output().channel(c)[i], otherRunner.output().channel(c)[i])
                << "channel " << c << " sample " << i;
}

TEST_F(ProcessorTest, MismatchedBuffersRenderNothingAndClearOutputs)
{
    fillSine(runner->input(), 64, 220.0);

    // Fewer output channels than negotiated.
    runner->output().fill(7.0f);
    runner->prepare(64);
    runner->output().bus().numChannels = 1;
    EXPECT_EQ(runner->process(), kResultOk);
    EXPECT_EQ(peak(runner->output().channel(0), 64), 0.0f);

    // Fewer input channels than negotiated.
    runner->output().fill(7.0f);
    runner->prepare(64);
    runner->input().bus().numChannels = 1;
    EXPECT_EQ(runner->process(), kResultOk);
    EXPECT_EQ(peak(runner->output().channel(0), 64), 0.0f);
    EXPECT_EQ(peak(runner->output().channel(1), 64), 0.0f);

    // A null input channel list.
    runner->output().fill(7.0f);
    runner->prepare(64);
    runner->input().bus().channelBuffers32 = nullptr;
    EXPECT_EQ(runner->process(), kResultOk);
    EXPECT_EQ(peak(runner->output().channel(0), 64), 0.0f);

    // A null output channel list and a null channel among the outputs.
    runner->prepare(64);
    runner->output().bus().channelBuffers32 = nullptr;
    EXPECT_EQ(runner->process(), kResultOk);
    float* outputs[2] = {runner->output().channel(0), nullptr};
    runner->output().fill(7.0f);
    runner->prepare(64);
    runner->output().bus().channelBuffers32 = outputs;
    EXPECT_EQ(runner->process(), kResultOk);
    EXPECT_EQ(peak(runner->output().channel(0), 64), 0.0f);
}

TEST_F(ProcessorTest, SuspendAndResume)
{
    const tresult off = instance->setProcessing(false);
    EXPECT_TRUE(off == kResultOk || off == kNotImplemented) << off;
    const tresult on = instance->setProcessing(true);
    EXPECT_TRUE(on == kResultOk || on == kNotImplemented) << on;
    fillSine(runner->input(), kMaxBlock, 220.0);
    EXPECT_EQ(runner->run(kMaxBlock), kResultOk);
    EXPECT_GT(peak(runner->output().channel(0), kMaxBlock), 0.01f);
}

TEST_F(ProcessorTest, EveryParameterAutomatedWithManyPointsPerBlock)
{
    const int32 points = 64;
    for (int32 block = 0; block < 20; ++block)
    {
        for (Vst::ParamID id = 0; id < 5; ++id)
            for (int32 p = 0; p < points; ++p)
                runner->changes().addChange(id, p * (kMaxBlock / points),
                                            0.5 + 0.5 * std::sin(0.37 * (block * points + p) + id));
        fillSine(runner->input(), kMaxBlock, 220.0, block * kMaxBlock);
        ASSERT_EQ(runner->run(kMaxBlock), kResultOk);
        ASSERT_TRUE(allFinite(runner->output(), kMaxBlock)) << block;
    }
    // The last points of the last block are what the processor holds.
    const Bytes bytes = state();
    const int32 last = 19 * points + points - 1;
    for (Vst::ParamID id = 0; id < 3; ++id)
    {
        const float value = static_cast<float>(0.5 + 0.5 * std::sin(0.37 * last + id));
        EXPECT_EQ(StateBytes::integer(bytes, 4 * id), value > 0.5f ? 1 : 0) << id;
    }
    EXPECT_EQ(StateBytes::real(bytes, 12),
              static_cast<float>(0.5 + 0.5 * std::sin(0.37 * last + 3)));
    EXPECT_EQ(StateBytes::real(bytes, 16),
              static_cast<float>(0.5 + 0.5 * std::sin(0.37 * last + 4)));
}

TEST_F(ProcessorTest, ProcessesOnAnotherThread)
{
    float outputPeak = 0.0f;
    bool finite = true;
    std::thread audio([&] {
        for (int32 block = 0; block < 50; ++block)
        {
            fillSine(runner->input(), kMaxBlock, 220.0, block * kMaxBlock);
            if (block == 10)
                runner->changes().addChange(3, 0, 0.5);
            if (runner->run(kMaxBlock) != kResultOk)
                finite = false;
            finite = finite && allFinite(runner->output(), kMaxBlock);
            outputPeak = std::max(outputPeak, peak(runner->output().channel(1), kMaxBlock));
        }
    });
    audio.join();
    EXPECT_TRUE(finite);
    EXPECT_GT(outputPeak, 0.01f);
    EXPECT_EQ(StateBytes::real(state(), 12), 0.5f);
}

TEST_F(ProcessorTest, ActivationCycles)
{
    for (int cycle = 0; cycle < 10; ++cycle)
    {
        EXPECT_EQ(instance->setActive(false), kResultOk);
        EXPECT_EQ(instance->setActive(true), kResultOk);
        fillSine(runner->input(), 100, 220.0);
        ASSERT_EQ(runner->run(100), kResultOk);
        ASSERT_TRUE(allFinite(runner->output(), 100));
    }
}

} // namespace
} // namespace Brumvale::Host
