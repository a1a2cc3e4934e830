// The zoom preference as the one line of "editor.conf", written and read back.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "zoompreference.h"

#include "preferencefile.h"

#include <charconv>
#include <cmath>

namespace Brumvale {
namespace {

constexpr char kFileName[] = "editor.conf";
constexpr char kKey[] = "zoom=";
constexpr char kFollow[] = "follow";
constexpr int kLeastPercent = 100;
constexpr int kMostPercent = 400;

} // namespace

std::string zoomPreferenceText(double zoom)
{
    const long percent = std::lround(zoom * 100.0);
    if (percent < kLeastPercent || percent > kMostPercent)
        return std::string(kKey) + kFollow + "\n";
    return std::string(kKey) + std::to_string(percent) + "\n";
}

double parseZoomPreference(const std::string& text)
{
    const std::string key = kKey;
    if (text.compare(0, key.size(), key) != 0)
        return 0.0;
    std::string value = text.substr(key.size());
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r'))
        value.pop_back();
    int percent = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), percent);
    if (error != std::errc() || end != value.data() + value.size() || percent < kLeastPercent ||
        percent > kMostPercent)
        return 0.0;
    return percent / 100.0;
}

double readZoomPreference()
{
    const auto text = readPreferenceFile(kFileName);
    return text ? parseZoomPreference(*text) : 0.0;
}

bool writeZoomPreference(double zoom)
{
    return writePreferenceFile(kFileName, zoomPreferenceText(zoom));
}

} // namespace Brumvale
