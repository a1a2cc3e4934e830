// The LV2 plug-in library's one export: the descriptors of the mono and the
// stereo plug-in.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lv2effect.h"

#include <lv2/core/lv2.h>

namespace Brumvale::Lv2 {
namespace {

template <uint32_t kChannels>
LV2_Handle instantiate(const LV2_Descriptor*, double rate, const char*, const LV2_Feature* const*)
{
    return Lv2Effect::create(kChannels, rate);
}

Lv2Effect& effect(LV2_Handle handle) { return *static_cast<Lv2Effect*>(handle); }

void connectPort(LV2_Handle handle, uint32_t port, void* data)
{
    effect(handle).connectPort(port, data);
}

void activate(LV2_Handle handle) { effect(handle).activate(); }

void run(LV2_Handle handle, uint32_t sampleCount) { effect(handle).run(sampleCount); }

// Nothing to do: the host runs nothing until it activates again, which restarts all.
void deactivate(LV2_Handle) {}

void cleanup(LV2_Handle handle) { delete static_cast<Lv2Effect*>(handle); }

const void* extensionData(const char*) { return nullptr; }

constexpr LV2_Descriptor kDescriptors[] = {
    {kMonoUri, instantiate<1>, connectPort, activate, run, deactivate, cleanup, extensionData},
    {kStereoUri, instantiate<2>, connectPort, activate, run, deactivate, cleanup, extensionData},
};
static_assert(kPluginKinds[0].channels == 1 && kPluginKinds[1].channels == 2);

} // namespace
} // namespace Brumvale::Lv2

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index)
{
    using Brumvale::Lv2::kDescriptors;
    return index < sizeof kDescriptors / sizeof kDescriptors[0] ? &kDescriptors[index] : nullptr;
}
