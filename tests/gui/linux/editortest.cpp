// GUI tests: gestures on the editor's window and what reaches the controller and host.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "guitest.h"

#include <cmath>

namespace Brumvale::Host {
namespace {

using namespace Steinberg;

// A drag in this many steps, clockwise from the lower left over the top to the lower right.
constexpr int kSteps = 12;
// How near an edit comes to the value of a position: pointer positions are whole pixels.
constexpr double kTolerance = 0.012;

std::vector<double> sweepAngles()
{
    std::vector<double> angles;
    for (int i = 0; i <= kSteps; ++i)
        angles.push_back(-135.0 + 270.0 * i / kSteps);
    return angles;
}

// In circular mode the knob's value follows the angle: lower left 0, up 0.5, lower right 1.
double circularValue(double angle) { return (angle + 135.0) / 270.0; }

using EditorTest = GuiTest;

TEST_F(EditorTest, BoostKnobFollowsACircularDrag)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    Vst::IEditController& controller = *instance->controller();
    controller.setParamNormalized(kBoostId, 0.5);
    Editor editor = openEditor(controller, 0, 0);
    ASSERT_TRUE(editor.window);
    const Picture fieldBefore = editor.window->grab(Panel::kBoostField);
    instance->handler().clear();

    const std::vector<double> angles = sweepAngles();
    dragKnob(*editor.window, Panel::kBoostKnob, angles);

    const auto& calls = instance->handler().calls();
    ASSERT_GE(calls.size(), 3u) << describe(calls);
    EXPECT_EQ(describe({calls.front()}), describe({begin(kBoostId)}));
    EXPECT_EQ(describe({calls.back()}), describe({end(kBoostId)}));
    // Every edit is the value of one of the positions passed, in the order passed.
    double previous = -1.0;
    for (std::size_t i = 1; i + 1 < calls.size(); ++i)
    {
        ASSERT_EQ(describe({calls[i]}), describe({perform(kBoostId, calls[i].value)}));
        EXPECT_GT(calls[i].value, previous) << describe(calls);
        previous = calls[i].value;
        const double nearest = std::round(calls[i].value * kSteps) / kSteps;
        EXPECT_NEAR(calls[i].value, nearest, kTolerance) << "not the value of a position";
    }
    EXPECT_NEAR(calls[1].value, circularValue(angles.front()), kTolerance);
    EXPECT_NEAR(previous, circularValue(angles.back()), kTolerance);
    EXPECT_EQ(controller.getParamNormalized(kBoostId), previous);
    EXPECT_GT(differingPixels(fieldBefore, editor.window->grab(Panel::kBoostField)), 0)
        << "the Boost field did not change with the knob";
}

TEST_F(EditorTest, ClickOnASwitchTogglesIt)
{
    struct Case
    {
        const char* name;
        ParamId id;
        ViewRect area;
    };
    const Case cases[] = {{"Bypass", kBypassId, Panel::kBypass},
                          {"HiFi", kHiFiId, Panel::kHiFi},
                          {"Warmth", kWarmthId, Panel::kWarmth}};
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    Vst::IEditController& controller = *instance->controller();
    Editor editor = openEditor(controller, 0, 0);
    ASSERT_TRUE(editor.window);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const double initial = controller.getParamNormalized(c.id);
        // The first click switches it over, the second back.
        for (const double expected : {1.0 - initial, initial})
        {
            instance->handler().clear();
            click(*editor.window, c.area);
            EXPECT_EQ(describe(instance->handler().calls()),
                      describe({begin(c.id), perform(c.id, expected), end(c.id)}));
            EXPECT_EQ(controller.getParamNormalized(c.id), expected);
        }
    }
}

TEST_F(EditorTest, TypingIntoTheBoostField)
{
    struct Case
    {
        const char* name;
        std::initializer_list<const char*> keys;
        bool committed; // Return commits "18" (0.5); Escape leaves the value
    };
    const Case cases[] = {{"Return commits", {"1", "8", "Return"}, true},
                          {"Escape cancels", {"3", "6", "Escape"}, false}};
    constexpr double kStart = 0.25;
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    Vst::IEditController& controller = *instance->controller();
    Editor editor = openEditor(controller, 0, 0);
    ASSERT_TRUE(editor.window);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        controller.setParamNormalized(kBoostId, kStart);
        settle();
        const Picture fieldBefore = editor.window->grab(Panel::kBoostField);
        instance->handler().clear();
        click(*editor.window, Panel::kBoostField);
        pressKeys(c.keys);
        const std::vector<Call> expected =
            c.committed ? std::vector<Call>{perform(kBoostId, 0.5)} : std::vector<Call>{};
        EXPECT_EQ(describe(instance->handler().calls()), describe(expected));
        EXPECT_EQ(controller.getParamNormalized(kBoostId), c.committed ? 0.5 : kStart);
        // Either way the field is back to showing a value: changed only when committed.
        EXPECT_EQ(differingPixels(fieldBefore, editor.window->grab(Panel::kBoostField)) > 0,
                  c.committed);
    }
}

TEST_F(EditorTest, AboutPanelOpensAndClosesOnClicks)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    Editor editor = openEditor(*instance->controller(), 0, 0);
    ASSERT_TRUE(editor.window);
    const Picture panel = editor.window->grab();
    instance->handler().clear();

    click(*editor.window, Panel::kAboutStrip);
    EXPECT_GT(differingPixels(panel, editor.window->grab()), kViewWidth * kViewHeight / 2)
        << "the about picture does not cover the panel";
    // Over the Bypass lamp: the picture takes the click, the lamp must not.
    click(*editor.window, Panel::kBypass);
    EXPECT_EQ(differingPixels(panel, editor.window->grab()), 0) << "the panel did not come back";
    EXPECT_EQ(describe(instance->handler().calls()), "");
}

TEST_F(EditorTest, TwoEditorsOfOneControllerShowTheSameValues)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    Vst::IEditController& controller = *instance->controller();
    controller.setParamNormalized(kVolumeId, 0.5);
    Editor first = openEditor(controller, 0, 0);
    Editor second = openEditor(controller, 200, 0);
    ASSERT_TRUE(first.window && second.window);
    const Picture volumeBefore = second.window->grab(Panel::kVolumeKnob);
    const Picture boostBefore = second.window->grab(Panel::kBoostKnob);

    dragKnob(*first.window, Panel::kVolumeKnob, sweepAngles());

    EXPECT_NEAR(controller.getParamNormalized(kVolumeId), 1.0, kTolerance);
    EXPECT_GT(differingPixels(volumeBefore, second.window->grab(Panel::kVolumeKnob)), 0)
        << "the second editor's Volume knob did not move";
    EXPECT_EQ(differingPixels(boostBefore, second.window->grab(Panel::kBoostKnob)), 0)
        << "the second editor's Boost knob changed";
}

} // namespace
} // namespace Brumvale::Host
