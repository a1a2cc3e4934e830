// Gestures on the panel, as the host and the controller see them, and values from
// the controller reaching every open editor.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editortest.h"

#include "editor/fieldtext.h"
#include "widgets/canimknob.h"

#include <cmath>

using namespace Steinberg;
using namespace VSTGUI;

namespace Brumvale {
namespace {

class WiringTest : public EditorTest
{
protected:
    void TearDown() override
    {
        controller->setKnobMode(Vst::kCircularMode); // the host's mode is shared
        EditorTest::TearDown();
    }

    // Every call of one gesture on parameter id: beginEdit, performEdits, endEdit.
    void expectGesture(Vst::ParamID id, double last)
    {
        ASSERT_GE(calls().size(), 3u);
        EXPECT_EQ(calls().front().kind, Kind::BeginEdit);
        EXPECT_EQ(calls().back().kind, Kind::EndEdit);
        for (size_t i = 1; i + 1 < calls().size(); ++i)
            EXPECT_EQ(calls()[i].kind, Kind::PerformEdit) << i;
        for (const auto& call : calls())
            EXPECT_EQ(call.id, id);
        EXPECT_NEAR(calls()[calls().size() - 2].value, last, 1e-6);
        EXPECT_NEAR(controller->getParamNormalized(id), last, 1e-6);
    }
};

TEST_F(WiringTest, KnobGesturesFollowTheHostsKnobMode)
{
    const CPoint top(130, 21), right(149, 40), centre(130, 40);
    const struct
    {
        Vst::KnobMode mode;
        CPoint from, to;
        CButtonState buttons;
        double value;
    } gestures[] = {
        {Vst::kLinearMode, centre, CPoint(130, -60), kLButton, 0.5},
        {Vst::kLinearMode, centre, CPoint(130, -60), kLButton | kShift, 0.05},
        {Vst::kCircularMode, right, top, kLButton, 0.5},
        {Vst::kRelativCircularMode, top, right, kLButton, 1.0 / 3.0},
    };
    for (const auto& gesture : gestures)
    {
        controller->setParamNormalized(3, 0.0);
        controller->setKnobMode(gesture.mode);
        againEditorView* editor = openEditor();
        handler->clear();
        drag(editor, gesture.from, gesture.to, 10, gesture.buttons);
        SCOPED_TRACE(gesture.mode);
        expectGesture(3, gesture.value);
        Vst::String128 text = {};
        controller->getParamStringByValue(3, controller->getParamNormalized(3), text);
        EXPECT_EQ(field(editor, kBoostTextTag), toFieldText(text));
    }
}

TEST_F(WiringTest, CtrlClickResetsAndTheWheelSteps)
{
    againEditorView* editor = openEditor();
    click(editor, CPoint(50, 40), kLButton | kControl);
    expectGesture(4, 0.5);
    handler->clear();
    editor->getFrame()->onWheel(CPoint(50, 40), 1.0f, 0);
    expectGesture(4, 0.6);
    handler->clear();
    editor->getFrame()->onWheel(CPoint(50, 40), -1.0f, kShift);
    expectGesture(4, 0.59);
}

TEST_F(WiringTest, SwitchClicksToggle)
{
    againEditorView* editor = openEditor();
    click(editor, CPoint(90, 135));
    expectGesture(0, 1.0);
    EXPECT_EQ(control(editor, kBypassTag)->getValue(), 1.0f);
    handler->clear();
    click(editor, CPoint(50, 210));
    expectGesture(1, 1.0);
    handler->clear();
    click(editor, CPoint(90, 135));
    expectGesture(0, 0.0);
}

TEST_F(WiringTest, TypedTextsBecomeOneEdit)
{
    againEditorView* editor = openEditor();
    const auto enter = [&](CPoint where, const char* text, unsigned char key) {
        handler->clear();
        click(editor, where);
        type(editor, text);
        press(editor, key);
    };
    enter(CPoint(130, 11), "18", VKEY_RETURN);
    ASSERT_EQ(calls().size(), 1u);
    EXPECT_EQ(calls()[0].kind, Kind::PerformEdit);
    EXPECT_EQ(calls()[0].id, 3u);
    EXPECT_EQ(calls()[0].value, 0.5);
    EXPECT_EQ(field(editor, kBoostTextTag), "18.0 dB");
    EXPECT_EQ(controlAs<CAnimKnob>(editor, kBoostKnobTag)->getFrameIndex(), 39);

    // Refused, cancelled: nothing reaches controller or host, the field shows the
    // value in force.
    enter(CPoint(130, 11), "loud", VKEY_RETURN);
    enter(CPoint(50, 11), "-6", VKEY_ESCAPE);
    EXPECT_TRUE(calls().empty());
    EXPECT_EQ(controller->getParamNormalized(3), 0.5);
    EXPECT_EQ(field(editor, kBoostTextTag), "18.0 dB");
    EXPECT_EQ(field(editor, kVolumeTextTag), "0.0 dB");

    // Leaving the field commits.
    handler->clear();
    click(editor, CPoint(50, 11));
    type(editor, "-6");
    click(editor, CPoint(5, 100));
    ASSERT_EQ(calls().size(), 1u);
    EXPECT_NEAR(calls()[0].value, 0.8333333, 1e-6);
    EXPECT_EQ(field(editor, kVolumeTextTag), "-6.0 dB");
}

TEST_F(WiringTest, EveryOpenEditorFollowsEveryChange)
{
    againEditorView* first = openEditor();
    againEditorView* second = openEditor();
    controller->setKnobMode(Vst::kLinearMode);
    drag(first, CPoint(130, 40), CPoint(130, -60), 4);
    for (againEditorView* editor : {first, second})
    {
        EXPECT_NEAR(control(editor, kBoostKnobTag)->getValue(), 0.5f, 1e-6f);
        EXPECT_EQ(field(editor, kBoostTextTag), "18.0 dB");
    }
    // Host automation: shown after the next idle tick, nothing sent back.
    handler->clear();
    second->getFrame()->idle();
    controller->setParamNormalized(2, 1.0);
    EXPECT_EQ(control(second, kWarmthTag)->getValue(), 1.0f);
    EXPECT_TRUE(second->getFrame()->idle().rectOverlap(CRect(100, 200, 160, 220)));
    EXPECT_TRUE(calls().empty());
}

TEST_F(WiringTest, AboutPanelOpensAndClosesWithoutEdits)
{
    againEditorView* editor = openEditor();
    click(editor, CPoint(90, 183));
    ASSERT_NE(editor->getFrame()->getModalView(), nullptr);
    EXPECT_TRUE(editor->getFrame()->getModalView()->getViewSize() == CRect(0, 0, 180, 240));
    // While it is shown it takes every click, also over a knob.
    click(editor, CPoint(130, 40));
    EXPECT_EQ(editor->getFrame()->getModalView(), nullptr);
    EXPECT_TRUE(calls().empty());
    EXPECT_EQ(controller->getParamNormalized(3), 0.0);
}

TEST(FieldText, AtMost127CharactersEitherWay)
{
    std::vector<Vst::TChar> wide(200, 'a');
    wide.push_back(0);
    EXPECT_EQ(toFieldText(wide.data()).size(), 127u);
    Vst::String128 out;
    ASSERT_TRUE(toString128(std::string(200, '7'), out));
    EXPECT_EQ(std::char_traits<Vst::TChar>::length(out), 127u);
    ASSERT_TRUE(toString128("\xE2\x88\x92"
                            "6 dB",
                            out)); // a minus sign, U+2212
    EXPECT_EQ(out[0], 0x2212);
    EXPECT_FALSE(toString128("\xFF"
                             "6",
                             out));
    const Vst::TChar loneSurrogate[] = {'1', 0xD800, 0};
    EXPECT_EQ(toFieldText(loneSurrogate), "1\xEF\xBF\xBD");
}

} // namespace
} // namespace Brumvale
