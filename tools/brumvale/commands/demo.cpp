// brumvale demo: a synthesised riff through the plug-in in five settings, with the
// files, a picture of the spectra and a table of levels and pitches.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commands/commands.h"
#include "pluckedphrase.h"
#include "session/effectsession.h"
#include "spectrum.h"
#include "spectrumplot.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

using namespace Steinberg::Vst;

namespace Brumvale {
namespace {

constexpr int kRate = 44100;
constexpr double kSeconds = 4.0;

struct Variant
{
    const char* name;
    const char* description;
    std::vector<ParameterSetting> settings;
};

std::vector<float> mixToMono(const Audio& audio)
{
    std::vector<float> mono(size_t(audio.frames()), 0.0f);
    for (const std::vector<float>& channel : audio.channels)
        for (size_t i = 0; i < mono.size(); ++i)
            mono[i] += channel[i] / float(audio.channelCount());
    return mono;
}

int demo(const std::string& directory)
{
    std::error_code created;
    std::filesystem::create_directories(directory, created);
    if (created)
        return reportFailure("cannot create " + directory + ": " + created.message());
    const std::string plugin = defaultBundle();

    Audio input;
    input.sampleRate = kRate;
    const std::vector<float> phrase = synthesisePluckedPhrase(kRate, kSeconds);
    input.channels = {phrase, phrase};

    const std::vector<Variant> variants = {
        {"clean", "Boost 0 dB", {}},
        {"boost", "Boost 18, Volume -12", {{"Boost", "18"}, {"Volume", "-12"}}},
        {"hifi", "... and HiFi", {{"Boost", "18"}, {"Volume", "-12"}, {"AntiAlias", "1"}}},
        {"warmth", "... and Warmth", {{"Boost", "18"}, {"Volume", "-12"}, {"Warmth", "1"}}},
        {"bypassed", "... and Bypass", {{"Boost", "18"}, {"Volume", "-12"}, {"Bypass", "1"}}},
    };

    std::string error;
    const std::filesystem::path folder(directory);
    if (!writeAudioFile((folder / "input.wav").string(), input, error))
        return reportFailure(error);
    std::printf("%-9s %-22s %9s %9s %10s %10s\n", "render", "settings", "peak dB", "RMS dB",
                "in Hz", "out Hz");
    const std::vector<float> inputMono = mixToMono(input);
    const double inputPitch = strongestFrequency(inputMono, kRate);
    std::vector<PlotCurve> curves = {{"input", computeSpectrum(inputMono, kRate), {}}};
    double boostedPitch = 0.0;
    for (const Variant& variant : variants)
    {
        Audio output;
        if (!renderWithSettings(plugin, input, variant.settings, output, error))
            return reportFailure(error);
        const std::string file = (folder / (std::string(variant.name) + ".wav")).string();
        if (!writeAudioFile(file, output, error))
            return reportFailure(error);
        const std::vector<float> mono = mixToMono(output);
        const double pitch = strongestFrequency(mono, kRate);
        std::printf("%-9s %-22s %9.1f %9.1f %10.1f %10.1f\n", variant.name, variant.description,
                    toDecibels(peakLevel(mono)), toDecibels(rmsLevel(mono)), inputPitch, pitch);
        if (std::string(variant.name) == "boost")
        {
            boostedPitch = pitch;
            curves.push_back(
                {"through Brumvale, Boost 18 dB, Volume -12 dB", computeSpectrum(mono, kRate), {}});
        }
    }

    PlotOptions plot;
    plot.title = "Brumvale octave fuzz: spectrum of the riff before and after";
    plot.markers = {{inputPitch,
                     "input " + std::to_string(int(std::lround(inputPitch))) + " Hz",
                     {0.2, 0.2, 0.7}},
                    {boostedPitch,
                     "output " + std::to_string(int(std::lround(boostedPitch))) + " Hz",
                     {0.7, 0.2, 0.2}}};
    const std::string picture = (folder / "spectra.png").string();
    if (!writeSpectrumPng(picture, curves, plot, error))
        return reportFailure(error);
    std::printf("\nThe octave: the strongest frequency goes from %.1f Hz to %.1f Hz (%.2fx).\n"
                "Files in %s: input.wav, clean.wav, boost.wav, hifi.wav, warmth.wav, "
                "bypassed.wav and spectra.png\n",
                inputPitch, boostedPitch, boostedPitch / inputPitch,
                std::filesystem::absolute(folder).string().c_str());
    return 0;
}

int run(const std::vector<std::string>& arguments)
{
    std::string error;
    std::vector<std::string> rest;
    if (!OptionParser().parse(arguments, rest, error) || rest.size() > 1)
        return usageError(error.empty() ? "demo takes at most a folder" : error);
    return demo(rest.empty() ? "demo" : rest[0]);
}

} // namespace

const Command kDemoCommand = {
    "demo",
    "  demo [DIR]                render a synthesised riff clean, with Boost, HiFi,\n"
    "                            Warmth and bypassed into DIR (default: demo), with a\n"
    "                            picture of the spectra and a table of levels\n",
    nullptr,
    run,
};

} // namespace Brumvale
