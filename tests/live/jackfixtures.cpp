// Tests: the JACK server and the test client.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "jackfixtures.h"

#include <jack/midiport.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Brumvale::Testing {
namespace {

constexpr int kServerNames = 4;

void quiet(const char*) {}

bool serverAnswers()
{
    jack_client_t* probe = jack_client_open("probe", JackNoStartServer, nullptr);
    if (probe)
        jack_client_close(probe);
    return probe != nullptr;
}

} // namespace

void sendOutputTo(const char* path, bool withErrors)
{
    const int file = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (file < 0)
        return;
    dup2(file, STDOUT_FILENO);
    if (withErrors)
        dup2(file, STDERR_FILENO);
    close(file);
}

int waitForExit(pid_t pid)
{
    int status = 0;
    const bool ended =
        waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, std::chrono::seconds(60));
    if (!ended)
    {
        kill(-pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Synchronous, with a long client time-out, so that a cycle waits for every client
// however busy the machine is: no client misses a cycle, and recordings are whole.
DummyServer::DummyServer()
{
    std::string name;
    waitFor(
        [&] {
            for (int slot = 0; slot < kServerNames && lock < 0; ++slot)
            {
                const std::string path =
                    "/tmp/brumvale-test-jack-" + std::to_string(slot) + ".lock";
                lock = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
                if (lock >= 0 && flock(lock, LOCK_EX | LOCK_NB) != 0)
                {
                    close(lock);
                    lock = -1;
                }
                name = "brumvale-test-" + std::to_string(slot);
            }
            return lock >= 0;
        },
        std::chrono::seconds(300));
    if (lock < 0)
        return;
    setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
    jack_set_error_function(quiet);
    jack_set_info_function(quiet);
    pid = fork();
    if (pid == 0)
    {
        // A server outlives no test: one left by a killed run would answer under
        // this name in the next.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        sendOutputTo("/dev/null", true);
        execlp("jackd", "jackd", "-n", name.c_str(), "--no-realtime", "--sync", "-t", "10000", "-d",
               "dummy", "-r", "48000", "-p", "64", static_cast<char*>(nullptr));
        _exit(127);
    }
    running = pid > 0 && waitFor(serverAnswers, std::chrono::seconds(30));
    // Ours must answer, not another of the name that made ours give up.
    if (running && waitpid(pid, nullptr, WNOHANG) == pid)
    {
        pid = -1;
        running = false;
    }
}

DummyServer::~DummyServer()
{
    stop();
    if (lock >= 0)
        close(lock);
}

void DummyServer::stop()
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    pid = -1;
}

TestClient::TestClient() : recording(size_t(kJackRate) * 20)
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

TestClient::~TestClient()
{
    if (client)
        jack_client_close(client);
}

float TestClient::played(long n)
{
    return 0.25f * float(std::sin(2.0 * M_PI * 220.0 * double(n) / kJackRate));
}

size_t TestClient::heard() const
{
    const long first = firstSignal.load();
    return first < 0 ? 0 : count.load() - size_t(first);
}

std::vector<float> TestClient::lastSeconds(double seconds) const
{
    const size_t end = count.load(), length = size_t(seconds * kJackRate);
    return std::vector<float>(recording.begin() + long(end - std::min(end, length)),
                              recording.begin() + long(end));
}

std::vector<float> TestClient::recorded() const
{
    return std::vector<float>(recording.begin(), recording.begin() + long(count.load()));
}

int TestClient::process(jack_nframes_t frames, void* self)
{
    auto& client = *static_cast<TestClient*>(self);
    client.cycleCount.fetch_add(1);
    auto* sent = static_cast<float*>(jack_port_get_buffer(client.out, frames));
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
    if (!client.playing)
    {
        std::fill(sent, sent + frames, 0.0f);
        return 0;
    }
    for (jack_nframes_t i = 0; i < frames; ++i)
        sent[i] = played(client.phase++);
    size_t at = client.count.load();
    for (jack_nframes_t i = 0; i < frames && at < client.recording.size(); ++i, ++at)
    {
        client.recording[at] = heard[i];
        if (heard[i] != 0.0f && client.firstSignal.load() < 0)
            client.firstSignal.store(long(at));
    }
    client.count.store(at);
    return 0;
}

std::vector<float> listen(const TestClient& tester, double seconds)
{
    const size_t from = tester.frames();
    if (!waitFor([&] { return tester.frames() >= from + size_t(seconds * kJackRate); },
                 std::chrono::seconds(60)))
        return {};
    return tester.lastSeconds(seconds / 2);
}

} // namespace Brumvale::Testing
