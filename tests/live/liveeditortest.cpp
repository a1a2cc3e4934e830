// brumvale live with its editor, on the X server the test runs on (Xvfb, no window
// manager): a drag on Boost changes what comes out, and closing the window ends
// the program cleanly, saving the state it was asked to save.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "jackfixtures.h"
#include "spectrum.h"
#include "wavfiles.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <signal.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace Brumvale {
namespace {

using namespace Testing;

// The top-level window of that name with the plug-in's view in it, or 0.
Window findWindow(Display* display, const char* name)
{
    Window root = 0, parent = 0, found = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    for (unsigned int i = 0; i < count && !found; ++i)
    {
        char* title = nullptr;
        if (XFetchName(display, children[i], &title) && title)
        {
            Window* inside = nullptr;
            unsigned int views = 0;
            if (std::string(title) == name &&
                XQueryTree(display, children[i], &root, &parent, &inside, &views) && views > 0)
                found = children[i];
            if (inside)
                XFree(inside);
            XFree(title);
        }
    }
    if (children)
        XFree(children);
    return found;
}

// Around the Boost knob (centre 130, 40 on the panel) from straight up to nearly
// its end, a step at a time, as a hand turns it.
void turnBoostUp(Display* display, Window window)
{
    int left = 0, top = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &left, &top, &child);
    for (int angle = 0; angle <= 130; angle += 10)
    {
        const double radians = angle * M_PI / 180.0;
        XTestFakeMotionEvent(display, -1, left + 130 + int(std::lround(16 * std::sin(radians))),
                             top + 40 - int(std::lround(16 * std::cos(radians))), CurrentTime);
        if (angle == 0)
            XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XSync(display, False);
    }
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XSync(display, False);
}

// What a window manager's close button sends.
void askToClose(Display* display, Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
}

// The level of a short sine rendered with the settings of the preset, or without.
double renderedLevel(const std::filesystem::path& folder, const std::string& preset)
{
    std::vector<float> sine(4800);
    for (size_t n = 0; n < sine.size(); ++n)
        sine[n] = TestClient::played(long(n));
    if (!writeWav((folder / "sine.wav").string(), {sine}, int(kJackRate)))
        return -1.0;
    const std::string command = std::string(BRUMVALE_TOOL) + " render " +
                                (folder / "sine.wav").string() + " " +
                                (folder / "out.wav").string() + " --quiet" +
                                (preset.empty() ? "" : " --preset " + preset) + " >/dev/null";
    if (std::system(command.c_str()) != 0)
        return -1.0;
    const Channels rendered = readAudio((folder / "out.wav").string());
    return rendered.empty() ? -1.0 : rmsLevel(rendered[0]);
}

TEST(LiveEditor, ADragOnBoostIsHeardAndClosingTheWindowEnds)
{
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr) << "no X server (run under tests/gui/with-display.sh)";
    DummyServer server;
    ASSERT_TRUE(server.running) << "jackd (dummy driver) did not start";
    TestClient tester;
    ASSERT_TRUE(tester.ready());
    const auto folder = std::filesystem::temp_directory_path() /
                        ("brumvale-live-editor-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string preset = (folder / "end.vstpreset").string();

    const pid_t live = fork();
    if (live == 0)
    {
        setpgid(0, 0);
        execl(BRUMVALE_TOOL, BRUMVALE_TOOL, "live", "--in", "tester:out", "--out", "tester:in",
              "--save-preset", preset.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_GT(live, 0);
    Window window = 0;
    const bool shown = waitFor([&] { return (window = findWindow(display, "Brumvale live")) != 0; },
                               std::chrono::seconds(60));
    if (shown)
    {
        tester.play();
        const double plain = rmsLevel(listen(tester, 1.0));
        turnBoostUp(display, window);
        EXPECT_TRUE(waitFor([&] { return rmsLevel(tester.lastSeconds(0.25)) > 2.0 * plain; },
                            std::chrono::seconds(60)))
            << "the drag on Boost was not heard (level " << plain << " before)";
        askToClose(display, window);
    }
    else
        kill(live, SIGTERM);
    EXPECT_EQ(waitForExit(live), 0);
    XCloseDisplay(display);
    ASSERT_TRUE(shown) << "no window named \"Brumvale live\" with the editor in it";
    // The saved state holds the turned knob.
    EXPECT_GT(renderedLevel(folder, preset), 2.0 * renderedLevel(folder, ""));
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace Brumvale
