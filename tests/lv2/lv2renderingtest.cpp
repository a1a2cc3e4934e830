// The LV2 plug-ins against the VST 3 plug-in, both loaded into this one process:
// the same ports as the controller's parameters, the same samples for the same
// settings, automation and presets, and no broken sound from bad port values.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lilvhost.h"

#include "blockrunner.h"
#include "bundletest.h"
#include "engine/enginetesting.h"
#include "engine/hostfloatingpointmode.h"
#include "lv2/lv2ports.h"
#include "presetchunks.h"
#include "presets/factorypresets.h"
#include "text.h"

#include <pluginterfaces/base/ustring.h>
#include <pluginterfaces/vst/vstspeaker.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>

namespace Brumvale {
namespace {

using namespace Steinberg;
using namespace Steinberg::Vst;
using Testing::AudioBuffer;
using Testing::LilvHost;
using Testing::LilvInstance;

// A port value set before the block that holds frame; ids are the VST 3
// parameter IDs, which are also the control port indices.
struct Change
{
    long frame;
    uint32_t id;
    float value; // as the port holds it: dB, or 0 and 1
};

const auto kPorts = Lv2::controlPorts();

class Lv2Test : public Host::BundleTest
{
public:
    static void SetUpTestSuite()
    {
        BundleTest::SetUpTestSuite();
        lilv = std::make_unique<LilvHost>(BRUMVALE_LV2_BUNDLE_PATH);
    }
    static void TearDownTestSuite()
    {
        lilv.reset();
        BundleTest::TearDownTestSuite();
    }

protected:
    static const char* uriFor(int channels) { return Lv2::kPluginKinds[channels - 1].uri; }

    // Through Brumvale.vst3 as a host drives it: a parameter whose value differs from
    // the last block's is sent at the block's start, a level as the normalised value
    // the controller reads from its text. component: a state set before activation.
    static AudioBuffer renderVst3(const AudioBuffer& input, double rate, int block,
                                  const std::vector<Change>& changes,
                                  const std::vector<uint8_t>& component = {})
    {
        const int channels = input.channels();
        AudioBuffer output(channels, input.frames());
        auto instance = openInstance();
        if (!instance)
            return output;
        if (!component.empty())
        {
            EXPECT_EQ(instance->setComponentState(component), kResultOk);
        }
        const SpeakerArrangement arrangement =
            channels == 1 ? SpeakerArr::kMono : SpeakerArr::kStereo;
        EXPECT_EQ(instance->startProcessing(arrangement, rate, block), kResultOk);
        Host::BlockRunner runner(instance->processor(), channels, channels, block);
        // What the ports hold, so that a parameter is sent when its value changes.
        float held[Lv2::kVolumePort + 1];
        for (uint32_t id = 0; id <= Lv2::kVolumePort; ++id)
            held[id] = kPorts[id].defaultValue;
        auto next = changes.begin();
        for (int start = 0; start < input.frames(); start += block)
        {
            const int length = std::min(block, input.frames() - start);
            float values[Lv2::kVolumePort + 1];
            std::copy(std::begin(held), std::end(held), values);
            for (; next != changes.end() && next->frame < start + length; ++next)
                values[next->id] = next->value;
            for (uint32_t id = 0; id <= Lv2::kVolumePort; ++id)
                if (values[id] != held[id])
                {
                    held[id] = values[id];
                    runner.changes().addChange(id, 0, normalized(*instance, {0, id, held[id]}));
                }
            for (int c = 0; c < channels; ++c)
                std::copy_n(input.data[c].data() + start, length, runner.input().channel(c));
            Testing::HostThread(hostMode).call([&] { EXPECT_EQ(runner.run(length), kResultOk); });
            for (int c = 0; c < channels; ++c)
                std::copy_n(runner.output().channel(c), length, output.data[c].data() + start);
        }
        instance->stopProcessing();
        return output;
    }

    static ParamValue normalized(Host::PluginInstance& instance, const Change& change)
    {
        if (kPorts[change.id].kind != Lv2::ControlPortInfo::Kind::kDecibels)
            return change.value;
        char text[32];
        std::snprintf(text, sizeof text, "%.9g dB", double(change.value));
        String128 wide;
        UString(wide, 128).fromAscii(text);
        ParamValue value = -1.0;
        EXPECT_EQ(instance.controller()->getParamValueByString(change.id, wide, value), kResultOk);
        return value;
    }

    // Through Brumvale.lv2, the port values of a block set before its run.
    static AudioBuffer renderLv2(const AudioBuffer& input, double rate, int block,
                                 const std::vector<Change>& changes, const char* preset = nullptr)
    {
        const int channels = input.channels();
        AudioBuffer output(channels, input.frames());
        LilvInstance plugin(*lilv, uriFor(channels), rate);
        EXPECT_TRUE(plugin.ok());
        if (!plugin.ok() || (preset && !plugin.restorePreset(preset)))
        {
            ADD_FAILURE() << "no preset " << (preset ? preset : "");
            return output;
        }
        auto next = changes.begin();
        for (int start = 0; start < input.frames(); start += block)
        {
            const int length = std::min(block, input.frames() - start);
            for (; next != changes.end() && next->frame < start + length; ++next)
                plugin.control(kPorts[next->id].symbol) = next->value;
            AudioBuffer& in = const_cast<AudioBuffer&>(input);
            Testing::HostThread(hostMode).call([&] {
                plugin.run(in.from(start).data(), output.from(start).data(), uint32_t(length));
            });
        }
        return output;
    }

    // The first frame whose bits differ in any channel, or -1.
    static long firstDifference(const AudioBuffer& a, const AudioBuffer& b)
    {
        for (long i = 0; i < a.frames(); ++i)
            for (int c = 0; c < a.channels(); ++c)
                if (std::memcmp(&a.data[c][i], &b.data[c][i], sizeof(float)) != 0)
                    return i;
        return -1;
    }

    static std::unique_ptr<LilvHost> lilv;
    // The floating-point mode of the thread that processes or runs.
    static inline FloatingPointControl hostMode = kIeeeFloatingPointControl;
};

std::unique_ptr<LilvHost> Lv2Test::lilv;

// Every few milliseconds one parameter moves: a switch flips, a level takes a new
// value in its range (now and then an end of it).
std::vector<Change> automation(double rate, long frames, uint64_t seed)
{
    Testing::Random random(seed);
    std::vector<Change> changes;
    bool on[3] = {false, false, false};
    for (long frame = random.between(0, 500); frame < frames;
         frame += random.between(200, int(rate / 50)))
    {
        const auto id = uint32_t(random.between(0, 4));
        const Lv2::ControlPortInfo& port = kPorts[id];
        float value;
        if (id <= Lv2::kWarmthPort)
            value = (on[id] = !on[id]) ? 1.0f : 0.0f;
        else
        {
            const int pick = random.between(0, 9);
            value = pick == 0 ? port.minimum
                    : pick == 1
                        ? port.maximum
                        : float(port.minimum + (port.maximum - port.minimum) * random.uniform());
        }
        changes.push_back({frame, id, value});
    }
    return changes;
}

TEST_F(Lv2Test, RendersAsTheVst3PluginDoesWithAutomation)
{
    const struct
    {
        int channels;
        double rate;
        int block;
    } cases[] = {
        {1, 44100, 1},   {2, 44100, 512},  {1, 48000, 64},   {2, 48000, 441},
        {2, 96000, 100}, {1, 96000, 4096}, {2, 44100, 2048}, {1, 48000, 17},
    };
    for (const auto& each : cases)
    {
        SCOPED_TRACE(testing::Message() << each.channels << " channels, " << each.rate
                                        << " Hz, blocks of " << each.block);
        const long frames = long(each.rate * 0.75);
        const AudioBuffer input = Testing::makeTestSignal(each.channels, int(frames), each.rate, 5);
        const auto changes = automation(each.rate, frames, uint64_t(each.block));
        ASSERT_GT(changes.size(), 20u);
        const AudioBuffer vst3 = renderVst3(input, each.rate, each.block, changes);
        const AudioBuffer lv2 = renderLv2(input, each.rate, each.block, changes);
        EXPECT_EQ(firstDifference(vst3, lv2), -1);
        // Not a comparison of two silences.
        EXPECT_GT(std::fabs(*std::max_element(lv2.data[0].begin(), lv2.data[0].end())), 0.01f);
    }
}

// Both formats give every host the bits of the default mode, for plucked notes that
// decay into silence and for subnormal input, at each oversampling factor.
TEST_F(Lv2Test, EveryHostFloatingPointModeHearsTheSameBits)
{
    const struct
    {
        bool tiny;
        double rate;
        bool hifi;
    } cases[] = {
        {false, 44100, true},  {false, 96000, true}, {false, 192000, true},
        {false, 48000, false}, {true, 44100, true},  {true, 44100, false},
    };
    for (const auto& each : cases)
    {
        const AudioBuffer input = Testing::makeQuietSignal(2, each.rate, each.tiny);
        const std::vector<Change> settings = {{0, Lv2::kAntiAliasPort, each.hifi ? 1.0f : 0.0f},
                                              {0, Lv2::kBoostPort, 24.0f}};
        hostMode = kIeeeFloatingPointControl;
        const AudioBuffer expected = renderVst3(input, each.rate, 512, settings);
        for (const Testing::HostMode& mode : Testing::kHostModes)
        {
            SCOPED_TRACE(testing::Message()
                         << (each.tiny ? "tiny input" : "plucked note") << ", " << each.rate
                         << " Hz, HiFi " << each.hifi << ", host mode " << mode.name);
            hostMode = mode.control;
            EXPECT_EQ(firstDifference(renderVst3(input, each.rate, 512, settings), expected), -1);
            EXPECT_EQ(firstDifference(renderLv2(input, each.rate, 512, settings), expected), -1);
        }
        hostMode = kIeeeFloatingPointControl;
    }
}

TEST_F(Lv2Test, FactoryPresetsSetWhatTheVstPresetFilesSet)
{
    for (int channels : {1, 2})
    {
        for (const FactoryPreset& preset : kFactoryPresets)
        {
            SCOPED_TRACE(testing::Message() << preset.name << ", " << channels << " channels");
            std::ifstream file(std::string(BRUMVALE_PRESET_FOLDER "/") + preset.name + ".vstpreset",
                               std::ios::binary);
            const std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(file), {});
            Host::PresetChunks chunks;
            std::string error;
            ASSERT_TRUE(chunks.read(bytes, kProcessorId, error)) << error;
            const AudioBuffer input = Testing::makeTestSignal(channels, 22050, 44100, 9);
            const AudioBuffer vst3 = renderVst3(input, 44100, 256, {}, chunks.component);
            const AudioBuffer lv2 = renderLv2(input, 44100, 256, {}, preset.name);
            EXPECT_EQ(firstDifference(vst3, lv2), -1);
        }
    }
}

// Bad values: not a number or infinite is ignored, beyond the range clamped; the
// render then equals one given the value it stands for.
TEST_F(Lv2Test, BadPortValuesAreIgnoredOrClamped)
{
    constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const struct
    {
        uint32_t id;
        float bad;
        float meaning; // NaN: ignored
    } cases[] = {
        {Lv2::kBoostPort, kNan, kNan},    {Lv2::kBoostPort, kInf, kNan},
        {Lv2::kBoostPort, 1e30f, 36.0f},  {Lv2::kBoostPort, -5.0f, 0.0f},
        {Lv2::kVolumePort, -kInf, kNan},  {Lv2::kVolumePort, -1e30f, -36.0f},
        {Lv2::kVolumePort, 12.0f, 0.0f},  {Lv2::kBypassPort, kNan, kNan},
        {Lv2::kBypassPort, 1e30f, 1.0f},  {Lv2::kAntiAliasPort, -kInf, kNan},
        {Lv2::kWarmthPort, 7.0f, 1.0f},   {Lv2::kEnabledPort, kNan, kNan},
        {Lv2::kEnabledPort, -3.0f, 0.0f}, {Lv2::kEnabledPort, 0.3f, 1.0f},
        {Lv2::kBypassPort, 0.25f, 1.0f},  {Lv2::kWarmthPort, 1e-30f, 1.0f},
    };
    const AudioBuffer input = Testing::makeTestSignal(2, 44100, 44100, 3);
    const std::vector<Change> before = {{0, Lv2::kBoostPort, 18.0f}, {0, Lv2::kVolumePort, -9.0f}};
    for (const auto& each : cases)
    {
        SCOPED_TRACE(testing::Message() << kPorts[each.id].symbol << " = " << each.bad);
        std::vector<Change> bad = before, meant = before;
        bad.push_back({10000, each.id, each.bad});
        if (!std::isnan(each.meaning))
            meant.push_back({10000, each.id, each.meaning});
        const AudioBuffer rendered = renderLv2(input, 44100, 512, bad);
        for (const auto& channel : rendered.data)
            for (float sample : channel)
                ASSERT_TRUE(std::isfinite(sample));
        EXPECT_EQ(firstDifference(rendered, renderLv2(input, 44100, 512, meant)), -1);
    }
}

// What a user sees of each parameter in either format: name, switch or level, the
// ends of the range as the controller writes them, and the value it starts at.
TEST_F(Lv2Test, PortsShowTheControllersParameters)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    std::vector<uint8_t> state;
    ASSERT_EQ(instance->getComponentState(state), kResultOk);
    ASSERT_EQ(instance->setControllerComponentState(state), kResultOk);
    IEditController& controller = *instance->controller();
    ASSERT_EQ(controller.getParameterCount(), int32(Lv2::kEnabledPort));
    const LilvPlugin* plugin = lilv->plugin(Lv2::kStereoUri);
    ASSERT_TRUE(plugin);
    for (int32 p = 0; p < controller.getParameterCount(); ++p)
    {
        ParameterInfo info{};
        ASSERT_EQ(controller.getParameterInfo(p, info), kResultOk);
        SCOPED_TRACE(info.id);
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, info.id);
        ASSERT_TRUE(port);
        LilvNode* name = lilv_port_get_name(plugin, port);
        EXPECT_EQ(lilv_node_as_string(name), Host::toUtf8(info.title));
        lilv_node_free(name);
        LilvNode *def = nullptr, *min = nullptr, *max = nullptr;
        lilv_port_get_range(plugin, port, &def, &min, &max);
        const auto text = [&](ParamValue normalized) {
            String128 shown;
            controller.getParamStringByValue(info.id, normalized, shown);
            return Host::toUtf8(shown);
        };
        const auto asShown = [&](const LilvNode* node) {
            char line[32];
            std::snprintf(line, sizeof line, info.stepCount ? "%.0f" : "%.1f dB",
                          double(lilv_node_as_float(node)));
            return std::string(line);
        };
        if (info.stepCount == 1)
        {
            EXPECT_EQ(asShown(min), "0");
            EXPECT_EQ(asShown(max), "1");
            EXPECT_EQ(asShown(def), controller.getParamNormalized(info.id) > 0.5 ? "1" : "0");
        }
        else
        {
            EXPECT_EQ(asShown(min), text(0.0));
            EXPECT_EQ(asShown(max), text(1.0));
            EXPECT_EQ(asShown(def), text(controller.getParamNormalized(info.id)));
        }
        lilv_node_free(def);
        lilv_node_free(min);
        lilv_node_free(max);
    }
}

// An activation after a deactivation restarts all history: in the middle of a bypass
// fade, what follows is what a new instance with the same port values renders.
TEST_F(Lv2Test, ActivationAfterADeactivationStartsAfresh)
{
    AudioBuffer input = Testing::makeTestSignal(2, 8192, 44100, 5);
    AudioBuffer used(2, 8192), fresh(2, 8192);
    LilvInstance plugin(*lilv, Lv2::kStereoUri, 44100);
    LilvInstance newOne(*lilv, Lv2::kStereoUri, 44100);
    ASSERT_TRUE(plugin.ok() && newOne.ok());
    for (LilvInstance* each : {&plugin, &newOne})
        each->control("boost") = 24.0f;
    plugin.run(input.from(0).data(), used.from(0).data(), 4096);
    plugin.control("bypass") = 1.0f;
    plugin.run(input.from(4096).data(), used.from(4096).data(), 128); // the fade has begun
    plugin.reactivate();
    newOne.control("bypass") = 1.0f;
    plugin.run(input.from(4224).data(), used.from(4224).data(), 3968);
    newOne.run(input.from(4224).data(), fresh.from(4224).data(), 3968);
    for (int c = 0; c < 2; ++c)
        EXPECT_EQ(std::memcmp(used.data[c].data() + 4224, fresh.data[c].data() + 4224,
                              3968 * sizeof(float)),
                  0);
}

TEST_F(Lv2Test, InstantiatesAtTheRatesTheEngineTakes)
{
    for (double rate : {1.0, 8000.0, 22050.0, 44100.0, 192000.0, 768000.0})
        EXPECT_TRUE(LilvInstance(*lilv, Lv2::kMonoUri, rate).ok()) << rate;
    for (double rate :
         {0.0, 0.5, -44100.0, 3e9, double(std::numeric_limits<float>::infinity()), std::nan("")})
        EXPECT_FALSE(LilvInstance(*lilv, Lv2::kStereoUri, rate).ok()) << rate;
}

} // namespace
} // namespace Brumvale
