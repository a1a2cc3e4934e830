// processBlock on stereo 44.1 kHz audio in 512-frame blocks, HiFi and Warmth off
// and on, for the engine and the plain transcription; and the engine on digital
// silence after a phrase; and, HiFi on, a plucked note that decays into silence,
// digital silence and subnormal input against a steady note. Prints frames per
// second, the real-time factor and the engine's speed-up over the transcription.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/enginetesting.h"
#include "engine/octavefuzzengine.h"
#include "model/referencefuzzengine.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr double kRate = 44100.0;
constexpr int kChannels = 2;
constexpr int kBlock = 512;

// The engine on the SSE2 baseline every target has, without the AVX2 path.
struct BaselineEngine : Brumvale::OctaveFuzzEngine
{
    BaselineEngine() : OctaveFuzzEngine(Instructions::kBaseline) {}
};

template <class Engine> void renderStereo(benchmark::State& state)
{
    const bool hifi = state.range(0) != 0;
    const bool warmth = state.range(1) != 0;
    Brumvale::Testing::AudioBuffer input =
        Brumvale::Testing::makeTestSignal(kChannels, int(kRate), kRate, 1);
    Brumvale::Testing::AudioBuffer output(kChannels, int(kRate));
    Engine engine;
    engine.setChannelCount(kChannels);
    engine.setSampleRate(kRate);
    engine.setBoostDb(18.0f);
    engine.setVolumeDb(-6.0f);
    engine.setAntiAlias(hifi);
    engine.setWarmth(warmth);

    int start = 0;
    for (auto _ : state)
    {
        if (start + kBlock > input.frames())
            start = 0;
        engine.processBlock(input.from(start).data(), output.from(start).data(), kBlock);
        benchmark::DoNotOptimize(output.data[0][size_t(start)]);
        start += kBlock;
    }
    const double frames = double(state.iterations()) * kBlock;
    state.SetItemsProcessed(int64_t(frames));
    state.counters["frames/s"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["realtime"] = benchmark::Counter(frames / kRate, benchmark::Counter::kIsRate);
}

// Digital silence after a second of signal, rendered for as long as the benchmark
// runs: the first seconds (while the channel memory settles) and the rest together.
void renderSilence(benchmark::State& state)
{
    const bool hifi = state.range(0) != 0;
    Brumvale::Testing::AudioBuffer phrase =
        Brumvale::Testing::makeTestSignal(kChannels, int(kRate), kRate, 1);
    Brumvale::Testing::AudioBuffer silence(kChannels, kBlock);
    Brumvale::Testing::AudioBuffer output(kChannels, int(kRate));
    Brumvale::OctaveFuzzEngine engine;
    engine.setChannelCount(kChannels);
    engine.setSampleRate(kRate);
    engine.setBoostDb(18.0f);
    engine.setVolumeDb(-6.0f);
    engine.setAntiAlias(hifi);
    engine.processBlock(phrase.pointers.data(), output.pointers.data(), phrase.frames());

    for (auto _ : state)
    {
        engine.processBlock(silence.pointers.data(), output.pointers.data(), kBlock);
        benchmark::DoNotOptimize(output.data[0][0]);
    }
    const double frames = double(state.iterations()) * kBlock;
    state.counters["frames/s"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["realtime"] = benchmark::Counter(frames / kRate, benchmark::Counter::kIsRate);
    state.counters["seconds"] = frames / kRate;
}
BENCHMARK(renderSilence)->ArgName("hifi")->Arg(0)->Arg(1);

// HiFi on, 110 Hz: a steady note (0), the same note plucked, falling 60 dB every
// quarter second into silence and on through its tail (1), digital silence (2) and
// input of subnormal samples (3), which the engine takes as silence. Quiet input must
// cost no more than a note: the tail and silence once ran through subnormal numbers,
// which many processors handle many times more slowly.
void renderQuiet(benchmark::State& state)
{
    const int kind = int(state.range(0));
    const int frames = int(4 * kRate);
    Brumvale::Testing::AudioBuffer input(kChannels, frames);
    Brumvale::Testing::AudioBuffer output(kChannels, kBlock);
    for (int c = 0; c < kChannels; ++c)
        for (int i = 0; i < frames; ++i)
        {
            const double note = 0.5 * std::sin(6.283185307179586 * 110.0 * i / kRate);
            const double decay = kind == 1 ? std::pow(10.0, -3.0 * i / (0.25 * kRate)) : 1.0;
            input.data[size_t(c)][size_t(i)] = kind <= 1   ? float(note * decay)
                                               : kind == 3 ? 1e-39f
                                                           : 0.0f;
        }
    Brumvale::OctaveFuzzEngine engine;
    engine.setChannelCount(kChannels);
    engine.setSampleRate(kRate);
    engine.setAntiAlias(true);

    int start = 0;
    for (auto _ : state)
    {
        if (start + kBlock > frames)
            start = 0;
        engine.processBlock(input.from(start).data(), output.pointers.data(), kBlock);
        benchmark::DoNotOptimize(output.data[0][0]);
        start += kBlock;
    }
    const double rendered = double(state.iterations()) * kBlock;
    state.counters["frames/s"] = benchmark::Counter(rendered, benchmark::Counter::kIsRate);
    state.counters["realtime"] = benchmark::Counter(rendered / kRate, benchmark::Counter::kIsRate);
}
BENCHMARK(renderQuiet)->ArgName("steady_pluck_silence_subnormal")->DenseRange(0, 3);

BENCHMARK_TEMPLATE(renderStereo, Brumvale::OctaveFuzzEngine)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"hifi", "warmth"});
BENCHMARK_TEMPLATE(renderStereo, BaselineEngine)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"hifi", "warmth"});
BENCHMARK_TEMPLATE(renderStereo, Brumvale::Model::ReferenceFuzzEngine)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"hifi", "warmth"});

// Console output as usual, and the engine-to-transcription ratios at the end.
class SpeedUpReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
        {
            const std::string name = run.benchmark_name();
            const auto counter = run.counters.find("frames/s");
            if (counter == run.counters.end() || run.run_type != Run::RT_Iteration)
                continue;
            const std::string settings = name.substr(name.find('/') + 1);
            const double fps = counter->second.value;
            if (name.find("Model") != std::string::npos)
                transcription[settings] = fps;
            else if (name.find("Baseline") != std::string::npos)
                baseline[settings] = fps;
            else
                engine[settings] = fps;
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nStereo 44.1 kHz, 512-frame blocks: frames per second, real-time factor, "
                    "and speed-up over the plain transcription\n");
        std::printf("%-18s %12s %9s %8s | %12s %9s %8s | %12s\n", "settings", "engine", "realtime",
                    "speed-up", "SSE2 only", "realtime", "speed-up", "transcription");
        for (const auto& [settings, fps] : engine)
        {
            const double model = transcription.count(settings) ? transcription[settings] : 0.0;
            const double sse2 = baseline.count(settings) ? baseline[settings] : 0.0;
            if (model <= 0.0 || sse2 <= 0.0)
                continue;
            std::printf("%-18s %12.0f %8.0fx %7.2fx | %12.0f %8.0fx %7.2fx | %12.0f\n",
                        settings.c_str(), fps, fps / kRate, fps / model, sse2, sse2 / kRate,
                        sse2 / model, model);
        }
    }

private:
    std::map<std::string, double> engine;
    std::map<std::string, double> baseline;
    std::map<std::string, double> transcription;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    SpeedUpReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
