// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// A frame's native window on Linux: an Xlib child window drawn with cairo.
#pragma once

#include "widgets/platform.h"

#include <X11/Xlib.h>
#include <cairo.h>

namespace VSTGUI {

// A child window of the host's X window, on a display connection of its own whose
// descriptor the host's run loop watches: every pending event is handled when it
// is readable. Draws into an image of the window's size and copies what changed to
// the window, so a redraw never flickers. When the host makes the window larger
// than the frame, the rest is filled with the panel's darkest colour.
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
    void setSize(const CRect& size) override;
    // Xft.dpi / 96, from the resources the desktop publishes on the root window.
    double getScreenScale() const override;
    void* getNativeWindow() const override { return reinterpret_cast<void*>(window); }

private:
    X11Frame(IPlatformFrameCallback& frame, Display* display);
    bool openWindow(const CRect& size, Window parent);
    void handleEvents();
    void handle(XEvent& event);
    void resize(int width, int height);

    IPlatformFrameCallback& frame;
    Display* display;
    Window window = 0;
    int width = 0;
    int height = 0;
    CRect panel;
    cairo_surface_t* windowSurface = nullptr;
    cairo_surface_t* backBuffer = nullptr;
    CRect exposed;
};

} // namespace VSTGUI
