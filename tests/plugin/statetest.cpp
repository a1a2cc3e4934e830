// Host-level tests: the 20-byte component state, written and read by both sides.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "blockrunner.h"
#include "bundletest.h"
#include "scriptedstream.h"
#include "statebytes.h"

#include <pluginterfaces/vst/ivsteditcontroller.h>
#include <pluginterfaces/vst/vstspeaker.h>

#include <cmath>
#include <limits>

namespace Brumvale::Host {
namespace {

using namespace Steinberg;
using Bytes = std::vector<std::uint8_t>;

class ComponentStateTest : public BundleTest
{
protected:
    static Bytes stateOf(PluginInstance& instance)
    {
        Bytes bytes;
        EXPECT_EQ(instance.getComponentState(bytes), kResultOk);
        return bytes;
    }
    static std::vector<double> controllerValues(PluginInstance& instance)
    {
        std::vector<double> values;
        for (Vst::ParamID id = 0; id < 5; ++id)
            values.push_back(instance.controller()->getParamNormalized(id));
        return values;
    }
    // Sets the processor's values through a process call, as automation would.
    static void automate(PluginInstance& instance, std::initializer_list<double> values)
    {
        BlockRunner runner(instance.processor(), 2, 2, kMaxBlock);
        Vst::ParamID id = 0;
        for (double value : values)
            runner.changes().addChange(id++, 0, value);
        EXPECT_EQ(runner.flush(), kResultOk);
    }
};

TEST_F(ComponentStateTest, ProcessorWritesTheExactBytes)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    EXPECT_EQ(stateOf(*instance),
              (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x3F}));

    automate(*instance, {0.0, 1.0, 0.0, 0.25, 1.0});
    EXPECT_EQ(stateOf(*instance),
              (Bytes{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0x3E, 0, 0, 0x80, 0x3F}));
}

TEST_F(ComponentStateTest, BothReadersTakeTheWorkedBytes)
{
    const Bytes bytes{1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0x3F, 0, 0, 0x80, 0x3F};
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    ASSERT_EQ(instance->setComponentState(bytes), kResultOk);
    EXPECT_EQ(stateOf(*instance), bytes);
    ASSERT_EQ(instance->transferComponentState(), kResultOk);
    EXPECT_EQ(controllerValues(*instance), (std::vector<double>{1.0, 0.0, 1.0, 0.5, 1.0}));
}

TEST_F(ComponentStateTest, ReadersDifferOnOddValuesAndIgnoreTrailingBytes)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    // -1 is off for the processor and on for the controller; 2 is on for both; a Boost
    // of 2.0 is kept by the processor and clamped by the controller.
    Bytes bytes = StateBytes::make(-1, 2, 0, 2.0f, 0.5f);
    bytes.resize(24, 0xEE);
    ASSERT_EQ(instance->setComponentState(bytes), kResultOk);
    const Bytes saved = stateOf(*instance);
    ASSERT_EQ(saved.size(), 20u);
    EXPECT_EQ(StateBytes::integer(saved, 0), 0);
    EXPECT_EQ(StateBytes::integer(saved, 4), 1);
    EXPECT_EQ(StateBytes::real(saved, 12), 2.0f);
    EXPECT_EQ(StateBytes::real(saved, 16), 0.5f);

    ASSERT_EQ(instance->setControllerComponentState(bytes), kResultOk);
    EXPECT_EQ(controllerValues(*instance), (std::vector<double>{1.0, 1.0, 0.0, 1.0, 0.5}));
}

TEST_F(ComponentStateTest, FailingStreamChangesNothing)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    const Bytes before = StateBytes::make(1, 0, 1, 0.75f, 0.25f);
    ASSERT_EQ(instance->setComponentState(before), kResultOk);
    ASSERT_EQ(instance->setControllerComponentState(before), kResultOk);
    const auto controllerBefore = controllerValues(*instance);

    auto stream = owned(new ScriptedStream(StateBytes::make(0, 1, 0, 0.1f, 0.9f)));
    stream->failAfter(8);
    EXPECT_EQ(instance->component()->setState(stream), kResultFalse);
    EXPECT_EQ(stateOf(*instance), before);

    stream->seek(0, IBStream::kIBSeekSet, nullptr);
    EXPECT_EQ(instance->controller()->setComponentState(stream), kResultFalse);
    EXPECT_EQ(controllerValues(*instance), controllerBefore);
}

TEST_F(ComponentStateTest, EmptyStreamThatReportsSuccessGivesThePresets)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    ASSERT_EQ(instance->setComponentState(StateBytes::make(1, 1, 1, 0.5f, 0.5f)), kResultOk);

    auto stream = owned(new ScriptedStream);
    stream->succeedWithoutData(true);
    ASSERT_EQ(instance->component()->setState(stream), kResultOk);
    EXPECT_EQ(stateOf(*instance), StateBytes::make(0, 0, 0, 0.0f, 0.0f));

    instance->controller()->setParamNormalized(3, 0.7);
    ASSERT_EQ(instance->controller()->setComponentState(stream), kResultOk);
    EXPECT_EQ(controllerValues(*instance), (std::vector<double>{0.0, 0.0, 0.0, 0.0, 1.0}));
}

TEST_F(ComponentStateTest, NonFiniteValuesAreRefusedByBothReaders)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    const Bytes before = StateBytes::make(0, 1, 0, 0.25f, 0.75f);
    ASSERT_EQ(instance->setComponentState(before), kResultOk);
    ASSERT_EQ(instance->setControllerComponentState(before), kResultOk);
    const auto controllerBefore = controllerValues(*instance);

    for (float bad :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
          -std::numeric_limits<float>::infinity()})
    {
        for (const Bytes& state :
             {StateBytes::make(1, 0, 1, bad, 0.5f), StateBytes::make(1, 0, 1, 0.5f, bad)})
        {
            EXPECT_EQ(instance->setComponentState(state), kResultFalse) << bad;
            EXPECT_EQ(stateOf(*instance), before) << bad;
            EXPECT_EQ(instance->setControllerComponentState(state), kResultFalse) << bad;
            EXPECT_EQ(controllerValues(*instance), controllerBefore) << bad;
        }
    }
}

TEST_F(ComponentStateTest, MissingStreams)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    const Bytes before = StateBytes::make(1, 0, 0, 0.5f, 0.5f);
    ASSERT_EQ(instance->setComponentState(before), kResultOk);
    ASSERT_EQ(instance->setControllerComponentState(before), kResultOk);
    EXPECT_EQ(instance->component()->setState(nullptr), kInvalidArgument);
    EXPECT_EQ(stateOf(*instance), before);
    EXPECT_EQ(instance->controller()->setComponentState(nullptr), kResultOk);
    EXPECT_EQ(controllerValues(*instance), (std::vector<double>{1.0, 0.0, 0.0, 0.5, 0.5}));
}

TEST_F(ComponentStateTest, WritingStopsAtTheFirstFailedWrite)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    auto stream = owned(new ScriptedStream);
    stream->failAfter(4);
    EXPECT_EQ(instance->component()->getState(stream), kResultFalse);
    EXPECT_EQ(stream->bytes().size(), 4u);
    EXPECT_EQ(stream->writeCalls(), 2);
}

TEST_F(ComponentStateTest, ControllerStateIs257BytesWithALittleEndianMarker)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    auto stream = owned(new ScriptedStream);
    ASSERT_EQ(instance->controller()->getState(stream), kResultOk);
    ASSERT_EQ(stream->bytes().size(), 257u);
    EXPECT_EQ(stream->bytes()[0], 0);

    // A big-endian marker swaps every code unit; the state then reads back little-endian.
    Bytes text(257, 0);
    text[0] = 1;
    text[1] = 0x00;
    text[2] = 0x41;
    auto input = owned(new ScriptedStream(text));
    ASSERT_EQ(instance->controller()->setState(input), kResultOk);
    auto output = owned(new ScriptedStream);
    ASSERT_EQ(instance->controller()->getState(output), kResultOk);
    ASSERT_EQ(output->bytes().size(), 257u);
    EXPECT_EQ(output->bytes()[1], 0x41);
    EXPECT_EQ(output->bytes()[2], 0x00);
}

// A stream that breaks in the middle of the text, leaving part of it in the reader's
// buffer, is refused and changes nothing.
TEST_F(ComponentStateTest, ABrokenControllerStateChangesNothing)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    auto before = owned(new ScriptedStream);
    ASSERT_EQ(instance->controller()->getState(before), kResultOk);

    auto input = owned(new ScriptedStream(Bytes(257, 0x41)));
    input->failAfter(100);
    input->deliverPartBeforeFailing(true);
    EXPECT_EQ(instance->controller()->setState(input), kResultFalse);
    auto after = owned(new ScriptedStream);
    ASSERT_EQ(instance->controller()->getState(after), kResultOk);
    EXPECT_EQ(after->bytes(), before->bytes());
}

// What a host does on save and reload: bypass (and every other value) survives, and the
// controller mirrors the processor.
TEST_F(ComponentStateTest, SavedStateRestoresProcessorAndController)
{
    auto first = startedInstance();
    ASSERT_TRUE(first);
    automate(*first, {1.0, 0.0, 1.0, 0.3, 0.6});
    const Bytes saved = stateOf(*first);
    EXPECT_EQ(StateBytes::integer(saved, 0), 1);

    auto second = openInstance();
    ASSERT_TRUE(second);
    ASSERT_EQ(second->setComponentState(saved), kResultOk);
    ASSERT_EQ(second->transferComponentState(), kResultOk);
    EXPECT_EQ(stateOf(*second), saved);
    const auto values = controllerValues(*second);
    EXPECT_EQ(values[0], 1.0);
    EXPECT_EQ(values[1], 0.0);
    EXPECT_EQ(values[2], 1.0);
    EXPECT_EQ(values[3], static_cast<double>(0.3f));
    EXPECT_EQ(values[4], static_cast<double>(0.6f));
}

} // namespace
} // namespace Brumvale::Host
