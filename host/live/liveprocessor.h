// Host library: the audio callback's side of a live host.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "blockrunner.h"
#include "live/editqueue.h"

#include <pluginterfaces/vst/ivstaudioprocessor.h>

#include <array>

namespace Brumvale::Host {

// Runs one process call per audio callback on the callback's own buffers: the
// edits waiting in the queue become the block's parameter changes (one point at
// the block's start per parameter, its latest value, as many edits of a knob
// arrive between two callbacks), the input channels are copied in, the plug-in
// processes, the output channels are copied out. The processor must be set up and
// active for channels channels and blocks of up to maxFrames.
//
// process allocates nothing, takes no lock and makes no system call (given a
// plug-in whose process does neither), so it may run on a real-time thread. One
// thread calls process; the queue's writer is another.
class LiveProcessor
{
public:
    LiveProcessor(Steinberg::Vst::IAudioProcessor* processor, Steinberg::int32 channels,
                  Steinberg::int32 maxFrames, EditQueue& edits);

    // An edit for the coming block from the callback's own thread (a MIDI
    // controller read in the callback), merged with the queue's.
    void edit(const EditQueue::Edit& edit);

    // False, with silent outputs, for more than maxFrames frames or a failed
    // process call.
    bool process(const float* const* inputs, float* const* outputs, Steinberg::int32 frames);

    // Edits of parameters beyond the kMaxParameters that one block can carry,
    // dropped; read from the callback's thread.
    std::uint64_t dropped() const { return droppedEdits; }

    static constexpr Steinberg::int32 kMaxParameters = ParameterChanges::kMaxQueues;

private:
    void takeEdits();

    BlockRunner runner;
    Steinberg::int32 channels;
    EditQueue& edits;
    std::array<EditQueue::Edit, kMaxParameters> latest{};
    std::size_t pending = 0; // edits in latest for the coming block
    std::uint64_t droppedEdits = 0;
};

} // namespace Brumvale::Host
