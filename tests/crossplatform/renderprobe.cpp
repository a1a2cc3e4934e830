// renderprobe PLUGIN OUT: plays a generated signal through the plug-in as a host does, at
// three rates with HiFi, Warmth, Boost, Volume and Bypass automated between blocks,
// then plucked notes decaying into silence from a thread that flushes subnormal
// numbers to zero, as some hosts' threads do, and writes every output sample as raw
// 32-bit floats. Built for each platform, so
// that the renders of the Linux bundle and of the Windows libraries can be
// compared bit for bit.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "blockrunner.h"
#include "engine/enginetesting.h"
#include "engine/floatingpointmode.h"
#include "plugininstance.h"
#include "pluginmodule.h"

#include <pluginterfaces/vst/vstspeaker.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

using namespace Steinberg;

struct Setting
{
    double rate;
    bool hifi;
    bool warmth;
    bool plucks; // decaying plucks, processed in a flushing mode
};

int fail(const std::string& message)
{
    std::fprintf(stderr, "renderprobe: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace Brumvale::Host;
    if (argc != 3)
        return fail("usage: renderprobe PLUGIN OUT");
    std::FILE* out = std::fopen(argv[2], "wb");
    if (!out)
        return fail(std::string("cannot write ") + argv[2]);
    std::string error;
    auto module = PluginModule::load(argv[1], error);
    ClassInfo effect;
    if (!module || !module->findClass(kVstAudioEffectClass, effect))
        return fail("no plug-in: " + error);

    constexpr int32 kBlock = 256;
    const Setting settings[] = {{44100.0, true, false, false},
                                {96000.0, true, true, false},
                                {48000.0, false, true, false},
                                {44100.0, true, false, true},
                                {192000.0, true, false, true}};
    for (const Setting& setting : settings)
    {
        auto instance = PluginInstance::create(*module, effect.cid, error);
        if (!instance || instance->open() != kResultOk ||
            instance->startProcessing(Vst::SpeakerArr::kStereo, setting.rate, kBlock) != kResultOk)
            return fail("the plug-in does not start: " + error);
        BlockRunner runner(instance->processor(), 2, 2, kBlock);
        const Brumvale::Testing::AudioBuffer signal =
            setting.plucks
                ? Brumvale::Testing::makeQuietSignal(2, setting.rate, false)
                : Brumvale::Testing::makeTestSignal(2, int(setting.rate / 2), setting.rate, 7);
        const int frames = signal.frames();
        runner.changes().addChange(1, 0, setting.hifi ? 1.0 : 0.0);
        runner.changes().addChange(2, 0, setting.warmth ? 1.0 : 0.0);
        for (int start = 0, block = 0; start < frames; start += kBlock, ++block)
        {
            const int32 length = std::min(kBlock, frames - start);
            for (int c = 0; c < 2; ++c)
                std::copy_n(signal.data[size_t(c)].begin() + start, length,
                            runner.input().channel(c));
            runner.changes().addChange(3, 0, (block % 37) / 36.0); // Boost sweeps
            if (block % 11 == 0)
                runner.changes().addChange(4, 0, 1.0 - (block % 5) / 8.0);
            if (block % 53 == 20)
                runner.changes().addChange(0, 0, (block / 53) % 2 == 0 ? 1.0 : 0.0);
            if (block % 71 == 35)
                runner.changes().addChange(2, 0, setting.warmth ? 0.0 : 1.0);
            const Brumvale::FloatingPointControl mode = Brumvale::readFloatingPointControl();
            if (setting.plucks)
                Brumvale::writeFloatingPointControl(mode | Brumvale::kFlushToZeroBits);
            runner.run(length);
            Brumvale::writeFloatingPointControl(mode);
            for (int c = 0; c < 2; ++c)
                std::fwrite(runner.output().channel(c), sizeof(float), size_t(length), out);
        }
        instance->close();
    }
    return std::fclose(out) == 0 ? 0 : fail("cannot write the samples");
}
