// The host's Windows editor window: a top-level window that embeds one plug-in view.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pluginterfaces/gui/iplugview.h>

#include "plugframe.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace Brumvale::Host {

// A shown top-level window, as a Windows host gives a plug-in view: the view's
// IPlugFrame, and the message loop the view's window and timers live on (pump).
//
// Owned and used as its PlugFrame base says. UI thread only.
class HostWindow : public PlugFrame
{
public:
    // Null, with the reason in error, when the window cannot be made.
    static std::unique_ptr<HostWindow> open(const Steinberg::ViewRect& bounds, std::string& error);
    ~HostWindow() override;

    HWND handle() const { return window; }
    // The view's own window inside this one, null when there is none.
    HWND viewWindow() const { return GetWindow(window, GW_CHILD); }

    // Dispatches this thread's window messages (and so timers and painting) until
    // done() answers true, looked at whenever the queue is empty and at least every
    // 10 ms; false when the time is up first.
    bool pumpUntil(const std::function<bool()>& done, int timeoutMilliseconds);
    // Whether no message (input, paint, timer, posted) waits for this thread.
    static bool queueEmpty();
    // What the window shows, as 0x00BBGGRR (GetPixel's order); CLR_INVALID outside.
    COLORREF pixel(int x, int y) const;
    // The window's client area as a PNG file; false when it cannot be written.
    bool screenshot(const std::string& path) const;

private:
    explicit HostWindow(HWND window) : window(window) {}

    // PlugFrame: views attach to the window ("HWND").
    void* parent() const override { return window; }
    Steinberg::FIDString platformType() const override { return Steinberg::kPlatformTypeHWND; }
    void resizeWindow(int width, int height) override;

    HWND window;
};

} // namespace Brumvale::Host
