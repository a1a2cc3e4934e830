// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// brumvale live between the ports of a JACK server of the test's own (the dummy
// driver: no sound card), with a test client that plays a sine and records.
#include "spectrum.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace Brumvale {
namespace {

constexpr double kRate = 48000.0;
using Clock = std::chrono::steady_clock;

void quiet(const char*) {}

// Runs until the condition holds or the bound (a stalled program's, not a
// measure of speed) passes; true when it held.
template <class Condition> bool waitFor(Condition condition, std::chrono::seconds bound)
{
    const auto deadline = Clock::now() + bound;
    while (!condition())
    {
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// A JACK server with the dummy driver at 48 kHz and 64 frames, named after the
// test process so that tests running side by side have one each; the process's
// clients (and the programs it starts) find it through JACK_DEFAULT_SERVER.
class DummyServer
{
public:
    DummyServer()
    {
        name = "brumvale-test-" + std::to_string(getpid()) + "-" + std::to_string(++servers);
        setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
        jack_set_error_function(quiet);
        jack_set_info_function(quiet);
        pid = fork();
        if (pid == 0)
        {
            std::freopen("/dev/null", "w", stdout);
            std::freopen("/dev/null", "w", stderr);
            execlp("jackd", "jackd", "-n", name.c_str(), "--no-realtime", "-d", "dummy", "-r",
                   "48000", "-p", "64", static_cast<char*>(nullptr));
            _exit(127);
        }
        running = pid > 0 && waitFor(
                                 [] {
                                     jack_client_t* probe =
                                         jack_client_open("probe", JackNoStartServer, nullptr);
                                     if (probe)
                                         jack_client_close(probe);
                                     return probe != nullptr;
                                 },
                                 std::chrono::seconds(30));
    }
    ~DummyServer() { stop(); }
    void stop()
    {
        if (pid <= 0)
            return;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
    bool running = false;

private:
    static inline int servers = 0;
    std::string name;
    pid_t pid = -1;
};

// Plays a 220 Hz sine at a guitar's level on "out" and records "in", from JACK's
// thread into storage reserved beforehand; sends control changes on "midi_out".
class TestClient
{
public:
    TestClient() : recording(size_t(kRate) * 20)
    {
        client = jack_client_open("tester", JackNoStartServer, nullptr);
        if (!client)
            return;
        out = jack_port_register(client, "out", JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
        in = jack_port_register(client, "in", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        midi = jack_port_register(client, "midi_out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
        jack_set_process_callback(client, &TestClient::process, this);
        jack_activate(client);
    }
    ~TestClient()
    {
        if (client)
            jack_client_close(client);
    }
    bool ready() const { return client && in && out && midi; }
    // Sends the control change (channel 1) in the next cycle.
    void controlChange(int number, int value) { pending.store(number << 8 | value); }
    // Frames recorded since the first that carried any signal.
    size_t heard() const { return recorded.load(); }
    std::vector<float> lastSeconds(double seconds) const
    {
        const size_t end = recorded.load(), length = size_t(seconds * kRate);
        return std::vector<float>(recording.begin() + long(end - std::min(end, length)),
                                  recording.begin() + long(end));
    }

private:
    static int process(jack_nframes_t frames, void* self)
    {
        auto& client = *static_cast<TestClient*>(self);
        auto* played = static_cast<float*>(jack_port_get_buffer(client.out, frames));
        const auto* heard = static_cast<const float*>(jack_port_get_buffer(client.in, frames));
        void* events = jack_port_get_buffer(client.midi, frames);
        jack_midi_clear_buffer(events);
        const int change = client.pending.exchange(-1);
        if (change >= 0)
        {
            const jack_midi_data_t message[] = {0xB0, jack_midi_data_t(change >> 8),
                                                jack_midi_data_t(change & 0x7F)};
            jack_midi_event_write(events, 0, message, sizeof message);
        }
        for (jack_nframes_t i = 0; i < frames; ++i, ++client.phase)
            played[i] = 0.25f * float(std::sin(2.0 * M_PI * 220.0 * double(client.phase) / kRate));
        size_t at = client.recorded.load();
        for (jack_nframes_t i = 0; i < frames && at < client.recording.size(); ++i)
            if (at > 0 || heard[i] != 0.0f)
                client.recording[at++] = heard[i];
        client.recorded.store(at);
        return 0;
    }

    jack_client_t* client = nullptr;
    jack_port_t* out = nullptr;
    jack_port_t* in = nullptr;
    jack_port_t* midi = nullptr;
    std::atomic<int> pending{-1};
    long phase = 0;
    std::vector<float> recording;
    std::atomic<size_t> recorded{0};
};

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
        std::freopen("/dev/null", "w", stdout);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

// The exit status, or -1 when the program did not end within the bound.
int waitForExit(pid_t pid)
{
    int status = 0;
    const bool ended =
        waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, std::chrono::seconds(60));
    if (!ended)
    {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

struct Output
{
    int status;
    std::string text;
};

Output runLive(const std::string& options)
{
    Output output{-1, ""};
    const std::string command =
        std::string(BRUMVALE_TOOL) + " live --no-editor " + options + " 2>&1";
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

TEST(LiveCommand, PlaysTheOctaveBetweenJackPortsAndEndsCleanlyOnCtrlC)
{
    DummyServer server;
    ASSERT_TRUE(server.running) << "jackd (dummy driver) did not start";
    TestClient tester;
    ASSERT_TRUE(tester.ready());
    const pid_t live =
        startLive({"--set", "Boost=18 dB", "--in", "tester:out", "--out", "tester:in"});
    ASSERT_GT(live, 0);
    const bool heard =
        waitFor([&] { return tester.heard() >= size_t(2 * kRate); }, std::chrono::seconds(60));
    kill(live, SIGINT);
    EXPECT_EQ(waitForExit(live), 0);
    ASSERT_TRUE(heard) << "no output from brumvale live";
    const std::vector<float> output = tester.lastSeconds(1.5);
    EXPECT_NEAR(strongestFrequency(output, kRate), 440.0, 5.0);
    EXPECT_GT(peakLevel(output), 0.05);
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
    // The level of the half second that follows now.
    const auto nextLevel = [&] {
        const size_t from = tester.heard();
        if (!waitFor([&] { return tester.heard() >= from + size_t(kRate); },
                     std::chrono::seconds(60)))
            return -1.0;
        return rmsLevel(tester.lastSeconds(0.5));
    };
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

TEST(LiveCommand, ClearErrorsForAMissingServerOrPort)
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
    }
    // The server has gone: one line saying so.
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
        dup2(pipeEnds[1], STDERR_FILENO);
        std::freopen("/dev/null", "w", stdout);
        execl(BRUMVALE_TOOL, BRUMVALE_TOOL, "live", "--no-editor", "--in", "tester:out", "--out",
              "tester:in", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
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
