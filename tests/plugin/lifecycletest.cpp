// Host-level tests: creating, initialising and tearing down instances repeatedly.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "blockrunner.h"
#include "bundletest.h"

#include <pluginterfaces/vst/ivstunits.h>
#include <pluginterfaces/vst/vstspeaker.h>

#include <cmath>

namespace Brumvale::Host {
namespace {

using namespace Steinberg;

using LifecycleTest = BundleTest;

TEST_F(LifecycleTest, RepeatedInitializeAndTerminate)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    for (int cycle = 0; cycle < 5; ++cycle)
    {
        instance->close();
        ASSERT_EQ(instance->open(), kResultOk) << cycle;
        EXPECT_EQ(instance->component()->getBusCount(Vst::kAudio, Vst::kInput), 1) << cycle;
        EXPECT_EQ(instance->component()->getBusCount(Vst::kAudio, Vst::kOutput), 1) << cycle;
        EXPECT_EQ(instance->controller()->getParameterCount(), 5) << cycle;
        ASSERT_EQ(instance->startProcessing(Vst::SpeakerArr::kStereo, kSampleRate, kMaxBlock),
                  kResultOk);
        BlockRunner runner(instance->processor(), 2, 2, kMaxBlock);
        fillWithSine(runner.input());
        ASSERT_EQ(runner.run(kMaxBlock), kResultOk);
        float peak = 0.0f;
        for (int32 i = 0; i < kMaxBlock; ++i)
        {
            ASSERT_TRUE(std::isfinite(runner.output().channel(0)[i]));
            peak = std::max(peak, std::fabs(runner.output().channel(0)[i]));
        }
        EXPECT_GT(peak, 0.01f) << cycle;
    }
}

// The SDK's bases refuse a second initialize only when the first had a context.
TEST_F(LifecycleTest, SecondInitializeIsRefusedAndAddsNothing)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    ASSERT_EQ(instance->terminate(), kResultOk);
    Vst::IComponent* component = instance->component();
    Vst::IEditController* controller = instance->controller();
    for (FUnknown* context : {static_cast<FUnknown*>(nullptr), instance->context()})
    {
        ASSERT_EQ(component->initialize(nullptr), kResultOk);
        ASSERT_EQ(controller->initialize(nullptr), kResultOk);
        EXPECT_EQ(component->initialize(context), kResultFalse);
        EXPECT_EQ(controller->initialize(context), kResultFalse);
        EXPECT_EQ(component->getBusCount(Vst::kAudio, Vst::kInput), 1);
        EXPECT_EQ(component->getBusCount(Vst::kAudio, Vst::kOutput), 1);
        EXPECT_EQ(controller->getParameterCount(), 5);
        auto* units = instance->controllerAs<Vst::IUnitInfo>();
        ASSERT_NE(units, nullptr);
        EXPECT_EQ(units->getUnitCount(), 1);
        units->release();
        ASSERT_EQ(component->terminate(), kResultOk);
        ASSERT_EQ(controller->terminate(), kResultOk);
    }
}

TEST_F(LifecycleTest, ManyInstancesCreatedAndReleased)
{
    for (int round = 0; round < 20; ++round)
    {
        auto instance = openInstance();
        ASSERT_TRUE(instance) << round;
    }
    // A created but never initialised pair is released cleanly too.
    ClassInfo processorClass;
    ASSERT_TRUE(module().findClass(kVstAudioEffectClass, processorClass));
    std::string error;
    auto idle = PluginInstance::create(module(), processorClass.cid, error);
    EXPECT_TRUE(idle) << error;
}

// Unloading and loading the module again gives a working factory each time.
TEST(ModuleReloadTest, LoadsAgainAfterUnload)
{
    for (int round = 0; round < 3; ++round)
    {
        std::string error;
        auto module = PluginModule::load(BundleTest::bundlePath(), error);
        ASSERT_TRUE(module) << error;
        EXPECT_EQ(module->classes().size(), 2u);
        ClassInfo processorClass;
        ASSERT_TRUE(module->findClass(kVstAudioEffectClass, processorClass));
        auto instance = PluginInstance::create(*module, processorClass.cid, error);
        ASSERT_TRUE(instance) << error;
        EXPECT_EQ(instance->open(), kResultOk);
    }
}

} // namespace
} // namespace Brumvale::Host
