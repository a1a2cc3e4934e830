// Real-time tests: brumvale live's whole JACK callback, the host's own code
// included, against a JACK server of the test's own.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "realtimewatch.h"

#include "bundletest.h"
#include "jack/liverig.h"
#include "jackfixtures.h"

#include <pluginterfaces/vst/vstspeaker.h>

#include <gtest/gtest.h>

#include <atomic>

namespace Brumvale {
namespace {

using Testing::RealtimeWatch;

// Watches exactly our part of each cycle, once armed.
class WatchedCycles : public JackHost::CycleObserver
{
public:
    void cycleBegins() override
    {
        inWatch = armed;
        if (inWatch)
            watch.resume();
    }
    void cycleEnds() override
    {
        if (!inWatch)
            return;
        watch.pause();
        cycles.fetch_add(1);
    }
    RealtimeWatch watch{RealtimeWatch::Paused::paused};
    std::atomic<bool> armed{false};
    std::atomic<long> cycles{0};

private:
    bool inWatch = false; // JACK's thread only
};

class LiveCallbackTest : public Host::BundleTest
{};

// 10 s of 64-frame cycles with the tester's sine coming in, control changes 7 and 12
// arriving on the MIDI port and edits pouring in from the main thread, which also
// hands the MIDI values to the controller.
TEST_F(LiveCallbackTest, MakesNoForbiddenCallWithEditsAndMidiArriving)
{
    Testing::DummyServer server;
    ASSERT_TRUE(server.running) << "jackd (dummy driver) did not start";
    Testing::TestClient tester;
    ASSERT_TRUE(tester.ready());
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    const auto restart = [&](double rate, std::uint32_t frames, std::string&) {
        instance->stopProcessing();
        return instance->startProcessing(Steinberg::Vst::SpeakerArr::kMono, rate,
                                         Steinberg::int32(frames)) == Steinberg::kResultOk;
    };
    std::string error;
    auto rig = LiveRig::open(*instance, 1, restart, nullptr, error);
    ASSERT_TRUE(rig) << error;
    WatchedCycles watched;
    rig->jack().setCycleObserver(&watched);
    ASSERT_TRUE(rig->start(error)) << error;
    ASSERT_TRUE(rig->jack().connect("in_1", "tester:out", error)) << error;
    ASSERT_TRUE(rig->jack().connect("out_1", "tester:in", error)) << error;
    ASSERT_TRUE(rig->jack().connect("midi_in", "tester:midi_out", error)) << error;
    ASSERT_EQ(rig->bufferSize(), 64u);
    tester.play();
    // The first cycles (the plug-in's first blocks) before the watch.
    const auto settled = tester.cycles() + 16;
    ASSERT_TRUE(
        Testing::waitFor([&] { return tester.cycles() > settled; }, std::chrono::seconds(60)));
    watched.armed = true;

    // A few edits and now and then a control change every cycle or so, as a hand
    // on a knob and a foot on a pedal make them.
    constexpr long kCycles = long(10 * 48000 / 64);
    for (long round = 0; watched.cycles < kCycles; ++round)
    {
        for (int edit = 0; edit < 5; ++edit)
            rig->edits().push({Steinberg::Vst::ParamID(edit), ((round + edit) % 11) / 10.0});
        if (round % 4 == 0)
            tester.controlChange(round % 8 == 0 ? 7 : 12, int(round % 128));
        rig->deliverToController();
        const auto cycle = tester.cycles();
        ASSERT_TRUE(
            Testing::waitFor([&] { return tester.cycles() > cycle; }, std::chrono::seconds(60)));
    }
    const long counted = watched.watch.stop();
    EXPECT_EQ(counted, 0) << "first forbidden call " << watched.watch.first();
    EXPECT_GT(tester.heard(), 0u) << "nothing came out";
}

} // namespace
} // namespace Brumvale
