// The Windows library's editor at a content scale and the user's zoom, under Wine:
// window sizes, the host's resize requests, gestures in scaled pixels, the menu.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bundletest.h"
#include "win32/hostwindow.h"

#include <pluginterfaces/gui/iplugviewcontentscalesupport.h>
#include <pluginterfaces/vst/ivsteditcontroller.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace Brumvale::Host {
namespace {

using namespace Steinberg;

std::string sizeText(long width, long height)
{
    return std::to_string(width) + "x" + std::to_string(height);
}

class WindowsScaleTest : public BundleTest
{
protected:
    void SetUp() override
    {
        BundleTest::SetUp();
        // The user's preferences are the test's own, and start empty: Wine gives the
        // same process IDs again, so an earlier run's folder may have this name.
        static int tests = 0;
        wchar_t temporary[MAX_PATH];
        GetTempPathW(MAX_PATH, temporary);
        appData = std::wstring(temporary) + L"brumvale-appdata-" +
                  std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++tests);
        std::filesystem::remove_all(appData);
        CreateDirectoryW(appData.c_str(), nullptr);
        wchar_t previous[MAX_PATH];
        const DWORD length = GetEnvironmentVariableW(L"APPDATA", previous, MAX_PATH);
        previousAppData = length > 0 && length < MAX_PATH ? std::wstring(previous, length) : L"";
        SetEnvironmentVariableW(L"APPDATA", appData.c_str());
    }
    void TearDown() override
    {
        SetEnvironmentVariableW(L"APPDATA",
                                previousAppData.empty() ? nullptr : previousAppData.c_str());
        std::error_code ignored;
        std::filesystem::remove_all(appData, ignored);
        BundleTest::TearDown();
    }

    static tresult setScale(IPlugView& view, float scale)
    {
        FUnknownPtr<IPlugViewContentScaleSupport> scaling(&view);
        return scaling ? scaling->setContentScaleFactor(scale) : kNoInterface;
    }
    static std::string panelSize(const HostWindow& window)
    {
        RECT client{};
        GetClientRect(window.viewWindow(), &client);
        return sizeText(client.right, client.bottom);
    }
    static std::string lastRequest(HostWindow& window)
    {
        const auto& requests = window.resizes().requests();
        return requests.empty() ? "none"
                                : sizeText(requests.back().getWidth(), requests.back().getHeight());
    }
    // The panel's gradient at the top, blue over red, once painted.
    static bool painted(HostWindow& window, double scale)
    {
        return window.pumpUntil(
            [&] {
                const COLORREF top = window.pixel(int(90 * scale), int(2 * scale));
                return GetBValue(top) > GetRValue(top) + 40;
            },
            30000);
    }
    static void mouse(HWND window, UINT message, double x, double y, WPARAM keys = 0)
    {
        if (message != WM_LBUTTONUP && message != WM_RBUTTONUP)
            keys |= message == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON;
        SendMessageW(window, message, keys, MAKELPARAM(int(std::lround(x)), int(std::lround(y))));
    }
    static void click(HWND window, double x, double y)
    {
        mouse(window, WM_LBUTTONDOWN, x, y);
        mouse(window, WM_LBUTTONUP, x, y);
    }
    static std::string describe(const std::vector<RecordingComponentHandler::Call>& calls)
    {
        std::string text;
        char value[32];
        for (const auto& call : calls)
        {
            std::snprintf(value, sizeof value, "%.9g", call.value);
            text += std::to_string(int(call.kind)) + "(" + std::to_string(call.id) + ", " + value +
                    ") ";
        }
        return text;
    }

    std::wstring appData;
    std::wstring previousAppData;
};

TEST_F(WindowsScaleTest, HostScaleBeforeAndAfterAttaching)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    std::string error;
    {
        SCOPED_TRACE("before attaching");
        auto view = owned(instance->controller()->createView("editor"));
        ASSERT_EQ(setScale(*view, 2.0f), kResultTrue);
        ViewRect size;
        view->getSize(&size);
        EXPECT_EQ(sizeText(size.getWidth(), size.getHeight()), "360x480");
        auto window = HostWindow::open(ViewRect(40, 40, 400, 520), error);
        ASSERT_TRUE(window) << error;
        ASSERT_EQ(window->attach(view), kResultOk);
        EXPECT_TRUE(painted(*window, 2.0));
        EXPECT_EQ(lastRequest(*window), "360x480");
        EXPECT_EQ(panelSize(*window), "360x480");
        EXPECT_TRUE(window->pumpUntil(HostWindow::queueEmpty, 30000));
        const std::string shot = BRUMVALE_ARTEFACT_DIR "/editor-wine-2x.png";
        EXPECT_TRUE(window->screenshot(shot));
        std::printf("screenshot: %s\n", shot.c_str());
    }
    {
        SCOPED_TRACE("after attaching");
        auto view = owned(instance->controller()->createView("editor"));
        auto window = HostWindow::open(ViewRect(40, 40, 220, 280), error);
        ASSERT_TRUE(window) << error;
        ASSERT_EQ(window->attach(view), kResultOk);
        EXPECT_EQ(lastRequest(*window), "180x240");
        ASSERT_EQ(setScale(*view, 1.5f), kResultTrue);
        EXPECT_EQ(lastRequest(*window), "270x360");
        EXPECT_EQ(panelSize(*window), "270x360");
        EXPECT_TRUE(painted(*window, 1.5));
        const std::string shot = BRUMVALE_ARTEFACT_DIR "/editor-wine-1.5x.png";
        EXPECT_TRUE(window->pumpUntil(HostWindow::queueEmpty, 30000));
        EXPECT_TRUE(window->screenshot(shot));

        window->resizes().setRefusing(true);
        EXPECT_EQ(setScale(*view, 3.0f), kResultFalse);
        EXPECT_EQ(setScale(*view, 0.5f), kInvalidArgument);
        EXPECT_EQ(panelSize(*window), "270x360");
    }
}

// The same gestures at 2x, every distance doubled, reach the host as the same edits.
TEST_F(WindowsScaleTest, GesturesAtTwiceTheScaleGiveTheSameEdits)
{
    std::string edits[2];
    for (int run = 0; run < 2; ++run)
    {
        const double scale = run + 1.0;
        auto instance = openInstance();
        ASSERT_TRUE(instance);
        FUnknownPtr<Vst::IEditController2>(instance->controller())->setKnobMode(Vst::kLinearMode);
        auto view = owned(instance->controller()->createView("editor"));
        ASSERT_EQ(setScale(*view, float(scale)), kResultTrue);
        std::string error;
        auto window =
            HostWindow::open(ViewRect(40, 40, 40 + int(180 * scale), 40 + int(240 * scale)), error);
        ASSERT_TRUE(window) << error;
        ASSERT_EQ(window->attach(view), kResultOk);
        HWND panel = window->viewWindow();
        instance->handler().clear();
        // Up from the Boost knob's centre, then to the right with Shift: ten times finer.
        mouse(panel, WM_LBUTTONDOWN, 130 * scale, 40 * scale);
        for (int step = 1; step <= 6; ++step)
            mouse(panel, WM_MOUSEMOVE, 130 * scale, (40 - 6 * step) * scale);
        mouse(panel, WM_LBUTTONUP, 130 * scale, 4 * scale);
        mouse(panel, WM_LBUTTONDOWN, 130 * scale, 40 * scale, MK_SHIFT);
        for (int step = 1; step <= 4; ++step)
            mouse(panel, WM_MOUSEMOVE, (130 + 5 * step) * scale, 40 * scale, MK_SHIFT);
        mouse(panel, WM_LBUTTONUP, 150 * scale, 40 * scale, MK_SHIFT);
        click(panel, 90 * scale, 135 * scale);
        edits[run] = describe(instance->handler().calls());
    }
    EXPECT_EQ(edits[1], edits[0]);
    EXPECT_NE(edits[0].find("(0, 1)"), std::string::npos) << edits[0];
}

TEST_F(WindowsScaleTest, ZoomMenuSetsTheScaleForTheNextEditor)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    std::string error;
    {
        auto view = owned(instance->controller()->createView("editor"));
        auto window = HostWindow::open(ViewRect(40, 40, 220, 280), error);
        ASSERT_TRUE(window) << error;
        ASSERT_EQ(window->attach(view), kResultOk);
        // The clicks below are placed for the panel at 1x.
        ASSERT_EQ(panelSize(*window), "180x240");
        mouse(window->viewWindow(), WM_RBUTTONDOWN, 90, 100);
        mouse(window->viewWindow(), WM_RBUTTONUP, 90, 100);
        // "200 %", the fourth item, in the menu moved left to fit the panel.
        click(window->viewWindow(), 112, 100 + 2 + 14 * 3 + 7);
        EXPECT_EQ(lastRequest(*window), "360x480");
        EXPECT_EQ(panelSize(*window), "360x480");
        EXPECT_TRUE(instance->handler().calls().empty());
    }
    std::ifstream file(std::filesystem::path(appData + L"\\Brumvale\\editor.conf"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "zoom=200\n");
    auto next = owned(instance->controller()->createView("editor"));
    ViewRect size;
    next->getSize(&size);
    EXPECT_EQ(sizeText(size.getWidth(), size.getHeight()), "360x480");
}

} // namespace
} // namespace Brumvale::Host
