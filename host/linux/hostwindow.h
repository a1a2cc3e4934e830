// The host's Linux editor window: a top-level X window that embeds one plug-in view.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runloop.h"

#include <pluginterfaces/base/smartpointer.h>
#include <pluginterfaces/gui/iplugview.h>

#include "plugframe.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct _XDisplay; // Xlib's Display, kept out of this header with its macros

namespace Brumvale::Host {

// Pixels read back from a window: 0xRRGGBB, rows from the top.
struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// The picture as a PNG file; false when it is empty or cannot be written.
bool writePng(const Picture& picture, const std::string& path);
// A PNG file's picture (alpha dropped); empty when it cannot be read.
Picture readPng(const std::string& path);

// How many pixels differ; every pixel of the larger when the sizes differ.
inline int differingPixels(const Picture& a, const Picture& b)
{
    if (a.width != b.width || a.height != b.height)
        return std::max(a.width * a.height, b.width * b.height);
    int count = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i)
        count += a.pixels[i] != b.pixels[i];
    return count;
}

// A mapped top-level X window on a display connection of its own, as a Linux host
// gives a plug-in view: the view's IPlugFrame, whose queryInterface also hands out the
// run loop (IRunLoop). Made for a server without a window manager (Xvfb): the window
// stays where it is put.
//
// Owned and used as its PlugFrame base says. Main thread only.
class HostWindow : public PlugFrame
{
public:
    // Connects to the display DISPLAY names and shows a window whose outline on the
    // screen is bounds (root window pixels). Null, with the reason in error, when the
    // display cannot be opened or the size is empty.
    static std::unique_ptr<HostWindow> open(RunLoop& loop, const Steinberg::ViewRect& bounds,
                                            std::string& error);
    ~HostWindow() override;

    unsigned long windowId() const { return window; }
    // The window's outline on the screen; resizeView, and any resize closeRequested
    // reads (a user dragging the border), move its right and bottom.
    const Steinberg::ViewRect& bounds() const { return outline; }
    void setTitle(const std::string& title);
    // Whether the user (a window manager's close button: WM_DELETE_WINDOW) has asked
    // to close the window; reads the window's events without waiting.
    bool closeRequested();

    // What the window shows within area (window pixels, clipped to the window), the
    // view's child windows included; empty when nothing of it lies in the window.
    Picture grab(const Steinberg::ViewRect& area) const;
    Picture grab() const;
    // The whole window as a PNG file; false when it cannot be written.
    bool screenshot(const std::string& path) const;

private:
    HostWindow(RunLoop& loop, _XDisplay* display, unsigned long window,
               const Steinberg::ViewRect& bounds, unsigned long closeAtom);

    // PlugFrame: views attach to the window id ("X11EmbedWindowID").
    void* parent() const override;
    Steinberg::FIDString platformType() const override;
    void resizeWindow(int width, int height) override;
    // The run loop (IRunLoop), which Linux views ask their frame for.
    Steinberg::tresult otherInterface(const Steinberg::TUID iid, void** obj) override;

    Steinberg::IPtr<RunLoop> runLoop;
    _XDisplay* display;
    unsigned long window;
    Steinberg::ViewRect outline;
    unsigned long closeAtom;
    bool closing = false;
};

} // namespace Brumvale::Host
