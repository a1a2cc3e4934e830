// Tests: float WAV files in and out of the brumvale tool.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sndfile.h>

#include <string>
#include <vector>

namespace Brumvale::Testing {

using Channels = std::vector<std::vector<float>>;

// 32-bit float WAV, so that the samples go through unchanged; false when the file
// cannot be written.
inline bool writeWav(const std::string& path, const Channels& channels, int rate)
{
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = int(channels.size());
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    std::vector<float> interleaved;
    for (size_t i = 0; i < channels[0].size(); ++i)
        for (const auto& channel : channels)
            interleaved.push_back(channel[i]);
    const sf_count_t written =
        sf_writef_float(file, interleaved.data(), sf_count_t(channels[0].size()));
    return sf_close(file) == 0 && written == sf_count_t(channels[0].size());
}

// No channels when the file cannot be read.
inline Channels readAudio(const std::string& path, int* rate = nullptr)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return {};
    std::vector<float> interleaved(size_t(info.frames * info.channels));
    sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    if (rate)
        *rate = info.samplerate;
    Channels channels(size_t(info.channels), std::vector<float>(size_t(info.frames)));
    for (size_t i = 0; i < size_t(info.frames); ++i)
        for (size_t c = 0; c < channels.size(); ++c)
            channels[c][i] = interleaved[i * channels.size() + c];
    return channels;
}

} // namespace Brumvale::Testing
