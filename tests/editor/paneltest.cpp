// The editor's panel: what it shows after open, its view answers, open and close.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editortest.h"

#include "widgets/canimknob.h"
#include "widgets/cmoviebutton.h"

#include <cmath>
#include <limits>

using namespace Steinberg;
using namespace VSTGUI;

namespace Brumvale {
namespace {

using PanelTest = EditorTest;

TEST_F(PanelTest, ShowsTheControllersValuesRightAfterOpen)
{
    const struct
    {
        double switches;
        double knobs;
        int32_t frame;
        const char* boost;
        const char* volume;
    } rows[] = {{0.0, 0.0, 0, "0.0 dB", "-36.0 dB"},
                {1.0, 0.5, 39, "18.0 dB", "-18.0 dB"},
                {1.0, 1.0, 79, "36.0 dB", "0.0 dB"}};
    for (const auto& row : rows)
    {
        for (Vst::ParamID id : {0u, 1u, 2u})
            controller->setParamNormalized(id, row.switches);
        controller->setParamNormalized(3, row.knobs);
        controller->setParamNormalized(4, row.knobs);
        againEditorView* editor = openEditor();
        ASSERT_NE(editor, nullptr);
        for (int32_t tag : {kBypassTag, kHiFiTag, kWarmthTag})
            EXPECT_EQ(control(editor, tag)->getValue(), float(row.switches)) << tag;
        for (int32_t tag : {kBoostKnobTag, kVolumeKnobTag})
            EXPECT_EQ(controlAs<CAnimKnob>(editor, tag)->getFrameIndex(), row.frame) << tag;
        EXPECT_EQ(field(editor, kBoostTextTag), row.boost);
        EXPECT_EQ(field(editor, kVolumeTextTag), row.volume);
    }
}

TEST_F(PanelTest, ControlsStandWhereTheLayoutPutsThem)
{
    againEditorView* editor = openEditor();
    const struct
    {
        int32_t tag;
        CRect rect;
    } layout[] = {{kSplashTag, CRect(0, 176, 180, 191)},   {kBoostKnobTag, CRect(110, 20, 150, 60)},
                  {kBoostTextTag, CRect(109, 5, 149, 17)}, {kVolumeKnobTag, CRect(30, 20, 70, 60)},
                  {kVolumeTextTag, CRect(29, 5, 69, 17)},  {kBypassTag, CRect(70, 115, 110, 155)},
                  {kHiFiTag, CRect(20, 200, 80, 220)},     {kWarmthTag, CRect(100, 200, 160, 220)}};
    CFrame* frame = editor->getFrame();
    ASSERT_EQ(frame->getNbViews(), 9); // the version label first, then the controls in order
    for (size_t i = 0; i < std::size(layout); ++i)
    {
        auto* found = dynamic_cast<CControl*>(frame->getView(int32_t(i + 1)));
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->getTag(), layout[i].tag) << i;
        EXPECT_TRUE(found->getViewSize() == layout[i].rect) << i;
    }
    auto* version = dynamic_cast<CTextLabel*>(frame->getView(0));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->getText(), "v1.0 Apr  3 2015 03:19:46");
    EXPECT_TRUE(version->getFontColor() == (CColor{255, 255, 255, 50}));
    EXPECT_EQ(version->getFont(), kNormalFontVerySmall);
    EXPECT_EQ(version->getHoriAlign(), kCenterText);
    EXPECT_TRUE(version->getViewSize() == CRect(26, 223, 146, 241));
    EXPECT_EQ(controlAs<CTextEdit>(editor, kBoostTextTag)->getFont(), kNormalFontSmaller);
}

TEST_F(PanelTest, OpensOnceAndAgainAfterClose)
{
    againEditorView* editor = openEditor();
    CFrame* frame = editor->getFrame();
    EXPECT_FALSE(editor->open(nullptr));
    EXPECT_EQ(editor->getFrame(), frame);
    editor->close();
    EXPECT_EQ(editor->getFrame(), nullptr);
    // A closed editor ignores values.
    editor->updateFromParameter(3, 0.5);
    controller->setParamNormalized(3, 0.25);
    ASSERT_TRUE(editor->open(nullptr));
    EXPECT_EQ(field(editor, kBoostTextTag), "9.0 dB");
}

TEST_F(PanelTest, ViewAnswers)
{
    againEditorView* editor = openEditor();
    const struct
    {
        ViewRect in, out;
    } sizes[] = {{{0, 0, 100, 100}, {0, 0, 180, 240}},
                 {{10, 20, 310, 420}, {10, 20, 240, 310}},
                 {{0, 0, 200, 260}, {0, 0, 200, 260}}};
    for (const auto& size : sizes)
    {
        ViewRect rect = size.in;
        EXPECT_EQ(editor->checkSizeConstraint(&rect), kResultTrue);
        EXPECT_EQ(rect.left, size.out.left);
        EXPECT_EQ(rect.top, size.out.top);
        EXPECT_EQ(rect.right, size.out.right);
        EXPECT_EQ(rect.bottom, size.out.bottom);
    }
    EXPECT_EQ(editor->canResize(), kResultFalse);
    ViewRect reported;
    ASSERT_EQ(editor->getSize(&reported), kResultTrue);
    EXPECT_EQ(reported.getWidth(), 180);
    EXPECT_EQ(reported.getHeight(), 240);

    Vst::ParamID tag = 77;
    for (int32 x : {50, 90, 130})
        EXPECT_EQ(editor->findParameter(x, 40, tag), kResultFalse);
    EXPECT_EQ(tag, 77u);
    for (const FUID* iid : {&Vst::IParameterFinder::iid, &Vst::IContextMenuTarget::iid})
    {
        FUnknown* found = nullptr;
        ASSERT_EQ(editor->queryInterface(*iid, reinterpret_cast<void**>(&found)), kResultOk);
        found->release();
    }
    EXPECT_EQ(editor->executeMenuItem(1), kResultFalse);
}

TEST_F(PanelTest, UnknownIdentifiersChangeNothing)
{
    againEditorView* editor = openEditor();
    editor->getFrame()->idle();
    for (Vst::ParamID id : {5u, 9u, 0xFFFFFFFFu})
        editor->updateFromParameter(id, 1.0);
    EXPECT_TRUE(editor->getFrame()->idle().isEmpty());
}

// Values a host should never send: the knobs and switches show the nearest end, the
// field the controller's text, and values that are not numbers change nothing.
TEST_F(PanelTest, ValuesOutsideTheRangeShowTheNearestEnd)
{
    againEditorView* editor = openEditor();
    const double inf = std::numeric_limits<double>::infinity();
    const struct
    {
        double value;
        int32_t frame;
    } cases[] = {{1e300, 79}, {inf, 79}, {30.0, 79}, {-1e300, 0}, {-inf, 0}};
    for (const auto& each : cases)
    {
        editor->updateFromParameter(3, each.value);
        EXPECT_EQ(controlAs<CAnimKnob>(editor, kBoostKnobTag)->getFrameIndex(), each.frame)
            << each.value;
    }
    editor->updateFromParameter(3, 0.5);
    editor->updateFromParameter(3, std::nan(""));
    EXPECT_EQ(controlAs<CAnimKnob>(editor, kBoostKnobTag)->getFrameIndex(), 39);
    EXPECT_EQ(field(editor, kBoostTextTag), "18.0 dB");
}

} // namespace
} // namespace Brumvale
