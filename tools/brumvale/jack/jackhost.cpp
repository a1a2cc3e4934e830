// The JACK client: its ports, connections and latencies, and its callbacks on JACK's thread.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "jackhost.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <cerrno>
#include <string>

namespace Brumvale {
namespace {

// libjack reports on standard error in lines of its own; the tool says what failed
// in one line instead.
void quiet(const char*) {}

} // namespace

std::unique_ptr<JackHost> JackHost::open(const std::string& clientName, int channels, Notify notify,
                                         std::string& error)
{
    if (channels < 1 || channels > kMaxChannels)
    {
        error = "the live host has 1 or 2 channels";
        return nullptr;
    }
    jack_set_error_function(quiet);
    jack_set_info_function(quiet);
    jack_status_t status{};
    jack_client_t* client = jack_client_open(clientName.c_str(), JackNoStartServer, &status);
    if (!client)
    {
        // The status bits tell a refusal's cause (a name in use, a version, a failure).
        error = (status & JackServerFailed)
                    ? "no JACK server is running (start jackd, or PipeWire with pipewire-jack)"
                    : "the JACK server refuses a new client (status " +
                          std::to_string(unsigned(status)) + ")";
        return nullptr;
    }
    std::unique_ptr<JackHost> host(new JackHost);
    host->client = client;
    host->channels = channels;
    host->notify = std::move(notify);
    for (int channel = 0; channel < channels; ++channel)
    {
        const std::string number = std::to_string(channel + 1);
        host->inputs[channel] = jack_port_register(client, ("in_" + number).c_str(),
                                                   JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
        host->outputs[channel] = jack_port_register(client, ("out_" + number).c_str(),
                                                    JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
        if (!host->inputs[channel] || !host->outputs[channel])
        {
            error = "JACK gives no ports to the client";
            return nullptr;
        }
    }
    host->midiInput =
        jack_port_register(client, "midi_in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    if (!host->midiInput)
    {
        error = "JACK gives no MIDI port to the client";
        return nullptr;
    }
    jack_set_process_callback(client, &JackHost::onProcess, host.get());
    jack_set_xrun_callback(client, &JackHost::onXrun, host.get());
    jack_set_buffer_size_callback(client, &JackHost::onFormatChange, host.get());
    jack_set_sample_rate_callback(client, &JackHost::onFormatChange, host.get());
    jack_on_shutdown(client, &JackHost::onShutdown, host.get());
    return host;
}

JackHost::~JackHost()
{
    if (!client)
        return;
    if (!gone)
        jack_deactivate(client);
    jack_client_close(client);
}

double JackHost::sampleRate() const { return double(jack_get_sample_rate(client)); }

std::uint32_t JackHost::bufferSize() const { return jack_get_buffer_size(client); }

bool JackHost::activate(Process callback, Midi onMidi, std::string& error)
{
    process = std::move(callback);
    midi = std::move(onMidi);
    if (jack_activate(client) != 0)
    {
        error = "JACK does not start the client";
        return false;
    }
    return true;
}

bool JackHost::connect(const std::string& ourPort, const std::string& otherPort, std::string& error)
{
    jack_port_t* ours = jack_port_by_name(
        client, (std::string(jack_get_client_name(client)) + ":" + ourPort).c_str());
    jack_port_t* other = jack_port_by_name(client, otherPort.c_str());
    if (!ours || !other)
    {
        error = "no JACK port " + otherPort;
        return false;
    }
    const bool isInput = jack_port_flags(ours) & JackPortIsInput;
    const int result = isInput ? jack_connect(client, otherPort.c_str(), jack_port_name(ours))
                               : jack_connect(client, jack_port_name(ours), otherPort.c_str());
    if (result != 0 && result != EEXIST)
    {
        error = "JACK does not connect " + ourPort + " with " + otherPort;
        return false;
    }
    // The ports' latencies take in the new path now, not when the server gets to it.
    jack_recompute_total_latencies(client);
    return true;
}

std::vector<std::string> JackHost::physicalPorts(bool capture) const
{
    std::vector<std::string> names;
    // Capture ports are outputs of the server's system client.
    const char** ports =
        jack_get_ports(client, nullptr, JACK_DEFAULT_AUDIO_TYPE,
                       JackPortIsPhysical | (capture ? JackPortIsOutput : JackPortIsInput));
    for (const char** port = ports; port && *port; ++port)
        names.push_back(*port);
    jack_free(ports);
    return names;
}

double JackHost::dspLoad() const { return double(jack_cpu_load(client)); }

double JackHost::roundTripMilliseconds() const
{
    jack_latency_range_t capture{}, playback{};
    jack_port_get_latency_range(inputs[0], JackCaptureLatency, &capture);
    jack_port_get_latency_range(outputs[0], JackPlaybackLatency, &playback);
    return 1000.0 * double(capture.max + playback.max) / sampleRate();
}

// JACK's real-time thread: the MIDI messages and the ports' buffers to the
// functions, nothing else.
int JackHost::onProcess(std::uint32_t frames, void* self)
{
    auto& host = *static_cast<JackHost*>(self);
    if (host.cycleObserver)
        host.cycleObserver->cycleBegins();
    void* midiBuffer = jack_port_get_buffer(host.midiInput, frames);
    const std::uint32_t events = jack_midi_get_event_count(midiBuffer);
    for (std::uint32_t index = 0; index < events; ++index)
    {
        jack_midi_event_t event{};
        if (jack_midi_event_get(&event, midiBuffer, index) == 0 && host.midi)
            host.midi(event.buffer, event.size);
    }
    const float* in[kMaxChannels] = {};
    float* out[kMaxChannels] = {};
    for (int channel = 0; channel < host.channels; ++channel)
    {
        in[channel] = static_cast<const float*>(jack_port_get_buffer(host.inputs[channel], frames));
        out[channel] = static_cast<float*>(jack_port_get_buffer(host.outputs[channel], frames));
    }
    host.process(in, out, frames);
    if (host.cycleObserver)
        host.cycleObserver->cycleEnds();
    return 0;
}

int JackHost::onXrun(void* self)
{
    static_cast<JackHost*>(self)->xrunCount.fetch_add(1);
    return 0;
}

int JackHost::onFormatChange(std::uint32_t, void* self)
{
    auto& host = *static_cast<JackHost*>(self);
    if (host.notify)
        host.notify(Notice::formatChanged);
    return 0;
}

void JackHost::onShutdown(void* self)
{
    auto& host = *static_cast<JackHost*>(self);
    host.gone = true;
    if (host.notify)
        host.notify(Notice::serverGone);
}

} // namespace Brumvale
