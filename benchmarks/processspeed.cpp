// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// processspeed PLUGIN: how fast a built plug-in library processes, called as a
// host calls it (stereo, 44.1 kHz, 512-frame blocks, Boost 18 dB), with HiFi off
// and on, for a signal and for digital silence (not flagged as such). Built for every platform, so
// that the Linux bundle and the Windows libraries (under Wine) can be measured alike. Prints frames
// per second and the real-time factor.

#include "blockrunner.h"
#include "engine/enginetesting.h"
#include "plugininstance.h"
#include "pluginmodule.h"

#include <pluginterfaces/vst/vstspeaker.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    using namespace Brumvale::Host;
    using namespace Steinberg;
    constexpr double kRate = 44100.0;
    constexpr int32 kBlock = 512;
    constexpr int kSeconds = 20;
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: processspeed PLUGIN\n");
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
            const long frames = long(kRate) * kSeconds;
            const auto began = std::chrono::steady_clock::now();
            for (long start = 0; start < frames; start += kBlock)
            {
                const long offset = start % (long(kRate) - kBlock);
                for (int c = 0; c < 2; ++c)
                    std::copy_n(input.data[size_t(c)].begin() + offset, kBlock,
                                runner.input().channel(c));
                runner.run(kBlock);
            }
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
            std::printf("HiFi %-3s %-8s %7.2f M frames/s, %6.0fx real time\n", hifi ? "on" : "off",
                        silent ? "silence" : "signal", frames / seconds / 1e6,
                        frames / seconds / kRate);
            instance->close();
        }
    return 0;
}
