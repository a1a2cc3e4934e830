// The scale a Linux desktop announces for its windows: every way it may say so, in
// the order a panel believes them, and where each is read.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>

struct _XDisplay; // Xlib's Display, kept out of this header with its macros

namespace VSTGUI {

// What a desktop says of its scale; each empty when it says nothing there.
struct DesktopScaleAnnouncements
{
    // XSETTINGS, which GNOME, KDE, Xfce and xsettingsd publish: an integer factor
    // (Gdk/WindowScalingFactor) and the font resolution (Xft/DPI, in dots per inch).
    std::optional<double> windowScalingFactor;
    std::optional<double> xsettingsDpi;
    // The Xft.dpi resource on the root window (xrdb), in dots per inch.
    std::optional<double> resourceDpi;
    // The toolkits' variables, which users set by hand.
    std::optional<double> gdkScale;      // GDK_SCALE
    std::optional<double> qtScaleFactor; // QT_SCALE_FACTOR
};

// The scale of the first source that says one, 96 dots per inch being 1:
//   1. XSETTINGS: the larger of the scaling factor and Xft/DPI / 96 (desktops put a
//      whole factor in the one and a fractional one in the other);
//   2. the Xft.dpi resource / 96;
//   3. GDK_SCALE;
//   4. QT_SCALE_FACTOR;
// else 1. A value that is not a positive finite number says nothing. The result is
// limited to the zoom range.
double desktopScale(const DesktopScaleAnnouncements& said);

// The two XSETTINGS values above from the bytes of an _XSETTINGS_SETTINGS property.
// Reads only within size; a malformed list gives what was read before the fault.
void readXSettings(const unsigned char* bytes, std::size_t size, DesktopScaleAnnouncements& said);

// The toolkit of the host's own windows, as far as it scales them.
enum class HostToolkit
{
    other,
    gtk3,
    qt, // 5 or 6
};

// The toolkit whose GUI library is loaded in this process (GTK 3, Qt 5 or 6), else
// other.
HostToolkit loadedHostToolkit();

// The factor by which the host's toolkit enlarges its windows, and with them the
// sizes a panel asks of it: GTK 3 by GDK_SCALE (taken whole, as GTK does), else by
// Gdk/WindowScalingFactor; Qt by QT_SCALE_FACTOR; 1 for other hosts and when
// nothing is said. Limited to the zoom range.
double hostToolkitScale(const DesktopScaleAnnouncements& said, HostToolkit toolkit);

// Everything the display's screen, its resources and the environment say. One
// round trip to the server for each of the selection, the property and the atoms;
// no error reaches the process's handler if the settings manager vanishes meanwhile
// (the caller's connection drops errors about windows).
DesktopScaleAnnouncements readDesktopScale(_XDisplay* display);

} // namespace VSTGUI
