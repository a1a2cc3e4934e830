// A frame's native window on Windows: a Win32 child window drawn with GDI+.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gdiplus.h"
#include "widgets/platform.h"

#include <memory>

namespace VSTGUI {

// A child window of the host's HWND. Paints through an image of the window's size,
// so a redraw never flickers; when the host makes the window larger than the
// frame, the rest is filled with the panel's darkest colour. Takes the keyboard
// focus when clicked, and all keys while it has it.
class Win32Frame : public IPlatformFrame
{
public:
    // Null when the window cannot be made.
    static std::unique_ptr<Win32Frame> create(IPlatformFrameCallback& frame, const CRect& size,
                                              HWND parent, HINSTANCE module);
    ~Win32Frame() override;
    Win32Frame(const Win32Frame&) = delete;
    Win32Frame& operator=(const Win32Frame&) = delete;

    void invalidRect(const CRect& rect) override;
    CRect setSize(const CRect& size) override;
    // The DPI of the parent window's monitor / 96.
    double getScreenScale() const override;
    // Windows hosts size child windows in physical pixels.
    double getHostToolkitScale() const override { return kMinZoom; }
    void* getNativeWindow() const override { return window; }

private:
    explicit Win32Frame(IPlatformFrameCallback& frame) : frame(frame) {}
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();

    GdiplusUser user;
    IPlatformFrameCallback& frame;
    HWND window = nullptr;
    HINSTANCE module = nullptr;
};

} // namespace VSTGUI
