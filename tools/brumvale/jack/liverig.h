// The live host's rig: a plug-in instance played between the ports of a JACK client.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jack/jackhost.h"
#include "live/editqueue.h"
#include "live/liveprocessor.h"
#include "live/midicontrollers.h"
#include "plugininstance.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>

namespace Brumvale {

// Drives the instance as a host does: set up for JACK's sample rate and buffer size,
// active, processing on JACK's real-time thread; when the server changes either,
// the main thread holds the callback (which then plays silence), sets the plug-in
// up again and lets it go on. Edits made on the main thread (knobs, keys) reach the
// callbacks through a wait-free queue; MIDI control changes become edits in the
// callback through the plug-in's MIDI mapping and go back to the controller
// through another queue, which the main thread empties with deliverToController.
//
// The callback allocates nothing, takes no lock and makes no system call. Every
// other member is for the main thread.
class LiveRig
{
public:
    // Sets the instance up (deactivating it first when it runs) and makes it process.
    using Restart =
        std::function<bool(double sampleRate, std::uint32_t maxFrames, std::string& error)>;

    // Null, with a one-line reason, when there is no JACK server or client.
    static std::unique_ptr<LiveRig> open(Host::PluginInstance& instance, int channels,
                                         Restart restart, JackHost::Notify notify,
                                         std::string& error);

    JackHost& jack() { return *client; }
    Host::EditQueue& edits() { return *mainEdits; }

    // Sets the plug-in up for the server's format and activates the client.
    bool start(std::string& error);
    // After a formatChanged notice: sets the plug-in up again when the rate or buffer
    // size differs from the one it runs with. False, with the reason, when it refuses.
    bool followFormat(std::string& error);
    // Hands the controller the values MIDI has set since the last call.
    void deliverToController();

    std::uint32_t bufferSize() const { return frames; }

private:
    LiveRig() = default;
    bool setUp(std::string& error);
    void process(const float* const* in, float* const* out, std::uint32_t count);
    void midi(const unsigned char* message, std::size_t size);
    // The callback's work with the processor, unless the main thread holds the
    // callback; false when held.
    template <class Work> bool unlessHeld(Work work)
    {
        inside = true;
        const bool free = !held;
        if (free)
            work();
        inside = false;
        return free;
    }

    Host::PluginInstance* instance = nullptr;
    int channels = 1;
    Restart restart;
    std::unique_ptr<Host::EditQueue> mainEdits = std::make_unique<Host::EditQueue>();
    std::unique_ptr<Host::EditQueue> midiEdits = std::make_unique<Host::EditQueue>();
    std::unique_ptr<Host::MidiControllers> controllers;
    std::unique_ptr<Host::LiveProcessor> processor;
    double rate = 0.0;
    std::uint32_t frames = 0;
    // The hold: the main thread sets held and waits until no callback is inside.
    std::atomic<bool> held{true};
    std::atomic<bool> inside{false};
    // Last, so that the callbacks end before anything they use goes.
    std::unique_ptr<JackHost> client;
};

} // namespace Brumvale
