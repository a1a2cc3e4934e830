// A 192-dpi desktop for the GUI tests, as xrdb -merge would publish it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct _XDisplay; // Xlib's Display, kept out of this header with its macros

namespace Brumvale::Testing {

// Puts "Xft.dpi: 192" into the root window's RESOURCE_MANAGER; gone again when the
// object goes, however the test ends.
class HighDpiDesktop
{
public:
    explicit HighDpiDesktop(_XDisplay* display);
    ~HighDpiDesktop();
    HighDpiDesktop(const HighDpiDesktop&) = delete;
    HighDpiDesktop& operator=(const HighDpiDesktop&) = delete;

private:
    _XDisplay* display;
};

} // namespace Brumvale::Testing
