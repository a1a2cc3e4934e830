// What the widget layer asks of a platform backend (linux/: Xlib and cairo;
// win32/: Win32 and GDI+): decoded images, drawing into an image, and the native
// child window that shows a frame.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cdrawcontext.h"
#include "cview.h"
#include "zoomrange.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace VSTGUI {

// A decoded image, ready to draw.
class IPlatformBitmap
{
public:
    virtual ~IPlatformBitmap() = default;
    virtual int getWidth() const = 0;
    virtual int getHeight() const = 0;
};

// An image to draw into, as the whole panel is rendered for tests and screenshots.
class IPlatformOffscreen
{
public:
    virtual ~IPlatformOffscreen() = default;
    virtual CDrawContext& getContext() = 0;
    virtual bool writePng(const std::string& path) = 0;
    // The pixels as 0xAARRGGBB, rows from the top (partly transparent ones may
    // come premultiplied by alpha).
    virtual std::vector<uint32_t> getPixels() = 0;
};

// What the native window of a frame delivers to it, in the window's own (screen)
// pixels.
class IPlatformFrameCallback
{
public:
    virtual ~IPlatformFrameCallback() = default;
    // The scale of the context a window draws with (screen pixels per panel pixel)
    // and the panel's top-left corner in the window, where that context starts.
    virtual PanelPlacement platformGetPlacement() const = 0;
    // The host gave the window this size.
    virtual void platformOnResized(int width, int height) = 0;
    virtual void platformDrawRect(CDrawContext& context, const CRect& rect) = 0;
    virtual CMouseEventResult platformOnMouseDown(CPoint& where, const CButtonState& buttons) = 0;
    virtual CMouseEventResult platformOnMouseMoved(CPoint& where, const CButtonState& buttons) = 0;
    virtual CMouseEventResult platformOnMouseUp(CPoint& where, const CButtonState& buttons) = 0;
    virtual bool platformOnWheel(const CPoint& where, float distance,
                                 const CButtonState& buttons) = 0;
    virtual int32_t platformOnKeyDown(VstKeyCode& key) = 0;
};

// A native child window showing a frame, sized and addressed in screen pixels;
// destroying it closes the window.
class IPlatformFrame
{
public:
    virtual ~IPlatformFrame() = default;
    // Redraws the rectangle now.
    virtual void invalidRect(const CRect& rect) = 0;
    // Gives the window the new size (its origin stays) and returns the size it has
    // then: a window that follows its parent's size (X11, once the host has resized
    // the parent) keeps that one.
    virtual CRect setSize(const CRect& size) = 0;
    // The scale the desktop asks of windows on this window's screen (1 at 96 dots
    // per inch: what the desktop announces on Linux, linux/desktopscale.h; the
    // monitor's DPI on Windows), from 1 to 4; 1 when it says nothing.
    virtual double getScreenScale() const = 0;
    // The factor by which the host's own toolkit enlarges the sizes the panel asks
    // of it (GTK 3 under GDK_SCALE, say), from 1 to 4.
    virtual double getHostToolkitScale() const = 0;
    // The window itself (an X Window id, an HWND), as hosts that embed it ask.
    virtual void* getNativeWindow() const = 0;
};

// How the host wakes the plug-in on platforms where it must (Linux: the host's
// run loop, as no thread of the plug-in's own may wait on its window). Callbacks
// come on the UI thread; everything registered goes when the run loop object does.
class IPlatformRunLoop
{
public:
    virtual ~IPlatformRunLoop() = default;
    // Calls onReady whenever the descriptor has something to read.
    virtual bool addReader(int fileDescriptor, std::function<void()> onReady) = 0;
    virtual bool addTimer(uint32_t milliseconds, std::function<void()> onTick) = 0;
};

namespace Platform {

// Where images are looked up: on Linux a folder (the bundle's Resources folder),
// on Windows the module whose resources hold them.
void setResourceLocation(void* moduleHandle, const std::string& folder);

// The PNG image of that name, or null when it cannot be had.
std::unique_ptr<IPlatformBitmap> loadPng(const char* name);

// An image of width x height screen pixels, fully transparent, whose context draws
// panel pixels scale screen pixels each; null when it cannot be had.
std::unique_ptr<IPlatformOffscreen> createOffscreen(int width, int height, double scale = 1.0);

// A child window of the native parent, of the frame's size; null when it cannot
// be had. runLoop may be null where the platform needs none.
std::unique_ptr<IPlatformFrame> createFrame(IPlatformFrameCallback& frame, const CRect& size,
                                            void* parent, IPlatformRunLoop* runLoop);

} // namespace Platform
} // namespace VSTGUI
