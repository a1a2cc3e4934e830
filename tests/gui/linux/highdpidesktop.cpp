// Setting the root window's resource property to Xft.dpi 192, and deleting it afterwards.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "highdpidesktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace Brumvale::Testing {

HighDpiDesktop::HighDpiDesktop(_XDisplay* display) : display(display)
{
    const char text[] = "Xft.dpi:\t192\n";
    XChangeProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, XA_STRING, 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(text),
                    int(sizeof text - 1));
    XSync(display, False);
}

HighDpiDesktop::~HighDpiDesktop()
{
    XDeleteProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER);
    XSync(display, False);
}

} // namespace Brumvale::Testing
