// Host-level tests: the edit controller's units, parameters, texts, MIDI mapping and
// the messages between processor and controller.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "blockrunner.h"
#include "bundletest.h"
#include "statebytes.h"
#include "stderrcapture.h"
#include "text.h"

#include <pluginterfaces/gui/iplugview.h>
#include <pluginterfaces/vst/ivsthostapplication.h>
#include <pluginterfaces/vst/ivstmidicontrollers.h>
#include <pluginterfaces/vst/ivstunits.h>

#include <cmath>
#include <limits>
#include <vector>

namespace Brumvale::Host {
namespace {

using namespace Steinberg;

class ControllerTest : public BundleTest
{
protected:
    void SetUp() override
    {
        BundleTest::SetUp();
        instance = openInstance();
        ASSERT_TRUE(instance);
    }

    std::string text(Vst::ParamID id, double value)
    {
        Vst::String128 out = {};
        EXPECT_EQ(instance->controller()->getParamStringByValue(id, value, out), kResultOk);
        return toUtf8(out);
    }

    // kResultOk and the value, or the result code with the untouched sentinel.
    tresult parse(Vst::ParamID id, const char* input, double& value)
    {
        Vst::String128 wide = {};
        widen(input, wide);
        value = -123.0;
        return instance->controller()->getParamValueByString(id, wide, value);
    }

    // A message made by the host application, as the other side would send it.
    IPtr<Vst::IMessage> hostMessage(const char* id)
    {
        auto* application = static_cast<Vst::IHostApplication*>(nullptr);
        if (instance->context()->queryInterface(
                Vst::IHostApplication::iid, reinterpret_cast<void**>(&application)) != kResultOk)
            return nullptr;
        TUID messageId;
        Vst::IMessage::iid.toTUID(messageId);
        void* object = nullptr;
        application->createInstance(messageId, messageId, &object);
        application->release();
        auto message = owned(static_cast<Vst::IMessage*>(object));
        if (message)
            message->setMessageID(id);
        return message;
    }

    static IPtr<Vst::IConnectionPoint> connectionPoint(FUnknown* side)
    {
        Vst::IConnectionPoint* point = nullptr;
        side->queryInterface(Vst::IConnectionPoint::iid, reinterpret_cast<void**>(&point));
        return owned(point);
    }

    // A message of the host's own making that carries no attribute list.
    struct BareMessage : Host::OwnedObject<Vst::IMessage>
    {
        FIDString PLUGIN_API getMessageID() override { return id; }
        void PLUGIN_API setMessageID(FIDString) override {}
        Vst::IAttributeList* PLUGIN_API getAttributes() override { return nullptr; }
        const char* id = nullptr;
    };

    std::unique_ptr<PluginInstance> instance;
};

TEST_F(ControllerTest, OneUnitHoldingBypass)
{
    auto* units = instance->controllerAs<Vst::IUnitInfo>();
    ASSERT_NE(units, nullptr);
    ASSERT_EQ(units->getUnitCount(), 1);
    Vst::UnitInfo info = {};
    ASSERT_EQ(units->getUnitInfo(0, info), kResultOk);
    EXPECT_EQ(info.id, 1);
    EXPECT_EQ(info.parentUnitId, Vst::kRootUnitId);
    EXPECT_EQ(toUtf8(info.name), "Unit1");
    EXPECT_EQ(info.programListId, Vst::kNoProgramListId);
    EXPECT_EQ(units->getProgramListCount(), 0);
    units->release();
}

TEST_F(ControllerTest, ParameterInfoAndFreshValues)
{
    using Info = Vst::ParameterInfo;
    const struct
    {
        const char* title;
        int32 flags;
        int32 stepCount;
        Vst::UnitID unit;
        double defaultValue;
        double currentValue;
    } expected[] = {{"Bypass", Info::kCanAutomate | Info::kIsBypass, 1, 1, 0.0, 0.0},
                    {"AntiAlias", Info::kCanAutomate, 1, 0, 0.0, 0.0},
                    {"Warmth", Info::kCanAutomate, 1, 0, 0.0, 0.0},
                    {"Boost", Info::kCanAutomate, 0, 0, 1.0, 0.0},
                    {"Volume", Info::kCanAutomate, 0, 0, 1.0, 1.0}};
    ASSERT_EQ(instance->controller()->getParameterCount(), 5);
    for (int32 index = 0; index < 5; ++index)
    {
        Info info = {};
        ASSERT_EQ(instance->controller()->getParameterInfo(index, info), kResultOk);
        const auto& want = expected[index];
        EXPECT_EQ(info.id, static_cast<Vst::ParamID>(index));
        EXPECT_EQ(toUtf8(info.title), want.title);
        EXPECT_EQ(toUtf8(info.shortTitle), "");
        EXPECT_EQ(toUtf8(info.units), "");
        EXPECT_EQ(info.flags, want.flags) << want.title;
        EXPECT_EQ(info.stepCount, want.stepCount) << want.title;
        EXPECT_EQ(info.unitId, want.unit) << want.title;
        EXPECT_EQ(info.defaultNormalizedValue, want.defaultValue) << want.title;
        EXPECT_EQ(instance->controller()->getParamNormalized(info.id), want.currentValue)
            << want.title;
    }
    // The plain value is the normalised value.
    EXPECT_EQ(instance->controller()->normalizedParamToPlain(3, 0.25), 0.25);
    EXPECT_EQ(instance->controller()->plainParamToNormalized(4, 0.75), 0.75);
}

TEST_F(ControllerTest, DecibelTexts)
{
    const struct
    {
        double value;
        const char* boost;
        const char* volume;
    } table[] = {{0.0, "0.0 dB", "-36.0 dB"},
                 {0.25, "9.0 dB", "-27.0 dB"},
                 {0.5, "18.0 dB", "-18.0 dB"},
                 {1.0, "36.0 dB", "0.0 dB"},
                 {0.99999, "36.0 dB", "-0.0 dB"}};
    for (const auto& row : table)
    {
        EXPECT_EQ(text(3, row.value), row.boost) << row.value;
        EXPECT_EQ(text(4, row.value), row.volume) << row.value;
    }
    // Far outside the range the text must still fit its 32-byte buffer.
    for (double huge : {1e30, -1e30, 1e300, HUGE_VAL})
    {
        for (Vst::ParamID id : {3u, 4u})
        {
            const std::string shown = text(id, huge);
            EXPECT_FALSE(shown.empty()) << huge;
            EXPECT_LE(shown.size(), 31u) << huge << " gave " << shown;
        }
    }
}

TEST_F(ControllerTest, DecibelParsing)
{
    double value = 0.0;
    for (const char* input : {"18", "18.0 dB", "18,0"})
    {
        ASSERT_EQ(parse(3, input, value), kResultOk) << input;
        EXPECT_EQ(value, 0.5) << input;
    }
    ASSERT_EQ(parse(3, "about 9", value), kResultOk);
    EXPECT_EQ(value, 0.25);
    ASSERT_EQ(parse(3, "12", value), kResultOk);
    EXPECT_NEAR(value, 0.33333334, 1e-7);
    ASSERT_EQ(parse(4, "-6", value), kResultOk);
    EXPECT_NEAR(value, 0.83333331, 1e-7);
    ASSERT_EQ(parse(4, "+6", value), kResultOk);
    EXPECT_NEAR(value, 1.16666663, 1e-7);

    EXPECT_NE(parse(3, "dB", value), kResultOk);
    EXPECT_EQ(value, -123.0);
    EXPECT_NE(parse(4, "", value), kResultOk);
    EXPECT_EQ(value, -123.0);
}

TEST_F(ControllerTest, SwitchTexts)
{
    for (Vst::ParamID id : {0u, 1u, 2u})
    {
        EXPECT_EQ(text(id, 0.5), "Off") << id;
        EXPECT_EQ(text(id, 0.51), "On") << id;
        double value = 0.0;
        ASSERT_EQ(parse(id, "1", value), kResultOk);
        EXPECT_EQ(value, 1.0);
        ASSERT_EQ(parse(id, "0.3", value), kResultOk);
        EXPECT_EQ(value, 0.3);
        EXPECT_NE(parse(id, "On", value), kResultOk);
    }
}

TEST_F(ControllerTest, SwitchesReadTextsAsTheDecibelParametersDo)
{
    const struct
    {
        const char* input;
        double value;
    } table[] = {{"0,3", 0.3}, {"about 1", 1.0}, {"Warmth 0.75 or so", 0.75}};
    for (Vst::ParamID id : {0u, 1u, 2u})
        for (const auto& row : table)
        {
            double value = 0.0;
            ASSERT_EQ(parse(id, row.input, value), kResultOk) << id << " " << row.input;
            EXPECT_EQ(value, row.value) << id << " " << row.input;
        }
}

// Whatever a host or a user hands in: no number, a number that is not finite, a
// lone UTF-16 surrogate, an over-long text or none at all. Refused texts leave the
// value untouched; nothing throws.
TEST_F(ControllerTest, MalformedTextsAreRefusedOrReadSafely)
{
    Vst::IEditController* controller = instance->controller();
    for (Vst::ParamID id = 0; id < 5; ++id)
    {
        double value = 0.0;
        for (const char* input : {"nan", "inf", "-inf dB", "1e999", "info", "Volume nan"})
        {
            EXPECT_EQ(parse(id, input, value), kResultFalse) << id << " " << input;
            EXPECT_EQ(value, -123.0) << id << " " << input;
        }
        const Vst::TChar surrogateThenNumber[] = {0xD800, '0', '.', '5', 0};
        value = -123.0;
        EXPECT_EQ(controller->getParamValueByString(
                      id, const_cast<Vst::TChar*>(surrogateThenNumber), value),
                  kResultOk)
            << id;
        EXPECT_NE(value, -123.0) << id;
        Vst::TChar onlySurrogates[] = {0xDC00, 0xD800, 0};
        EXPECT_EQ(controller->getParamValueByString(id, onlySurrogates, value), kResultFalse);
        EXPECT_EQ(controller->getParamValueByString(id, nullptr, value), kResultFalse);

        // Up to 127 units are read, longer texts refused.
        std::vector<Vst::TChar> padded(126, ' ');
        padded.push_back('1');
        padded.push_back(0);
        EXPECT_EQ(controller->getParamValueByString(id, padded.data(), value), kResultOk) << id;
        padded.insert(padded.begin(), ' ');
        value = -123.0;
        EXPECT_EQ(controller->getParamValueByString(id, padded.data(), value), kResultFalse) << id;
        EXPECT_EQ(value, -123.0);
    }
    // Decibels beyond the float range would become an infinite normalised value.
    double value = 0.0;
    EXPECT_EQ(parse(3, "1e300 dB", value), kResultFalse);
    EXPECT_EQ(parse(4, "-1e39", value), kResultFalse);
    ASSERT_EQ(parse(3, "1080 dB", value), kResultOk);
    EXPECT_EQ(value, 30.0);
}

TEST_F(ControllerTest, ValuesThatAreNotFiniteAreRefused)
{
    Vst::IEditController* controller = instance->controller();
    for (Vst::ParamID id = 0; id < 5; ++id)
    {
        ASSERT_EQ(controller->setParamNormalized(id, 0.25), kResultOk);
        for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL})
        {
            EXPECT_EQ(controller->setParamNormalized(id, bad), kInvalidArgument) << id;
            EXPECT_EQ(controller->getParamNormalized(id), 0.25) << id;
        }
    }
    // Finite values outside 0..1 are clamped as they are stored.
    EXPECT_EQ(controller->setParamNormalized(3, 30.0), kResultOk);
    EXPECT_EQ(controller->getParamNormalized(3), 1.0);
}

TEST_F(ControllerTest, IndexesOutOfRangeAndNullPointersAreRefused)
{
    Vst::IEditController* controller = instance->controller();
    auto* units = instance->controllerAs<Vst::IUnitInfo>();
    ASSERT_NE(units, nullptr);
    Vst::ParameterInfo parameter = {};
    Vst::UnitInfo unit = {};
    for (int32 index : {-1, 5, std::numeric_limits<int32>::max()})
        EXPECT_EQ(controller->getParameterInfo(index, parameter), kInvalidArgument) << index;
    for (int32 index : {-1, 1})
        EXPECT_EQ(units->getUnitInfo(index, unit), kInvalidArgument) << index;
    EXPECT_EQ(controller->getParamStringByValue(3, 0.5, nullptr), kInvalidArgument);

    // After terminate nothing is registered, and nothing is reachable either.
    ASSERT_EQ(instance->terminate(), kResultOk);
    EXPECT_EQ(controller->getParameterCount(), 0);
    EXPECT_EQ(controller->getParameterInfo(0, parameter), kInvalidArgument);
    EXPECT_EQ(units->getUnitInfo(0, unit), kInvalidArgument);
    units->release();
}

TEST_F(ControllerTest, CreatesEditorViewsByName)
{
    Vst::IEditController* controller = instance->controller();
    for (const char* name : {"Editor", "", static_cast<const char*>(nullptr)})
        EXPECT_EQ(controller->createView(name), nullptr) << (name ? name : "null");
    auto first = owned(controller->createView("editor"));
    auto second = owned(controller->createView("editor"));
    ASSERT_TRUE(first && second);
    EXPECT_NE(first.get(), second.get());
    ViewRect size;
    ASSERT_EQ(first->getSize(&size), kResultOk);
    EXPECT_EQ(size.getWidth(), 180);
    EXPECT_EQ(size.getHeight(), 240);
    EXPECT_EQ(first->isPlatformTypeSupported(kWindowType), kResultTrue);
    for (FIDString other : {kOtherWindowType, kPlatformTypeNSView, static_cast<FIDString>(nullptr)})
        EXPECT_EQ(first->isPlatformTypeSupported(other), kResultFalse);
    // Without a native window, or with the wrong type, there is no editor.
    EXPECT_EQ(first->attached(nullptr, kWindowType), kResultFalse);
    EXPECT_EQ(first->attached(reinterpret_cast<void*>(1), kOtherWindowType), kResultFalse);
}

TEST_F(ControllerTest, MidiControllersSevenAndTwelve)
{
    auto* mapping = instance->controllerAs<Vst::IMidiMapping>();
    ASSERT_NE(mapping, nullptr);
    for (int16 channel : {0, 15})
    {
        Vst::ParamID id = 99;
        ASSERT_EQ(mapping->getMidiControllerAssignment(0, channel, Vst::kCtrlVolume, id),
                  kResultOk);
        EXPECT_EQ(id, 4u);
        id = 99;
        ASSERT_EQ(mapping->getMidiControllerAssignment(0, channel, Vst::kCtrlEffect1, id),
                  kResultOk);
        EXPECT_EQ(id, 3u);
        id = 99;
        EXPECT_EQ(mapping->getMidiControllerAssignment(0, channel, Vst::kCtrlModWheel, id),
                  kResultFalse);
        EXPECT_EQ(id, 99u);
        EXPECT_EQ(mapping->getMidiControllerAssignment(1, channel, Vst::kCtrlVolume, id),
                  kResultFalse);
        EXPECT_EQ(id, 99u);
    }
    mapping->release();
}

TEST_F(ControllerTest, MessagesArePrintedVerbatim)
{
    const char* text = "50%s and %d%% done";
    {
        StderrCapture capture;
        EXPECT_EQ(instance->sendText(false, text), kResultOk);
        EXPECT_EQ(capture.finish(), std::string("[again] received: ") + text + "\n");
    }
    {
        StderrCapture capture;
        EXPECT_EQ(instance->sendText(true, text), kResultOk);
        EXPECT_EQ(capture.finish(), std::string("[againController] received: ") + text + "\n");
    }
    {
        StderrCapture capture;
        ASSERT_EQ(instance->setActive(true), kResultOk);
        EXPECT_EQ(capture.finish(), "[againController] received: again::setActive (true)\n");
    }
    {
        StderrCapture capture;
        ASSERT_EQ(instance->setActive(false), kResultOk);
        EXPECT_EQ(capture.finish(), "");
    }
}

TEST_F(ControllerTest, BinaryMessageIsAcceptedSilently)
{
    auto message = hostMessage("BinaryMessage");
    ASSERT_TRUE(message);
    const char data[3] = {1, 2, 3};
    message->getAttributes()->setBinary("MyData", data, sizeof data);

    auto point = connectionPoint(instance->component());
    ASSERT_TRUE(point);
    StderrCapture capture;
    EXPECT_EQ(point->notify(message), kResultOk);
    EXPECT_EQ(point->notify(nullptr), kInvalidArgument);
    EXPECT_EQ(capture.finish(), "");
}

// A message without attributes, and a text the SDK's converter cannot take (a lone
// surrogate), are refused by both sides without printing anything.
TEST_F(ControllerTest, MalformedMessagesAreRefusedQuietly)
{
    auto surrogate = hostMessage("TextMessage");
    ASSERT_TRUE(surrogate);
    const Vst::TChar text[] = {'a', 0xD800, 'b', 0};
    surrogate->getAttributes()->setString("Text", text);
    BareMessage bare;
    for (FUnknown* side : {static_cast<FUnknown*>(instance->component()),
                           static_cast<FUnknown*>(instance->controller())})
    {
        auto point = connectionPoint(side);
        ASSERT_TRUE(point);
        StderrCapture capture;
        EXPECT_NE(point->notify(surrogate), kResultOk);
        for (const char* id : {"TextMessage", "BinaryMessage", static_cast<const char*>(nullptr)})
        {
            bare.id = id;
            EXPECT_EQ(point->notify(&bare), kResultFalse) << (id ? id : "no ID");
        }
        EXPECT_EQ(capture.finish(), "");
    }
}

TEST_F(ControllerTest, TwoInstancesAreIndependent)
{
    auto other = openInstance();
    ASSERT_TRUE(other);
    instance->controller()->setParamNormalized(3, 0.75);
    EXPECT_EQ(other->controller()->getParamNormalized(3), 0.0);

    ASSERT_EQ(instance->startProcessing(Vst::SpeakerArr::kStereo, kSampleRate, kMaxBlock),
              kResultOk);
    BlockRunner runner(instance->processor(), 2, 2, kMaxBlock);
    runner.changes().addChange(3, 0, 0.75);
    runner.changes().addChange(0, 0, 1.0);
    ASSERT_EQ(runner.flush(), kResultOk);

    std::vector<std::uint8_t> mine;
    std::vector<std::uint8_t> theirs;
    ASSERT_EQ(instance->getComponentState(mine), kResultOk);
    ASSERT_EQ(other->getComponentState(theirs), kResultOk);
    EXPECT_EQ(StateBytes::real(mine, 12), 0.75f);
    EXPECT_EQ(StateBytes::integer(mine, 0), 1);
    EXPECT_EQ(theirs, StateBytes::make(0, 0, 0, 0.0f, 1.0f));
}

TEST_F(ControllerTest, HandlerSeesNoEditsFromHostCalls)
{
    // Host-driven changes are not gestures: a controller must not echo them back.
    instance->controller()->setParamNormalized(3, 0.5);
    ASSERT_EQ(instance->transferComponentState(), kResultOk);
    EXPECT_TRUE(instance->handler().calls().empty());
}

} // namespace
} // namespace Brumvale::Host
