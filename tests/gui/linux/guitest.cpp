// GUI tests: windows, waiting for the panel, XTest input and readable edit records.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "guitest.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace Brumvale::Host {

using namespace Steinberg;

_XDisplay* GuiTest::input = nullptr;

void GuiTest::SetUp()
{
    BundleTest::SetUp();
    if (HasFatalFailure())
        return;
    // Opened once and kept to the end of the program: an X server resets itself when
    // its last client leaves and refuses connections meanwhile, as between two tests.
    if (!input)
        input = XOpenDisplay(nullptr);
    ASSERT_NE(input, nullptr) << "no X display: run the program under xvfb-run";
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    ASSERT_TRUE(XTestQueryExtension(input, &eventBase, &errorBase, &major, &minor))
        << "the X server has no XTest extension";
    loop = owned(new RunLoop);
    static int tests = 0;
    configFolder = testing::TempDir() + "brumvale-gui-config-" + std::to_string(getpid()) + "-" +
                   std::to_string(++tests);
    std::filesystem::remove_all(configFolder);
    std::filesystem::create_directories(configFolder);
    setenv("XDG_CONFIG_HOME", configFolder.c_str(), 1);
}

// The configuration folder goes with the test; a test that made none leaves "".
void GuiTest::TearDown()
{
    std::error_code ignored;
    if (!configFolder.empty())
        std::filesystem::remove_all(configFolder, ignored);
}

std::unique_ptr<HostWindow> GuiTest::openWindow(int left, int top, int width, int height)
{
    std::string error;
    auto window = HostWindow::open(*loop, ViewRect(left, top, left + width, top + height), error);
    if (!window)
        ADD_FAILURE() << error;
    return window;
}

GuiTest::Editor GuiTest::openEditor(Vst::IEditController& controller, int left, int top)
{
    Editor editor;
    editor.view = owned(controller.createView(Vst::ViewType::kEditor));
    if (!editor.view)
    {
        ADD_FAILURE() << "createView(\"editor\") gave no view";
        return editor;
    }
    ViewRect size;
    editor.view->getSize(&size);
    auto window = openWindow(left, top, size.getWidth(), size.getHeight());
    if (!window)
        return editor;
    const tresult attached = window->attach(editor.view);
    if (attached != kResultOk)
    {
        ADD_FAILURE() << "attached answered " << attached;
        return editor;
    }
    if (!waitUntilDrawn(*window))
    {
        ADD_FAILURE() << "the panel was not drawn within 5 s";
        return editor;
    }
    editor.window = std::move(window);
    return editor;
}

bool GuiTest::waitUntilDrawn(const HostWindow& window, int timeoutMilliseconds)
{
    // An undrawn window is one colour; the panel has many.
    const auto drawn = [](const Picture& picture) {
        std::vector<std::uint32_t> colours = picture.pixels;
        std::sort(colours.begin(), colours.end());
        return std::unique(colours.begin(), colours.end()) - colours.begin() >= 16;
    };
    Picture last;
    return loop->runUntil(
        [&] {
            Picture now = window.grab();
            const bool still = drawn(now) && now.pixels == last.pixels;
            last = std::move(now);
            return still;
        },
        timeoutMilliseconds);
}

void GuiTest::settle()
{
    // A bound for a stalled plug-in only: the condition usually holds within a tick.
    EXPECT_TRUE(loop->runUntilCaughtUp(30000)) << "the plug-in did not take in its input";
}

void GuiTest::moveTo(const HostWindow& window, int x, int y)
{
    XTestFakeMotionEvent(input, -1, window.bounds().left + x, window.bounds().top + y, CurrentTime);
    XSync(input, False);
}

void GuiTest::button(bool down, int which)
{
    XTestFakeButtonEvent(input, unsigned(which), down ? True : False, CurrentTime);
    XSync(input, False);
}

void GuiTest::holdKey(const char* key, bool down)
{
    const KeyCode code = XKeysymToKeycode(input, XStringToKeysym(key));
    ASSERT_NE(code, 0) << "no key for " << key;
    XTestFakeKeyEvent(input, code, down ? True : False, CurrentTime);
    XSync(input, False);
}

void GuiTest::click(const HostWindow& window, const ViewRect& area)
{
    moveTo(window, (area.left + area.right) / 2, (area.top + area.bottom) / 2);
    button(true);
    button(false);
    settle();
}

void GuiTest::pressKeys(std::initializer_list<const char*> keys)
{
    for (const char* key : keys)
    {
        const KeyCode code = XKeysymToKeycode(input, XStringToKeysym(key));
        ASSERT_NE(code, 0) << "no key for " << key;
        XTestFakeKeyEvent(input, code, True, CurrentTime);
        XTestFakeKeyEvent(input, code, False, CurrentTime);
        XSync(input, False);
    }
    settle();
}

void GuiTest::knobPoint(const ViewRect& knob, double angle, int& x, int& y)
{
    constexpr double kRadius = 16.0;
    const double radians = angle * M_PI / 180.0;
    x = int(std::lround((knob.left + knob.right) / 2.0 + kRadius * std::sin(radians)));
    y = int(std::lround((knob.top + knob.bottom) / 2.0 - kRadius * std::cos(radians)));
}

void GuiTest::dragKnob(const HostWindow& window, const ViewRect& knob,
                       const std::vector<double>& angles)
{
    for (std::size_t i = 0; i < angles.size(); ++i)
    {
        int x = 0, y = 0;
        knobPoint(knob, angles[i], x, y);
        moveTo(window, x, y);
        if (i == 0)
            button(true);
        // One step at a time, so that each position is seen as it is.
        settle();
    }
    button(false);
    settle();
}

int GuiTest::childWindowCount(const HostWindow& window)
{
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(input, window.windowId(), &root, &parent, &children, &count))
        return -1;
    if (children)
        XFree(children);
    return int(count);
}

GuiTest::Call GuiTest::begin(Vst::ParamID id)
{
    return {RecordingComponentHandler::Kind::BeginEdit, id, 0.0};
}

GuiTest::Call GuiTest::perform(Vst::ParamID id, double value)
{
    return {RecordingComponentHandler::Kind::PerformEdit, id, value};
}

GuiTest::Call GuiTest::end(Vst::ParamID id)
{
    return {RecordingComponentHandler::Kind::EndEdit, id, 0.0};
}

std::string GuiTest::describe(const std::vector<Call>& calls)
{
    static const char* const names[] = {"beginEdit", "performEdit", "endEdit", "restart"};
    std::string text;
    for (const Call& call : calls)
    {
        char line[80];
        if (call.kind == RecordingComponentHandler::Kind::PerformEdit)
            std::snprintf(line, sizeof line, "performEdit(%u, %.9g) ", call.id, call.value);
        else
            std::snprintf(line, sizeof line, "%s(%u) ", names[int(call.kind)], call.id);
        text += line;
    }
    return text;
}

} // namespace Brumvale::Host
