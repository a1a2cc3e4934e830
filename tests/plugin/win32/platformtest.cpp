// Host-level tests of what is Windows' own: the module's entry points, how the loader
// finds a module (the .vst3 file, or a bundle folder that holds it) and reports
// failures, the editor's window type.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bundletest.h"

#include <pluginterfaces/gui/iplugview.h>

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>

namespace Brumvale::Host {

const Steinberg::FIDString BundleTest::kWindowType = Steinberg::kPlatformTypeHWND;
const Steinberg::FIDString BundleTest::kOtherWindowType = Steinberg::kPlatformTypeX11EmbedWindowID;

namespace {

namespace fs = std::filesystem;

using FactoryTest = BundleTest;

TEST_F(FactoryTest, ExportsTheWindowsEntryPoints)
{
    for (const char* name : {"GetPluginFactory", "InitDll", "ExitDll"})
        EXPECT_NE(module().symbol(name), nullptr) << name;
    EXPECT_EQ(module().binaryPath(), bundlePath()) << "the file is the module";
}

// Windows hosts compare class IDs as these 16 bytes (the GUID byte order).
TEST_F(FactoryTest, ClassIdsInTheGuidByteOrder)
{
    const unsigned char processor[16] = {0x52, 0xDE, 0xE8, 0x74, 0x55, 0x82, 0x55, 0x4F,
                                         0x86, 0xFA, 0xE4, 0x15, 0x2C, 0x93, 0x5A, 0x20};
    const unsigned char controller[16] = {0x67, 0x5B, 0x9D, 0xC3, 0xAF, 0xC7, 0xFD, 0x41,
                                          0x74, 0x3F, 0x4A, 0xD0, 0x31, 0xEB, 0x03, 0xF3};
    const std::vector<ClassInfo> classes = module().classes();
    ASSERT_EQ(classes.size(), 2u);
    EXPECT_EQ(std::memcmp(classes[0].cid, processor, 16), 0);
    EXPECT_EQ(std::memcmp(classes[1].cid, controller, 16), 0);
}

// The loader's own error texts: a host must be able to tell the user what went wrong.
TEST(PluginModuleTest, ReportsMissingAndMalformedModules)
{
    const fs::path directory =
        fs::temp_directory_path() / ("brumvale-modules-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(directory);
    const auto failure = [](const fs::path& path) {
        std::string error;
        EXPECT_EQ(PluginModule::load(path.u8string(), error), nullptr) << path;
        return error;
    };
    const auto mentions = [](const std::string& text, const char* part) {
        return text.find(part) != std::string::npos;
    };

    std::string error = failure(directory / "Nothing.vst3");
    EXPECT_TRUE(mentions(error, "not found")) << error;

    std::ofstream(directory / "Fake.dll") << "not a module";
    error = failure(directory / "Fake.dll");
    EXPECT_TRUE(mentions(error, "must end in .vst3")) << error;

    // A file that is no DLL: LoadLibraryW fails and the system's reason is passed on.
    std::ofstream(directory / "Fake.vst3") << "not a PE file";
    error = failure(directory / "Fake.vst3");
    EXPECT_TRUE(mentions(error, "cannot load") && mentions(error, "Fake.vst3") &&
                mentions(error, "(error "))
        << error;

    fs::create_directory(directory / "Empty.vst3");
    error = failure(directory / "Empty.vst3");
    EXPECT_TRUE(mentions(error, "not a VST 3 bundle")) << error;

    error = failure(fs::u8path(BRUMVALE_FAKE_MODULES) / "nofactory.vst3");
    EXPECT_TRUE(mentions(error, "no GetPluginFactory")) << error;
    error = failure(fs::u8path(BRUMVALE_FAKE_MODULES) / "noeffect.vst3");
    EXPECT_TRUE(mentions(error, "no audio effect class")) << error;

    // The bundle folder form: Brumvale.vst3/Contents/<architecture>-win/Brumvale.vst3.
#ifdef _WIN64
    const fs::path binaryFolder = directory / "Brumvale.vst3/Contents/x86_64-win";
#else
    const fs::path binaryFolder = directory / "Brumvale.vst3/Contents/x86-win";
#endif
    fs::create_directories(binaryFolder);
    fs::copy_file(fs::u8path(BundleTest::bundlePath()), binaryFolder / "Brumvale.vst3");
    {
        auto bundled = PluginModule::load((directory / "Brumvale.vst3").u8string(), error);
        ASSERT_TRUE(bundled) << error;
        EXPECT_TRUE(
            fs::equivalent(fs::u8path(bundled->binaryPath()), binaryFolder / "Brumvale.vst3"));
        EXPECT_EQ(bundled->classes().size(), 2u);
    }
    fs::remove_all(directory);
}

} // namespace
} // namespace Brumvale::Host
