// Real-time tests: rendering makes no heap call, takes no lock, makes no
// system call and throws nothing, in the engine alone and in process() as a host
// calls it in every state. The watch itself is proven first.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "realtimewatch.h"

#include "blockrunner.h"
#include "bundletest.h"
#include "engine/enginetesting.h"
#include "engine/octavefuzzengine.h"
#include "live/liveprocessor.h"
#include "statebytes.h"

#include <pluginterfaces/vst/vstspeaker.h>

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace Brumvale {
namespace {

using Testing::RealtimeWatch;

// Keeps the compiler from proving a pointer unused (and leaving out the allocation).
template <class T> T* escape(T* pointer)
{
    asm volatile("" : : "g"(pointer) : "memory");
    return pointer;
}

// Without these the zeros below could come from calls slipping past the watch.
TEST(RealtimeWatchTest, CatchesEveryKindOfForbiddenCall)
{
    std::mutex mutex;
    const struct
    {
        const char* kind;
        std::function<void()> call;
    } cases[] = {
        {"heap", [] { delete escape(new int(1)); }},
        {"lock", [&] { std::lock_guard<std::mutex> hold(mutex); }},
        {"system call", [] { usleep(0); }},
        {"stream write", [&] { std::fprintf(stderr, "%d", int(escape(&mutex) == nullptr)); }},
        {"exception",
         [] {
             try
             {
                 throw 1;
             }
             catch (int)
             {}
         }},
    };
    for (const auto& each : cases)
    {
        RealtimeWatch watch;
        each.call();
        EXPECT_GT(watch.stop(), 0) << each.kind;
    }
    RealtimeWatch quiet;
    EXPECT_EQ(quiet.stop(), 0) << quiet.first();
}

TEST(RealtimeWatchTest, OtherThreadsAreNotWatched)
{
    std::atomic<int> step{0};
    std::thread worker([&] {
        while (step.load() == 0)
        {}
        for (int i = 0; i < 100; ++i)
            delete escape(new int(i));
        step = 2;
    });
    RealtimeWatch watch;
    step = 1;
    while (step.load() != 2)
    {}
    const long counted = watch.stop();
    worker.join();
    EXPECT_EQ(counted, 0) << watch.first();
}

TEST(RealtimeEngineTest, ProcessBlockMakesNoForbiddenCall)
{
    using Instructions = OctaveFuzzEngine::Instructions;
    for (auto instructions : {Instructions::kWidest, Instructions::kBaseline})
        for (double rate : {44100.0, 96000.0, 192000.0, 22050.0})
            for (int channels : {1, 2, 3, 6})
            {
                Testing::AudioBuffer in = Testing::makeTestSignal(channels, 4096, rate, 1);
                Testing::AudioBuffer out(channels, 4096);
                OctaveFuzzEngine engine(instructions);
                engine.setChannelCount(channels);
                engine.setSampleRate(rate);
                std::vector<std::vector<float*>> inputs, outputs; // pointer arrays, made first
                for (int start = 0; start < 4096; start += 512)
                {
                    inputs.push_back(in.from(start));
                    outputs.push_back(out.from(start));
                }
                Testing::AudioBuffer silence(channels, 512);
                RealtimeWatch watch;
                for (bool hifi : {false, true})
                {
                    engine.setAntiAlias(hifi);
                    engine.setBypass(!hifi);
                    for (size_t block = 0; block < inputs.size(); ++block)
                        engine.processBlock(inputs[block].data(), outputs[block].data(), 512);
                }
                // Four seconds of digital silence: long enough for the channels to
                // come to rest, after which blocks are copies.
                engine.setAntiAlias(false);
                for (int block = 0; block < int(4 * rate) / 512; ++block)
                    engine.processBlock(silence.pointers.data(), outputs[0].data(), 512);
                EXPECT_EQ(watch.stop(), 0)
                    << rate << " Hz, " << channels << " channels: " << watch.first();
            }
}

} // namespace

namespace Host {
namespace {

using namespace Steinberg;
using Testing::RealtimeWatch;

class RealtimeProcessTest : public BundleTest
{};

// Within the watch: loading the plug-in's classes allocates, so the module's calls
// reach the interceptors.
TEST_F(RealtimeProcessTest, WatchSeesInsideThePlugin)
{
    ClassInfo processorClass;
    ASSERT_TRUE(module().findClass(kVstAudioEffectClass, processorClass));
    void* object = nullptr;
    RealtimeWatch watch;
    const tresult created =
        module().factory()->createInstance(processorClass.cid, Vst::IComponent::iid, &object);
    const long counted = watch.stop();
    ASSERT_EQ(created, kResultOk);
    static_cast<Vst::IComponent*>(object)->release();
    EXPECT_GT(counted, 0);
}

// Every rate (HiFi at each oversampling factor and at none), with Bypass fading in and
// out, every parameter changing, block sizes varying, silent and flagged-silent input,
// and states arriving from the main thread while the audio thread runs.
TEST_F(RealtimeProcessTest, ProcessMakesNoForbiddenCallInAnyState)
{
    for (double rate : {44100.0, 48000.0, 88200.0, 96000.0, 176400.0, 192000.0, 22050.0, 8000.0})
    {
        std::string error;
        ClassInfo processorClass;
        ASSERT_TRUE(module().findClass(kVstAudioEffectClass, processorClass));
        auto instance = PluginInstance::create(module(), processorClass.cid, error);
        ASSERT_TRUE(instance) << error;
        ASSERT_EQ(instance->open(), kResultOk);
        ASSERT_EQ(instance->startProcessing(Vst::SpeakerArr::kStereo, rate, kMaxBlock), kResultOk);
        BlockRunner runner(instance->processor(), 2, 2, kMaxBlock);
        runner.run(kMaxBlock); // first call outside the watch: lazy set-up would be allowed

        std::atomic<bool> audioDone{false};
        long counted = 0;
        std::string first;
        std::thread audio([&] {
            RealtimeWatch watch;
            for (int32 block = 0; block < 300; ++block)
            {
                for (Vst::ParamID id = 0; id < 5; ++id)
                    for (int32 point = 0; point < 4; ++point)
                        runner.changes().addChange(id, point * 32,
                                                   ((block / 7 + point + id) % 3) / 2.0);
                const int32 samples = block % 5 == 0 ? 1 : (block % 7 == 0 ? 333 : kMaxBlock);
                if (block % 40 < 20)
                    runner.input().fill(0.0f); // digital silence
                else
                    fillWithSine(runner.input());
                runner.prepare(samples);
                if (block % 11 == 0)
                    runner.input().bus().silenceFlags = 0x3;
                runner.process();
                if (block % 13 == 0)
                    runner.flush();
            }
            counted = watch.stop();
            first = watch.first();
            audioDone = true;
        });
        for (int round = 0; !audioDone; ++round)
            instance->setComponentState(
                StateBytes::make(round % 2, (round / 2) % 2, 1, (round % 7) / 7.0f, 0.5f));
        audio.join();
        EXPECT_EQ(counted, 0) << rate << " Hz: first forbidden call " << first;
    }
}

// A live host's callback, its own code included, while the UI thread sends edits
// and controllers arrive in the callback.
TEST_F(RealtimeProcessTest, LiveCallbackMakesNoForbiddenCallWhileEditsArrive)
{
    constexpr int32 kFrames = 64;
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    ASSERT_EQ(instance->startProcessing(Vst::SpeakerArr::kMono, 48000.0, kFrames), kResultOk);
    auto edits = std::make_unique<EditQueue>();
    LiveProcessor live(instance->processor(), 1, kFrames, *edits);
    std::vector<float> input(kFrames, 0.25f), output(kFrames);
    const float* in[] = {input.data()};
    float* out[] = {output.data()};
    live.process(in, out, kFrames); // first call outside the watch

    std::atomic<bool> audioDone{false};
    long counted = 0;
    std::string first;
    std::thread audio([&] {
        RealtimeWatch watch;
        for (int block = 0; block < 3000; ++block)
        {
            // A MIDI controller read in the callback, now and then.
            if (block % 3 == 0)
                live.edit({Vst::ParamID(3), (block % 128) / 127.0});
            live.process(in, out, block % 9 == 0 ? 1 : kFrames);
        }
        counted = watch.stop();
        first = watch.first();
        audioDone = true;
    });
    for (int edit = 0; !audioDone; ++edit)
        edits->push({Vst::ParamID(edit % 5), (edit % 11) / 10.0});
    audio.join();
    EXPECT_EQ(counted, 0) << "first forbidden call " << first;
}

} // namespace
} // namespace Host
} // namespace Brumvale
