// The user's preference files: small texts in the user's configuration folder.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace Brumvale {

// Files in the folder "Brumvale" of the user's configuration folder:
// $XDG_CONFIG_HOME, else ~/.config, on Linux; %APPDATA% on Windows.
//
// Neither call ever blocks on something other than the disk (a pipe or device
// put in a file's place is not opened for reading and writing waits for nobody)
// or throws. They read and write at most kLargestPreferenceFile bytes. UI thread.
inline constexpr std::size_t kLargestPreferenceFile = 4096;

// The file's text; none when there is no such regular file or it cannot be read,
// or is larger than kLargestPreferenceFile.
std::optional<std::string> readPreferenceFile(const char* name);

// Replaces the file with text as a whole (a reader sees the old text or the new,
// never part of it), making the folder if need be; false when it cannot.
bool writePreferenceFile(const char* name, const std::string& text);

} // namespace Brumvale
