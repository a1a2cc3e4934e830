// Tests: a JACK server of the test's own (the dummy driver: no sound card)
// and a client that plays a sine, records and sends control changes.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <jack/jack.h>
#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace Brumvale::Testing {

constexpr double kJackRate = 48000.0;

// Runs until the condition holds or the bound (a stalled program's, not a measure
// of speed) passes; true when it held.
template <class Condition> bool waitFor(Condition condition, std::chrono::seconds bound)
{
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!condition())
    {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// The exit status of a program started in a process group of its own, or -1 when
// it did not end within the bound (the whole group is then killed).
int waitForExit(pid_t pid);

// In a child just forked: standard output (and standard error with it when
// asked) into the file at path, with calls that are safe between fork and exec.
void sendOutputTo(const char* path, bool withErrors);

// jackd with the dummy driver at 48 kHz and 64 frames. JACK servers of one user share
// libjack's metadata store in /dev/shm, and a client that opens while another
// server makes or removes it fails (or leaks what it had set up): the tests that
// start one hold the CTest resource "jack", one at a time. The process's clients (and
// the programs it starts) find it through JACK_DEFAULT_SERVER. Its name is one of a
// few, taken under a lock file, so that tests side by side have a server each and a
// server that did not leave JACK's registry cleanly (there are eight places in it)
// gives its place to the next of its name.
class DummyServer
{
public:
    DummyServer();
    ~DummyServer();
    DummyServer(const DummyServer&) = delete;
    DummyServer& operator=(const DummyServer&) = delete;
    // Ends the server, and waits for it.
    void stop();
    bool running = false;

private:
    int lock = -1;
    pid_t pid = -1;
};

// "tester": plays 0.25 * sin(2 pi 220 t) from its first cycle after play() on "out",
// records "in" from that cycle on into storage reserved beforehand, and sends
// control changes (channel 1) on "midi_out", all from JACK's thread.
class TestClient
{
public:
    TestClient();
    ~TestClient();
    bool ready() const { return client && in && out && midi; }
    void play() { playing = true; }
    // The sample played at frame n after the start.
    static float played(long n);
    // Sends the control change in the next cycle.
    void controlChange(int number, int value) { pending.store(number << 8 | value); }
    // Frames recorded since the first that carried any signal.
    size_t heard() const;
    // The last seconds recorded.
    std::vector<float> lastSeconds(double seconds) const;
    // Everything recorded since play(), and its length.
    std::vector<float> recorded() const;
    size_t frames() const { return count.load(); }
    std::uint64_t cycles() const { return cycleCount.load(); }
    jack_client_t* handle() const { return client; }
    jack_port_t* input() const { return in; }
    jack_port_t* output() const { return out; }

private:
    static int process(jack_nframes_t frames, void* self);

    jack_client_t* client = nullptr;
    jack_port_t* out = nullptr;
    jack_port_t* in = nullptr;
    jack_port_t* midi = nullptr;
    std::atomic<bool> playing{false};
    std::atomic<int> pending{-1};
    long phase = 0;
    std::vector<float> recording;
    std::atomic<size_t> count{0};
    std::atomic<long> firstSignal{-1};
    std::atomic<std::uint64_t> cycleCount{0};
};

// What the tester records in the coming seconds less their first half, in which a
// change may still be on its way; empty when nothing comes.
std::vector<float> listen(const TestClient& tester, double seconds);

} // namespace Brumvale::Testing
