// Audio files through libsndfile: the format each extension names, written under a temporary name.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/audiofile.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace Brumvale {
namespace {

std::string extensionOf(const std::string& path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension;
}

int formatFor(const std::string& path)
{
    const std::string extension = extensionOf(path);
    if (extension.empty() || extension == ".wav")
        return SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    if (extension == ".flac")
        return SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
    if (extension == ".aif" || extension == ".aiff")
        return SF_FORMAT_AIFF | SF_FORMAT_FLOAT;
    if (extension == ".ogg")
        return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    return 0;
}

} // namespace

bool knownOutputFormat(const std::string& path, std::string& error)
{
    if (formatFor(path))
        return true;
    error = "unknown output format '" + extensionOf(path) + "' (use .wav, .flac, .aiff or .ogg)";
    return false;
}

bool readAudioFile(const std::string& path, Audio& audio, std::string& error)
{
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored))
    {
        error = "input file not found: " + path;
        return false;
    }
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
    {
        error = "cannot read " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    std::vector<float> interleaved(size_t(info.frames) * size_t(info.channels));
    const sf_count_t read = sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    audio.sampleRate = info.samplerate;
    audio.channels.assign(size_t(info.channels), std::vector<float>(size_t(read)));
    for (sf_count_t i = 0; i < read; ++i)
        for (int c = 0; c < info.channels; ++c)
            audio.channels[size_t(c)][size_t(i)] =
                interleaved[size_t(i) * size_t(info.channels) + size_t(c)];
    return true;
}

bool writeAudioFile(const std::string& path, const Audio& audio, std::string& error)
{
    if (!knownOutputFormat(path, error))
        return false;
    const int format = formatFor(path);
    SF_INFO info{};
    info.samplerate = audio.sampleRate;
    info.channels = audio.channelCount();
    info.format = format;
    if (!sf_format_check(&info))
    {
        error = "cannot write " + std::to_string(info.channels) + " channels at " +
                std::to_string(info.samplerate) + " Hz as " + extensionOf(path);
        return false;
    }
    const std::string temporary = path + ".partial";
    SNDFILE* file = sf_open(temporary.c_str(), SFM_WRITE, &info);
    if (!file)
    {
        error = "cannot write " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    // Integer formats take what goes past full scale as full scale, as a
    // recording would, instead of refusing the samples.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    const long frames = audio.frames();
    std::vector<float> interleaved(size_t(frames) * size_t(info.channels));
    for (long i = 0; i < frames; ++i)
        for (int c = 0; c < info.channels; ++c)
            interleaved[size_t(i) * size_t(info.channels) + size_t(c)] =
                audio.channels[size_t(c)][size_t(i)];
    const bool written = sf_writef_float(file, interleaved.data(), frames) == frames;
    const std::string reason = sf_strerror(file);
    const bool closed = sf_close(file) == 0;
    std::error_code renamed;
    if (written && closed)
        std::filesystem::rename(temporary, path, renamed);
    if (!written || !closed || renamed)
    {
        std::remove(temporary.c_str());
        error = "cannot write " + path + ": " + (renamed ? renamed.message() : reason);
        return false;
    }
    return true;
}

} // namespace Brumvale
