// The host's Windows editor window: a top-level window that embeds one plug-in view.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <pluginterfaces/base/smartpointer.h>
#include <pluginterfaces/gui/iplugview.h>

#include "resizerecorder.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace Brumvale::Host {

// A shown top-level window, as a Windows host gives a plug-in view: the view's
// IPlugFrame, and the message loop the view's window and timers live on (pump).
//
// Owned by the host (unique_ptr): addRef and release only count, and the view's use
// of the frame ends with detach(), which the destructor calls. UI thread only.
class HostWindow : public Steinberg::IPlugFrame
{
public:
    // Null, with the reason in error, when the window cannot be made.
    static std::unique_ptr<HostWindow> open(const Steinberg::ViewRect& bounds, std::string& error);
    virtual ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND handle() const { return window; }
    // The view's own window inside this one, null when there is none.
    HWND viewWindow() const { return GetWindow(window, GW_CHILD); }

    // setFrame(this), then attached(window, "HWND"); returns what attached answered.
    Steinberg::tresult attach(Steinberg::IPlugView* view);
    // removed(), then setFrame(nullptr); does nothing when no view is attached.
    void detach();
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

    // The view's resize requests; refused ones leave the window as it is and
    // answer kResultFalse.
    ResizeRecorder& resizes() { return resizing; }

    // IPlugFrame: resizes the window to newSize, then calls the view's onSize.
    Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view,
                                             Steinberg::ViewRect* newSize) override;
    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;
    Steinberg::uint32 PLUGIN_API addRef() override { return ++references; }
    Steinberg::uint32 PLUGIN_API release() override { return --references; }

private:
    explicit HostWindow(HWND window) : window(window) {}

    HWND window;
    Steinberg::IPtr<Steinberg::IPlugView> attachedView;
    ResizeRecorder resizing;
    Steinberg::uint32 references = 1;
};

} // namespace Brumvale::Host
