// Brumvale.lv2's panel in jalv's GTK front end, which embeds X11 UIs through suil:
// the panel is the picture `brumvale screenshot` makes, a drag on Boost reaches the
// plug-in's sound, a value the host sets turns the knob, and on a 192-dpi desktop
// the panel is 360 x 480.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "highdpidesktop.h"
#include "jackfixtures.h"
#include "linux/hostwindow.h"
#include "spectrum.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <signal.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace Brumvale {
namespace {

using namespace Testing;
namespace fs = std::filesystem;

constexpr const char* kStereoUri = "urn:kelmarotte:brumvale:stereo";

using Host::Picture;

// `brumvale screenshot` of the panel at those settings and scale.
Picture screenshot(const fs::path& folder, const std::string& settings, double scale)
{
    const fs::path file = folder / "screenshot.png";
    const std::string command = std::string(BRUMVALE_TOOL) + " screenshot " + file.string() + " " +
                                settings + " --scale " + std::to_string(scale);
    return std::system(command.c_str()) == 0 ? Host::readPng(file.string()) : Picture();
}

// jalv.gtk3 running the plug-in as the JACK client "name", its output in a file;
// with a variable set ("NAME=value") in its environment when one is given.
class JalvGtk
{
public:
    JalvGtk(const std::string& name, const fs::path& log, const char* control,
            const char* variable = nullptr)
    {
        pid = fork();
        if (pid == 0)
        {
            setpgid(0, 0);
            sendOutputTo(log.c_str(), true);
            if (variable)
                putenv(const_cast<char*>(variable));
            execlp("jalv.gtk3", "jalv.gtk3", "-x", "-c", control, "--jack-name", name.c_str(),
                   kStereoUri, nullptr);
            _exit(127);
        }
    }
    ~JalvGtk()
    {
        if (pid > 0)
        {
            kill(-pid, SIGTERM);
            waitForExit(pid);
        }
    }
    pid_t pid = -1;
};

// The X server as the test sees it: finding the panel in jalv's window, reading its
// pixels and moving the pointer.
class Screen
{
public:
    // Opened once and kept to the end of the program: an X server resets itself when
    // its last client leaves and refuses connections meanwhile, as between two tests.
    // jalv's windows come and go as it sets up: a request about one that has just
    // gone fails, and the look is simply taken again.
    Screen()
    {
        static Display* const shared = XOpenDisplay(nullptr);
        display = shared;
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    }
    Display* display;

    // The panel's window: a window of that size without children, inside jalv's
    // top-level window titled "Brumvale Stereo"; 0 when there is none yet.
    Window findPanel(int width, int height)
    {
        return search(DefaultRootWindow(display), false, width, height);
    }

    // The size of the window that holds this one, as "WxH".
    std::string parentSize(Window window)
    {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!window || !XQueryTree(display, window, &root, &parent, &children, &count))
            return "none";
        if (children)
            XFree(children);
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display, parent, &attributes))
            return "none";
        return std::to_string(attributes.width) + "x" + std::to_string(attributes.height);
    }

    Picture grab(Window window, int width, int height)
    {
        Picture picture;
        XImage* image =
            XGetImage(display, window, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
        if (!image)
            return picture;
        picture.width = width;
        picture.height = height;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                picture.pixels.push_back(uint32_t(XGetPixel(image, x, y)) & 0xFFFFFF);
        XDestroyImage(image);
        return picture;
    }

    // Pointer at (x, y) of the window, and the button pressed or released.
    void moveTo(Window window, int x, int y)
    {
        int rootX = 0, rootY = 0;
        Window child = 0;
        XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY,
                              &child);
        XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
        XSync(display, False);
    }
    void button(bool down)
    {
        XTestFakeButtonEvent(display, 1, down ? True : False, CurrentTime);
        XSync(display, False);
    }

private:
    Window search(Window window, bool insideJalv, int width, int height)
    {
        char* name = nullptr;
        if (XFetchName(display, window, &name) && name)
        {
            insideJalv = insideJalv || std::string(name) == "Brumvale Stereo";
            XFree(name);
        }
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count))
            return 0;
        Window found = 0;
        for (unsigned i = 0; i < count && !found; ++i)
            found = search(children[i], insideJalv, width, height);
        if (children)
            XFree(children);
        XWindowAttributes attributes{};
        if (!found && count == 0 && insideJalv &&
            XGetWindowAttributes(display, window, &attributes) && attributes.width == width &&
            attributes.height == height && attributes.map_state == IsViewable)
            found = window;
        return found;
    }
};

std::string contents(const fs::path& file)
{
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class JalvGtkTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(screen.display, nullptr) << "no X display: run under with-display.sh";
        ASSERT_TRUE(server.running) << "jackd (dummy driver) did not start";
        ASSERT_TRUE(tester.ready());
        fs::create_directories(folder / "lv2");
        fs::create_directory_symlink(BRUMVALE_LV2_BUNDLE_PATH, folder / "lv2/Brumvale.lv2");
        setenv("LV2_PATH", ((folder / "lv2").string() + ":/usr/lib/lv2").c_str(), 1);
        // The panel's zoom preference must not come from the user's files.
        setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
        tester.play();
    }
    void TearDown() override { fs::remove_all(folder); }

    // Waits until the panel shows the picture; false after the bound.
    bool waitForPicture(Window& panel, const Picture& wanted, Picture& seen)
    {
        const bool shown = waitFor(
            [&] {
                panel = screen.findPanel(wanted.width, wanted.height);
                seen = panel ? screen.grab(panel, wanted.width, wanted.height) : Picture();
                return panel && seen.pixels == wanted.pixels;
            },
            std::chrono::seconds(60));
        const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        Host::writePng(seen,
                       (fs::path(BRUMVALE_ARTEFACT_DIR) / ("jalv-" + name + "-seen.png")).string());
        Host::writePng(
            wanted, (fs::path(BRUMVALE_ARTEFACT_DIR) / ("jalv-" + name + "-wanted.png")).string());
        return shown;
    }

    Screen screen;
    DummyServer server;
    TestClient tester;
    const fs::path folder =
        fs::temp_directory_path() / ("brumvale-jalv-gtk-" + std::to_string(getpid()));
};

TEST_F(JalvGtkTest, PanelDragReachesTheSound)
{
    const Picture atStart = screenshot(folder, "", 1.0);
    const Picture boosted = screenshot(folder, "--set Boost=n:1", 1.0);
    ASSERT_EQ(atStart.width, 180);
    ASSERT_EQ(boosted.width, 180);
    JalvGtk jalv("brumvale-gtk", folder / "jalv.log", "volume=0");
    ASSERT_GT(jalv.pid, 0);
    Window panel = 0;
    Picture seen;
    ASSERT_TRUE(waitForPicture(panel, atStart, seen))
        << differingPixels(seen, atStart)
        << " pixels differ from `brumvale screenshot`; jalv said:\n"
        << contents(folder / "jalv.log");
    for (const auto& [from, to] : {std::pair{"tester:out", "brumvale-gtk:in_l"},
                                   {"tester:out", "brumvale-gtk:in_r"},
                                   {"brumvale-gtk:out_l", "tester:in"}})
        ASSERT_TRUE(waitFor(
            [&] {
                const int result = jack_connect(tester.handle(), from, to);
                return result == 0 || result == EEXIST;
            },
            std::chrono::seconds(60)));
    const std::vector<float> before = listen(tester, 2.0);

    // Pressed left of the knob's centre and let go at its lower right: +36 dB.
    screen.moveTo(panel, 114, 40);
    screen.button(true);
    screen.moveTo(panel, 130, 24);
    screen.moveTo(panel, 142, 52);
    screen.button(false);
    EXPECT_TRUE(waitForPicture(panel, boosted, seen))
        << differingPixels(seen, boosted) << " pixels differ after the drag";
    const std::vector<float> after = listen(tester, 2.0);
    ASSERT_FALSE(before.empty());
    ASSERT_FALSE(after.empty());
    const double gain = 20.0 * std::log10(peakLevel(after) / peakLevel(before));
    std::printf("peak %.3f before the drag, %.3f after (%+.1f dB)\n", peakLevel(before),
                peakLevel(after), gain);
    EXPECT_GT(std::fabs(gain), 3.0) << "the boost did not reach the sound";
}

// A desktop at 2x, said by the Xft.dpi resource or by GTK's own variable (with
// which jalv's window doubles the panel's room without telling the panel): the
// panel shows at 2x and fills the window it is given.
TEST_F(JalvGtkTest, HostValueAndDesktopScaleShowInThePanel)
{
    const Picture wanted = screenshot(folder, "--set \"Boost=18.0 dB\"", 2.0);
    ASSERT_EQ(wanted.width, 360);
    ASSERT_EQ(wanted.height, 480);
    for (const bool resource : {true, false})
    {
        SCOPED_TRACE(resource ? "Xft.dpi: 192" : "GDK_SCALE=2");
        std::optional<HighDpiDesktop> highDpi;
        if (resource)
            highDpi.emplace(screen.display);
        JalvGtk jalv("brumvale-gtk-2x", folder / "jalv.log", "boost=18",
                     resource ? nullptr : "GDK_SCALE=2");
        ASSERT_GT(jalv.pid, 0);
        Window panel = 0;
        Picture seen;
        EXPECT_TRUE(waitForPicture(panel, wanted, seen))
            << differingPixels(seen, wanted) << " pixels differ; jalv said:\n"
            << contents(folder / "jalv.log");
        EXPECT_EQ(screen.parentSize(panel), "360x480");
    }
}

} // namespace
} // namespace Brumvale
