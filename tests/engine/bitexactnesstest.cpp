// The production engine against the plain transcription: every output sample must
// be bit for bit the same, whatever the rate, switches, channel count, block sizes
// and parameter changes between blocks.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/enginetesting.h"
#include "engine/octavefuzzengine.h"
#include "model/referencefuzzengine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

namespace Brumvale {
namespace {

using Testing::AudioBuffer;
using Testing::Random;

#ifdef BRUMVALE_SIGNAL_SECONDS
constexpr double kSignalSeconds = BRUMVALE_SIGNAL_SECONDS;
#else
constexpr double kSignalSeconds = 1.0;
#endif

struct Settings
{
    double rate;
    bool hifi;
    bool warmth;
};

// The processor's preparation order.
template <class Engine> void prepare(Engine& engine, int channels, const Settings& settings)
{
    engine.setChannelCount(channels);
    engine.setSampleRate(settings.rate);
    engine.setBoostDb(12.0f);
    engine.setVolumeDb(-6.0f);
    engine.setBypass(false);
    engine.setAntiAlias(settings.hifi);
    engine.setWarmth(settings.warmth);
}

// Index of the first sample whose bits differ, or -1.
int firstDifference(const float* a, const float* b, int count)
{
    for (int i = 0; i < count; ++i)
        if (std::memcmp(&a[i], &b[i], sizeof(float)) != 0)
            return i;
    return -1;
}

class BitExactness : public testing::TestWithParam<std::tuple<double, bool, bool>>
{};

TEST_P(BitExactness, EngineMatchesTranscriptionSampleForSample)
{
    const Settings settings{std::get<0>(GetParam()), std::get<1>(GetParam()),
                            std::get<2>(GetParam())};
    const int frames = int(settings.rate * kSignalSeconds);
    const int blockSizes[] = {0, 1, 2, 3, 17, 64, 100, 256, 441, 512, 1000, 2048};

    for (int channels = 1; channels <= 8; ++channels)
    {
        SCOPED_TRACE(testing::Message() << channels << " channels");
        const AudioBuffer input = Testing::makeTestSignal(
            channels, frames, settings.rate, uint64_t(channels * 1000 + settings.rate));
        AudioBuffer expected(channels, frames);
        AudioBuffer actual(channels, frames);
        AudioBuffer actualBaseline(channels, frames);
        Model::ReferenceFuzzEngine model;
        OctaveFuzzEngine engine;
        OctaveFuzzEngine baseline(OctaveFuzzEngine::Instructions::kBaseline);
        prepare(model, channels, settings);
        prepare(engine, channels, settings);
        prepare(baseline, channels, settings);

        Random random(uint64_t(channels) + 77);
        bool hifi = settings.hifi;
        bool warmth = settings.warmth;
        bool bypass = false;
        for (int start = 0; start < frames;)
        {
            const int length = std::min(blockSizes[random.between(0, 11)], frames - start);
            const auto in = const_cast<AudioBuffer&>(input).from(start);
            model.processBlock(in.data(), expected.from(start).data(), length);
            engine.processBlock(in.data(), actual.from(start).data(), length);
            baseline.processBlock(in.data(), actualBaseline.from(start).data(), length);
            for (const AudioBuffer* rendered : {&actual, &actualBaseline})
                for (int c = 0; c < channels; ++c)
                {
                    const int at = firstDifference(expected.data[c].data() + start,
                                                   rendered->data[c].data() + start, length);
                    ASSERT_EQ(at, -1) << (rendered == &actual ? "widest" : "baseline")
                                      << " instructions, channel " << c << ", frame " << start + at
                                      << ": " << expected.data[c][start + at] << " expected, "
                                      << rendered->data[c][start + at] << " rendered";
                }
            start += length;

            // Parameter changes between blocks, as a host's automation delivers them.
            const int change = random.between(0, 99);
            const auto both = [&](auto&& apply) {
                apply(model);
                apply(engine);
                apply(baseline);
            };
            if (change < 20)
            {
                const float db = float(36.0 * random.uniform());
                both([&](auto& e) { e.setBoostDb(db); });
            }
            else if (change < 30)
            {
                const float db = float(-36.0 * random.uniform());
                both([&](auto& e) { e.setVolumeDb(db); });
            }
            else if (change < 35)
            {
                bypass = !bypass;
                both([&](auto& e) { e.setBypass(bypass); });
            }
            else if (change < 40)
            {
                hifi = !hifi;
                both([&](auto& e) { e.setAntiAlias(hifi); });
            }
            else if (change < 45)
            {
                warmth = !warmth;
                both([&](auto& e) { e.setWarmth(warmth); });
            }
            else if (change < 47)
            {
                both([&](auto& e) { e.reset(); });
            }
            else if (change < 48)
            {
                both([&](auto& e) {
                    e.setSampleRate(settings.rate);
                    e.setAntiAlias(hifi);
                });
            }
        }
    }
}

std::string settingsName(const testing::TestParamInfo<BitExactness::ParamType>& info)
{
    return std::to_string(int(std::get<0>(info.param))) + "Hz" +
           (std::get<1>(info.param) ? "_HiFi" : "") + (std::get<2>(info.param) ? "_Warmth" : "");
}

INSTANTIATE_TEST_SUITE_P(Rates, BitExactness,
                         testing::Combine(testing::Values(44100.0, 48000.0, 88200.0, 96000.0,
                                                          176400.0, 192000.0, 22050.0),
                                          testing::Bool(), testing::Bool()),
                         settingsName);

} // namespace
} // namespace Brumvale
