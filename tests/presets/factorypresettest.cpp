// The factory presets as built: each file gives the plug-in exactly its table's
// values, the files are the same from every write, the table's figures still hold
// and the presets sound different, and brumvale lists them and takes their names.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "bundletest.h"
#include "presetchunks.h"
#include "presets/factorypresets.h"
#include "text.h"
#include "wavfiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

namespace Brumvale {
namespace {

namespace fs = std::filesystem;
using namespace Steinberg;

const fs::path kBuilt = fs::path(BRUMVALE_TOOL).parent_path() / "presets";

struct Result
{
    int status;
    std::string output;
};

Result run(const std::string& arguments)
{
    Result result{-1, ""};
    FILE* pipe = popen((std::string(BRUMVALE_TOOL) + " " + arguments + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    for (size_t count; (count = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.output.append(buffer, count);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::vector<std::uint8_t> bytesOf(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {});
}

fs::path fileOf(const FactoryPreset& preset)
{
    return kBuilt / (std::string(preset.name) + ".vstpreset");
}

std::string quoted(const std::string& text) { return "'" + text + "'"; }

class FactoryPresetTest : public Host::BundleTest
{
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("brumvale-presets-" + std::to_string(getpid()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string path(const std::string& name) const { return (folder / name).string(); }

    fs::path folder;
};

// Loaded as a host loads it into a fresh instance, the controller shows the table's
// values; a render with the preset equals a render with the values set directly.
TEST_F(FactoryPresetTest, EachFileGivesItsTableValues)
{
    std::vector<float> guitar(22050);
    for (size_t n = 0; n < guitar.size(); ++n)
        guitar[n] = float(0.25 * std::sin(2 * M_PI * 110.0 * double(n) / 44100.0) *
                          std::exp(-double(n) / 20000.0));
    ASSERT_TRUE(Testing::writeWav(path("in.wav"), {guitar, guitar}, 44100));
    char number[32];
    for (const FactoryPreset& preset : kFactoryPresets)
    {
        SCOPED_TRACE(preset.name);
        Host::PresetChunks chunks;
        std::string error;
        ASSERT_TRUE(chunks.read(bytesOf(fileOf(preset)), kProcessorId, error)) << error;
        ASSERT_TRUE(chunks.hasController);
        auto instance = openInstance();
        ASSERT_TRUE(instance);
        ASSERT_EQ(instance->setComponentState(chunks.component), kResultOk);
        ASSERT_EQ(instance->setControllerComponentState(chunks.component), kResultOk);
        ASSERT_EQ(instance->setControllerState(chunks.controller), kResultOk);
        const auto onOff = [](bool on) { return std::string(on ? "On" : "Off"); };
        std::snprintf(number, sizeof number, "%.1f dB", preset.boostDb);
        const std::string boost = number;
        std::snprintf(number, sizeof number, "%.1f dB", preset.volumeDb);
        const std::string volume = number;
        const std::map<Vst::ParamID, std::string> expected = {{0, onOff(preset.bypass)},
                                                              {1, onOff(preset.hifi)},
                                                              {2, onOff(preset.warmth)},
                                                              {3, boost},
                                                              {4, volume}};
        for (const auto& [id, text] : expected)
        {
            Vst::String128 shown{};
            auto* controller = instance->controller();
            ASSERT_EQ(
                controller->getParamStringByValue(id, controller->getParamNormalized(id), shown),
                kResultOk);
            EXPECT_EQ(Host::toUtf8(shown), text) << "parameter " << id;
        }

        const Result withPreset = run("render " + path("in.wav") + " " + path("preset.wav") +
                                      " -q --preset " + quoted(fileOf(preset).string()));
        ASSERT_EQ(withPreset.status, 0) << withPreset.output;
        const Result withValues =
            run("render " + path("in.wav") + " " + path("values.wav") +
                " -q --set Bypass=" + onOff(preset.bypass) +
                " --set AntiAlias=" + onOff(preset.hifi) + " --set Warmth=" + onOff(preset.warmth) +
                " --set " + quoted("Boost=" + boost) + " --set " + quoted("Volume=" + volume));
        ASSERT_EQ(withValues.status, 0) << withValues.output;
        EXPECT_EQ(Testing::readAudio(path("preset.wav")), Testing::readAudio(path("values.wav")));
    }
}

// No time, path or order of writing is in a file: written again elsewhere they are
// the same bytes, and written over themselves they are not touched at all.
TEST_F(FactoryPresetTest, FilesAreTheSameFromEveryWrite)
{
    ASSERT_EQ(run("presets --write " + path("again")).status, 0);
    struct stat before
    {};
    ASSERT_EQ(stat(fileOf(kFactoryPresets[0]).c_str(), &before), 0);
    for (const FactoryPreset& preset : kFactoryPresets)
        EXPECT_EQ(bytesOf(folder / "again" / fileOf(preset).filename()), bytesOf(fileOf(preset)))
            << preset.name;
    ASSERT_EQ(run("presets --write " + kBuilt.string()).status, 0);
    struct stat after
    {};
    ASSERT_EQ(stat(fileOf(kFactoryPresets[0]).c_str(), &after), 0);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "again"), fs::directory_iterator()),
              long(kFactoryPresets.size()));
}

// The riff at a guitar's level stays below full scale through every preset, each
// figure of the table is what a render measures now, and any two presets differ
// by 2 dB or more in level, octave or brightness.
TEST_F(FactoryPresetTest, FiguresHoldAndEveryTwoPresetsSoundDifferent)
{
    const Result measured = run("presets --measure");
    ASSERT_EQ(measured.status, 0) << measured.output;
    std::map<std::string, PresetMeasurement> figures;
    std::istringstream lines(measured.output);
    std::string line;
    std::getline(lines, line); // the heading
    while (std::getline(lines, line))
    {
        const size_t split = line.find_first_of("-0123456789", 22);
        PresetMeasurement m{};
        std::istringstream(line.substr(split)) >> m.peakDb >> m.rmsDb >> m.octaveDb >>
            m.brightnessDb;
        std::string name = line.substr(0, split);
        name.erase(name.find_last_not_of(' ') + 1);
        figures[name] = m;
    }
    ASSERT_EQ(figures.size(), kFactoryPresets.size()) << measured.output;
    for (const FactoryPreset& preset : kFactoryPresets)
    {
        const PresetMeasurement& now = figures[preset.name];
        EXPECT_LT(now.peakDb, -1.0) << preset.name;
        const double table[] = {preset.measured.peakDb, preset.measured.rmsDb,
                                preset.measured.octaveDb, preset.measured.brightnessDb};
        const double got[] = {now.peakDb, now.rmsDb, now.octaveDb, now.brightnessDb};
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(got[i], table[i], 0.051) << preset.name << ", figure " << i;
    }
    for (const FactoryPreset& a : kFactoryPresets)
        for (const FactoryPreset& b : kFactoryPresets)
        {
            if (&a >= &b)
                continue;
            const PresetMeasurement &x = figures[a.name], &y = figures[b.name];
            const double apart =
                std::max({std::fabs(x.rmsDb - y.rmsDb), std::fabs(x.octaveDb - y.octaveDb),
                          std::fabs(x.brightnessDb - y.brightnessDb)});
            EXPECT_GE(apart, 2.0) << a.name << " and " << b.name << " sound alike";
        }
}

// brumvale presets shows each with its description, values and file; a factory
// name in any letter case stands for its file; an unknown name is no file.
TEST_F(FactoryPresetTest, BrumvaleListsThemAndTakesTheirNames)
{
    const Result listed = run("presets");
    ASSERT_EQ(listed.status, 0);
    for (const FactoryPreset& preset : kFactoryPresets)
    {
        EXPECT_NE(listed.output.find(std::string(preset.name) + ": " + preset.description + "\n"),
                  std::string::npos)
            << preset.name;
        EXPECT_NE(listed.output.find(fileOf(preset).string() + "\n"), std::string::npos);
    }
    EXPECT_NE(listed.output.find("Boost 36.0 dB  Volume -12.0 dB"), std::string::npos);

    std::vector<float> tone(4410, 0.2f);
    ASSERT_TRUE(Testing::writeWav(path("in.wav"), {tone}, 44100));
    ASSERT_EQ(
        run("render " + path("in.wav") + " " + path("named.wav") + " -q --preset 'sputter GATE'")
            .status,
        0);
    ASSERT_EQ(run("render " + path("in.wav") + " " + path("file.wav") + " -q --preset " +
                  quoted(fileOf(kFactoryPresets[2]).string()))
                  .status,
              0);
    EXPECT_EQ(Testing::readAudio(path("named.wav")), Testing::readAudio(path("file.wav")));
    const Result unknown =
        run("render " + path("in.wav") + " " + path("x.wav") + " --preset 'No Such Sound'");
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.output, "brumvale: cannot read preset No Such Sound\n");
}

// A file cut anywhere lacks its list or a chunk, and is refused before any of it is
// used; so is a chunk list entry that points past the end.
TEST_F(FactoryPresetTest, EveryCutOfAFileIsRefused)
{
    const std::vector<std::uint8_t> whole = bytesOf(fileOf(kFactoryPresets[0]));
    Host::PresetChunks chunks;
    std::string error;
    ASSERT_TRUE(chunks.read(whole, kProcessorId, error)) << error;
    for (size_t length = 0; length < whole.size(); ++length)
    {
        const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + long(length));
        EXPECT_FALSE(chunks.read(cut, kProcessorId, error)) << "cut at " << length;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(chunks.read(whole, kControllerId, error));
    EXPECT_EQ(error, std::string("is a preset of another plug-in (class ") + kProcessorId + ")");
}

// cmake --install puts them where hosts look, beside the bundles' folders.
TEST_F(FactoryPresetTest, InstallPutsThemWhereHostsLook)
{
    const std::string command = "cmake --install " +
                                fs::path(BRUMVALE_TOOL).parent_path().string() + " --prefix " +
                                path("prefix") + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const fs::path installed = folder / "prefix/share/vst3/presets/Kelmarotte/Brumvale";
    for (const FactoryPreset& preset : kFactoryPresets)
        EXPECT_EQ(bytesOf(installed / fileOf(preset).filename()), bytesOf(fileOf(preset)))
            << preset.name;
    EXPECT_TRUE(fs::is_directory(folder / "prefix/lib/vst3/Brumvale.vst3/Contents/x86_64-linux"));
    for (const char* file : {"brumvale.so", "manifest.ttl", "brumvale.ttl", "presets.ttl"})
        EXPECT_TRUE(fs::is_regular_file(folder / "prefix/lib/lv2/Brumvale.lv2" / file)) << file;
}

} // namespace
} // namespace Brumvale
