// Host-level tests: what the processor does to a sine wave.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "blockrunner.h"
#include "bundletest.h"

#include <pluginterfaces/vst/vstspeaker.h>

#include <cmath>
#include <vector>

namespace Brumvale::Host {
namespace {

using namespace Steinberg;

class AudioTest : public BundleTest
{
protected:
    static constexpr double kFrequency = 220.0;

    // Renders seconds of a stereo sine through the processor; returns channel 0.
    static std::vector<float> render(BlockRunner& runner, double seconds, int64_t& position,
                                     std::vector<float>* input = nullptr)
    {
        std::vector<float> result;
        const auto total = static_cast<int64_t>(seconds * kSampleRate);
        for (int64_t done = 0; done < total; done += kMaxBlock)
        {
            const auto block = static_cast<int32>(std::min<int64_t>(kMaxBlock, total - done));
            for (int32 i = 0; i < block; ++i)
            {
                const auto sample = static_cast<float>(
                    0.5 * std::sin(2.0 * M_PI * kFrequency * static_cast<double>(position + i) /
                                   kSampleRate));
                runner.input().channel(0)[i] = sample;
                runner.input().channel(1)[i] = sample;
                if (input)
                    input->push_back(sample);
            }
            position += block;
            EXPECT_EQ(runner.run(block), kResultOk);
            result.insert(result.end(), runner.output().channel(0),
                          runner.output().channel(0) + block);
        }
        return result;
    }

    // Magnitude of one frequency component (Goertzel).
    static double magnitude(const std::vector<float>& signal, double frequency)
    {
        const double coefficient = 2.0 * std::cos(2.0 * M_PI * frequency / kSampleRate);
        double s1 = 0.0;
        double s2 = 0.0;
        for (float sample : signal)
        {
            const double s0 = sample + coefficient * s1 - s2;
            s2 = s1;
            s1 = s0;
        }
        return std::sqrt(s1 * s1 + s2 * s2 - coefficient * s1 * s2);
    }
};

TEST_F(AudioTest, BoostedSineComesOutAnOctaveUp)
{
    auto instance = startedInstance();
    ASSERT_TRUE(instance);
    BlockRunner runner(instance->processor(), 2, 2, kMaxBlock);
    runner.changes().addChange(3, 0, 0.5); // 18 dB
    int64_t position = 0;
    render(runner, 0.5, position);
    const std::vector<float> output = render(runner, 1.0, position);

    // The signal repeats every 220 Hz period, so its components sit at multiples of 110 Hz
    // at most; the strongest must be the octave.
    double strongest = 0.0;
    double strongestFrequency = 0.0;
    for (double frequency = 110.0; frequency < 10000.0; frequency += 110.0)
    {
        const double level = magnitude(output, frequency);
        if (level > strongest)
        {
            strongest = level;
            strongestFrequency = frequency;
        }
    }
    EXPECT_EQ(strongestFrequency, 440.0);
    EXPECT_GT(magnitude(output, 440.0), 2.0 * magnitude(output, 220.0));
}

TEST_F(AudioTest, BypassPassesTheInputThroughAfterTheFade)
{
    auto instance = startedInstance();
    ASSERT_TRUE(instance);
    BlockRunner runner(instance->processor(), 2, 2, kMaxBlock);
    runner.changes().addChange(3, 0, 0.5);
    int64_t position = 0;
    const std::vector<float> effected = render(runner, 0.1, position);

    runner.changes().addChange(0, 0, 1.0);
    render(runner, 0.1, position); // the fade takes 20 ms
    std::vector<float> input;
    const std::vector<float> output = render(runner, 0.2, position, &input);
    ASSERT_EQ(input.size(), output.size());
    size_t differing = 0;
    for (size_t i = 0; i < input.size(); ++i)
        if (output[i] != input[i])
            ++differing;
    EXPECT_EQ(differing, 0u) << "of " << input.size() << " samples";

    // And the effect was really on before (the comparison above is not trivially true).
    double difference = 0.0;
    for (size_t i = 0; i < effected.size(); ++i)
        difference =
            std::max(difference, std::fabs(static_cast<double>(effected[i]) -
                                           0.5 * std::sin(2.0 * M_PI * kFrequency *
                                                          static_cast<double>(i) / kSampleRate)));
    EXPECT_GT(difference, 0.1);
}

} // namespace
} // namespace Brumvale::Host
