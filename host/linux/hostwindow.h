// The host's Linux editor window: a top-level X window that embeds one plug-in view.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runloop.h"

#include <pluginterfaces/base/smartpointer.h>
#include <pluginterfaces/gui/iplugview.h>

#include "resizerecorder.h"

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
// Owned by the host (unique_ptr): addRef and release only count, and the view's use of
// the frame ends with detach(), which the destructor calls. Main thread only.
class HostWindow : public Steinberg::IPlugFrame
{
public:
    // Connects to the display DISPLAY names and shows a window whose outline on the
    // screen is bounds (root window pixels). Null, with the reason in error, when the
    // display cannot be opened or the size is empty.
    static std::unique_ptr<HostWindow> open(RunLoop& loop, const Steinberg::ViewRect& bounds,
                                            std::string& error);
    virtual ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    unsigned long windowId() const { return window; }
    // The window's outline on the screen; resizeView, and any resize closeRequested
    // reads (a user dragging the border), move its right and bottom.
    const Steinberg::ViewRect& bounds() const { return outline; }
    void setTitle(const std::string& title);
    // Whether the user (a window manager's close button: WM_DELETE_WINDOW) has asked
    // to close the window; reads the window's events without waiting.
    bool closeRequested();

    // The view attached now (null when none).
    Steinberg::IPlugView* view() const { return attachedView; }

    // setFrame(this), then attached(window id, "X11EmbedWindowID"); returns what
    // attached answered. A view that refuses gets setFrame(nullptr) and is not kept.
    // kInvalidArgument for a null view or while another view is attached.
    Steinberg::tresult attach(Steinberg::IPlugView* view);
    // removed(), then setFrame(nullptr); does nothing when no view is attached.
    void detach();

    // What the window shows within area (window pixels, clipped to the window), the
    // view's child windows included; empty when nothing of it lies in the window.
    Picture grab(const Steinberg::ViewRect& area) const;
    Picture grab() const;
    // The whole window as a PNG file; false when it cannot be written.
    bool screenshot(const std::string& path) const;

    // The view's resize requests; refused ones leave the window as it is and
    // answer kResultFalse.
    ResizeRecorder& resizes() { return resizing; }

    // IPlugFrame: resizes the window to newSize, then calls the view's onSize.
    Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view,
                                             Steinberg::ViewRect* newSize) override;

    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
    Steinberg::uint32 PLUGIN_API addRef() override;
    Steinberg::uint32 PLUGIN_API release() override;

private:
    HostWindow(RunLoop& loop, _XDisplay* display, unsigned long window,
               const Steinberg::ViewRect& bounds, unsigned long closeAtom);

    Steinberg::IPtr<RunLoop> runLoop;
    _XDisplay* display;
    unsigned long window;
    Steinberg::ViewRect outline;
    Steinberg::IPtr<Steinberg::IPlugView> attachedView;
    ResizeRecorder resizing;
    unsigned long closeAtom;
    bool closing = false;
    Steinberg::uint32 references = 1;
};

} // namespace Brumvale::Host
