// The host's Linux editor window: Xlib for the window, cairo for PNG screenshots.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "hostwindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace Brumvale::Host {

using namespace Steinberg;

namespace {

// One colour channel of an XImage pixel, scaled to 0..255.
std::uint32_t channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    const int shift = __builtin_ctzl(mask);
    const unsigned long largest = mask >> shift;
    return static_cast<std::uint32_t>(((pixel & mask) >> shift) * 255 / largest);
}

} // namespace

std::unique_ptr<HostWindow> HostWindow::open(RunLoop& loop, const ViewRect& bounds,
                                             std::string& error)
{
    if (bounds.getWidth() <= 0 || bounds.getHeight() <= 0)
    {
        error = "empty window size";
        return nullptr;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display)
    {
        const char* name = std::getenv("DISPLAY");
        error = std::string("cannot open display ") + (name ? name : "(DISPLAY unset)");
        return nullptr;
    }
    const int screen = DefaultScreen(display);
    const Window window = XCreateSimpleWindow(
        display, RootWindow(display, screen), bounds.left, bounds.top, bounds.getWidth(),
        bounds.getHeight(), 0, BlackPixel(display, screen), BlackPixel(display, screen));
    XStoreName(display, window, "Brumvale host");
    // A window manager's close button asks rather than destroys.
    Atom close = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &close, 1);
    XSelectInput(display, window, StructureNotifyMask);
    XMapWindow(display, window);
    // Without a window manager the window is viewable once the server has this.
    XSync(display, False);
    return std::unique_ptr<HostWindow>(new HostWindow(loop, display, window, bounds, close));
}

HostWindow::HostWindow(RunLoop& loop, _XDisplay* display, unsigned long window,
                       const ViewRect& bounds, unsigned long closeAtom)
    : runLoop(&loop), display(display), window(window), outline(bounds), closeAtom(closeAtom)
{}

HostWindow::~HostWindow()
{
    detach();
    XDestroyWindow(display, window);
    XCloseDisplay(display);
}

void* HostWindow::parent() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(window)); }

FIDString HostWindow::platformType() const { return kPlatformTypeX11EmbedWindowID; }

void HostWindow::setTitle(const std::string& title)
{
    XStoreName(display, window, title.c_str());
    XFlush(display);
}

bool HostWindow::closeRequested()
{
    while (XPending(display) > 0)
    {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == ClientMessage && Atom(event.xclient.data.l[0]) == closeAtom)
            closing = true;
        else if (event.type == ConfigureNotify)
        {
            outline.right = outline.left + event.xconfigure.width;
            outline.bottom = outline.top + event.xconfigure.height;
        }
    }
    return closing;
}

Picture HostWindow::grab(const ViewRect& area) const
{
    Picture picture;
    const int left = std::max<int>(area.left, 0);
    const int top = std::max<int>(area.top, 0);
    const int right = std::min<int>(area.right, outline.getWidth());
    const int bottom = std::min<int>(area.bottom, outline.getHeight());
    if (right <= left || bottom <= top)
        return picture;
    XImage* image =
        XGetImage(display, window, left, top, right - left, bottom - top, AllPlanes, ZPixmap);
    if (!image)
        return picture;
    picture.width = right - left;
    picture.height = bottom - top;
    picture.pixels.reserve(std::size_t(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
        {
            const unsigned long pixel = XGetPixel(image, x, y);
            picture.pixels.push_back(channel(pixel, image->red_mask) << 16 |
                                     channel(pixel, image->green_mask) << 8 |
                                     channel(pixel, image->blue_mask));
        }
    XDestroyImage(image);
    return picture;
}

Picture HostWindow::grab() const
{
    return grab(ViewRect(0, 0, outline.getWidth(), outline.getHeight()));
}

bool HostWindow::screenshot(const std::string& path) const { return writePng(grab(), path); }

bool writePng(const Picture& picture, const std::string& path)
{
    if (picture.pixels.empty())
        return false;
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height);
    bool written = false;
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_flush(surface);
        unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        // RGB24 keeps a pixel as a native 32-bit 0x00RRGGBB, as Picture does.
        for (int y = 0; y < picture.height; ++y)
            std::memcpy(data + std::size_t(y) * stride,
                        &picture.pixels[std::size_t(y) * picture.width],
                        std::size_t(picture.width) * sizeof(std::uint32_t));
        cairo_surface_mark_dirty(surface);
        written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    }
    cairo_surface_destroy(surface);
    return written;
}

Picture readPng(const std::string& path)
{
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    Picture picture;
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS)
    {
        picture.width = cairo_image_surface_get_width(surface);
        picture.height = cairo_image_surface_get_height(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                picture.pixels.push_back(
                    reinterpret_cast<const std::uint32_t*>(data + y * stride)[x] & 0xFFFFFFu);
    }
    cairo_surface_destroy(surface);
    return picture;
}

void HostWindow::resizeWindow(int width, int height)
{
    XResizeWindow(display, window, width, height);
    XSync(display, False);
    outline.right = outline.left + width;
    outline.bottom = outline.top + height;
}

tresult HostWindow::otherInterface(const TUID iid, void** obj)
{
    if (FUnknownPrivate::iidEqual(iid, Linux::IRunLoop_iid))
        return runLoop->queryInterface(iid, obj);
    return PlugFrame::otherInterface(iid, obj);
}

} // namespace Brumvale::Host
