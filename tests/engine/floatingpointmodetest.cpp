// The engine's sound whatever floating-point mode its caller's thread runs in: the
// same bits as the plain transcription in the default mode, with the caller's mode
// given back by every call.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/enginetesting.h"
#include "engine/hostfloatingpointmode.h"
#include "engine/octavefuzzengine.h"
#include "model/referencefuzzengine.h"

#include <gtest/gtest.h>

#include <cstring>

namespace Brumvale {
namespace {

using Testing::AudioBuffer;
using Testing::HostMode;
using Testing::HostThread;
using Testing::kHostModes;

template <class Engine> void prepare(Engine& engine, double rate, bool hifi)
{
    engine.setChannelCount(3);
    engine.setSampleRate(rate);
    engine.setBoostDb(24.0f);
    engine.setVolumeDb(-3.0f);
    engine.setBypass(false);
    engine.setAntiAlias(hifi);
    engine.setWarmth(false);
}

// Emulated (64-bit ARM under qemu), the widest set is the baseline.
#ifdef BRUMVALE_EMULATED_TESTS
constexpr OctaveFuzzEngine::Instructions kInstructionSets[] = {
    OctaveFuzzEngine::Instructions::kBaseline};
#else
constexpr OctaveFuzzEngine::Instructions kInstructionSets[] = {
    OctaveFuzzEngine::Instructions::kWidest, OctaveFuzzEngine::Instructions::kBaseline};
#endif

TEST(FloatingPointMode, EveryHostModeGivesTheDefaultModesBits)
{
    constexpr int kBlock = 512;
    for (const bool tiny : {false, true})
        for (const double rate : {44100.0, 96000.0, 192000.0}) // HiFi 8, 4 and 2 times
            for (const bool hifi : {false, true})
            {
                const AudioBuffer input = Testing::makeQuietSignal(3, rate, tiny);
                AudioBuffer& in = const_cast<AudioBuffer&>(input);
                AudioBuffer expected(3, input.frames());
                Model::ReferenceFuzzEngine model;
                prepare(model, rate, hifi);
                for (int start = 0; start < input.frames(); start += kBlock)
                    model.processBlock(in.from(start).data(), expected.from(start).data(),
                                       std::min(kBlock, input.frames() - start));

                for (const HostMode& mode : kHostModes)
                    for (const auto instructions : kInstructionSets)
                    {
                        SCOPED_TRACE(testing::Message()
                                     << (tiny ? "tiny input" : "plucked note") << ", " << rate
                                     << " Hz, HiFi " << hifi << ", host mode " << mode.name
                                     << (instructions == OctaveFuzzEngine::Instructions::kWidest
                                             ? ", widest instructions"
                                             : ", baseline instructions"));
                        HostThread host(mode.control);
                        OctaveFuzzEngine engine(instructions);
                        host.call([&] { prepare(engine, rate, hifi); });
                        AudioBuffer actual(3, input.frames());
                        for (int start = 0; start < input.frames(); start += kBlock)
                            host.call([&] {
                                engine.processBlock(in.from(start).data(),
                                                    actual.from(start).data(),
                                                    std::min(kBlock, input.frames() - start));
                            });
                        for (int c = 0; c < 3; ++c)
                            ASSERT_EQ(std::memcmp(actual.data[c].data(), expected.data[c].data(),
                                                  sizeof(float) * size_t(input.frames())),
                                      0)
                                << "channel " << c;
                    }
            }
}

} // namespace
} // namespace Brumvale
