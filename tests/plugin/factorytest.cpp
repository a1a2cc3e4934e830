// Host-level tests: loading the bundle and what its factory lists.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "brumvaleversion.h"
#include "bundletest.h"

#include <pluginterfaces/vst/ivstaudioprocessor.h>

namespace Brumvale::Host {
namespace {

using namespace Steinberg;

using FactoryTest = BundleTest;

TEST_F(FactoryTest, ListsProcessorThenController)
{
    const FactoryInfo info = module().factoryInfo();
    EXPECT_EQ(info.vendor, "Kelmarotte");
    EXPECT_EQ(info.flags, PFactoryInfo::kUnicode);

    const std::vector<ClassInfo> classes = module().classes();
    ASSERT_EQ(classes.size(), 2u);

    const ClassInfo& processor = classes[0];
    EXPECT_EQ(processor.cidString, kProcessorId);
    EXPECT_EQ(processor.name, "Brumvale");
    EXPECT_EQ(processor.category, "Audio Module Class");
    EXPECT_EQ(processor.cardinality, PClassInfo::kManyInstances);
    ASSERT_TRUE(processor.hasInfo2);
    EXPECT_EQ(processor.classFlags, 1u);
    EXPECT_EQ(processor.subCategories, "Fx|Distortion");
    EXPECT_EQ(processor.vendor, "");
    EXPECT_EQ(processor.version, BRUMVALE_VERSION_TEXT);
    EXPECT_EQ(processor.sdkVersion, "VST 3.5.2");

    const ClassInfo& controller = classes[1];
    EXPECT_EQ(controller.cidString, kControllerId);
    EXPECT_EQ(controller.name, "BrumvaleController");
    EXPECT_EQ(controller.category, "Component Controller Class");
    EXPECT_EQ(controller.cardinality, PClassInfo::kManyInstances);
    ASSERT_TRUE(controller.hasInfo2);
    EXPECT_EQ(controller.classFlags, 0u);
    EXPECT_EQ(controller.subCategories, "");
    EXPECT_EQ(controller.vendor, "");
    EXPECT_EQ(controller.version, BRUMVALE_VERSION_TEXT);
}

TEST_F(FactoryTest, ProcessorNamesTheListedControllerClass)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    TUID controllerId = {};
    ASSERT_EQ(instance->component()->getControllerClassId(controllerId), kResultOk);
    EXPECT_EQ(PluginModule::classIdString(controllerId), kControllerId);
}

TEST_F(FactoryTest, NullPointersAreRefused)
{
    auto instance = openInstance();
    ASSERT_TRUE(instance);
    for (FUnknown* object :
         {static_cast<FUnknown*>(module().factory()), static_cast<FUnknown*>(instance->component()),
          static_cast<FUnknown*>(instance->controller())})
    {
        int sentinel = 0;
        void* found = &sentinel;
        EXPECT_EQ(object->queryInterface(nullptr, &found), kInvalidArgument);
        EXPECT_EQ(found, nullptr);
        EXPECT_EQ(object->queryInterface(FUnknown::iid, nullptr), kInvalidArgument);
    }
    EXPECT_EQ(instance->component()->getControllerClassId(nullptr), kInvalidArgument);
}

TEST_F(FactoryTest, GetPluginFactoryHandsOutTheSameFactory)
{
    using GetFactory = IPluginFactory*(PLUGIN_API*)();
    auto getFactory = reinterpret_cast<GetFactory>(module().symbol("GetPluginFactory"));
    ASSERT_NE(getFactory, nullptr);
    IPluginFactory* again = getFactory();
    EXPECT_EQ(again, module().factory());
    if (again)
        again->release();
}

} // namespace
} // namespace Brumvale::Host
