// The live host's audio: a JACK client with audio ports, calling back on JACK's thread.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct _jack_client;
struct _jack_port;

namespace Brumvale {

// A client of a running JACK server (jackd, or PipeWire through pipewire-jack; it
// never starts a server itself) with channels input and output ports named in_1,
// out_1, ... and a MIDI input midi_in. Once activated, JACK's real-time thread
// calls, each cycle, the MIDI function with each message that arrived and then the
// process function with the ports' buffers. The main thread opens, connects, reads the
// figures and closes. The server going away and a
// change of its buffer size or sample rate are told to the notify function given to
// open, on a JACK thread: it must only set a flag or write to a pipe.
class JackHost
{
public:
    enum class Notice
    {
        serverGone,
        formatChanged, // read sampleRate() and bufferSize() again
    };
    using Notify = std::function<void(Notice)>;

    // Told, on JACK's real-time thread, when each of our cycles begins and ends, so
    // that a profiler or a checker sees exactly our part of the cycle.
    struct CycleObserver
    {
        virtual void cycleBegins() = 0;
        virtual void cycleEnds() = 0;

    protected:
        ~CycleObserver() = default;
    };

    using Process = std::function<void(const float* const* inputs, float* const* outputs,
                                       std::uint32_t frames)>;

    using Midi = std::function<void(const unsigned char* message, std::size_t size)>;

    static constexpr int kMaxChannels = 2;

    // Null, with a one-line reason, when no server runs or the client cannot be
    // made; channels is 1 or 2.
    static std::unique_ptr<JackHost> open(const std::string& clientName, int channels,
                                          Notify notify, std::string& error);
    ~JackHost();
    JackHost(const JackHost&) = delete;
    JackHost& operator=(const JackHost&) = delete;

    double sampleRate() const;
    std::uint32_t bufferSize() const;

    // Before activate; null for none.
    void setCycleObserver(CycleObserver* observer) { cycleObserver = observer; }
    // Starts the callbacks; process must be ready for bufferSize() frames.
    bool activate(Process process, Midi midi, std::string& error);
    // Connects one of our ports ("in_1", "out_2", "midi_in") with another client's port; false,
    // with the reason, when that port does not exist or the connection fails.
    bool connect(const std::string& ourPort, const std::string& otherPort, std::string& error);
    // The server's physical capture (or playback) ports, in its order.
    std::vector<std::string> physicalPorts(bool capture) const;

    std::uint64_t xruns() const { return xrunCount.load(); }
    // Percent of the cycle time the whole graph takes, as the server measures it.
    double dspLoad() const;
    // Milliseconds from a capture port through us to a playback port: the capture
    // latency of our input and the playback latency of our output, as the server
    // reports them (its own buffering included: a period in, its periods out).
    double roundTripMilliseconds() const;

private:
    JackHost() = default;
    static int onProcess(std::uint32_t frames, void* self);
    static int onXrun(void* self);
    static int onFormatChange(std::uint32_t, void* self);
    static void onShutdown(void* self);

    _jack_client* client = nullptr;
    int channels = 0;
    _jack_port* inputs[kMaxChannels] = {};
    _jack_port* outputs[kMaxChannels] = {};
    _jack_port* midiInput = nullptr;
    Process process;
    Midi midi;
    Notify notify;
    CycleObserver* cycleObserver = nullptr;
    std::atomic<std::uint64_t> xrunCount{0};
    std::atomic<bool> gone{false};
};

} // namespace Brumvale
