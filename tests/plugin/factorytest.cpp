// Host-level tests: loading the bundle and what its factory lists.
// GPL-3.0-or-later.
#include "bundletest.h"

#include <pluginterfaces/vst/ivstaudioprocessor.h>

#include <cstdio>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

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
    EXPECT_EQ(processor.version, "1.0.0.1");
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
    EXPECT_EQ(controller.version, "1.0.0.1");
}

TEST_F(FactoryTest, ExportsTheLinuxEntryPoints)
{
    for (const char* name : {"GetPluginFactory", "InitDll", "ExitDll", "ModuleEntry", "ModuleExit"})
        EXPECT_NE(module().symbol(name), nullptr) << name;
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
    using GetFactory = IPluginFactory* (*)();
    auto getFactory = reinterpret_cast<GetFactory>(module().symbol("GetPluginFactory"));
    ASSERT_NE(getFactory, nullptr);
    IPluginFactory* again = getFactory();
    EXPECT_EQ(again, module().factory());
    if (again)
        again->release();
}

// The loader's own error texts: a host must be able to tell the user what went wrong.
TEST(PluginModuleTest, ReportsMissingAndMalformedBundles)
{
    std::string error;
    EXPECT_EQ(PluginModule::load("/nonexistent/Nothing.vst3", error), nullptr);
    EXPECT_NE(error.find("not found"), std::string::npos) << error;

    char directory[] = "/tmp/brumvale-bundle-XXXXXX";
    ASSERT_NE(mkdtemp(directory), nullptr);
    const std::string bundle = std::string(directory) + "/Fake.vst3";
    ASSERT_EQ(mkdir(bundle.c_str(), 0700), 0);
    error.clear();
    EXPECT_EQ(PluginModule::load(bundle, error), nullptr);
    EXPECT_NE(error.find("not a VST 3 bundle"), std::string::npos) << error;

    // A binary that is not a shared object: dlopen fails and its reason is passed on.
    const std::string binaryDir = bundle + "/Contents/x86_64-linux";
    ASSERT_EQ(mkdir((bundle + "/Contents").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(binaryDir.c_str(), 0700), 0);
    const std::string binary = binaryDir + "/Fake.so";
    std::ofstream(binary) << "not an ELF file";
    error.clear();
    EXPECT_EQ(PluginModule::load(bundle, error), nullptr);
    EXPECT_NE(error.find("cannot load"), std::string::npos) << error;
    EXPECT_NE(error.find("Fake.so"), std::string::npos) << error;

    // A real shared object without the factory entry point.
    std::remove(binary.c_str());
    ASSERT_EQ(symlink("/lib/x86_64-linux-gnu/libm.so.6", binary.c_str()), 0);
    error.clear();
    EXPECT_EQ(PluginModule::load(bundle, error), nullptr);
    EXPECT_NE(error.find("no GetPluginFactory"), std::string::npos) << error;

    std::remove(binary.c_str());
    rmdir(binaryDir.c_str());
    rmdir((bundle + "/Contents").c_str());
    rmdir(bundle.c_str());
    rmdir(directory);
}

} // namespace
} // namespace Brumvale::Host
