// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// processBlock must not touch the heap: every allocation of this test program is
// counted, and rendering in every mode must leave the count unchanged.

#include "engine/enginetesting.h"
#include "engine/octavefuzzengine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace Brumvale {
namespace {

TEST(RealTime, ProcessBlockAllocatesNothing)
{
    for (auto instructions :
         {OctaveFuzzEngine::Instructions::kWidest, OctaveFuzzEngine::Instructions::kBaseline})
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
                const long before = allocations.load();
                for (bool hifi : {false, true})
                {
                    engine.setAntiAlias(hifi);
                    engine.setBypass(!hifi);
                    for (size_t block = 0; block < inputs.size(); ++block)
                        engine.processBlock(inputs[block].data(), outputs[block].data(), 512);
                }
                EXPECT_EQ(allocations.load(), before) << rate << " Hz, " << channels << " channels";
            }
}

} // namespace
} // namespace Brumvale
