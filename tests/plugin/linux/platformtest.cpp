// Host-level tests of what is Linux's own: the module's entry points, the loader's error
// texts, the editor's window type.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bundletest.h"

#include <pluginterfaces/gui/iplugview.h>

#include <cstdio>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace Brumvale::Host {

const Steinberg::FIDString BundleTest::kWindowType = Steinberg::kPlatformTypeX11EmbedWindowID;
const Steinberg::FIDString BundleTest::kOtherWindowType = Steinberg::kPlatformTypeHWND;

namespace {

using FactoryTest = BundleTest;

TEST_F(FactoryTest, ExportsTheLinuxEntryPoints)
{
    for (const char* name : {"GetPluginFactory", "InitDll", "ExitDll", "ModuleEntry", "ModuleExit"})
        EXPECT_NE(module().symbol(name), nullptr) << name;
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
    const std::string binaryDir = bundle + "/Contents/" BRUMVALE_VST3_ARCHITECTURE;
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
    ASSERT_EQ(symlink("/lib/" BRUMVALE_LIBRARY_ARCHITECTURE "/libm.so.6", binary.c_str()), 0);
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
