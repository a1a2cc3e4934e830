// The shipped LV2 library's run, watched: no heap call, lock, system call or
// exception, whatever the ports say and whichever oversampling the rate brings.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "realtimewatch.h"

#include "engine/enginetesting.h"
#include "lv2/lv2ports.h"

#include <gtest/gtest.h>
#include <lv2/core/lv2.h>

#include <dlfcn.h>

#include <cmath>
#include <limits>

namespace Brumvale {
namespace {

using Testing::RealtimeWatch;

TEST(RealtimeLv2Test, RunMakesNoForbiddenCallWhilePortsChange)
{
    void* library = dlopen(BRUMVALE_LV2_BUNDLE_PATH "/brumvale.so", RTLD_NOW | RTLD_LOCAL);
    ASSERT_TRUE(library) << dlerror();
    const auto descriptorOf =
        reinterpret_cast<const LV2_Descriptor* (*)(uint32_t)>(dlsym(library, "lv2_descriptor"));
    ASSERT_TRUE(descriptorOf);
    constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
    // Each block's value for every control input: switches flipping, levels
    // sweeping, and values no port should hold.
    const float bad[] = {kNan, std::numeric_limits<float>::infinity(), -1e30f, 1e30f};
    for (uint32_t index = 0; const LV2_Descriptor* descriptor = descriptorOf(index); ++index)
        for (double rate : {44100.0, 96000.0, 192000.0, 22050.0})
        {
            SCOPED_TRACE(testing::Message() << descriptor->URI << " at " << rate << " Hz");
            const uint32_t channels = Lv2::kPluginKinds[index].channels;
            LV2_Handle handle = descriptor->instantiate(descriptor, rate, "", nullptr);
            ASSERT_TRUE(handle);
            float controls[Lv2::kControlPortCount] = {0, 0, 0, 0, 0, 1, 0};
            for (uint32_t p = 0; p < Lv2::kControlPortCount; ++p)
                descriptor->connect_port(handle, p, &controls[p]);
            Testing::AudioBuffer in = Testing::makeTestSignal(int(channels), 512, rate, 1);
            Testing::AudioBuffer out(int(channels), 512);
            for (uint32_t c = 0; c < channels; ++c)
            {
                descriptor->connect_port(handle, Lv2::audioInputPort(c), in.pointers[c]);
                descriptor->connect_port(handle, Lv2::audioOutputPort(channels, c),
                                         out.pointers[c]);
            }
            descriptor->activate(handle);
            RealtimeWatch watch;
            for (int block = 0; block < 64; ++block)
            {
                for (uint32_t p = 0; p < Lv2::kLatencyPort; ++p)
                    controls[p] = block % 7 == 6 ? bad[(block + p) % 4]
                                  : p < Lv2::kBoostPort || p == Lv2::kEnabledPort
                                      ? float((block / (p + 2)) % 2)
                                      : float(block % 37) - 18.0f;
                descriptor->run(handle, uint32_t(1 + block * 7));
            }
            const long counted = watch.stop();
            EXPECT_EQ(counted, 0) << watch.first();
            for (const auto& channel : out.data)
                for (float sample : channel)
                    ASSERT_TRUE(std::isfinite(sample));
            descriptor->deactivate(handle);
            descriptor->cleanup(handle);
        }
    dlclose(library);
}

} // namespace
} // namespace Brumvale
