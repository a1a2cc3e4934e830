// The user's editor zoom, kept as a preference of the user rather than of a project.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace Brumvale {

// The file "editor.conf" holds one line, "zoom=150" (percent, 100 to 400) or
// "zoom=follow". Zoom 0 means following the host and the screen: what a
// missing, unreadable or malformed file gives. UI thread; never throws.
double readZoomPreference();
// False when the file cannot be written (the caller goes on without it).
bool writeZoomPreference(double zoom);

// The text of the file for a zoom, and the zoom a file's text gives.
std::string zoomPreferenceText(double zoom);
double parseZoomPreference(const std::string& text);

} // namespace Brumvale
