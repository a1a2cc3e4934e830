// The live rig's set-up at JACK's rate and buffer size, its processing and its MIDI controllers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "liverig.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace Brumvale {

std::unique_ptr<LiveRig> LiveRig::open(Host::PluginInstance& instance, int channels,
                                       Restart restart, JackHost::Notify notify, std::string& error)
{
    std::unique_ptr<LiveRig> rig(new LiveRig);
    rig->client = JackHost::open("brumvale", channels, std::move(notify), error);
    if (!rig->client)
        return nullptr;
    rig->instance = &instance;
    rig->channels = channels;
    rig->restart = std::move(restart);
    // Control changes reach the parameters the plug-in maps them to (7 Volume and
    // 12 Boost for Brumvale).
    rig->controllers = std::make_unique<Host::MidiControllers>(instance.controller());
    return rig;
}

bool LiveRig::start(std::string& error)
{
    if (!setUp(error))
        return false;
    return client->activate(
        [this](const float* const* in, float* const* out, std::uint32_t count) {
            process(in, out, count);
        },
        [this](const unsigned char* message, std::size_t size) { midi(message, size); }, error);
}

bool LiveRig::followFormat(std::string& error)
{
    if (client->sampleRate() == rate && client->bufferSize() == frames)
        return true;
    held = true;
    while (inside)
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    return setUp(error);
}

bool LiveRig::setUp(std::string& error)
{
    rate = client->sampleRate();
    frames = client->bufferSize();
    if (!restart(rate, frames, error))
        return false;
    processor = std::make_unique<Host::LiveProcessor>(instance->processor(), channels,
                                                      Steinberg::int32(frames), *mainEdits);
    held = false;
    return true;
}

void LiveRig::deliverToController()
{
    Host::EditQueue::Edit edit;
    while (midiEdits->pop(edit))
        instance->controller()->setParamNormalized(edit.id, edit.value);
}

void LiveRig::process(const float* const* in, float* const* out, std::uint32_t count)
{
    if (!unlessHeld([&] { processor->process(in, out, Steinberg::int32(count)); }))
        for (int channel = 0; channel < channels; ++channel)
            std::fill(out[channel], out[channel] + count, 0.0f);
}

void LiveRig::midi(const unsigned char* message, std::size_t size)
{
    unlessHeld([&] {
        Host::EditQueue::Edit edit;
        if (controllers->find(message, size, edit.id, edit.value))
        {
            processor->edit(edit);
            midiEdits->push(edit);
        }
    });
}

} // namespace Brumvale
