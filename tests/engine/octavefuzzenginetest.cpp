// Engine tests: the worked example, the octave up, oversampling, bad input and the bypass fade.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/octavefuzzengine.h"
#include "engine/enginetesting.h"
#include "model/referencefuzzengine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace Brumvale {
namespace {

using Testing::AudioBuffer;

// As the processor prepares it, with no fade running afterwards.
void prepare(OctaveFuzzEngine& engine, int channels, double rate, bool hifi = false,
             bool warmth = false)
{
    engine.setChannelCount(channels);
    engine.setSampleRate(rate);
    engine.setBoostDb(0.0f);
    engine.setVolumeDb(0.0f);
    engine.setAntiAlias(hifi);
    engine.setWarmth(warmth);
}

void render(OctaveFuzzEngine& engine, AudioBuffer& in, AudioBuffer& out, int start, int length)
{
    engine.processBlock(in.from(start).data(), out.from(start).data(), length);
}

TEST(OctaveFuzzEngine, FollowsTheWorkedExample)
{
    for (bool warmth : {false, true})
    {
        OctaveFuzzEngine engine;
        Model::ReferenceFuzzEngine model;
        prepare(engine, 1, 44100.0, false, warmth);
        model.setChannelCount(1);
        model.setWarmth(warmth);
        AudioBuffer in(1, 3), out(1, 3), modelOut(1, 3);
        in.data[0] = {1.5f, -1.5f, 0.3f};
        render(engine, in, out, 0, 3);
        model.processBlock(in.pointers.data(), modelOut.pointers.data(), 3);
        if (warmth)
        {
            EXPECT_NEAR(out.data[0][0], -0.990488f, 1e-5f);
        }
        else
        {
            EXPECT_NEAR(out.data[0][0], -1.34698f, 1e-5f);
            EXPECT_NEAR(out.data[0][1], -1.35503f, 1e-5f);
            EXPECT_NEAR(out.data[0][2], -0.153145f, 1e-6f);
        }
        EXPECT_EQ(out.data[0], modelOut.data[0]);
    }
}

// Strongest component among the multiples of a quarter of the input frequency.
double strongestFrequency(const std::vector<float>& signal, double rate, double fundamental)
{
    double best = 0.0, bestLevel = -1.0;
    for (int k = 1; k <= 40; ++k)
    {
        const double f = fundamental * k / 4.0;
        double re = 0.0, im = 0.0;
        for (size_t i = signal.size() / 2; i < signal.size(); ++i)
        {
            re += signal[i] * std::cos(6.283185307179586 * f * double(i) / rate);
            im += signal[i] * std::sin(6.283185307179586 * f * double(i) / rate);
        }
        if (std::hypot(re, im) > bestLevel)
        {
            bestLevel = std::hypot(re, im);
            best = f;
        }
    }
    return best;
}

TEST(OctaveFuzzEngine, Sine220ComesOutAnOctaveUp)
{
    for (bool hifi : {false, true})
        for (float boostDb : {0.0f, 18.0f})
        {
            OctaveFuzzEngine engine;
            prepare(engine, 1, 44100.0, hifi);
            engine.setBoostDb(boostDb);
            AudioBuffer in = Testing::makeSine(1, 44100, 44100.0, 220.0, 0.5);
            AudioBuffer out(1, 44100);
            render(engine, in, out, 0, 44100);
            EXPECT_EQ(strongestFrequency(out.data[0], 44100.0, 220.0), 440.0)
                << "HiFi " << hifi << ", Boost " << boostDb;
        }
}

TEST(OctaveFuzzEngine, ChoosesTheOversamplingFactorByRate)
{
    const std::pair<double, int> table[] = {
        {44100, 8},   {48000, 8},
        {88200, 4},   {96000, 4},
        {176400, 2},  {192000, 2},
        {22050, 1},   {32000, 1},
        {44099.9, 1}, {384000, 1},
        {0, 1},       {-5, 1},
        {1e300, 1},   {std::numeric_limits<double>::quiet_NaN(), 1}};
    for (const auto& [rate, factor] : table)
    {
        OctaveFuzzEngine engine;
        engine.setSampleRate(rate);
        engine.setAntiAlias(true);
        EXPECT_EQ(engine.oversampling(), factor) << rate;
        engine.setAntiAlias(false);
        EXPECT_EQ(engine.oversampling(), 1) << rate;
    }
}

TEST(OctaveFuzzEngine, HiFiOutsideTheTableSoundsLikeHiFiOff)
{
    for (double rate : {22050.0, 32000.0})
    {
        AudioBuffer in = Testing::makeTestSignal(2, 20000, rate, 5);
        AudioBuffer on(2, 20000), off(2, 20000);
        OctaveFuzzEngine hifiOn, hifiOff;
        prepare(hifiOn, 2, rate, true);
        prepare(hifiOff, 2, rate, false);
        render(hifiOn, in, on, 0, 20000);
        render(hifiOff, in, off, 0, 20000);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < 20000; ++i)
                ASSERT_NEAR(on.data[c][i], off.data[c][i], 1e-5f) << rate << " Hz, frame " << i;
    }
}

TEST(OctaveFuzzEngine, SilenceNeverDecaysIntoDenormals)
{
    // Zeros and near-zero samples of either sign enter the shaper as +1e-15 at any
    // Boost, so the smoothers settle on tiny normal values instead of decaying
    // through the denormal range (which an unguarded zero input reaches after
    // about 1.5 s through the output smoother).
    const auto renderConstant = [](float value, float boostDb, bool hifi) {
        OctaveFuzzEngine engine;
        prepare(engine, 1, 44100.0, hifi);
        engine.setBoostDb(boostDb);
        AudioBuffer in(1, 5 * 44100), out(1, 5 * 44100);
        std::fill(in.data[0].begin(), in.data[0].end(), value);
        render(engine, in, out, 0, 5 * 44100);
        return out.data[0];
    };
    for (bool hifi : {false, true})
    {
        const std::vector<float> silence = renderConstant(0.0f, 36.0f, hifi);
        for (float s : silence)
            ASSERT_TRUE(std::isnormal(s) && std::fabs(s) < 1e-12f) << s << " HiFi " << hifi;
        EXPECT_EQ(renderConstant(-1e-16f, 36.0f, hifi), silence);
    }
}

TEST(OctaveFuzzEngine, RendersInPlace)
{
    AudioBuffer in = Testing::makeTestSignal(3, 9000, 96000.0, 9);
    AudioBuffer separate(3, 9000);
    AudioBuffer inPlace = in;
    inPlace.pointers.clear();
    for (auto& channel : inPlace.data)
        inPlace.pointers.push_back(channel.data());
    OctaveFuzzEngine a, b;
    prepare(a, 3, 96000.0, true);
    prepare(b, 3, 96000.0, true);
    render(a, in, separate, 0, 9000);
    render(b, inPlace, inPlace, 0, 9000);
    EXPECT_EQ(inPlace.data, separate.data);
}

TEST(OctaveFuzzEngine, SameChannelCountStillDiscardsChannelMemory)
{
    AudioBuffer in = Testing::makeTestSignal(2, 5000, 44100.0, 3);
    AudioBuffer used(2, 5000), fresh(2, 5000);
    OctaveFuzzEngine engine, reference;
    prepare(engine, 2, 44100.0, true);
    prepare(reference, 2, 44100.0, true);
    render(engine, in, used, 0, 5000);
    engine.setChannelCount(2);
    render(engine, in, used, 0, 5000);
    render(reference, in, fresh, 0, 5000);
    EXPECT_EQ(used.data, fresh.data);
}

TEST(OctaveFuzzEngine, NoChannelsRendersNothing)
{
    AudioBuffer in(1, 64), out(1, 64);
    std::fill(out.data[0].begin(), out.data[0].end(), 7.0f);

    OctaveFuzzEngine unprepared; // processBlock before setChannelCount
    render(unprepared, in, out, 0, 64);
    EXPECT_EQ(unprepared.channelCount(), 0);

    OctaveFuzzEngine starved; // more memory than can be had
    starved.setChannelCount(std::numeric_limits<int32_t>::max());
    EXPECT_EQ(starved.channelCount(), 0);
    render(starved, in, out, 0, 64);

    OctaveFuzzEngine negative;
    negative.setChannelCount(-3);
    EXPECT_EQ(negative.channelCount(), 0);
    render(negative, in, out, 0, 64);
    EXPECT_EQ(out.data[0], std::vector<float>(64, 7.0f));
}

bool allFinite(const AudioBuffer& buffer)
{
    for (const auto& channel : buffer.data)
        for (float s : channel)
            if (!std::isfinite(s))
                return false;
    return true;
}

TEST(OctaveFuzzEngine, LevelsFarOutsideTheRangeAreTakenAtTwoHundredDecibels)
{
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    const struct
    {
        float boostDb, volumeDb;       // as set
        float limitBoost, limitVolume; // what they must sound like
    } cases[] = {{1e30f, 0.0f, 200.0f, 0.0f},       {0.0f, 1e30f, 0.0f, 200.0f},
                 {1080.0f, 864.0f, 200.0f, 200.0f}, {-1e30f, -1e30f, -200.0f, -200.0f},
                 {kNaN, kNaN, 0.0f, 0.0f},          {54.0f, -72.0f, 54.0f, -72.0f}};
    const AudioBuffer in = Testing::makeTestSignal(2, 4096, 48000.0, 5);
    for (bool hifi : {false, true})
        for (const auto& row : cases)
        {
            OctaveFuzzEngine engine, limited;
            prepare(engine, 2, 48000.0, hifi);
            prepare(limited, 2, 48000.0, hifi);
            engine.setBoostDb(row.boostDb);
            engine.setVolumeDb(row.volumeDb);
            limited.setBoostDb(row.limitBoost);
            limited.setVolumeDb(row.limitVolume);
            AudioBuffer source = in, out(2, 4096), expected(2, 4096);
            render(engine, source, out, 0, 2048);
            render(limited, source, expected, 0, 2048);
            ASSERT_TRUE(allFinite(out)) << row.boostDb << " / " << row.volumeDb;
            EXPECT_EQ(out.data, expected.data) << row.boostDb << " / " << row.volumeDb;

            // Back to ordinary values, the very next block is ordinary again.
            engine.setBoostDb(18.0f);
            engine.setVolumeDb(-12.0f);
            render(engine, source, out, 2048, 2048);
            for (const auto& channel : out.data)
                for (int i = 2048; i < 4096; ++i)
                    ASSERT_LT(std::fabs(channel[size_t(i)]), 4.0f) << row.boostDb << ", " << i;
        }
}

TEST(OctaveFuzzEngine, ABrokenChannelIsSilencedForItsBlockAndRestarts)
{
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    for (bool hifi : {false, true})
        for (float bad :
             {std::numeric_limits<float>::quiet_NaN(), kInfinity, -kInfinity, 3e38f, -3e38f})
        {
            AudioBuffer clean = Testing::makeTestSignal(2, 1024, 44100.0, 8);
            AudioBuffer dirty = clean;
            dirty.pointers = dirty.from(0);
            dirty.data[0][100] = bad;
            OctaveFuzzEngine engine, reference, restarted;
            prepare(engine, 2, 44100.0, hifi);
            prepare(reference, 2, 44100.0, hifi);
            prepare(restarted, 2, 44100.0, hifi);
            AudioBuffer out(2, 1024), expected(2, 1024), fromRest(2, 1024);
            render(engine, dirty, out, 0, 512);
            render(reference, clean, expected, 0, 512);
            ASSERT_TRUE(allFinite(out)) << bad << " HiFi " << hifi;
            // The other channel never notices.
            EXPECT_EQ(out.data[1], expected.data[1]) << bad << " HiFi " << hifi;

            render(engine, dirty, out, 512, 512);
            ASSERT_TRUE(allFinite(out)) << bad << " HiFi " << hifi;
            const bool broke = std::all_of(out.data[0].begin(), out.data[0].begin() + 512,
                                           [](float s) { return s == 0.0f; });
            if (std::isinf(bad)) // a NaN sample enters as the guard value, like silence
            {
                EXPECT_TRUE(broke) << bad << " HiFi " << hifi;
            }
            if (broke)
            {
                // From rest, as after reset: the next block is what a restarted
                // engine makes of it.
                restarted.reset();
                render(restarted, dirty, fromRest, 512, 512);
                EXPECT_TRUE(std::equal(out.data[0].begin() + 512, out.data[0].end(),
                                       fromRest.data[0].begin() + 512))
                    << bad << " HiFi " << hifi;
            }
        }
}

// The fade seen through a bypassed engine, whose output is the input times the
// fade gain: a constant 1.0 input shows the gain itself.
OctaveFuzzEngine bypassedEngine(double rate);

std::vector<float> runBlock(OctaveFuzzEngine& engine, int length)
{
    AudioBuffer in(1, length), out(1, length);
    std::fill(in.data[0].begin(), in.data[0].end(), 1.0f);
    engine.processBlock(in.pointers.data(), out.pointers.data(), length);
    return out.data[0];
}

OctaveFuzzEngine bypassedEngine(double rate)
{
    OctaveFuzzEngine engine;
    prepare(engine, 1, rate);
    engine.setBypass(true);
    runBlock(engine, 2000);
    runBlock(engine, 2000);
    EXPECT_TRUE(engine.bypassed());
    EXPECT_EQ(runBlock(engine, 16), std::vector<float>(16, 1.0f)) << "fade over, input passes";
    return engine;
}

class BypassFadeTest : public testing::Test
{
protected:
    std::vector<float> runBlock(int length) { return Brumvale::runBlock(engine, length); }

    OctaveFuzzEngine engine = bypassedEngine(44100.0);
};

TEST_F(BypassFadeTest, ReachesTheFloorOnSample441At44k1AndHoldsToTheBlockEnd)
{
    engine.setBypass(true); // the state in effect still makes a full dip
    const std::vector<float> gain = runBlock(1000);
    EXPECT_GT(gain[439], 0.01f);
    for (int i = 440; i < 1000; ++i)
        ASSERT_EQ(gain[i], 0.01f) << i;
    EXPECT_NEAR(gain[0], 0.98961174f, 1e-7f);
    const std::vector<float> rise = runBlock(1000);
    EXPECT_GT(rise[0], 0.01f);
    EXPECT_EQ(rise[999], 1.0f);
    EXPECT_TRUE(engine.bypassed());
}

TEST_F(BypassFadeTest, ReachesTheFloorOnSample480At48k)
{
    engine = bypassedEngine(48000.0);
    engine.setBypass(false);
    const std::vector<float> gain = runBlock(500);
    EXPECT_GT(gain[478], 0.01f);
    EXPECT_EQ(gain[479], 0.01f);
}

TEST_F(BypassFadeTest, SwitchesAtTheBlockBoundaryAcrossBlocks)
{
    engine.setBypass(false);
    for (int block = 0; block < 4; ++block) // 400 samples: still falling
        runBlock(100);
    EXPECT_TRUE(engine.bypassed());
    const std::vector<float> last = runBlock(100); // floor reached inside this block
    EXPECT_EQ(last[99], 0.01f);
    EXPECT_FALSE(engine.bypassed());
    const std::vector<float> processed = runBlock(100);
    EXPECT_NE(processed[0], last[99]) << "the fuzz sound, rising";
}

TEST_F(BypassFadeTest, EmptyBlocksNeitherAdvanceNorSwitch)
{
    OctaveFuzzEngine twin = bypassedEngine(44100.0);
    engine.setBypass(false);
    twin.setBypass(false);
    std::vector<float> withEmpty, without;
    for (int block = 0; block < 12; ++block)
    {
        const std::vector<float> part = runBlock(50);
        withEmpty.insert(withEmpty.end(), part.begin(), part.end());
        runBlock(0);
        const std::vector<float> same = Brumvale::runBlock(twin, 50);
        without.insert(without.end(), same.begin(), same.end());
    }
    EXPECT_EQ(withEmpty, without);
    EXPECT_EQ(engine.bypassed(), twin.bypassed());
}

TEST_F(BypassFadeTest, RequestDuringTheRiseStartsANewFall)
{
    engine.setBypass(false);
    runBlock(441); // falls to the floor and switches
    ASSERT_FALSE(engine.bypassed());
    runBlock(100); // rising
    engine.setBypass(true);
    for (int block = 0; block < 20; ++block)
        runBlock(100);
    EXPECT_TRUE(engine.bypassed());
    EXPECT_EQ(runBlock(8), std::vector<float>(8, 1.0f));
}

TEST_F(BypassFadeTest, SetSampleRateCancelsAPendingRequest)
{
    engine.setBypass(false);
    engine.setSampleRate(44100.0);
    engine.setAntiAlias(false);
    EXPECT_EQ(runBlock(1000), std::vector<float>(1000, 1.0f));
    EXPECT_TRUE(engine.bypassed());
}

TEST_F(BypassFadeTest, LateRequestsWhileFallingOnlyChangeTheOutcome)
{
    engine.setBypass(false);
    runBlock(200);
    engine.setBypass(true); // back to the state in effect before the switch
    runBlock(400);
    EXPECT_TRUE(engine.bypassed());
    runBlock(2000);
    EXPECT_EQ(runBlock(8), std::vector<float>(8, 1.0f));
}

} // namespace
} // namespace Brumvale
