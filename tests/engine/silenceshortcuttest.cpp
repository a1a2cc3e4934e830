// Long digital silence: the shortcut renders only what it must, and the engine's
// output through seconds of silence stays bit for bit the transcription's.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/silenceshortcut.h"
#include "engine/enginetesting.h"
#include "engine/octavefuzzengine.h"
#include "model/referencefuzzengine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace Brumvale {
namespace {

using Testing::AudioBuffer;

// What the shortcut asks of the renderer for one block of 64 samples.
TEST(SilenceShortcutTest, RendersOnlyWhatItMust)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct
    {
        const char* name;
        float sample; // every input sample
        bool memoryMoves;
        std::vector<int> rendered; // lengths passed to the renderer, in order
    } cases[] = {
        {"signal", 0.5f, false, {64}},
        {"silence, memory at rest", 0.0f, false, {1}},
        {"below the guard value, at rest", -1e-16f, false, {1}},
        {"not a number, at rest", nan, false, {1}},
        {"silence, memory still moving", 0.0f, true, {1, 63}},
    };
    for (const auto& each : cases)
    {
        ChannelStates states;
        SilenceShortcut shortcut;
        ASSERT_TRUE(states.resize(2) && shortcut.resize(2));
        AudioBuffer in(2, 64), out(2, 64);
        for (auto& channel : in.data)
            std::fill(channel.begin(), channel.end(), each.sample);
        std::vector<int> rendered;
        shortcut.process(states, in.pointers.data(), out.pointers.data(), 64,
                         [&](const float* const*, float* const* outputs, int32_t samples) {
                             rendered.push_back(samples);
                             for (int c = 0; c < 2; ++c)
                                 std::fill(outputs[c], outputs[c] + samples, 0.25f * (c + 1));
                             if (each.memoryMoves)
                                 states.envelope()[0] += 1.0f;
                         });
        EXPECT_EQ(rendered, each.rendered) << each.name;
        for (int c = 0; c < 2; ++c)
            EXPECT_EQ(out.data[c][63], 0.25f * (c + 1)) << each.name;
    }
}

// A phrase, then seconds of digital silence (zeros, values below the guard value,
// signed zeros), with Volume and Warmth changing in the silence, in blocks of
// changing size, rendered in place.
TEST(SilenceShortcutTest, LongSilenceMatchesTranscription)
{
    const struct
    {
        double rate;
        bool hifi;
    } cases[] = {{44100.0, false}, {44100.0, true}, {96000.0, true}, {22050.0, false}};
    for (const auto& each : cases)
    {
        SCOPED_TRACE(testing::Message() << each.rate << " Hz, HiFi " << each.hifi);
        const int phrase = int(each.rate / 2);
        const int frames = phrase + int(each.rate * 8);
        AudioBuffer input = Testing::makeTestSignal(2, frames, each.rate, 5);
        for (int c = 0; c < 2; ++c)
            for (int i = phrase; i < frames; ++i)
                input.data[c][i] = i % 997 == 0 ? -1e-16f : (i % 1009 == 0 ? -0.0f : 0.0f);
        AudioBuffer expected(2, frames);
        AudioBuffer actual = input;

        Model::ReferenceFuzzEngine model;
        OctaveFuzzEngine engine;
        const auto both = [&](auto&& apply) {
            apply(model);
            apply(engine);
        };
        both([&](auto& e) {
            e.setChannelCount(2);
            e.setSampleRate(each.rate);
            e.setBoostDb(24.0f);
            e.setAntiAlias(each.hifi);
            e.setWarmth(false);
        });
        Testing::Random random(3);
        for (int start = 0, block = 0; start < frames; ++block)
        {
            const int length = std::min(random.between(1, 2048), frames - start);
            model.processBlock(input.from(start).data(), expected.from(start).data(), length);
            auto inPlace = actual.from(start);
            engine.processBlock(inPlace.data(), inPlace.data(), length);
            start += length;
            if (block % 97 == 50)
                both([&](auto& e) { e.setVolumeDb(-float(block % 36)); });
            if (block % 211 == 100)
                both([&](auto& e) { e.setWarmth(block % 2 == 0); });
        }
        for (int c = 0; c < 2; ++c)
            ASSERT_EQ(std::memcmp(expected.data[c].data(), actual.data[c].data(),
                                  sizeof(float) * size_t(frames)),
                      0)
                << "channel " << c;
    }
}

} // namespace
} // namespace Brumvale
