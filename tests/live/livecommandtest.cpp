// brumvale live between the ports of a JACK server of the test's own, with a test
// client that plays a sine and records: the octave, a render's samples, MIDI, a
// buffer size change, and every way it can fail.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "jackfixtures.h"
#include "spectrum.h"
#include "wavfiles.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace Brumvale {
namespace {

using namespace Testing;
constexpr double kRate = kJackRate;

pid_t startLive(const std::vector<std::string>& options)
{
    std::vector<std::string> arguments = {BRUMVALE_TOOL, "live", "--no-editor"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    const pid_t pid = fork();
    if (pid == 0)
    {
        std::vector<char*> argv;
        for (auto& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        setpgid(0, 0); // a group of its own, which waitForExit can end whole
        sendOutputTo("/dev/null", false);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

struct Output
{
    int status;
    std::string text;
};

// brumvale live with the options and no display (DISPLAY unset), with --no-editor
// unless the editor is asked for: its exit status and everything it wrote.
Output runLive(const std::string& options, bool editor = false)
{
    Output output{-1, ""};
    const std::string command = "env -u DISPLAY " + std::string(BRUMVALE_TOOL) + " live " +
                                (editor ? "" : "--no-editor ") + options + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    size_t count = 0;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.text.append(buffer, count);
    const int status = pclose(pipe);
    output.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output;
}

constexpr size_t kSilentCycles = 750;

// Once brumvale has connected its ports with the tester's and a second of cycles has
// run with the connections, the tester starts its sine at a cycle's start.
bool playOnceConnected(TestClient& tester)
{
    std::uint64_t connectedAt = 0;
    const bool connected = waitFor(
        [&] {
            if (jack_port_connected(tester.output()) > 0 && jack_port_connected(tester.input()) > 0)
                connectedAt = tester.cycles();
            return connectedAt > 0;
        },
        std::chrono::seconds(60));
    if (connected)
        waitFor([&] { return tester.cycles() > connectedAt + kSilentCycles; },
                std::chrono::seconds(60));
    tester.play();
    return connected;
}

// At Boost 18 dB the 220 Hz input comes out an octave up, and its samples are those
// of brumvale render with the same settings in 64-frame blocks. The tester's sine
// starts at a cycle's start, a second after the connections, so brumvale's blocks
// and the render's line up once the render's input begins with the same second of
// silence (in which the engine's signal trackers settle from their starting value,
// as they do in the live plug-in). The recording lags by whole cycles (JACK breaks
// the loop tester -> brumvale -> tester with a cycle's delay), found as the lag at
// which the two agree. What may differ is the remains of the guard value that keeps
// silence out of the denormal range (below 1e-29), which depend on how long the
// silence lasted.
TEST(LiveCommand, PlaysTheOctaveAsARenderDoesAndEndsCleanlyOnCtrlC)
{
    DummyServer server;
    ASSERT_TRUE(server.running) << "jackd (dummy driver) did not start";
    TestClient tester;
    ASSERT_TRUE(tester.ready());
    const pid_t live =
        startLive({"--set", "Boost=18 dB", "--in", "tester:out", "--out", "tester:in"});
    ASSERT_GT(live, 0);
    const bool connected = playOnceConnected(tester);
    const bool heard =
        waitFor([&] { return tester.frames() >= size_t(2 * kRate); }, std::chrono::seconds(60));
    kill(live, SIGINT);
    EXPECT_EQ(waitForExit(live), 0);
    ASSERT_TRUE(connected && heard) << "no output from brumvale live";
    const std::vector<float> recorded = tester.recorded();
    const std::vector<float> output(recorded.end() - long(1.5 * kRate), recorded.end());
    EXPECT_NEAR(strongestFrequency(output, kRate), 440.0, 5.0);
    EXPECT_GT(peakLevel(output), 0.05);

    const auto folder =
        std::filesystem::temp_directory_path() / ("brumvale-live-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const size_t length = size_t(1.5 * kRate);
    constexpr size_t silence = kSilentCycles * 64;
    std::vector<float> input(silence + length);
    for (size_t n = 0; n < length; ++n)
        input[silence + n] = TestClient::played(long(n));
    ASSERT_TRUE(writeWav((folder / "in.wav").string(), {input}, int(kRate)));
    const std::string render = std::string(BRUMVALE_TOOL) + " render " +
                               (folder / "in.wav").string() + " " + (folder / "out.wav").string() +
                               " --set 'Boost=18 dB' --block 64 --quiet";
    ASSERT_EQ(std::system(render.c_str()), 0);
    const Channels rendered = readAudio((folder / "out.wav").string());
    std::filesystem::remove_all(folder);
    ASSERT_EQ(rendered.size(), 1u);
    ASSERT_GE(rendered[0].size(), silence + length);

    const auto largestDifference = [&](size_t lag) {
        double largest = 0.0;
        for (size_t n = 0; n + lag < recorded.size() && n < length; ++n)
            largest =
                std::max(largest, double(std::fabs(recorded[n + lag] - rendered[0][silence + n])));
        return largest;
    };
    size_t lag = 0;
    constexpr double kGuardRemains = 1e-29;
    while (lag < 8 * 64 && largestDifference(lag) > kGuardRemains)
        lag += 64;
    EXPECT_LE(largestDifference(lag), kGuardRemains) << "at a lag of " << lag << " frames";
    EXPECT_LE(lag, 2 * 64u);
}

// Control changes 12 and 7 move Boost and Volume, through the plug-in's MIDI mapping.
TEST(LiveCommand, MidiControllersMoveBoostAndVolume)
{
    DummyServer server;
    ASSERT_TRUE(server.running);
    TestClient tester;
    ASSERT_TRUE(tester.ready());
    const pid_t live =
        startLive({"--midi", "tester:midi_out", "--in", "tester:out", "--out", "tester:in"});
    ASSERT_GT(live, 0);
    tester.play();
    const auto nextLevel = [&] { return rmsLevel(listen(tester, 1.0)); };
    const double plain = nextLevel();
    tester.controlChange(12, 127);
    const double boosted = nextLevel();
    tester.controlChange(7, 0);
    const double quiet = nextLevel();
    kill(live, SIGINT);
    EXPECT_EQ(waitForExit(live), 0);
    ASSERT_GT(plain, 0.0) << "no output from brumvale live";
    EXPECT_GT(boosted, 1.5 * plain) << "Boost did not follow controller 12";
    EXPECT_LT(quiet, 0.1 * boosted) << "Volume did not follow controller 7";
}

// The server's buffer grows from 64 to 256 frames while brumvale plays: it sets the
// plug-in up again (a processor set up for 64 frames would give silence).
TEST(LiveCommand, FollowsABufferSizeChange)
{
    DummyServer server;
    ASSERT_TRUE(server.running);
    TestClient tester;
    ASSERT_TRUE(tester.ready());
    const pid_t live = startLive({"--in", "tester:out", "--out", "tester:in"});
    ASSERT_GT(live, 0);
    tester.play();
    ASSERT_TRUE(waitFor([&] { return tester.heard() > 0; }, std::chrono::seconds(60)));
    ASSERT_EQ(jack_set_buffer_size(tester.handle(), 256), 0);
    const size_t from = tester.frames();
    const bool followed =
        waitFor([&] { return tester.frames() >= from + size_t(kRate); }, std::chrono::seconds(60));
    kill(live, SIGINT);
    EXPECT_EQ(waitForExit(live), 0);
    ASSERT_TRUE(followed);
    EXPECT_EQ(jack_get_buffer_size(tester.handle()), 256u);
    const std::vector<float> output = tester.lastSeconds(0.5);
    EXPECT_NEAR(strongestFrequency(output, kRate), 440.0, 5.0);
    EXPECT_GT(rmsLevel(output), 0.01);
}

TEST(LiveCommand, ClearErrorsForAMissingServerPortOrPreset)
{
    {
        DummyServer server;
        ASSERT_TRUE(server.running);
        const Output missingPort = runLive("--in nosuch:port");
        EXPECT_EQ(missingPort.status, 1);
        EXPECT_EQ(missingPort.text, "brumvale: no JACK port nosuch:port\n");
        EXPECT_EQ(runLive("--midi nosuch:midi").text, "brumvale: no JACK port nosuch:midi\n");
        const Output badChannels = runLive("--channels 3");
        EXPECT_EQ(badChannels.status, 2);
        const Output noDisplay = runLive("", true);
        EXPECT_EQ(noDisplay.status, 1);
        EXPECT_EQ(noDisplay.text, "brumvale: cannot open display (DISPLAY unset); give "
                                  "--no-editor to play without the editor\n");
    }
    const std::string garbage =
        (std::filesystem::temp_directory_path() / ("garbage-" + std::to_string(getpid()))).string();
    std::ofstream(garbage) << "not a preset";
    const Output badPreset = runLive("--preset " + garbage);
    std::filesystem::remove(garbage);
    EXPECT_EQ(badPreset.status, 1);
    EXPECT_EQ(badPreset.text, "brumvale: " + garbage + " is not a VST 3 preset\n");
    EXPECT_EQ(runLive("--preset /nonexistent/a.vstpreset").text,
              "brumvale: cannot read preset /nonexistent/a.vstpreset\n");
    // No server of that name: one line saying so. (The name the server had may be
    // another test's by now.)
    setenv("JACK_DEFAULT_SERVER", ("brumvale-absent-" + std::to_string(getpid())).c_str(), 1);
    const Output noServer = runLive("");
    EXPECT_EQ(noServer.status, 1);
    EXPECT_EQ(
        noServer.text,
        "brumvale: no JACK server is running (start jackd, or PipeWire with pipewire-jack)\n");
}

TEST(LiveCommand, EndsWithAMessageWhenTheServerGoesAway)
{
    DummyServer server;
    ASSERT_TRUE(server.running);
    TestClient tester;
    ASSERT_TRUE(tester.ready());
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t live = fork();
    if (live == 0)
    {
        setpgid(0, 0);
        dup2(pipeEnds[1], STDERR_FILENO);
        sendOutputTo("/dev/null", false);
        execl(BRUMVALE_TOOL, BRUMVALE_TOOL, "live", "--no-editor", "--in", "tester:out", "--out",
              "tester:in", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    tester.play();
    ASSERT_TRUE(waitFor([&] { return tester.heard() > 0; }, std::chrono::seconds(60)));
    server.stop();
    EXPECT_EQ(waitForExit(live), 1);
    std::string message;
    char buffer[512];
    for (ssize_t count; (count = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        message.append(buffer, size_t(count));
    close(pipeEnds[0]);
    EXPECT_NE(message.find("brumvale: the JACK server went away"), std::string::npos) << message;
}

} // namespace
} // namespace Brumvale
