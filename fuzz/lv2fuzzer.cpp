// Fuzz target: the LV2 plug-ins through their descriptors, driven by a
// sequence of host calls decoded from the input: instantiation at any rate, port
// connections (to nothing, too), any control value, blocks of any length, in place
// or not, and deactivation in between.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzzcheck.h"

#include "lv2/lv2ports.h"

#include <lv2/core/lv2.h>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace Brumvale::Fuzz {
namespace {

using namespace Lv2;

const double kRates[] = {44100.0,
                         48000.0,
                         96000.0,
                         8000.0,
                         384000.0,
                         44099.9,
                         1.0,
                         0.5,
                         0.0,
                         -48000.0,
                         2147483647.0,
                         2147483648.0,
                         std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN()};

class HostSession
{
public:
    explicit HostSession(FuzzedDataProvider& input) : input(input)
    {
        const uint32_t kind = input.ConsumeIntegralInRange<uint32_t>(0, 1);
        channels = kPluginKinds[kind].channels;
        descriptor = lv2_descriptor(kind);
        const double rate = input.ConsumeBool() ? input.PickValueInArray(kRates)
                                                : input.ConsumeFloatingPoint<double>();
        handle = descriptor->instantiate(descriptor, rate, "", nullptr);
        const bool usable = rate >= 1.0 && rate <= std::numeric_limits<int32_t>::max();
        require((handle != nullptr) == usable, "instantiation at exactly the usable rates");
        if (!handle)
            return;
        const auto ports = controlPorts();
        for (uint32_t p = 0; p < kControlPortCount; ++p)
        {
            controls[p] = ports[p].defaultValue;
            connected[p] = true;
            descriptor->connect_port(handle, p, &controls[p]);
        }
        descriptor->activate(handle);
    }
    ~HostSession()
    {
        if (handle)
        {
            descriptor->deactivate(handle);
            descriptor->cleanup(handle);
        }
    }

    void step()
    {
        if (!handle)
            return;
        switch (input.ConsumeIntegralInRange(0, 4))
        {
        case 0:
        case 1:
            setControl();
            break;
        case 2:
        {
            // Any port, the audio ones included, to nothing or back.
            const uint32_t port = input.ConsumeIntegralInRange<uint32_t>(0, kControlPortCount + 5);
            if (port < kControlPortCount)
            {
                connected[port] = input.ConsumeBool();
                descriptor->connect_port(handle, port, connected[port] ? &controls[port] : nullptr);
            }
            else
                disconnected = true;
            break;
        }
        case 3:
            descriptor->deactivate(handle);
            descriptor->activate(handle);
            break;
        default:
            runBlock();
            break;
        }
    }

private:
    void setControl()
    {
        const uint32_t port = input.ConsumeIntegralInRange<uint32_t>(0, kLatencyPort);
        switch (input.ConsumeIntegralInRange(0, 3))
        {
        case 0:
            controls[port] = input.ConsumeFloatingPoint<float>();
            break;
        case 1:
            controls[port] = std::numeric_limits<float>::quiet_NaN();
            break;
        default:
            controls[port] = input.ConsumeFloatingPointInRange(-40.0f, 40.0f);
            break;
        }
    }

    void runBlock()
    {
        // Mostly short blocks, which keeps the target quick; now and then long ones.
        const uint32_t samples =
            input.ConsumeIntegralInRange<uint32_t>(0, input.ConsumeBool() ? 256 : 8192);
        const bool inPlace = input.ConsumeBool();
        // Buffers of exactly the block's length, so the sanitizer sees any overrun.
        std::vector<std::vector<float>> in(channels, std::vector<float>(samples));
        std::vector<std::vector<float>> out(channels, std::vector<float>(samples, 1.0f));
        bool finite = true;
        for (auto& channel : in)
        {
            // A few raw samples (huge or not a number now and then), then a tone.
            uint32_t i = 0;
            for (const uint32_t raw = input.ConsumeIntegralInRange<uint32_t>(0, 3);
                 i < raw && i < samples; ++i)
            {
                channel[i] = input.ConsumeIntegralInRange(0, 15) == 0
                                 ? std::numeric_limits<float>::quiet_NaN()
                                 : input.ConsumeFloatingPoint<float>();
                finite = finite && std::isfinite(channel[i]);
            }
            const float level = input.ConsumeFloatingPointInRange(-4.0f, 4.0f);
            const float step = input.ConsumeFloatingPointInRange(0.0f, 3.0f);
            for (; i < samples; ++i)
                channel[i] = level * std::sin(step * float(i));
        }
        for (uint32_t c = 0; c < channels; ++c)
        {
            descriptor->connect_port(handle, audioInputPort(c), in[c].data());
            descriptor->connect_port(handle, audioOutputPort(channels, c),
                                     inPlace ? in[c].data() : out[c].data());
        }
        if (disconnected)
        {
            // A host may leave an audio port unconnected for a block: no output then.
            descriptor->connect_port(handle, audioInputPort(channels - 1), nullptr);
            disconnected = false;
        }
        controls[kLatencyPort] = -1.0f;
        descriptor->run(handle, samples);
        if (finite)
            for (uint32_t c = 0; c < channels; ++c)
                for (const float sample : inPlace ? in[c] : out[c])
                    require(std::isfinite(sample), "finite output from finite input");
        require(controls[kLatencyPort] == (connected[kLatencyPort] ? 0.0f : -1.0f),
                "latency reported as 0, and only through a connected port");
        for (uint32_t c = 0; c < channels; ++c)
        {
            descriptor->connect_port(handle, audioInputPort(c), nullptr);
            descriptor->connect_port(handle, audioOutputPort(channels, c), nullptr);
        }
    }

    FuzzedDataProvider& input;
    const LV2_Descriptor* descriptor = nullptr;
    LV2_Handle handle = nullptr;
    uint32_t channels = 1;
    std::array<float, kControlPortCount> controls{};
    std::array<bool, kControlPortCount> connected{};
    bool disconnected = false;
};

} // namespace
} // namespace Brumvale::Fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    return Brumvale::Fuzz::runSession<Brumvale::Fuzz::HostSession>(data, size);
}
