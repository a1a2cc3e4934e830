// Audio files for the tool: reading what libsndfile knows, writing the format an extension names.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace Brumvale {

// Non-interleaved audio with its rate.
struct Audio
{
    int sampleRate = 44100;
    std::vector<std::vector<float>> channels;

    int channelCount() const { return int(channels.size()); }
    long frames() const { return channels.empty() ? 0 : long(channels[0].size()); }
};

// Reads WAV, FLAC, AIFF, Ogg and whatever else libsndfile knows.
bool readAudioFile(const std::string& path, Audio& audio, std::string& error);

// Writes in the format the extension names (.wav 32-bit float, .flac 24-bit,
// .aif/.aiff 32-bit float, .ogg Vorbis; no extension: .wav). The file is written
// beside the target under a temporary name and renamed at the end, so a failed
// or interrupted write never leaves a half-written file in its place.
bool writeAudioFile(const std::string& path, const Audio& audio, std::string& error);

// Whether the extension names a format writeAudioFile knows; if not, why.
bool knownOutputFormat(const std::string& path, std::string& error);

} // namespace Brumvale
