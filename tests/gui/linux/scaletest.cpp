// GUI tests: the editor's window at a host's content scale, the screen's and the user's.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "guitest.h"
#include "highdpidesktop.h"

#include <X11/Xlib.h>

#include <pluginterfaces/gui/iplugviewcontentscalesupport.h>
#include <pluginterfaces/vst/ivsteditcontroller.h>

#include <cmath>
#include <fstream>

namespace Brumvale::Host {
namespace {

using namespace Steinberg;

ViewRect zoomed(const ViewRect& rect, double scale)
{
    return ViewRect(int32(std::lround(rect.left * scale)), int32(std::lround(rect.top * scale)),
                    int32(std::lround(rect.right * scale)),
                    int32(std::lround(rect.bottom * scale)));
}

std::string sizeText(int32 width, int32 height)
{
    return std::to_string(width) + "x" + std::to_string(height);
}
std::string sizeText(const ViewRect& rect) { return sizeText(rect.getWidth(), rect.getHeight()); }

class ScaleTest : public GuiTest
{
protected:
    static tresult setScale(IPlugView& view, float scale)
    {
        FUnknownPtr<IPlugViewContentScaleSupport> scaling(&view);
        return scaling ? scaling->setContentScaleFactor(scale) : kNoInterface;
    }
    static std::string viewSize(IPlugView& view)
    {
        ViewRect rect;
        view.getSize(&rect);
        return sizeText(rect);
    }
    // The size of the plug-in's window inside the host's.
    std::string panelWindowSize(const HostWindow& window)
    {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(input, window.windowId(), &root, &parent, &children, &count) || count != 1)
            return "no single child window";
        XWindowAttributes attributes{};
        XGetWindowAttributes(input, children[0], &attributes);
        XFree(children);
        return sizeText(attributes.width, attributes.height);
    }
    // The share of the window in the colour shown beyond the panel (which the
    // panel itself uses in a few places): near 0 when the panel covers the window.
    static double shareBeyondThePanel(const HostWindow& window)
    {
        const Picture picture = window.grab();
        return double(std::count(picture.pixels.begin(), picture.pixels.end(), 0x102332u)) /
               double(picture.pixels.size());
    }
    static std::string lastRequest(HostWindow& window)
    {
        const auto& requests = window.resizes().requests();
        return requests.empty() ? "none" : sizeText(requests.back());
    }
};

TEST_F(ScaleTest, HostScaleBeforeAndAfterAttaching)
{
    const struct
    {
        bool beforeAttaching;
        float scale;
        const char* size;
    } cases[] = {{true, 2.0f, "360x480"},
                 {true, 1.25f, "225x300"},
                 {false, 1.5f, "270x360"},
                 {false, 2.0f, "360x480"}};
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.beforeAttaching ? "before " : "after ") + c.size);
        Editor editor;
        if (c.beforeAttaching)
        {
            IPtr<IPlugView> view = owned(instance->controller()->createView("editor"));
            ASSERT_TRUE(view);
            ASSERT_EQ(setScale(*view, c.scale), kResultTrue);
            EXPECT_EQ(viewSize(*view), c.size) << "the size a host opens its window at";
            editor.view = view;
            editor.window = openWindow(0, 0, zoomed(ViewRect(0, 0, 180, 240), c.scale).right,
                                       zoomed(ViewRect(0, 0, 180, 240), c.scale).bottom);
            ASSERT_TRUE(editor.window);
            ASSERT_EQ(editor.window->attach(view), kResultOk);
            ASSERT_TRUE(waitUntilDrawn(*editor.window));
        }
        else
        {
            editor = openEditor(*instance->controller(), 0, 0);
            ASSERT_TRUE(editor.window);
            EXPECT_EQ(lastRequest(*editor.window), "180x240");
            ASSERT_EQ(setScale(*editor.view, c.scale), kResultTrue);
            settle();
        }
        EXPECT_EQ(lastRequest(*editor.window), c.size);
        EXPECT_EQ(sizeText(editor.window->bounds()), c.size);
        EXPECT_EQ(panelWindowSize(*editor.window), c.size);
        EXPECT_LT(shareBeyondThePanel(*editor.window), 0.01);
        EXPECT_TRUE(editor.window->screenshot(std::string(BRUMVALE_ARTEFACT_DIR) + "/editor-x11-" +
                                              c.size + ".png"));

        // A host that cannot fit another size keeps this one, and so does the view.
        editor.window->resizes().setRefusing(true);
        EXPECT_EQ(setScale(*editor.view, 3.0f), kResultFalse);
        EXPECT_EQ(setScale(*editor.view, 5.0f), kInvalidArgument);
        settle();
        EXPECT_EQ(viewSize(*editor.view), c.size);
        EXPECT_EQ(panelWindowSize(*editor.window), c.size);
    }
}

// The same gestures at 2x, every distance doubled, reach the host as the same edits.
TEST_F(ScaleTest, GesturesAtTwiceTheScaleGiveTheSameEdits)
{
    std::string edits[2];
    double values[2][2] = {};
    for (int run = 0; run < 2; ++run)
    {
        const double scale = run == 0 ? 1.0 : 2.0;
        SCOPED_TRACE(scale);
        auto instance = openInstance();
        ASSERT_TRUE(instance);
        Vst::IEditController& controller = *instance->controller();
        FUnknownPtr<Vst::IEditController2>(&controller)->setKnobMode(Vst::kLinearMode);
        IPtr<IPlugView> view = owned(controller.createView("editor"));
        ASSERT_EQ(setScale(*view, float(scale)), kResultTrue);
        Editor editor{view, openWindow(0, 0, int(180 * scale), int(240 * scale))};
        ASSERT_EQ(editor.window->attach(view), kResultOk);
        ASSERT_TRUE(waitUntilDrawn(*editor.window));
        instance->handler().clear();

        // Up from the Boost knob's centre, then on with Shift held: ten times finer.
        const auto at = [&](double panel) { return int(std::lround(panel * scale)); };
        moveTo(*editor.window, at(130), at(40));
        button(true);
        for (int step = 1; step <= 6; ++step)
        {
            moveTo(*editor.window, at(130), at(40 - 6 * step));
            settle();
        }
        button(false);
        holdKey("Shift_L", true);
        moveTo(*editor.window, at(130), at(40));
        button(true);
        for (int step = 1; step <= 4; ++step)
        {
            moveTo(*editor.window, at(130 + 5 * step), at(40));
            settle();
        }
        button(false);
        holdKey("Shift_L", false);
        click(*editor.window, zoomed(Panel::kBypass, scale));
        settle();
        edits[run] = describe(instance->handler().calls());
        values[run][0] = controller.getParamNormalized(kBoostId);
        values[run][1] = controller.getParamNormalized(kBypassId);
    }
    EXPECT_EQ(edits[1], edits[0]);
    EXPECT_EQ(values[1][0], values[0][0]);
    EXPECT_EQ(values[1][1], values[0][1]);
    EXPECT_NE(edits[0].find("performEdit(0, 1)"), std::string::npos) << edits[0];
}

TEST_F(ScaleTest, ZoomMenuSetsTheScaleForThisAndTheNextEditor)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    Editor editor = openEditor(*instance->controller(), 0, 0);
    ASSERT_TRUE(editor.window);
    const Picture before = editor.window->grab();
    moveTo(*editor.window, 90, 100);
    button(true, 3);
    button(false, 3);
    settle();
    EXPECT_GT(differingPixels(before, editor.window->grab()), 1000) << "no menu drawn";
    EXPECT_TRUE(editor.window->screenshot(BRUMVALE_ARTEFACT_DIR "/editor-x11-menu.png"));
    EXPECT_TRUE(instance->handler().calls().empty());
    // The menu's fourth item, "200 %": the menu's corner is at the click, moved
    // left to fit the panel.
    click(*editor.window, ViewRect(72, 100 + 2 + 14 * 3, 72 + 80, 100 + 2 + 14 * 4));
    settle();
    EXPECT_EQ(lastRequest(*editor.window), "360x480");
    EXPECT_EQ(panelWindowSize(*editor.window), "360x480");
    EXPECT_LT(shareBeyondThePanel(*editor.window), 0.01);
    std::ifstream file(configFolder + "/Brumvale/editor.conf");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "zoom=200\n");
    editor = Editor();

    Editor next = openEditor(*instance->controller(), 0, 0);
    ASSERT_TRUE(next.window);
    EXPECT_EQ(sizeText(next.window->bounds()), "360x480");
    next = Editor();

    std::ofstream(configFolder + "/Brumvale/editor.conf") << "zoom=lots\n";
    Editor broken = openEditor(*instance->controller(), 0, 0);
    ASSERT_TRUE(broken.window);
    EXPECT_EQ(sizeText(broken.window->bounds()), "180x240");
}

// A window the host, or the user dragging its border, makes larger or smaller than
// the panel without telling the view: the panel takes the zoom that fits, centred,
// drawn as at that scale, and clicks land where it shows.
TEST_F(ScaleTest, PanelFillsTheWindowItIsGiven)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    Picture twice;
    {
        IPtr<IPlugView> view = owned(instance->controller()->createView("editor"));
        ASSERT_EQ(setScale(*view, 2.0f), kResultTrue);
        Editor editor{view, openWindow(0, 0, 360, 480)};
        ASSERT_EQ(editor.window->attach(view), kResultOk);
        ASSERT_TRUE(waitUntilDrawn(*editor.window));
        twice = editor.window->grab();
    }
    const struct
    {
        int width, height;
        ViewRect panel; // where the panel shows
    } cases[] = {{400, 480, ViewRect(20, 0, 380, 480)}, {360, 500, ViewRect(0, 10, 360, 490)}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(sizeText(c.width, c.height));
        Editor editor = openEditor(*instance->controller(), 0, 0);
        ASSERT_TRUE(editor.window);
        XResizeWindow(input, editor.window->windowId(), unsigned(c.width), unsigned(c.height));
        XSync(input, False);
        Picture shown;
        EXPECT_TRUE(loop->runUntil(
            [&] {
                editor.window->closeRequested(); // reads the window's new size
                shown = editor.window->grab(c.panel);
                return panelWindowSize(*editor.window) == sizeText(c.width, c.height) &&
                       shown.pixels == twice.pixels;
            },
            5000))
            << panelWindowSize(*editor.window) << "; " << differingPixels(shown, twice)
            << " pixels differ from the panel at 2x";
        const ViewRect bypass(
            c.panel.left + 2 * Panel::kBypass.left, c.panel.top + 2 * Panel::kBypass.top,
            c.panel.left + 2 * Panel::kBypass.right, c.panel.top + 2 * Panel::kBypass.bottom);
        click(*editor.window, bypass);
        settle();
        EXPECT_EQ(instance->controller()->getParamNormalized(kBypassId), 1.0);
        click(*editor.window, bypass); // as the next case's picture has it
        settle();
    }
}

// Without a host scale the panel follows the desktop's Xft.dpi; a host scale wins.
TEST_F(ScaleTest, ScreenScaleFromXftDpi)
{
    const Testing::HighDpiDesktop highDpi(input);
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    Editor editor = openEditor(*instance->controller(), 0, 0);
    ASSERT_TRUE(editor.window);
    EXPECT_EQ(lastRequest(*editor.window), "360x480");
    EXPECT_EQ(panelWindowSize(*editor.window), "360x480");
    ASSERT_EQ(setScale(*editor.view, 1.0f), kResultTrue);
    settle();
    EXPECT_EQ(panelWindowSize(*editor.window), "180x240");
}

} // namespace
} // namespace Brumvale::Host
