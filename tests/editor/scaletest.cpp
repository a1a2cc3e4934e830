// The editor at a content scale: sizes, what the host hears, and the pictures.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editortest.h"
#include "panelpicture.h"

#include "widgets/zoomrange.h"

#include <cmath>
#include <limits>

using namespace Steinberg;
using namespace VSTGUI;

namespace Brumvale {
namespace {

struct Size
{
    int32 width, height;
};

Size sizeOf(IPlugView& view)
{
    ViewRect rect;
    EXPECT_EQ(view.getSize(&rect), kResultTrue);
    return {rect.getWidth(), rect.getHeight()};
}

const CRect kPanel(0, 0, 180, 240);

TEST(PlacementTest, ThePanelFillsItsWindowAsBestItCan)
{
    const struct
    {
        const char* what;
        double asked;
        int width, height;
        PanelPlacement placed;
    } cases[] = {
        {"the window asked for", 1.3, 234, 312, {1.3, 0, 0}},
        {"twice as large", 1.0, 360, 480, {2.0, 0, 0}},
        {"wider: centred", 1.0, 420, 240, {1.0, 120, 0}},
        {"a pixel over 2x stays 2x, sharp", 1.0, 361, 481, {2.0, 0, 0}},
        {"a pixel under 2x", 2.0, 359, 480, {119.0 / 60, 1, 2}},
        {"smaller than 1x: its top-left part", 2.0, 100, 100, {1.0, 0, 0}},
        {"beyond 4x: centred at 4x", 1.0, 1000, 1000, {4.0, 140, 20}},
        {"no window yet", 1.5, 0, 0, {1.0, 0, 0}},
    };
    for (const auto& c : cases)
    {
        const PanelPlacement placed = placePanel(180, 240, c.asked, c.width, c.height);
        EXPECT_EQ(placed.zoom, c.placed.zoom) << c.what;
        EXPECT_EQ(placed.left, c.placed.left) << c.what;
        EXPECT_EQ(placed.top, c.placed.top) << c.what;
    }
}

// Where the controls lie in panel pixels, and a rectangle in screen pixels.
const struct
{
    int32_t tag;
    CRect rect;
} kControls[] = {{kBoostKnobTag, CRect(110, 20, 150, 60)}, {kVolumeKnobTag, CRect(30, 20, 70, 60)},
                 {kBoostTextTag, CRect(109, 5, 149, 17)},  {kVolumeTextTag, CRect(29, 5, 69, 17)},
                 {kBypassTag, CRect(70, 115, 110, 155)},   {kHiFiTag, CRect(20, 200, 80, 220)},
                 {kWarmthTag, CRect(100, 200, 160, 220)}};
const CRect kVersionLine(26, 223, 146, 240);
const CRect kBoostKnob(110, 20, 150, 60);
const CRect kBoostField(109, 5, 149, 17);

// Channel differences (of 255). Averaged back to panel pixels, no 4 x 4 square of
// a zoomed panel differs from the 1x panel by more than 23 (the finer lettering of
// the switches), while another knob frame differs by 120 or more.
constexpr double kSameLook = 40;
// A stretched 1x picture is blurred where the zoomed one has edges and grain: at
// 2x the knob differs from it by 8 on average, the lettering by 6 to 13; the
// knob drawn from a stretched 1x set by 0.7.
constexpr double kRealDetail = 3;

CRect zoomed(const CRect& rect, double zoom)
{
    return CRect(std::floor(rect.left * zoom), std::floor(rect.top * zoom),
                 std::ceil(rect.right * zoom), std::ceil(rect.bottom * zoom));
}

class ScaleTest : public EditorTest
{
protected:
    // The panel of the golden picture: Boost 18 dB, every switch on.
    againEditorView* openSetPanel(float scale)
    {
        controller->setParamNormalized(3, 0.5);
        for (Vst::ParamID id : {0u, 1u, 2u})
            controller->setParamNormalized(id, 1.0);
        return openEditor(scale);
    }
};

TEST_F(ScaleTest, SizesFollowTheContentScale)
{
    const struct
    {
        float scale;
        Size size;
    } cases[] = {{1.0f, {180, 240}}, {1.25f, {225, 300}}, {1.5f, {270, 360}}, {1.75f, {315, 420}},
                 {2.0f, {360, 480}}, {3.0f, {540, 720}},  {4.0f, {720, 960}}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.scale);
        againEditorView* editor = openEditor(c.scale);
        const Size size = sizeOf(*editor);
        EXPECT_EQ(size.width, c.size.width);
        EXPECT_EQ(size.height, c.size.height);
        CFrame* frame = editor->getFrame();
        EXPECT_EQ(frame->getZoom(), double(c.scale));
        EXPECT_TRUE(frame->getViewSize() == kPanel) << "the layout stays in panel pixels";
        EXPECT_TRUE(frame->getZoomedSize() == CRect(0, 0, c.size.width, c.size.height));
        // The host may widen the window by 50 panel pixels at most, at the scale.
        ViewRect wide(0, 0, 10000, 10000), narrow(5, 5, 6, 6);
        EXPECT_EQ(editor->checkSizeConstraint(&wide), kResultTrue);
        EXPECT_EQ(wide.getWidth(), zoomedLength(230, c.scale));
        EXPECT_EQ(wide.getHeight(), zoomedLength(290, c.scale));
        EXPECT_EQ(editor->checkSizeConstraint(&narrow), kResultTrue);
        EXPECT_EQ(narrow.getWidth(), c.size.width);
        EXPECT_EQ(narrow.left, 5);
    }
}

TEST_F(ScaleTest, BadScalesAndRefusedSizesChangeNothing)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float bad[] = {0.0f, 0.5f, 0.999f, 4.001f, 100.0f, -2.0f, inf, -inf, std::nanf("")};
    RecordingPlugFrame host;
    againEditorView* editor = openEditor(1.5f);
    ASSERT_EQ(editor->setFrame(&host), kResultTrue);
    for (float scale : bad)
    {
        EXPECT_EQ(editor->setContentScaleFactor(scale), kInvalidArgument) << scale;
        EXPECT_EQ(sizeOf(*editor).width, 270) << scale;
        EXPECT_EQ(editor->getFrame()->getZoom(), 1.5) << scale;
    }
    EXPECT_TRUE(host.requests.empty());

    host.refuse = true;
    EXPECT_EQ(editor->setContentScaleFactor(2.0f), kResultFalse);
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0].getWidth(), 360);
    EXPECT_EQ(sizeOf(*editor).width, 270);
    EXPECT_EQ(editor->getFrame()->getZoom(), 1.5);
    EXPECT_TRUE(editor->getFrame()->getZoomedSize() == CRect(0, 0, 270, 360));

    // A host that takes the size answers with onSize: view and frame follow.
    host.refuse = false;
    EXPECT_EQ(editor->setContentScaleFactor(2.0f), kResultTrue);
    ASSERT_EQ(host.requests.size(), 2u);
    EXPECT_EQ(sizeOf(*editor).height, 480);
    EXPECT_TRUE(editor->getFrame()->getZoomedSize() == CRect(0, 0, 360, 480));
    // The same scale again asks nothing of the host.
    EXPECT_EQ(editor->setContentScaleFactor(2.0f), kResultTrue);
    EXPECT_EQ(host.requests.size(), 2u);
    editor->setFrame(nullptr);
}

TEST_F(ScaleTest, OneToOnePictureIsTheFamiliarPanel)
{
    const PanelPicture golden = readPicture(BRUMVALE_TEST_DATA_DIR "/panel-1x.png");
    ASSERT_EQ(golden.width, 180);
    againEditorView* editor = openSetPanel(0.0f);
    const PanelPicture picture = drawPanel(*editor);
    ASSERT_EQ(picture.width, 180);
    ASSERT_EQ(picture.height, 240);
    int differing = 0;
    for (std::size_t i = 0; i < picture.pixels.size(); ++i)
        differing += picture.pixels[i] != golden.pixels[i];
    EXPECT_EQ(differing, 0);

    // Zoomed and back, the picture is the same.
    editor->getFrame()->setZoom(2.0);
    editor->getFrame()->setZoom(1.0);
    EXPECT_EQ(drawPanel(*editor).pixels, picture.pixels);
}

// At every scale the panel is the 1x panel seen closer: averaged back down to
// panel pixels each control's area looks as at 1x (the same knob frames, texts and
// colours, nothing cut off), while the picture itself is the zoomed size.
TEST_F(ScaleTest, EveryScaleShowsTheSamePanel)
{
    const PanelPicture oneToOne = drawPanel(*openSetPanel(0.0f));
    for (float scale : {1.25f, 1.5f, 2.0f, 3.0f})
    {
        SCOPED_TRACE(scale);
        againEditorView* editor = openSetPanel(scale);
        const PanelPicture picture = drawPanel(*editor);
        ASSERT_EQ(picture.width, zoomedLength(180, scale));
        ASSERT_EQ(picture.height, zoomedLength(240, scale));
        const PanelPicture seen = shrink(picture, scale, 180, 240);
        for (const auto& placed : kControls)
        {
            EXPECT_TRUE(control(editor, placed.tag)->getViewSize() == placed.rect);
            const CRect onScreen = zoomed(placed.rect, scale);
            EXPECT_LE(onScreen.right, picture.width);
            EXPECT_LE(onScreen.bottom, picture.height);
            EXPECT_LT(largestTileDifference(seen, oneToOne, placed.rect), kSameLook)
                << "control " << std::hex << placed.tag;
        }
        EXPECT_LT(largestTileDifference(seen, oneToOne, kVersionLine), kSameLook);
        EXPECT_LT(largestTileDifference(seen, oneToOne, kPanel), kSameLook);
    }
}

TEST_F(ScaleTest, KnobFramesFollowTheValueAtEveryScale)
{
    for (float scale : {1.0f, 1.5f, 2.0f, 3.0f})
    {
        SCOPED_TRACE(scale);
        controller->setParamNormalized(3, 0.0);
        const PanelPicture lowest = drawPanel(*openEditor(scale));
        controller->setParamNormalized(3, 1.0);
        againEditorView* editor = openEditor(scale);
        const PanelPicture highest = drawPanel(*editor);
        const CRect knob = zoomed(kBoostKnob, scale);
        EXPECT_GT(largestTileDifference(lowest, highest, knob), kSameLook);
        editor->getFrame()->setZoom(1.0);
        const PanelPicture highestAt1x = drawPanel(*editor);
        EXPECT_LT(largestTileDifference(shrink(highest, scale, 180, 240), highestAt1x, kBoostKnob),
                  kSameLook);
    }
}

TEST_F(ScaleTest, TwiceThePixelsCarryRealDetail)
{
    againEditorView* editor = openSetPanel(2.0f);
    const PanelPicture twice = drawPanel(*editor);
    editor->getFrame()->setZoom(1.0);
    const PanelPicture stretched = stretch(drawPanel(*editor), 2.0, 360, 480);
    for (const CRect& area : {kBoostKnob, kBoostField, kVersionLine})
        EXPECT_GT(meanDifference(twice, stretched, zoomed(area, 2.0)), kRealDetail)
            << area.left << "," << area.top;
}

} // namespace
} // namespace Brumvale
