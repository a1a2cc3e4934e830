// processspeed PLUGIN [LV2_LIBRARY]: how fast a built plug-in library processes, called as
// a host calls it (stereo, 44.1 kHz, 512-frame blocks, Boost 18 dB), with HiFi off and on,
// for a signal and for digital silence (not flagged as such). Built for every platform, so
// that the Linux bundle and the Windows libraries (under Wine) can be measured alike; on
// Linux the LV2 plug-in's run (Brumvale.lv2/brumvale.so) is measured beside the VST 3
// process. Prints frames per second and the real-time factor.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "blockrunner.h"
#include "engine/enginetesting.h"
#include "plugininstance.h"
#include "pluginmodule.h"

#include <pluginterfaces/vst/vstspeaker.h>

#ifndef _WIN32
#include "sharedlibrary.h"

#include <lv2/core/lv2.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace {

constexpr double kRate = 44100.0;
constexpr int kBlock = 512;
constexpr int kSeconds = 20;

// Renders kSeconds of the input through block(in, out) and prints the speed.
void measure(const char* call, bool hifi, bool silent, const Brumvale::Testing::AudioBuffer& input,
             const std::function<void(const float* const* in)>& block)
{
    const long frames = long(kRate) * kSeconds;
    const auto began = std::chrono::steady_clock::now();
    for (long start = 0; start < frames; start += kBlock)
    {
        const long offset = start % (long(kRate) - kBlock);
        const float* in[] = {input.data[0].data() + offset, input.data[1].data() + offset};
        block(in);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("%-7s HiFi %-3s %-8s %7.2f M frames/s, %6.0fx real time\n", call,
                hifi ? "on" : "off", silent ? "silence" : "signal", frames / seconds / 1e6,
                frames / seconds / kRate);
}

#ifndef _WIN32
// The stereo LV2 plug-in at the same settings; false when the library has none.
bool measureLv2(const std::string& path, bool hifi, bool silent,
                const Brumvale::Testing::AudioBuffer& input)
{
    std::string error;
    auto library = Brumvale::Host::SharedLibrary::open(path, error);
    const auto entry =
        library ? reinterpret_cast<LV2_Descriptor_Function>(library->symbol("lv2_descriptor"))
                : nullptr;
    const LV2_Descriptor* stereo = entry ? entry(1) : nullptr;
    LV2_Handle handle = stereo ? stereo->instantiate(stereo, kRate, "", nullptr) : nullptr;
    if (!handle)
    {
        std::fprintf(stderr, "processspeed: no LV2 plug-in in %s %s\n", path.c_str(),
                     error.c_str());
        return false;
    }
    // bypass, antialias, warmth, boost (dB), volume (dB), enabled, latency
    float controls[] = {0.0f, hifi ? 1.0f : 0.0f, 0.0f, 18.0f, 0.0f, 1.0f, 0.0f};
    for (uint32_t port = 0; port < 7; ++port)
        stereo->connect_port(handle, port, &controls[port]);
    Brumvale::Testing::AudioBuffer output(2, kBlock);
    for (uint32_t c = 0; c < 2; ++c)
        stereo->connect_port(handle, 9 + c, output.data[c].data());
    stereo->activate(handle);
    measure("run", hifi, silent, input, [&](const float* const* in) {
        for (uint32_t c = 0; c < 2; ++c)
            stereo->connect_port(handle, 7 + c, const_cast<float*>(in[c]));
        stereo->run(handle, kBlock);
    });
    stereo->deactivate(handle);
    stereo->cleanup(handle);
    return true;
}
#endif

} // namespace

int main(int argc, char** argv)
{
    using namespace Brumvale::Host;
    using namespace Steinberg;
#ifdef _WIN32
    const int most = 2;
#else
    const int most = 3;
#endif
    if (argc < 2 || argc > most)
    {
        std::fprintf(stderr, "usage: processspeed PLUGIN%s\n", most == 3 ? " [LV2_LIBRARY]" : "");
        return 2;
    }
    std::string error;
    auto module = PluginModule::load(argv[1], error);
    ClassInfo effect;
    if (!module || !module->findClass(kVstAudioEffectClass, effect))
    {
        std::fprintf(stderr, "processspeed: %s\n", error.c_str());
        return 1;
    }
    const Brumvale::Testing::AudioBuffer signal =
        Brumvale::Testing::makeTestSignal(2, int(kRate), kRate, 3);
    const Brumvale::Testing::AudioBuffer silence(2, int(kRate));
    for (const bool hifi : {false, true})
        for (const bool silent : {false, true})
        {
            const Brumvale::Testing::AudioBuffer& input = silent ? silence : signal;
            auto instance = PluginInstance::create(*module, effect.cid, error);
            if (!instance || instance->open() != kResultOk ||
                instance->startProcessing(Vst::SpeakerArr::kStereo, kRate, kBlock) != kResultOk)
            {
                std::fprintf(stderr, "processspeed: the plug-in does not start\n");
                return 1;
            }
            BlockRunner runner(instance->processor(), 2, 2, kBlock);
            runner.changes().addChange(1, 0, hifi ? 1.0 : 0.0);
            runner.changes().addChange(3, 0, 0.5);
            runner.flush();
            measure("process", hifi, silent, input, [&](const float* const* in) {
                for (int c = 0; c < 2; ++c)
                    std::copy_n(in[c], kBlock, runner.input().channel(c));
                runner.run(kBlock);
            });
            instance->close();
#ifndef _WIN32
            if (argc == 3 && !measureLv2(argv[2], hifi, silent, input))
                return 1;
#endif
        }
    return 0;
}
