// The order in which the panel believes what a Linux desktop says of its scale, and
// the XSETTINGS reader, whole, in either byte order and cut short.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/linux/desktopscale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace VSTGUI {
namespace {

TEST(DesktopScaleTest, TheFirstSourceThatSaysOneIsBelieved)
{
    const double nan = std::nan("");
    const struct
    {
        const char* what;
        DesktopScaleAnnouncements said;
        double scale;
    } cases[] = {
        {"nothing said", {}, 1.0},
        {"QT_SCALE_FACTOR", {{}, {}, {}, {}, 1.5}, 1.5},
        {"GDK_SCALE before QT_SCALE_FACTOR", {{}, {}, {}, 2.0, 1.5}, 2.0},
        {"Xft.dpi before the variables", {{}, {}, 144.0, 2.0, 3.0}, 1.5},
        {"XSETTINGS before Xft.dpi", {2.0, 96.0, 144.0, {}, {}}, 2.0},
        {"XSETTINGS: a fractional DPI beyond the whole factor", {1.0, 144.0, 192.0, {}, {}}, 1.5},
        {"XSETTINGS: the DPI alone", {{}, 192.0, 96.0, {}, {}}, 2.0},
        {"XSETTINGS: the factor alone", {3.0, {}, 96.0, {}, {}}, 3.0},
        {"not positive numbers say nothing", {0.0, -96.0, nan, 0.0, 1.25}, 1.25},
        {"beyond the zoom range", {{}, {}, 960.0, {}, {}}, 4.0},
        {"below it", {{}, {}, {}, 0.5, {}}, 1.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(desktopScale(c.said), c.scale) << c.what;
}

// GTK 3 and Qt enlarge their own windows, and so the sizes a panel asks of them.
TEST(DesktopScaleTest, TheHostToolkitsOwnScale)
{
    const struct
    {
        const char* what;
        HostToolkit toolkit;
        DesktopScaleAnnouncements said;
        double scale;
    } cases[] = {
        {"GTK 3: GDK_SCALE, whole", HostToolkit::gtk3, {3.0, {}, {}, 2.5, {}}, 2.0},
        {"GTK 3: else the scaling factor", HostToolkit::gtk3, {2.0, 192.0, {}, {}, 3.0}, 2.0},
        {"GTK 3: a DPI alone scales fonts only",
         HostToolkit::gtk3,
         {{}, 192.0, 192.0, {}, {}},
         1.0},
        {"Qt: QT_SCALE_FACTOR", HostToolkit::qt, {2.0, {}, {}, 2.0, 1.5}, 1.5},
        {"another host scales nothing", HostToolkit::other, {2.0, 192.0, 192.0, 2.0, 2.0}, 1.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hostToolkitScale(c.said, c.toolkit), c.scale) << c.what;
}

// An _XSETTINGS_SETTINGS property as a settings manager writes it.
class SettingsWriter
{
public:
    explicit SettingsWriter(bool mostSignificantFirst) : big(mostSignificantFirst)
    {
        bytes = {uint8_t(big ? 1 : 0), 0, 0, 0};
        card(4, 7); // serial
        card(4, 0); // count, set by finish
    }
    void integer(const std::string& name, int32_t value)
    {
        head(0, name);
        card(4, uint32_t(value));
    }
    void text(const std::string& name, const std::string& value)
    {
        head(1, name);
        card(4, uint32_t(value.size()));
        padded(value);
    }
    void colour(const std::string& name)
    {
        head(2, name);
        for (int i = 0; i < 4; ++i)
            card(2, 0xFFFF);
    }
    std::vector<uint8_t> finish()
    {
        std::vector<uint8_t> result = bytes;
        for (int i = 0; i < 4; ++i)
            result[8 + size_t(i)] = uint8_t(count >> (big ? 24 - 8 * i : 8 * i));
        return result;
    }

private:
    void card(int length, uint32_t value)
    {
        for (int i = 0; i < length; ++i)
            bytes.push_back(uint8_t(value >> (big ? 8 * (length - 1 - i) : 8 * i)));
    }
    void padded(const std::string& text)
    {
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.resize((bytes.size() + 3) & ~size_t(3));
    }
    void head(uint8_t type, const std::string& name)
    {
        ++count;
        bytes.push_back(type);
        bytes.push_back(0);
        card(2, uint32_t(name.size()));
        padded(name);
        card(4, 3); // the serial of its last change
    }

    bool big;
    uint32_t count = 0;
    std::vector<uint8_t> bytes;
};

TEST(DesktopScaleTest, XSettingsAreReadWithinTheirBytes)
{
    for (bool big : {false, true})
    {
        SCOPED_TRACE(big ? "most significant byte first" : "least significant byte first");
        SettingsWriter writer(big);
        writer.text("Net/ThemeName", "Adwaita-dark");
        writer.colour("Gtk/Colour");
        writer.integer("Gdk/WindowScalingFactor", 2);
        writer.integer("Xft/DPI", 147456); // 144 dpi, in 1024ths
        writer.text("Gtk/FontName", "Cantarell 11");
        const std::vector<uint8_t> whole = writer.finish();
        DesktopScaleAnnouncements said;
        readXSettings(whole.data(), whole.size(), said);
        EXPECT_EQ(said.windowScalingFactor, 2.0);
        EXPECT_EQ(said.xsettingsDpi, 144.0);

        // Cut anywhere, nothing beyond the end is read (AddressSanitizer watches the
        // copy) and a value is taken only when it is there whole.
        for (size_t size = 0; size < whole.size(); ++size)
        {
            const std::vector<uint8_t> cut(whole.begin(), whole.begin() + long(size));
            DesktopScaleAnnouncements partial;
            readXSettings(cut.data(), cut.size(), partial);
            EXPECT_EQ(partial.xsettingsDpi.value_or(144.0), 144.0) << size;
            EXPECT_EQ(partial.windowScalingFactor.value_or(2.0), 2.0) << size;
        }
    }
}

} // namespace
} // namespace VSTGUI
