// GUI tests: the bundle's editor in host windows on the X server, driven through XTest.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bundletest.h"
#include "linux/hostwindow.h"
#include "linux/runloop.h"
#include "recordingcomponenthandler.h"

#include <pluginterfaces/base/smartpointer.h>
#include <pluginterfaces/gui/iplugview.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

struct _XDisplay;

namespace Brumvale::Host {

// Where the panel's controls are, in view pixels (left, top, right, bottom).
namespace Panel {
inline const Steinberg::ViewRect kVolumeField{29, 5, 69, 17};
inline const Steinberg::ViewRect kBoostField{109, 5, 149, 17};
inline const Steinberg::ViewRect kVolumeKnob{30, 20, 70, 60};
inline const Steinberg::ViewRect kBoostKnob{110, 20, 150, 60};
inline const Steinberg::ViewRect kBypass{70, 115, 110, 155};
inline const Steinberg::ViewRect kAboutStrip{0, 176, 180, 191};
inline const Steinberg::ViewRect kHiFi{20, 200, 80, 220};
inline const Steinberg::ViewRect kWarmth{100, 200, 160, 220};
} // namespace Panel

enum ParamId : Steinberg::Vst::ParamID
{
    kBypassId = 0,
    kHiFiId = 1,
    kWarmthId = 2,
    kBoostId = 3,
    kVolumeId = 4
};

// Each test gets a run loop of its own and shares the program's XTest connection;
// windows and views are the tests' to create. Main thread only, as the host's GUI calls are.
class GuiTest : public BundleTest
{
protected:
    static constexpr int kViewWidth = 180;
    static constexpr int kViewHeight = 240;

    struct Editor
    {
        Steinberg::IPtr<Steinberg::IPlugView> view;
        std::unique_ptr<HostWindow> window; // detaches the view when destroyed
    };

    void SetUp() override;
    void TearDown() override;

    // A window at (left, top) of the screen, the size of the view at 1x unless
    // given.
    std::unique_ptr<HostWindow> openWindow(int left, int top, int width = kViewWidth,
                                           int height = kViewHeight);
    // The controller's "editor" view attached to a new window at (left, top) and drawn;
    // a failure is added (and the window left null) when any step fails.
    Editor openEditor(Steinberg::Vst::IEditController& controller, int left, int top);
    // Runs the loop until the window shows a panel that stays the same between two
    // looks; false after the timeout.
    bool waitUntilDrawn(const HostWindow& window, int timeoutMilliseconds = 5000);
    // Runs the loop until the plug-in has taken in what was sent and drawn it.
    void settle();

    // XTest input at view pixels of a window. Every step reaches the server before
    // the call returns.
    void moveTo(const HostWindow& window, int x, int y);
    void button(bool down, int which = 1);
    // A key named as an X keysym ("Shift_L") pressed or released.
    void holdKey(const char* key, bool down);
    void click(const HostWindow& window, const Steinberg::ViewRect& area);
    // Keys named as X keysyms ("1", "Return", "Escape"), each pressed and released.
    void pressKeys(std::initializer_list<const char*> keys);
    // Presses at the first angle around the knob's centre and moves through the
    // others (degrees, 0 straight up, clockwise), releasing at the last.
    void dragKnob(const HostWindow& window, const Steinberg::ViewRect& knob,
                  const std::vector<double>& angles);
    // The point at that angle and a distance of 16 pixels from the knob's centre.
    static void knobPoint(const Steinberg::ViewRect& knob, double angle, int& x, int& y);

    // The windows the plug-in keeps inside the host's window.
    int childWindowCount(const HostWindow& window);

    using Call = RecordingComponentHandler::Call;
    static Call begin(Steinberg::Vst::ParamID id);
    static Call perform(Steinberg::Vst::ParamID id, double value);
    static Call end(Steinberg::Vst::ParamID id);
    // Calls as readable text, for comparisons with a useful failure message.
    static std::string describe(const std::vector<Call>& calls);

    // Every test has a configuration folder of its own ($XDG_CONFIG_HOME), so no
    // test sees the user's preferences or another test's.
    std::string configFolder;
    Steinberg::IPtr<RunLoop> loop;
    static _XDisplay* input;
};

} // namespace Brumvale::Host
