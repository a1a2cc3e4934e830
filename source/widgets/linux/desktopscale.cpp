// Reading the scale a Linux desktop announces: XSETTINGS, the Xft.dpi resource and
// the toolkits' variables.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopscale.h"

#include "widgets/zoomrange.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <dlfcn.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace VSTGUI {
namespace {

constexpr double kDotsPerInchAt1x = 96.0;

std::optional<double> positive(std::optional<double> value)
{
    if (value && std::isfinite(*value) && *value > 0.0)
        return value;
    return std::nullopt;
}

// A number as C writes it, whatever the locale (not strtod: the host's locale may
// want a decimal comma); empty when the text holds none.
std::optional<double> number(const char* text)
{
    if (!text)
        return std::nullopt;
    while (*text == ' ' || *text == '\t')
        ++text;
    double value = 0.0;
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, value);
    if (error != std::errc() || stop == text)
        return std::nullopt;
    return value;
}

// The XSETTINGS wire format: a byte-order byte, three unused, a serial, a count,
// then per setting a type byte, an unused byte, a 16-bit name length, the name
// padded to four bytes, a serial, and the value: a 32-bit integer (type 0), a
// length and the text padded to four bytes (1), or four 16-bit colour parts (2).
class SettingsReader
{
public:
    SettingsReader(const unsigned char* bytes, std::size_t size) : bytes(bytes), size(size) {}

    bool skip(std::size_t count)
    {
        if (count > size - at)
            return false;
        at += count;
        return true;
    }
    bool card8(uint32_t& value)
    {
        if (at >= size)
            return false;
        value = bytes[at++];
        return true;
    }
    bool card16(uint32_t& value) { return card(2, value); }
    bool card32(uint32_t& value) { return card(4, value); }
    const unsigned char* here() const { return bytes + at; }
    void setOrder(bool mostSignificantFirst) { bigEndian = mostSignificantFirst; }

private:
    bool card(std::size_t length, uint32_t& value)
    {
        if (length > size - at)
            return false;
        value = 0;
        for (std::size_t i = 0; i < length; ++i)
        {
            const uint32_t byte = bytes[at + (bigEndian ? i : length - 1 - i)];
            value = (value << 8) | byte;
        }
        at += length;
        return true;
    }

    const unsigned char* bytes;
    std::size_t size;
    std::size_t at = 0;
    bool bigEndian = false;
};

std::size_t padded(std::size_t length) { return (length + 3) & ~std::size_t(3); }

} // namespace

double desktopScale(const DesktopScaleAnnouncements& said)
{
    const auto factor = positive(said.windowScalingFactor);
    const auto settingsDpi = positive(said.xsettingsDpi);
    if (factor || settingsDpi)
        return limitZoom(
            std::max(factor.value_or(0.0), settingsDpi.value_or(0.0) / kDotsPerInchAt1x));
    if (const auto dpi = positive(said.resourceDpi))
        return limitZoom(*dpi / kDotsPerInchAt1x);
    if (const auto scale = positive(said.gdkScale))
        return limitZoom(*scale);
    if (const auto scale = positive(said.qtScaleFactor))
        return limitZoom(*scale);
    return kMinZoom;
}

HostToolkit loadedHostToolkit()
{
    // RTLD_NOLOAD: a handle only for a library the process has loaded already.
    const auto loaded = [](const char* name) {
        void* library = dlopen(name, RTLD_LAZY | RTLD_NOLOAD);
        if (library)
            dlclose(library);
        return library != nullptr;
    };
    if (loaded("libgtk-3.so.0"))
        return HostToolkit::gtk3;
    if (loaded("libQt5Gui.so.5") || loaded("libQt6Gui.so.6"))
        return HostToolkit::qt;
    return HostToolkit::other;
}

double hostToolkitScale(const DesktopScaleAnnouncements& said, HostToolkit toolkit)
{
    std::optional<double> scale;
    if (toolkit == HostToolkit::gtk3)
    {
        scale = positive(said.gdkScale);
        if (scale)
            scale = std::floor(*scale);
        else
            scale = positive(said.windowScalingFactor);
    }
    else if (toolkit == HostToolkit::qt)
        scale = positive(said.qtScaleFactor);
    return limitZoom(scale.value_or(kMinZoom));
}

void readXSettings(const unsigned char* bytes, std::size_t size, DesktopScaleAnnouncements& said)
{
    SettingsReader reader(bytes, size);
    uint32_t order = 0, serial = 0, count = 0;
    if (!reader.card8(order) || order > 1 || !reader.skip(3))
        return;
    reader.setOrder(order == 1);
    if (!reader.card32(serial) || !reader.card32(count))
        return;
    for (uint32_t i = 0; i < count; ++i)
    {
        uint32_t type = 0, nameLength = 0, changed = 0;
        if (!reader.card8(type) || !reader.skip(1) || !reader.card16(nameLength))
            return;
        const auto* nameStart = reinterpret_cast<const char*>(reader.here());
        if (!reader.skip(padded(nameLength)) || !reader.card32(changed))
            return;
        const std::string name(nameStart, nameLength);
        uint32_t value = 0, length = 0;
        switch (type)
        {
        case 0:
            if (!reader.card32(value))
                return;
            if (name == "Gdk/WindowScalingFactor")
                said.windowScalingFactor = double(int32_t(value));
            else if (name == "Xft/DPI")
                said.xsettingsDpi = double(int32_t(value)) / 1024.0;
            break;
        case 1:
            if (!reader.card32(length) || !reader.skip(padded(length)))
                return;
            break;
        case 2:
            if (!reader.skip(8))
                return;
            break;
        default:
            return;
        }
    }
}

DesktopScaleAnnouncements readDesktopScale(Display* display)
{
    DesktopScaleAnnouncements said;
    const std::string selection = "_XSETTINGS_S" + std::to_string(DefaultScreen(display));
    const Atom owner = XInternAtom(display, selection.c_str(), False);
    const Atom settings = XInternAtom(display, "_XSETTINGS_SETTINGS", False);
    if (const Window manager = XGetSelectionOwner(display, owner))
    {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, left = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, manager, settings, 0, LONG_MAX / 4, False, settings, &type,
                               &format, &items, &left, &data) == Success &&
            data && type == settings && format == 8)
            readXSettings(data, items, said);
        if (data)
            XFree(data);
    }
    // The resources as the server held them when this connection opened.
    if (const char* resources = XResourceManagerString(display))
    {
        XrmInitialize();
        if (XrmDatabase database = XrmGetStringDatabase(resources))
        {
            char* type = nullptr;
            XrmValue value{};
            if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr)
                said.resourceDpi = number(value.addr);
            XrmDestroyDatabase(database);
        }
    }
    said.gdkScale = number(std::getenv("GDK_SCALE"));
    said.qtScaleFactor = number(std::getenv("QT_SCALE_FACTOR"));
    return said;
}

} // namespace VSTGUI
