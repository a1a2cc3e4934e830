// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// brumvale demo [DIR]: renders a synthesised plucked-string riff through the
// octave fuzz and writes the dry and the processed sound as WAV files.

#include "engine/octavefuzzengine.h"
#include "pluckedphrase.h"

#include <sndfile.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;

bool writeWav(const std::filesystem::path& path, const std::vector<float>& samples)
{
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.string().c_str(), SFM_WRITE, &info);
    if (!file)
    {
        std::fprintf(stderr, "brumvale: cannot write %s: %s\n", path.string().c_str(),
                     sf_strerror(nullptr));
        return false;
    }
    const sf_count_t written = sf_writef_float(file, samples.data(), sf_count_t(samples.size()));
    return sf_close(file) == 0 && written == sf_count_t(samples.size());
}

int demo(const std::filesystem::path& directory)
{
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error)
    {
        std::fprintf(stderr, "brumvale: cannot create %s: %s\n", directory.string().c_str(),
                     error.message().c_str());
        return 1;
    }

    const std::vector<float> dry = Brumvale::synthesisePluckedPhrase(kRate, 3.0);
    std::vector<float> wet(dry.size());
    Brumvale::OctaveFuzzEngine engine;
    engine.setChannelCount(1);
    engine.setSampleRate(kRate);
    engine.setBoostDb(18.0f);
    engine.setVolumeDb(-12.0f);
    engine.setAntiAlias(true);
    engine.setWarmth(false);
    const float* in = dry.data();
    float* out = wet.data();
    for (size_t start = 0; start < dry.size(); start += 512)
    {
        const int length = int(std::min<size_t>(512, dry.size() - start));
        const float* inputs[] = {in + start};
        float* outputs[] = {out + start};
        engine.processBlock(inputs, outputs, length);
    }

    const auto dryPath = directory / "brumvale-demo-dry.wav";
    const auto wetPath = directory / "brumvale-demo-fuzz.wav";
    if (!writeWav(dryPath, dry) || !writeWav(wetPath, wet))
        return 1;
    std::printf("Rendered a 3 s plucked-string riff through the octave fuzz "
                "(Boost 18 dB, Volume -12 dB, HiFi on):\n  dry:  %s\n  fuzz: %s\n",
                std::filesystem::absolute(dryPath).string().c_str(),
                std::filesystem::absolute(wetPath).string().c_str());
    return 0;
}

void usage(std::FILE* to)
{
    std::fputs("usage: brumvale demo [DIR]\n"
               "  Renders a synthesised plucked-string riff through the octave fuzz and\n"
               "  writes the dry and processed sound as WAV files to DIR (default: demo).\n",
               to);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")))
    {
        usage(stdout);
        return 0;
    }
    if (argc < 2 || argc > 3 || std::strcmp(argv[1], "demo") != 0)
    {
        usage(stderr);
        return 2;
    }
    return demo(argc == 3 ? argv[2] : "demo");
}
