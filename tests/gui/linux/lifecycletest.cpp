// GUI tests: attaching, resizing, removing the view, and a screenshot kept as an artefact.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "guitest.h"

#include <X11/Xlib.h>
#include <cairo.h>

#include <cstring>
#include <iostream>

namespace Brumvale::Host {
namespace {

using namespace Steinberg;

// A frame as a host without a Linux run loop would give: IPlugFrame and nothing else.
class FrameWithoutRunLoop : public Host::OwnedObject<IPlugFrame>
{
public:
    tresult PLUGIN_API resizeView(IPlugView*, ViewRect*) override { return kResultOk; }
};

using LifecycleTest = GuiTest;

TEST_F(LifecycleTest, RemovedViewLeavesNothingBehind)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    Editor editor = openEditor(*instance->controller(), 0, 0);
    ASSERT_TRUE(editor.window);
    EXPECT_EQ(loop->eventHandlerCount(), 1u) << "the X connection's descriptor";
    EXPECT_EQ(loop->timerCount(), 1u);
    EXPECT_EQ(childWindowCount(*editor.window), 1);

    editor.window->detach();
    EXPECT_EQ(loop->eventHandlerCount(), 0u);
    EXPECT_EQ(loop->timerCount(), 0u);
    // The plug-in destroys its window on a connection of its own: the server sees
    // that in its own time.
    EXPECT_TRUE(loop->runUntil([&] { return childWindowCount(*editor.window) == 0; }, 30000))
        << "the plug-in's window is still there";
    editor.view = nullptr;
    EXPECT_EQ(loop->eventHandlerCount(), 0u);
    EXPECT_EQ(loop->timerCount(), 0u);
}

TEST_F(LifecycleTest, FrameWithoutRunLoopIsRefusedCleanly)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    IPtr<IPlugView> view = owned(instance->controller()->createView(Vst::ViewType::kEditor));
    ASSERT_TRUE(view);
    EXPECT_EQ(view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID), kResultTrue);
    auto window = openWindow(0, 0);
    ASSERT_TRUE(window);

    FrameWithoutRunLoop frame;
    view->setFrame(&frame);
    EXPECT_EQ(view->attached(reinterpret_cast<void*>(uintptr_t(window->windowId())),
                             kPlatformTypeX11EmbedWindowID),
              kResultFalse);
    view->setFrame(nullptr);
    settle();
    EXPECT_EQ(childWindowCount(*window), 0) << "a refused view left a window behind";

    // Nothing of the refused attempt stands in the way of a host that has a run loop.
    EXPECT_EQ(window->attach(view), kResultOk);
    EXPECT_TRUE(waitUntilDrawn(*window));
}

TEST_F(LifecycleTest, ResizeViewResizesWindowAndView)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    Editor editor = openEditor(*instance->controller(), 0, 0);
    ASSERT_TRUE(editor.window);
    ViewRect wider(0, 0, kViewWidth + 20, kViewHeight + 20);
    ASSERT_EQ(editor.window->resizeView(editor.view, &wider), kResultOk);

    Window root = 0;
    int x = 0, y = 0;
    unsigned int width = 0, height = 0, border = 0, depth = 0;
    ASSERT_TRUE(XGetGeometry(input, editor.window->windowId(), &root, &x, &y, &width, &height,
                             &border, &depth));
    EXPECT_EQ(int(width), wider.getWidth());
    EXPECT_EQ(int(height), wider.getHeight());
    EXPECT_EQ(editor.window->bounds().getWidth(), wider.getWidth());
    ViewRect size;
    ASSERT_EQ(editor.view->getSize(&size), kResultOk);
    EXPECT_EQ(size.getWidth(), wider.getWidth()) << "onSize did not reach the view";
    EXPECT_EQ(size.getHeight(), wider.getHeight());
    // The plug-in's own window follows.
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    ASSERT_TRUE(XQueryTree(input, editor.window->windowId(), &root, &parent, &children, &count));
    ASSERT_EQ(count, 1u);
    const Window child = children[0];
    XFree(children);
    ASSERT_TRUE(XGetGeometry(input, child, &root, &x, &y, &width, &height, &border, &depth));
    EXPECT_EQ(int(width), wider.getWidth());
    EXPECT_EQ(int(height), wider.getHeight());
    EXPECT_TRUE(waitUntilDrawn(*editor.window));

    IPtr<IPlugView> other = owned(instance->controller()->createView(Vst::ViewType::kEditor));
    EXPECT_EQ(editor.window->resizeView(other, &wider), kInvalidArgument);

    // An empty or inverted size from a host is refused; the X server would end the
    // host for a window of it.
    for (ViewRect bad : {ViewRect(0, 0, 0, 0), ViewRect(10, 10, 0, 5)})
        EXPECT_EQ(editor.view->onSize(&bad), kInvalidArgument);
    settle();
    ASSERT_EQ(editor.view->getSize(&size), kResultOk);
    EXPECT_EQ(size.getWidth(), wider.getWidth());
}

TEST_F(LifecycleTest, ScreenshotHoldsWhatTheWindowShows)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    Editor editor = openEditor(*instance->controller(), 0, 0);
    ASSERT_TRUE(editor.window);
    const std::string path = BRUMVALE_ARTEFACT_DIR "/editor.png";
    ASSERT_TRUE(editor.window->screenshot(path));
    std::cout << "Screenshot of the editor: " << path << '\n';

    const Picture shown = editor.window->grab();
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(png), shown.width);
    ASSERT_EQ(cairo_image_surface_get_height(png), shown.height);
    const unsigned char* data = cairo_image_surface_get_data(png);
    int differing = 0;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x)
        {
            std::uint32_t pixel = 0;
            std::memcpy(&pixel, data + y * cairo_image_surface_get_stride(png) + 4 * x, 4);
            differing += (pixel & 0xFFFFFF) != shown.at(x, y);
        }
    cairo_surface_destroy(png);
    EXPECT_EQ(differing, 0);
}

} // namespace
} // namespace Brumvale::Host
