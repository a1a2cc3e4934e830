// Long run: hours of a host's life in a minute. Notes with digital silence
// between them go through the plug-in bundle at 44.1 and 96 kHz, in blocks of
// changing size, with every parameter automated at random and Bypass toggled often.
// Every output sample must be finite and within what the settings allow, and Bypass
// must always end in the state last requested. Prints the distribution of the time
// per block, for signal and for silence apart. Exits 1 on the first failure.
//   brumvale_longrun BUNDLE [MINUTES_PER_RATE]   (default 60)
// SPDX-License-Identifier: GPL-3.0-or-later
#include "blockrunner.h"
#include "plugininstance.h"
#include "pluginmodule.h"

#include <pluginterfaces/vst/vstspeaker.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

using namespace Steinberg;
using namespace Brumvale::Host;

namespace {

constexpr int32 kMaxBlock = 4096;
const int32 kBlockSizes[] = {1, 16, 32, 64, 100, 128, 256, 441, 512, 1000, 1024, 2048, 4096};
// Largest magnitude the output stage can reach at unity Volume: three times the
// shaper's largest swing plus its tracker's.
constexpr float kLargestOutput = 3.0f * (3.1f + 3.3f);

[[noreturn]] void fail(double seconds, const char* what)
{
    std::fprintf(stderr, "FAILED at %.3f s: %s\n", seconds, what);
    std::exit(1);
}

float volumeGain(double normalized)
{
    return std::pow(10.0f, float(-36.0 + 36.0 * normalized) / 20.0f);
}

struct Timings
{
    std::vector<double> micros;
    double audioSeconds = 0.0;
    double busySeconds = 0.0;

    void print(const char* name)
    {
        if (micros.empty())
            return;
        std::sort(micros.begin(), micros.end());
        const auto at = [&](double p) { return micros[size_t(p * double(micros.size() - 1))]; };
        std::printf("  %-8s %9zu blocks  time per block (us): median %7.1f  p90 %7.1f  p99 %7.1f  "
                    "p99.9 %7.1f  max %8.1f   %6.0fx real time\n",
                    name, micros.size(), at(0.5), at(0.9), at(0.99), at(0.999), micros.back(),
                    audioSeconds / busySeconds);
    }
};

void runAt(const PluginModule& module, double rate, double minutes, std::mt19937& random)
{
    ClassInfo processorClass;
    std::string error;
    if (!module.findClass(kVstAudioEffectClass, processorClass))
        fail(0, "no processor class");
    auto instance = PluginInstance::create(module, processorClass.cid, error);
    if (!instance || instance->open() != kResultOk ||
        instance->startProcessing(Vst::SpeakerArr::kStereo, rate, kMaxBlock) != kResultOk)
        fail(0, error.empty() ? "cannot start the plug-in" : error.c_str());
    BlockRunner runner(instance->processor(), 2, 2, kMaxBlock);

    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto chance = [&](double p) { return unit(random) < p; };
    const int64 total = int64(minutes * 60.0 * rate);
    Timings signal, silence;
    double volume = 1.0, phase = 0.0, step = 0.0, level = 0.0;
    bool bypass = false, noteOn = false;
    int64 segmentEnd = 0, worstAt = 0;
    // Samples the engine has rendered since the last Bypass request: blocks flagged
    // silent are not rendered, so they do not move the fade on.
    int64 renderedSinceRequest = int64(rate);
    float worstRatio = 0.0f;

    for (int64 done = 0; done < total;)
    {
        const double seconds = double(done) / rate;
        if (done >= segmentEnd)
        {
            // A note of 0.1 to 3 s at a random pitch and level, or 0.1 to 5 s of silence.
            noteOn = !noteOn;
            segmentEnd =
                done + int64(rate * (noteOn ? 0.1 + 2.9 * unit(random) : 0.1 + 4.9 * unit(random)));
            step = 2.0 * M_PI * (40.0 + 1500.0 * unit(random)) / rate;
            level = std::pow(10.0, -30.0 * unit(random) / 20.0);
        }
        const int32 samples =
            int32(std::min<int64>(kBlockSizes[random() % std::size(kBlockSizes)], total - done));
        float inputPeak = 0.0f;
        for (int32 i = 0; i < samples; ++i)
        {
            const float x = noteOn ? float(level * std::sin(phase)) : 0.0f;
            phase += step;
            runner.input().channel(0)[i] = x;
            runner.input().channel(1)[i] = -x;
            inputPeak = std::max(inputPeak, std::fabs(x));
        }
        if (phase > 2.0 * M_PI)
            phase = std::fmod(phase, 2.0 * M_PI);

        float largestVolume = volumeGain(volume);
        if (chance(0.1))
        {
            bypass = !bypass;
            renderedSinceRequest = 0;
            runner.changes().addChange(0, 0, bypass ? 1.0 : 0.0);
        }
        for (Vst::ParamID id = 1; id < 5; ++id)
        {
            if (!chance(0.2))
                continue;
            // One to four points, in the order of their offsets as hosts send them.
            int32 offsets[4];
            const int points = 1 + int(random() % 4);
            for (int p = 0; p < points; ++p)
                offsets[p] = int32(random() % uint32(samples));
            std::sort(offsets, offsets + points);
            for (int p = 0; p < points; ++p)
            {
                const double value = unit(random);
                runner.changes().addChange(id, offsets[p], value);
                if (id == 4)
                {
                    volume = value;
                    largestVolume = std::max(largestVolume, volumeGain(value));
                }
            }
        }
        runner.prepare(samples);
        if (!noteOn && chance(0.5))
            runner.input().bus().silenceFlags = 0x3;
        else
            renderedSinceRequest += samples;

        const auto start = std::chrono::steady_clock::now();
        runner.process();
        const double busy =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        Timings& timings = noteOn ? signal : silence;
        timings.micros.push_back(busy * 1e6);
        timings.busySeconds += busy;
        timings.audioSeconds += samples / rate;

        const float allowed = std::max(inputPeak, kLargestOutput * largestVolume);
        const bool settled = renderedSinceRequest - samples > int64(0.03 * rate) + 2 * kMaxBlock;
        for (int c = 0; c < 2; ++c)
            for (int32 i = 0; i < samples; ++i)
            {
                const float y = runner.output().channel(c)[i];
                if (!std::isfinite(y))
                    fail(seconds, "output not finite");
                if (std::fabs(y) > allowed)
                    fail(seconds, "output beyond what the settings allow");
                const float share = std::fabs(y) / (kLargestOutput * largestVolume);
                if (!bypass && settled && share > worstRatio)
                {
                    worstRatio = share;
                    worstAt = done;
                }
                if (settled && bypass && y != runner.input().channel(c)[i])
                    fail(seconds, "bypassed, yet the output is not the input");
            }
        done += samples;
    }

    std::vector<std::uint8_t> state;
    if (instance->getComponentState(state) != kResultOk || state.size() != 20 ||
        (state[0] != 0) != bypass)
        fail(double(total) / rate, "the saved Bypass is not the one last requested");
    instance->close();

    std::printf("%.1f kHz, %.0f min of audio: all finite and within bounds (largest output %.0f %% "
                "of the bound, at %.1f s); Bypass ends as last requested\n",
                rate / 1000.0, minutes, 100.0 * worstRatio, double(worstAt) / rate);
    signal.print("signal");
    silence.print("silence");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: brumvale_longrun BUNDLE [MINUTES_PER_RATE]\n");
        return 2;
    }
    const double minutes = argc > 2 ? std::atof(argv[2]) : 60.0;
    std::string error;
    auto module = PluginModule::load(argv[1], error);
    if (!module)
    {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::mt19937 random(20261208);
    for (double rate : {44100.0, 96000.0})
        runAt(*module, rate, minutes, random);
    return 0;
}
