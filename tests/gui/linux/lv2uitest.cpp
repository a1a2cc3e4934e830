// GUI tests: Brumvale.lv2's panel in an LV2 UI host, beside the VST 3 editor in the
// same process: the same pixels, edits as port writes between ui:touch gestures,
// the host's scale, the user's zoom and the host's resizes.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "guitest.h"
#include "lv2uihost.h"

#include <X11/Xlib.h>

#include <filesystem>
#include <fstream>
#include <limits>

namespace Brumvale::Host {
namespace {

using namespace Steinberg;

constexpr const char* kStereoUri = "urn:kelmarotte:brumvale:stereo";

struct Settings
{
    const char* name;
    float bypass, hifi, warmth, boostDb, volumeDb;
};

class Lv2UiTest : public GuiTest
{
protected:
    struct Lv2Panel
    {
        std::unique_ptr<HostWindow> window;
        std::unique_ptr<Lv2UiHost> ui; // goes before its window
    };

    // The LV2 panel of the stereo plug-in in a new window at (left, top), drawn.
    Lv2Panel openLv2(int left, int top, const Lv2UiHost::Offers& offers = {},
                     int width = kViewWidth, int height = kViewHeight)
    {
        Lv2Panel panel;
        panel.window = openWindow(left, top, width, height);
        if (!panel.window)
            return panel;
        std::string error;
        panel.ui = Lv2UiHost::open(*loop, *panel.window, kStereoUri, offers, error);
        if (!panel.ui)
            ADD_FAILURE() << error;
        else if (!waitUntilDrawn(*panel.window))
            ADD_FAILURE() << "the LV2 panel was not drawn within 5 s";
        return panel;
    }

    std::string widgetSize(const Lv2UiHost& ui)
    {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(input, ui.widget(), &attributes))
            return "no window";
        return std::to_string(attributes.width) + "x" + std::to_string(attributes.height);
    }

    // Runs the loop until both windows show the same pixels; false after 5 s.
    bool waitUntilAlike(const HostWindow& a, const HostWindow& b)
    {
        return loop->runUntil([&] { return a.grab().pixels == b.grab().pixels; }, 5000);
    }

    void writePreference(const std::string& text)
    {
        std::filesystem::create_directories(configFolder + "/Brumvale");
        std::ofstream(configFolder + "/Brumvale/editor.conf") << text;
    }
};

TEST_F(Lv2UiTest, ShowsTheVst3EditorsPanelForTheSameValues)
{
    const Settings cases[] = {{"the starting values", 0, 0, 0, 0.0f, 0.0f},
                              {"all on", 1, 1, 1, 18.0f, -6.0f},
                              {"range ends", 0, 1, 0, 36.0f, -36.0f}};
    for (const Settings& settings : cases)
    {
        SCOPED_TRACE(settings.name);
        auto instance = openInstance();
        ASSERT_TRUE(instance);
        Vst::IEditController& controller = *instance->controller();
        const float ports[] = {settings.bypass, settings.hifi, settings.warmth, settings.boostDb,
                               settings.volumeDb};
        const double normalized[] = {settings.bypass, settings.hifi, settings.warmth,
                                     settings.boostDb / 36.0, (settings.volumeDb + 36.0) / 36.0};
        for (uint32_t id = kBypassId; id <= kVolumeId; ++id)
            controller.setParamNormalized(id, normalized[id]);
        Editor editor = openEditor(controller, 0, 0);
        ASSERT_TRUE(editor.window);
        Lv2Panel lv2 = openLv2(200, 0);
        ASSERT_TRUE(lv2.ui);
        // The starting values are the ports' defaults: the host sends nothing.
        if (&settings != &cases[0])
            for (uint32_t port = 0; port < 5; ++port)
                lv2.ui->portEvent(port, ports[port]);
        EXPECT_TRUE(waitUntilAlike(*lv2.window, *editor.window))
            << differingPixels(lv2.window->grab(), editor.window->grab()) << " pixels differ";
        EXPECT_TRUE(lv2.ui->calls().empty()) << "a host's value was written back";
        if (&settings == &cases[1])
        {
            EXPECT_TRUE(lv2.window->screenshot(BRUMVALE_ARTEFACT_DIR "/lv2-panel-1x.png"));
        }
    }
}

TEST_F(Lv2UiTest, GesturesWritePortsBetweenTouches)
{
    for (const bool touch : {true, false})
    {
        SCOPED_TRACE(touch ? "with ui:touch" : "without ui:touch");
        Lv2Panel lv2 = openLv2(0, 0, {0.0, touch});
        ASSERT_TRUE(lv2.ui);
        const Picture fieldBefore = lv2.window->grab(Panel::kBoostField);
        std::vector<double> angles;
        for (int i = 0; i <= 12; ++i)
            angles.push_back(-135.0 + 270.0 * i / 12);
        dragKnob(*lv2.window, Panel::kBoostKnob, angles);
        std::vector<Lv2UiHost::Call> calls = lv2.ui->calls();
        ASSERT_GE(calls.size(), 3u);
        if (touch)
        {
            EXPECT_EQ(calls.front().kind + std::to_string(calls.front().port), "touch3");
            EXPECT_EQ(calls.back().kind + std::to_string(calls.back().port), "release3");
            calls = {calls.begin() + 1, calls.end() - 1};
        }
        float previous = -1.0f;
        for (const Lv2UiHost::Call& call : calls)
        {
            ASSERT_EQ(call.kind + std::to_string(call.port), "write3");
            EXPECT_GT(call.value, previous);
            previous = call.value;
        }
        // The drag ends at the lower right: +36 dB, whole pixels from it.
        EXPECT_NEAR(previous, 36.0f, 0.5f);
        EXPECT_TRUE(loop->runUntil(
            [&] { return differingPixels(fieldBefore, lv2.window->grab(Panel::kBoostField)) > 0; },
            5000))
            << "the Boost field did not follow the knob";

        lv2.ui->clearCalls();
        click(*lv2.window, Panel::kWarmth);
        std::string warmth;
        for (const Lv2UiHost::Call& call : lv2.ui->calls())
            warmth +=
                call.kind + std::to_string(call.port) + "=" + std::to_string(int(call.value)) + " ";
        EXPECT_EQ(warmth, touch ? "touch2=0 write2=1 release2=0 " : "write2=1 ");
    }
}

TEST_F(Lv2UiTest, SizeFollowsTheUsersZoomElseTheHostsScale)
{
    struct Case
    {
        const char* preference; // null: no file
        double scaleFactor;
        const char* size;
    };
    const Case cases[] = {{nullptr, 0.0, "180x240"},
                          {nullptr, 2.0, "360x480"},
                          {"zoom=100\n", 1.5, "180x240"},
                          {"zoom=200\n", 0.0, "360x480"},
                          {"zoom=follow\n", 1.5, "270x360"}};
    for (const Case& test : cases)
    {
        SCOPED_TRACE(std::string(test.preference ? test.preference : "no file") + " scale " +
                     std::to_string(test.scaleFactor));
        std::filesystem::remove_all(configFolder + "/Brumvale");
        if (test.preference)
            writePreference(test.preference);
        Lv2Panel lv2 = openLv2(0, 0, {test.scaleFactor}, 360, 480);
        ASSERT_TRUE(lv2.ui);
        ASSERT_FALSE(lv2.ui->sizeRequests().empty());
        EXPECT_EQ(lv2.ui->sizeRequests().back(), test.size);
        EXPECT_EQ(widgetSize(*lv2.ui), test.size);
        if (test.scaleFactor == 2.0)
        {
            EXPECT_TRUE(lv2.window->screenshot(BRUMVALE_ARTEFACT_DIR "/lv2-panel-2x.png"));
        }
    }

    // The host changes its scale through the options interface.
    std::filesystem::remove_all(configFolder + "/Brumvale");
    Lv2Panel lv2 = openLv2(0, 0, {2.0}, 360, 480);
    ASSERT_TRUE(lv2.ui);
    EXPECT_EQ(lv2.ui->setScaleFactor(1.25f), uint32_t(LV2_OPTIONS_SUCCESS));
    EXPECT_EQ(lv2.ui->sizeRequests().back(), "225x300");
    for (const float bad : {0.5f, 9.0f, std::numeric_limits<float>::quiet_NaN()})
        EXPECT_EQ(lv2.ui->setScaleFactor(bad), uint32_t(LV2_OPTIONS_ERR_BAD_VALUE)) << bad;
    EXPECT_EQ(widgetSize(*lv2.ui), "225x300");
}

TEST_F(Lv2UiTest, ZoomMenuChoiceIsShownAndKept)
{
    Lv2Panel lv2 = openLv2(0, 0, {}, 360, 480);
    ASSERT_TRUE(lv2.ui);
    moveTo(*lv2.window, 90, 100);
    button(true, 3);
    button(false, 3);
    settle();
    // The fourth item, "200 %", as in the VST 3 editor's menu.
    click(*lv2.window, ViewRect(72, 100 + 2 + 14 * 3, 72 + 80, 100 + 2 + 14 * 4));
    EXPECT_TRUE(loop->runUntil([&] { return widgetSize(*lv2.ui) == "360x480"; }, 5000))
        << widgetSize(*lv2.ui);
    EXPECT_EQ(lv2.ui->sizeRequests().back(), "360x480");
    std::ifstream file(configFolder + "/Brumvale/editor.conf");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "zoom=200\n");
    EXPECT_TRUE(lv2.ui->calls().empty());
}

TEST_F(Lv2UiTest, HostResizesAndBadInputChangeNothingElse)
{
    Lv2Panel lv2 = openLv2(0, 0, {}, 300, 300);
    ASSERT_TRUE(lv2.ui);
    EXPECT_EQ(lv2.ui->resize(200, 260), 0);
    EXPECT_EQ(widgetSize(*lv2.ui), "200x260");
    EXPECT_NE(lv2.ui->resize(0, 260), 0);
    EXPECT_NE(lv2.ui->resize(200, -1), 0);
    EXPECT_EQ(widgetSize(*lv2.ui), "200x260");
    settle();
    ASSERT_TRUE(waitUntilDrawn(*lv2.window));
    const Picture before = lv2.window->grab();
    const ViewRect kept[] = {Panel::kVolumeField, Panel::kBoostField, Panel::kVolumeKnob,
                             Panel::kBoostKnob,   Panel::kBypass,     Panel::kHiFi};
    std::vector<Picture> keptBefore;
    for (const ViewRect& area : kept)
        keptBefore.push_back(lv2.window->grab(area));

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const double wide = 18.0;
    lv2.ui->portEvent(3, nan);
    lv2.ui->portEvent(4, -std::numeric_limits<float>::infinity());
    lv2.ui->portEvent(3, sizeof wide, 0, &wide);
    lv2.ui->portEvent(3, sizeof(float), 1, &wide);
    lv2.ui->portEvent(3, sizeof(float), 0, nullptr);
    for (const uint32_t port : {5u, 6u, 7u, 99u, 0xFFFFFFFFu})
        lv2.ui->portEvent(port, 1.0f);
    // A good value last: the panel draws all it changed in one tick, so once Warmth
    // shows, anything the bad ones changed shows too.
    lv2.ui->portEvent(2, 1.0f);
    ASSERT_TRUE(
        loop->runUntil([&] { return differingPixels(before, lv2.window->grab()) > 0; }, 5000));
    for (std::size_t i = 0; i < std::size(kept); ++i)
        EXPECT_EQ(differingPixels(keptBefore[i], lv2.window->grab(kept[i])), 0)
            << "the area at " << kept[i].left << "," << kept[i].top << " changed";
    EXPECT_TRUE(lv2.ui->calls().empty());

    std::string error;
    auto window = openWindow(400, 0);
    ASSERT_TRUE(window);
    EXPECT_FALSE(Lv2UiHost::open(*loop, *window, "urn:nobody", {}, error));
    EXPECT_FALSE(Lv2UiHost::open(*loop, *window, kStereoUri, {0.0, true, false}, error));
    EXPECT_FALSE(Lv2UiHost::open(*loop, *window, kStereoUri, {0.0, true, true, false}, error))
        << "a host that makes no idle calls would show a dead panel";
}

// Some hosts (suil's Qt wrapper) destroy the panel's parent window before they call
// cleanup. Neither a last drawing nor the clean-up may then raise an X error: Xlib's
// default handler ends the host's process on one. This test's handler counts them.
TEST_F(Lv2UiTest, CleanUpAfterTheParentIsGoneRaisesNoXError)
{
    Lv2Panel lv2 = openLv2(0, 0);
    ASSERT_TRUE(lv2.ui);
    static int errors;
    errors = 0;
    const auto hostHandler = XSetErrorHandler([](Display*, XErrorEvent* error) {
        ADD_FAILURE() << "X error " << int(error->error_code) << " for request "
                      << int(error->request_code) << "." << int(error->minor_code);
        ++errors;
        return 0;
    });
    lv2.window.reset();
    lv2.ui->portEvent(3, 18.0f); // drawn into the vanished window
    lv2.ui.reset();
    XSync(input, False);
    XSetErrorHandler(hostHandler);
    EXPECT_EQ(errors, 0);
}

} // namespace
} // namespace Brumvale::Host
