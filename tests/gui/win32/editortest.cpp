// The Windows library's editor in a window of the project's host, under Wine with a
// display: a knob drag and a switch click reach the host as edits, and the panel is
// drawn (the screenshot is kept as an artefact).
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bundletest.h"
#include "win32/hostwindow.h"

#include <cstdio>

namespace Brumvale::Host {
namespace {

using namespace Steinberg;
using Kind = RecordingComponentHandler::Kind;

using WindowsEditorTest = BundleTest;

void mouse(HWND window, UINT message, int x, int y)
{
    SendMessageW(window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

// The calls of one gesture on parameter id, ending at last.
void expectGesture(const std::vector<RecordingComponentHandler::Call>& calls, Vst::ParamID id,
                   double last)
{
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front().kind, Kind::BeginEdit);
    EXPECT_EQ(calls.back().kind, Kind::EndEdit);
    for (size_t i = 1; i + 1 < calls.size(); ++i)
        EXPECT_EQ(calls[i].kind, Kind::PerformEdit) << i;
    for (const auto& call : calls)
        EXPECT_EQ(call.id, id);
    EXPECT_NEAR(calls[calls.size() - 2].value, last, 0.02);
}

TEST_F(WindowsEditorTest, KnobAndSwitchReachTheHost)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    std::string error;
    auto window = HostWindow::open(ViewRect(40, 40, 220, 280), error);
    ASSERT_TRUE(window) << error;
    auto view = owned(instance->controller()->createView("editor"));
    ASSERT_TRUE(view);
    ASSERT_EQ(window->attach(view), kResultOk);
    HWND panel = window->viewWindow();
    ASSERT_NE(panel, nullptr);
    // The panel's gradient at the top: blue over red, once painted.
    const auto painted = [&] {
        const COLORREF top = window->pixel(90, 2);
        return GetBValue(top) > GetRValue(top) + 40;
    };
    EXPECT_TRUE(window->pumpUntil(painted, 30000)) << std::hex << window->pixel(90, 2);

    // Boost: pressed at the lower left of the knob, turned to the top (circular mode).
    instance->handler().clear();
    mouse(panel, WM_LBUTTONDOWN, 116, 54);
    for (int step = 1; step <= 8; ++step)
        mouse(panel, WM_MOUSEMOVE, 116 + 14 * step / 8, 54 - 32 * step / 8);
    mouse(panel, WM_LBUTTONUP, 130, 22);
    expectGesture(instance->handler().calls(), 3, 0.5);

    instance->handler().clear();
    mouse(panel, WM_LBUTTONDOWN, 90, 135);
    mouse(panel, WM_LBUTTONUP, 90, 135);
    expectGesture(instance->handler().calls(), 0, 1.0);
    EXPECT_EQ(instance->controller()->getParamNormalized(0), 1.0);

    EXPECT_TRUE(window->pumpUntil(HostWindow::queueEmpty, 30000)) << "the panel kept repainting";
    const std::string shot = BRUMVALE_ARTEFACT_DIR "/editor-wine.png";
    EXPECT_TRUE(window->screenshot(shot));
    std::printf("screenshot: %s\n", shot.c_str());
    window->detach();
    EXPECT_EQ(window->viewWindow(), nullptr);
}

} // namespace
} // namespace Brumvale::Host
