// Host library: the audio callback's side of a live host.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "liveprocessor.h"

#include <algorithm>
#include <cstring>

namespace Brumvale::Host {

using namespace Steinberg;

LiveProcessor::LiveProcessor(Vst::IAudioProcessor* processor, int32 channels, int32 maxFrames,
                             EditQueue& edits)
    : runner(processor, channels, channels, maxFrames), channels(channels), edits(edits)
{}

void LiveProcessor::edit(const EditQueue::Edit& edit)
{
    const auto end = latest.begin() + pending;
    const auto found = std::find_if(
        latest.begin(), end, [&](const EditQueue::Edit& each) { return each.id == edit.id; });
    if (found != end)
        found->value = edit.value;
    else if (pending < latest.size())
        latest[pending++] = edit;
    else
        ++droppedEdits;
}

void LiveProcessor::takeEdits()
{
    EditQueue::Edit next;
    while (edits.pop(next))
        edit(next);
    for (size_t i = 0; i < pending; ++i)
        runner.changes().addChange(latest[i].id, 0, latest[i].value);
    pending = 0;
}

bool LiveProcessor::process(const float* const* inputs, float* const* outputs, int32 frames)
{
    const bool fits = frames >= 0 && frames <= runner.input().capacity();
    if (fits)
    {
        takeEdits();
        for (int32 channel = 0; channel < channels; ++channel)
            std::memcpy(runner.input().channel(channel), inputs[channel],
                        sizeof(float) * size_t(frames));
    }
    const bool processed = fits && runner.run(frames) == kResultOk;
    for (int32 channel = 0; channel < channels; ++channel)
    {
        if (processed)
            std::memcpy(outputs[channel], runner.output().channel(channel),
                        sizeof(float) * size_t(frames));
        else if (frames > 0)
            std::memset(outputs[channel], 0, sizeof(float) * size_t(frames));
    }
    return processed;
}

} // namespace Brumvale::Host
