// A frame's native window on Linux: an Xlib child window drawn with cairo.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/platform.h"

#include <X11/Xlib.h>
#include <cairo.h>

#include <utility>

namespace VSTGUI {

// A child window of the host's X window, on a display connection of its own whose
// descriptor the host's run loop watches: every pending event is handled when it
// is readable. Draws into an image of the window's size and copies what changed to
// the window, so a redraw never flickers. Once the host resizes its window, this
// one fills it; what the panel leaves free is filled with its darkest colour.
class X11Frame : public IPlatformFrame
{
public:
    // Null when the display, the window or the run loop registration fails.
    static std::unique_ptr<X11Frame> create(IPlatformFrameCallback& frame, const CRect& size,
                                            Window parent, IPlatformRunLoop& runLoop);
    ~X11Frame() override;
    X11Frame(const X11Frame&) = delete;
    X11Frame& operator=(const X11Frame&) = delete;

    void invalidRect(const CRect& rect) override;
    CRect setSize(const CRect& size) override;
    // What the desktop announces (desktopscale.h).
    double getScreenScale() const override;
    // Also from desktopscale.h, for the toolkit loaded in the process.
    double getHostToolkitScale() const override;
    void* getNativeWindow() const override { return reinterpret_cast<void*>(window); }

private:
    X11Frame(IPlatformFrameCallback& frame, Display* display);
    bool openWindow(const CRect& size, Window parentWindow);
    void followParent(int parentWidth, int parentHeight);
    void handleEvents();
    void handle(XEvent& event);
    void resize(int width, int height);

    IPlatformFrameCallback& frame;
    Display* display;
    Window parent = 0;
    Window window = 0;
    bool followsParent = false;
    std::pair<int, int> parentSize;
    int width = 0;
    int height = 0;
    cairo_surface_t* windowSurface = nullptr;
    cairo_surface_t* backBuffer = nullptr;
    CRect exposed;
};

} // namespace VSTGUI
