// The X11 frame's event handling, drawing into its back buffer, and following its parent's size.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11frame.h"

#include "cairodrawcontext.h"
#include "desktopscale.h"

#include "widgets/zoomrange.h"

#include <X11/Xlibint.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <cairo-xlib.h>

namespace VSTGUI {
namespace {

constexpr CColor kBeyondPanel{16, 35, 50, 255};

CButtonState buttonsOf(unsigned int state)
{
    CButtonState buttons = 0;
    if (state & Button1Mask)
        buttons |= kLButton;
    if (state & Button3Mask)
        buttons |= kRButton;
    if (state & ShiftMask)
        buttons |= kShift;
    if (state & ControlMask)
        buttons |= kControl;
    if (state & Mod1Mask)
        buttons |= kAlt;
    return buttons;
}

VstKeyCode keyOf(XKeyEvent& event)
{
    char text[8] = {};
    KeySym symbol = NoSymbol;
    const int length = XLookupString(&event, text, sizeof text, &symbol, nullptr);
    VstKeyCode key;
    switch (symbol)
    {
    case XK_Return:
        key.virt = VKEY_RETURN;
        break;
    case XK_KP_Enter:
        key.virt = VKEY_ENTER;
        break;
    case XK_Escape:
        key.virt = VKEY_ESCAPE;
        break;
    case XK_BackSpace:
        key.virt = VKEY_BACK;
        break;
    case XK_Delete:
        key.virt = VKEY_DELETE;
        break;
    case XK_Left:
        key.virt = VKEY_LEFT;
        break;
    case XK_Right:
        key.virt = VKEY_RIGHT;
        break;
    case XK_Home:
        key.virt = VKEY_HOME;
        break;
    case XK_End:
        key.virt = VKEY_END;
        break;
    default:
        // Latin-1 text: the byte is the code point.
        if (length == 1)
            key.character = static_cast<unsigned char>(text[0]);
        break;
    }
    return key;
}

// An error about a window or drawable on the panel's own connection: the host may
// destroy its window, and the panel's with it, before the panel closes. Dropped on
// this connection alone (False: not an error to report), so that it never reaches
// the process's handler, which is the host's: Xlib's default one ends the process.
Bool dropVanishedWindowError(Display*, XErrorEvent*, xError*) { return False; }

} // namespace

std::unique_ptr<X11Frame> X11Frame::create(IPlatformFrameCallback& frame, const CRect& size,
                                           Window parent, IPlatformRunLoop& runLoop)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    for (int code : {BadWindow, BadDrawable})
        XESetWireToError(display, code, dropVanishedWindowError);
    std::unique_ptr<X11Frame> created(new X11Frame(frame, display));
    if (!created->openWindow(size, parent))
        return nullptr;
    X11Frame* self = created.get();
    if (!runLoop.addReader(ConnectionNumber(display), [self] { self->handleEvents(); }))
        return nullptr;
    return created;
}

X11Frame::X11Frame(IPlatformFrameCallback& frame, Display* display) : frame(frame), display(display)
{}

X11Frame::~X11Frame()
{
    if (backBuffer)
        cairo_surface_destroy(backBuffer);
    if (windowSurface)
        cairo_surface_destroy(windowSurface);
    if (window)
        XDestroyWindow(display, window);
    XCloseDisplay(display);
}

bool X11Frame::openWindow(const CRect& size, Window parentWindow)
{
    parent = parentWindow;
    window = XCreateSimpleWindow(display, parent, 0, 0, unsigned(size.getWidth()),
                                 unsigned(size.getHeight()), 0, 0, 0);
    if (!window)
        return false;
    XSelectInput(display, window,
                 ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                     KeyPressMask | StructureNotifyMask);
    // The host's resizing of its window, which the panel then fills.
    XSelectInput(display, parent, StructureNotifyMask);
    XWindowAttributes parentAttributes{};
    if (XGetWindowAttributes(display, parent, &parentAttributes))
        parentSize = {parentAttributes.width, parentAttributes.height};
    resize(int(size.getWidth()), int(size.getHeight()));
    XMapWindow(display, window);
    XFlush(display);
    return windowSurface && backBuffer;
}

void X11Frame::resize(int newWidth, int newHeight)
{
    if (newWidth == width && newHeight == height)
        return;
    width = newWidth;
    height = newHeight;
    if (backBuffer)
        cairo_surface_destroy(backBuffer);
    if (windowSurface)
        cairo_surface_destroy(windowSurface);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    windowSurface = cairo_xlib_surface_create(display, window, attributes.visual, width, height);
    backBuffer = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    invalidRect(CRect(0, 0, width, height));
}

void X11Frame::invalidRect(const CRect& rect)
{
    CRect area = rect;
    area.bound(CRect(0, 0, width, height));
    if (area.isEmpty())
        return;
    cairo_t* cr = cairo_create(backBuffer);
    cairo_rectangle(cr, area.left, area.top, area.getWidth(), area.getHeight());
    cairo_clip(cr);
    {
        CairoDrawContext unscaled(cr);
        unscaled.fillRect(area, kBeyondPanel);
    }
    {
        const PanelPlacement placed = frame.platformGetPlacement();
        cairo_translate(cr, placed.left, placed.top);
        CairoDrawContext context(cr, placed.zoom);
        frame.platformDrawRect(context, area);
    }
    cairo_destroy(cr);
    cr = cairo_create(windowSurface);
    cairo_rectangle(cr, area.left, area.top, area.getWidth(), area.getHeight());
    cairo_clip(cr);
    cairo_set_source_surface(cr, backBuffer, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(windowSurface);
    XFlush(display);
}

double X11Frame::getScreenScale() const { return desktopScale(readDesktopScale(display)); }

double X11Frame::getHostToolkitScale() const
{
    return hostToolkitScale(readDesktopScale(display), loadedHostToolkit());
}

CRect X11Frame::setSize(const CRect& size)
{
    if (!followsParent)
    {
        XResizeWindow(display, window, unsigned(size.getWidth()), unsigned(size.getHeight()));
        resize(int(size.getWidth()), int(size.getHeight()));
        XFlush(display);
    }
    return CRect(0, 0, width, height);
}

// Only a resize of the parent by the host is followed, not the size it had when the
// panel opened: a host may read the panel's size from its window first.
void X11Frame::followParent(int parentWidth, int parentHeight)
{
    if (!followsParent && parentSize == std::pair(parentWidth, parentHeight))
        return;
    followsParent = true;
    parentSize = {parentWidth, parentHeight};
    if (parentWidth == width && parentHeight == height)
        return;
    XMoveResizeWindow(display, window, 0, 0, unsigned(parentWidth), unsigned(parentHeight));
    resize(parentWidth, parentHeight);
    XFlush(display);
    frame.platformOnResized(width, height);
}

// Xlib reads events into its own queue during any round trip, behind the
// descriptor's back: drain the whole queue each time.
void X11Frame::handleEvents()
{
    while (XPending(display))
    {
        XEvent event;
        XNextEvent(display, &event);
        handle(event);
    }
}

void X11Frame::handle(XEvent& event)
{
    switch (event.type)
    {
    case Expose:
        exposed.unite(CRect(event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                            event.xexpose.y + event.xexpose.height));
        if (event.xexpose.count == 0)
        {
            invalidRect(exposed);
            exposed = CRect();
        }
        break;
    case ConfigureNotify:
        if (event.xconfigure.window == parent)
            followParent(event.xconfigure.width, event.xconfigure.height);
        else if (event.xconfigure.window == window)
        {
            resize(event.xconfigure.width, event.xconfigure.height);
            frame.platformOnResized(width, height);
        }
        break;
    case ButtonPress:
    {
        CPoint where(event.xbutton.x, event.xbutton.y);
        const CButtonState modifiers = buttonsOf(event.xbutton.state) & ~(kLButton | kRButton);
        if (event.xbutton.button == Button4 || event.xbutton.button == Button5)
        {
            frame.platformOnWheel(where, event.xbutton.button == Button4 ? 1.0f : -1.0f, modifiers);
            break;
        }
        // Keys go to the window that was clicked last, as in any text field.
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        const CButtonState button = event.xbutton.button == Button1   ? kLButton
                                    : event.xbutton.button == Button3 ? kRButton
                                                                      : 0;
        frame.platformOnMouseDown(where, modifiers | button);
        break;
    }
    case MotionNotify:
    {
        CPoint where(event.xmotion.x, event.xmotion.y);
        frame.platformOnMouseMoved(where, buttonsOf(event.xmotion.state));
        break;
    }
    case ButtonRelease:
    {
        if (event.xbutton.button == Button4 || event.xbutton.button == Button5)
            break;
        CPoint where(event.xbutton.x, event.xbutton.y);
        frame.platformOnMouseUp(where, buttonsOf(event.xbutton.state));
        break;
    }
    case KeyPress:
    {
        VstKeyCode key = keyOf(event.xkey);
        frame.platformOnKeyDown(key);
        break;
    }
    default:
        break;
    }
}

} // namespace VSTGUI
