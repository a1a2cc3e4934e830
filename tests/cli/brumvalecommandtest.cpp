// The brumvale tool run as a user runs it: renders compared with the engine run
// directly, parameters and automation reaching the plug-in, presets, info, every
// error with its exit status and no output file, and the demo.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/octavefuzzengine.h"
#include "processor/parameterdefaults.h"
#include "wavfiles.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace Brumvale {
namespace {

namespace fs = std::filesystem;

struct Result
{
    int status;
    std::string output; // standard output and standard error together
};

Result run(const std::string& arguments)
{
    const std::string command = std::string(BRUMVALE_TOOL) + " " + arguments + " 2>&1";
    Result result{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    size_t count = 0;
    while ((count = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
        result.output.append(buffer, count);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

using Testing::Channels;
using Testing::readAudio;

void writeWav(const fs::path& path, const Channels& channels, int rate)
{
    ASSERT_TRUE(Testing::writeWav(path.string(), channels, rate)) << path;
}

// A guitar-like stereo test signal.
Channels testSignal(int frames, int rate)
{
    Channels channels(2, std::vector<float>(size_t(frames)));
    for (int i = 0; i < frames; ++i)
    {
        const double t = double(i) / rate;
        channels[0][size_t(i)] = float(0.4 * std::sin(6.2831853 * 196.0 * t) * std::exp(-t));
        channels[1][size_t(i)] = float(0.3 * std::sin(6.2831853 * 147.0 * t + 1.0));
    }
    return channels;
}

// What the plug-in's processor does with its engine for a render: prepared as
// the processor prepares it, then parameter values, then the blocks.
struct ExpectedRender
{
    struct Change
    {
        long block;
        float boostDb;
    };

    static Channels render(const Channels& input, int rate, int block, float boostDb,
                           const std::vector<Change>& changes = {})
    {
        OctaveFuzzEngine engine;
        engine.setChannelCount(int(input.size()));
        engine.setSampleRate(rate);
        engine.setBoostDb(0.0f);
        engine.setVolumeDb(0.0f);
        engine.setBypass(false);
        engine.setAntiAlias(false);
        engine.setWarmth(false);
        engine.setBoostDb(boostDb);
        Channels output = input;
        const long frames = long(input[0].size());
        for (long start = 0, index = 0; start < frames; start += block, ++index)
        {
            for (const Change& change : changes)
                if (change.block == index)
                    engine.setBoostDb(change.boostDb);
            const int length = int(std::min<long>(block, frames - start));
            std::vector<const float*> in;
            std::vector<float*> out;
            for (size_t c = 0; c < input.size(); ++c)
            {
                in.push_back(input[c].data() + start);
                out.push_back(output[c].data() + start);
            }
            engine.processBlock(in.data(), out.data(), length);
        }
        return output;
    }
};

class BrumvaleCommand : public testing::Test
{
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() /
                 ("brumvale-test-" +
                  std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        input = testSignal(kFrames, kRate);
        writeWav(folder / "in.wav", input, kRate);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }

    static constexpr int kRate = 44100;
    static constexpr int kFrames = 44100;
    fs::path folder;
    Channels input;
};

TEST_F(BrumvaleCommand, RenderEqualsTheEngineRunDirectly)
{
    const Result result = run("render " + path("in.wav") + " " + path("out.wav") + " --block 256");
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_NE(result.output.find("real time"), std::string::npos) << result.output;
    int rate = 0;
    const Channels rendered = readAudio(path("out.wav"), &rate);
    EXPECT_EQ(rate, kRate);
    EXPECT_EQ(rendered, ExpectedRender::render(input, kRate, 256, 0.0f));
}

TEST_F(BrumvaleCommand, SetAndAutomateReachThePluginAtTheRightBlocks)
{
    Result result = run("render " + path("in.wav") + " " + path("set.wav") +
                        " --set Boost='18 dB' --block 512 -q");
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(readAudio(path("set.wav")), ExpectedRender::render(input, kRate, 512, 18.0f));

    // By ID and normalised: the same value.
    result = run("render " + path("in.wav") + " " + path("id.wav") + " --set 3=n:0.5 -q");
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(readAudio(path("id.wav")), readAudio(path("set.wav")));

    // A point at 0.5 s (frame 22050) lands in block 43 (frames 22016..22527), which
    // takes the value from its start; a second at 0.8 s (35280) in block 68.
    result = run("render " + path("in.wav") + " " + path("auto.wav") +
                 " --automate boost=0.5:12,0.8:n:0.25 --block 512 -q");
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(readAudio(path("auto.wav")),
              ExpectedRender::render(input, kRate, 512, 0.0f, {{43, 12.0f}, {68, 9.0f}}));
}

TEST_F(BrumvaleCommand, PresetsRoundTrip)
{
    Result result = run("render " + path("in.wav") + " " + path("a.wav") +
                        " --set Boost=9 --set Warmth=On --save-preset " + path("p.vstpreset"));
    ASSERT_EQ(result.status, 0) << result.output;
    std::ifstream preset(path("p.vstpreset"), std::ios::binary);
    char magic[4] = {};
    preset.read(magic, 4);
    EXPECT_EQ(std::string(magic, 4), "VST3");

    result = run("render " + path("in.wav") + " " + path("b.wav") + " --preset " +
                 path("p.vstpreset") + " --save-preset " + path("q.vstpreset"));
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(readAudio(path("a.wav")), readAudio(path("b.wav")));
    std::ifstream first(path("p.vstpreset"), std::ios::binary),
        second(path("q.vstpreset"), std::ios::binary);
    const std::string firstBytes((std::istreambuf_iterator<char>(first)), {});
    const std::string secondBytes((std::istreambuf_iterator<char>(second)), {});
    EXPECT_EQ(firstBytes, secondBytes);
    EXPECT_NE(readAudio(path("a.wav")), ExpectedRender::render(input, kRate, 512, 9.0f))
        << "Warmth must be part of the preset";
}

// Decibel texts far outside the range reach the processor unclamped (1080 dB is a
// normalised Boost of 30); the sound must stay finite, through a saved preset too,
// and be ordinary again as soon as the value is.
TEST_F(BrumvaleCommand, ValuesFarOutsideTheRangeRenderFiniteAudio)
{
    const auto finite = [](const Channels& channels) {
        for (const auto& channel : channels)
            for (float s : channel)
                if (!std::isfinite(s))
                    return false;
        return !channels.empty();
    };
    Result result =
        run("render " + path("in.wav") + " " + path("a.wav") +
            " -q --set Boost=1080 --set Volume=900 --save-preset " + path("p.vstpreset"));
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(finite(readAudio(path("a.wav"))));
    result = run("render " + path("in.wav") + " " + path("b.wav") + " -q --preset " +
                 path("p.vstpreset"));
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(readAudio(path("b.wav")), readAudio(path("a.wav")));

    // The same preset with the state's Boost (the float 30.0) made 1e30.
    std::ifstream saved(path("p.vstpreset"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(saved)), {});
    const float thirty = 30.0f, huge = 1e30f;
    const size_t at = bytes.find(std::string(reinterpret_cast<const char*>(&thirty), 4));
    ASSERT_NE(at, std::string::npos);
    bytes.replace(at, 4, reinterpret_cast<const char*>(&huge), 4);
    std::ofstream(path("huge.vstpreset"), std::ios::binary) << bytes;
    result = run("render " + path("in.wav") + " " + path("h.wav") + " -q --preset " +
                 path("huge.vstpreset"));
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(finite(readAudio(path("h.wav"))));

    result = run("render " + path("in.wav") + " " + path("c.wav") +
                 " -q --automate Boost=0:1080,0.5:18");
    ASSERT_EQ(result.status, 0) << result.output;
    const Channels automated = readAudio(path("c.wav"));
    ASSERT_TRUE(finite(automated));
    for (const auto& channel : automated)
        for (size_t i = kFrames / 2 + 512; i < channel.size(); ++i)
            ASSERT_LT(std::fabs(channel[i]), 4.0f) << i;
}

TEST_F(BrumvaleCommand, TailAndFormatsFollowTheOptions)
{
    Result result = run("render " + path("in.wav") + " " + path("tail.flac") + " --tail 0.5 -q");
    ASSERT_EQ(result.status, 0) << result.output;
    int rate = 0;
    const Channels flac = readAudio(path("tail.flac"), &rate);
    ASSERT_EQ(flac.size(), 2u);
    EXPECT_EQ(flac[0].size(), size_t(kFrames + kRate / 2));
    EXPECT_EQ(rate, kRate);
    for (const char* name : {"o.aiff", "o.ogg", "o.wav"})
    {
        result = run("render " + path("in.wav") + " " + path(name) + " -q");
        ASSERT_EQ(result.status, 0) << name << ": " << result.output;
        EXPECT_EQ(readAudio(path(name)).size(), 2u) << name;
    }
}

TEST_F(BrumvaleCommand, InfoListsWhatThePluginRegisters)
{
    const Result result = run("info");
    ASSERT_EQ(result.status, 0) << result.output;
    for (const char* expected :
         {"74E8DE5282554F5586FAE4152C935A20 \"Brumvale\" [Audio Module Class] sub-categories "
          "\"Fx|Distortion\", flags 1",
          "C39D5B67C7AF41FD743F4AD031EB03F3 \"BrumvaleController\"", "vendor \"Kelmarotte\"",
          "input 0: \"Stereo In\", 2 channels", "1 \"Unit1\", parent 0",
          "0 \"Bypass\" unit 1, steps 1, automatable|bypass",
          "3 \"Boost\" unit 0, steps 0, automatable, default 1 (36.0 dB), value 0 (0.0 dB)",
          "4 \"Volume\"", "controller 7 -> parameter 4", "controller 12 -> parameter 3"})
        EXPECT_NE(result.output.find(expected), std::string::npos) << expected;
}

TEST_F(BrumvaleCommand, BadInputGivesOneLineAndNoOutputFile)
{
    const std::string fakes = BRUMVALE_FAKE_BUNDLES;
    fs::create_directories(folder / "empty.vst3");
    std::ofstream(path("noise.wav")) << "this is not audio";
    writeWav(folder / "wide.wav", Channels(65, std::vector<float>(16, 0.0f)), kRate);
    // A good preset, then damaged copies of it.
    ASSERT_EQ(run("render " + path("in.wav") + " " + path("good.wav") + " -q --save-preset " +
                  path("good.vstpreset"))
                  .status,
              0);
    fs::remove(folder / "good.wav");
    std::ifstream goodFile(path("good.vstpreset"), std::ios::binary);
    const std::string good((std::istreambuf_iterator<char>(goodFile)), {});
    const auto damaged = [&](const std::string& name, std::string bytes) {
        std::ofstream(path(name), std::ios::binary) << bytes;
        return path(name);
    };
    std::string otherClass = good, pastTheEnd = good, listPastTheEnd = good;
    otherClass[8] = otherClass[8] == '0' ? '1' : '0';
    const size_t list = good.rfind("List");
    pastTheEnd[list + 8 + 12 + 7] = '\x7f'; // the first chunk's size, its top byte
    listPastTheEnd[40 + 3] = '\x7f';        // the list's offset, a high byte
    const struct
    {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"render " + path("missing.wav") + " OUT", "input file not found"},
        {"render " + path("noise.wav") + " OUT", "cannot read"},
        {"render " + path("in.wav") + " " + path("out.xyz"), "unknown output format '.xyz'"},
        {"render " + path("in.wav") + " OUT --plugin " + path("none.vst3"), "not found"},
        {"render " + path("in.wav") + " OUT --plugin " + path("empty.vst3"), "not a VST 3 bundle"},
        {"render " + path("in.wav") + " OUT --plugin " + fakes + "/nofactory.vst3",
         "GetPluginFactory"},
        {"render " + path("in.wav") + " OUT --plugin " + fakes + "/noeffect.vst3",
         "no audio effect class"},
        {"render " + path("in.wav") + " OUT --set Loudness=3", "unknown parameter 'Loudness'"},
        {"render " + path("in.wav") + " OUT --set Boost=loud", "cannot read 'loud'"},
        {"render " + path("in.wav") + " OUT --set Bypass=nan", "cannot read 'nan'"},
        {"render " + path("in.wav") + " OUT --set Volume=1e999", "cannot read '1e999'"},
        {"render " + path("in.wav") + " OUT --set Boost=n:1.5", "from 0 to 1"},
        {"render " + path("in.wav") + " OUT --automate Volume=0:n:nan", "from 0 to 1"},
        {"render " + path("wide.wav") + " OUT", "65 channels"},
        {"render " + path("in.wav") + " OUT --preset " + path("missing.vstpreset"),
         "cannot read preset"},
        {"render " + path("in.wav") + " OUT --preset " + path("in.wav"), "is not a VST 3 preset"},
        {"render " + path("in.wav") + " OUT --preset " + damaged("short1", good.substr(0, 30)),
         "is cut short"},
        {"render " + path("in.wav") + " OUT --preset " +
             damaged("short2", good.substr(0, list + 10)),
         "is cut short"},
        {"render " + path("in.wav") + " OUT --preset " + damaged("other", otherClass),
         "is a preset of another plug-in"},
        {"render " + path("in.wav") + " OUT --preset " + damaged("past", pastTheEnd),
         "has a chunk past its end"},
        {"render " + path("in.wav") + " OUT --preset " + damaged("list", listPastTheEnd),
         "has its chunk list past its end"},
    };
    for (const auto& c : cases)
    {
        std::string arguments = c.arguments;
        const size_t out = arguments.find(" OUT");
        if (out != std::string::npos)
            arguments.replace(out, 4, " " + path("out.wav"));
        const Result result = run(arguments);
        EXPECT_EQ(result.status, 1) << arguments << "\n" << result.output;
        EXPECT_NE(result.output.find(c.message), std::string::npos) << arguments << "\n"
                                                                    << result.output;
        EXPECT_EQ(std::count(result.output.begin(), result.output.end(), '\n'), 1)
            << "one line: " << result.output;
        EXPECT_FALSE(fs::exists(folder / "out.wav")) << arguments;
        EXPECT_FALSE(fs::exists(folder / "out.wav.partial")) << arguments;
    }
    // Wrong use of the command line itself: status 2, with a pointer to the help.
    for (const char* arguments : {"", "render", "render a", "frobnicate", "render a b --block 0",
                                  "render a b --automate Boost=x:3", "render a b --set Boost"})
    {
        const Result result = run(arguments);
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_NE(result.output.find("--help"), std::string::npos) << arguments;
    }
}

// The plug-in's diagnostic lines show only with --verbose; the tool's own output
// and a crashing plug-in's last words always do.
TEST_F(BrumvaleCommand, DiagnosticLinesShowOnlyWhenVerbose)
{
    const std::string diagnostic = "[againController] received: again::setActive (true)\n";
    const std::string render = "render " + path("in.wav") + " " + path("out.wav");
    const Result plain = run(render);
    ASSERT_EQ(plain.status, 0) << plain.output;
    EXPECT_EQ(plain.output.rfind("Rendered ", 0), 0u) << plain.output;
    EXPECT_EQ(std::count(plain.output.begin(), plain.output.end(), '\n'), 1) << plain.output;
    const Result verbose = run(render + " --verbose");
    ASSERT_EQ(verbose.status, 0) << verbose.output;
    EXPECT_EQ(verbose.output.rfind(diagnostic + "Rendered ", 0), 0u) << verbose.output;
    EXPECT_EQ(std::count(verbose.output.begin(), verbose.output.end(), '\n'), 2) << verbose.output;

    const Result demo = run("demo " + path("demo"));
    ASSERT_EQ(demo.status, 0) << demo.output;
    EXPECT_EQ(demo.output.find("received:"), std::string::npos) << demo.output;
    EXPECT_NE(demo.output.find("x)."), std::string::npos) << demo.output;

    const std::string crasher = " --plugin " + std::string(BRUMVALE_FAKE_BUNDLES) + "/crasher.vst3";
    for (const std::string& arguments :
         {"info" + crasher, "render " + path("in.wav") + " " + path("crash.wav") + crasher})
    {
        const Result crash = run(arguments);
        EXPECT_NE(crash.status, 0) << arguments;
        EXPECT_NE(crash.output.find("crasher: the factory is broken, giving up\n"),
                  std::string::npos)
            << arguments << ": " << crash.output;
        EXPECT_EQ(crash.output.find("[Crasher] received:"), std::string::npos) << crash.output;
    }
}

// The panel as a PNG: 180 x 240 (or scaled), different with the about panel open
// and at other values, and the tool's usual errors.
TEST_F(BrumvaleCommand, ScreenshotDrawsThePanel)
{
    const auto picture = [&](const std::string& name, const std::string& options) {
        const Result result = run("screenshot " + path(name) + " " + options);
        EXPECT_EQ(result.status, 0) << options << ": " << result.output;
        std::ifstream file(path(name), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(file)), {});
    };
    const auto bigEndian = [&](const std::string& png, size_t at) {
        if (png.size() < at + 4)
            return 0u;
        return (unsigned(uint8_t(png[at])) << 24) | (unsigned(uint8_t(png[at + 1])) << 16) |
               (unsigned(uint8_t(png[at + 2])) << 8) | unsigned(uint8_t(png[at + 3]));
    };
    const std::string plain = picture("plain.png", "");
    ASSERT_GT(plain.size(), 24u);
    EXPECT_EQ(plain.substr(1, 3), "PNG");
    EXPECT_EQ(bigEndian(plain, 16), 180u);
    EXPECT_EQ(bigEndian(plain, 20), 240u);
    EXPECT_NE(picture("about.png", "--about"), plain);
    EXPECT_NE(picture("boost.png", "--set Boost=18 --set Bypass=n:1"), plain);
    const std::string scaled = picture("scaled.png", "--scale 1.5");
    EXPECT_EQ(bigEndian(scaled, 16), 270u);
    EXPECT_EQ(bigEndian(scaled, 20), 360u);

    Result result = run("screenshot " + path("x.png") + " --set Boost=loud");
    EXPECT_EQ(result.status, 1) << result.output;
    EXPECT_NE(result.output.find("cannot read 'loud'"), std::string::npos) << result.output;
    EXPECT_FALSE(fs::exists(folder / "x.png"));
    EXPECT_EQ(run("screenshot").status, 2);
    for (const char* scale : {"5", "0.5", "1,5", "abc", "nan", "inf"})
    {
        result = run("screenshot " + path("x.png") + " --scale " + scale);
        EXPECT_EQ(result.status, 2) << scale;
        EXPECT_NE(result.output.find("--scale wants a number from 1 to 4"), std::string::npos)
            << result.output;
    }
    EXPECT_EQ(run("screenshot " + path("x.png") + " --scale").status, 2);
    EXPECT_FALSE(fs::exists(folder / "x.png"));
}

TEST_F(BrumvaleCommand, HelpExplainsEveryOption)
{
    const Result general = run("--help");
    EXPECT_EQ(general.status, 0);
    for (const char* word : {"render", "info", "demo"})
        EXPECT_NE(general.output.find(word), std::string::npos) << word;
    const Result render = run("render --help");
    EXPECT_EQ(render.status, 0);
    for (const char* option : {"--plugin", "--set", "--automate", "--block", "--preset",
                               "--save-preset", "--tail", "--quiet"})
        EXPECT_NE(render.output.find(option), std::string::npos) << option;
}

TEST_F(BrumvaleCommand, DemoWritesItsFilesAndShowsTheOctave)
{
    const Result result = run("demo " + path("demo"));
    ASSERT_EQ(result.status, 0) << result.output;
    for (const char* name :
         {"input.wav", "clean.wav", "boost.wav", "hifi.wav", "warmth.wav", "bypassed.wav"})
        EXPECT_EQ(readAudio(folder / "demo" / name).size(), 2u) << name;
    std::ifstream picture(folder / "demo" / "spectra.png", std::ios::binary);
    char signature[8] = {};
    picture.read(signature, 8);
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");
    // "... goes from 109.9 Hz to 219.9 Hz (2.00x)."
    const size_t at = result.output.find("x).");
    ASSERT_NE(at, std::string::npos) << result.output;
    const double ratio = std::stod(result.output.substr(result.output.rfind('(', at) + 1));
    EXPECT_NEAR(ratio, 2.0, 0.05) << result.output;
}

} // namespace
} // namespace Brumvale
