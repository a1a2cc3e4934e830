// The LV2 plug-ins' identity and ports: URIs, indices, symbols, names, ranges and
// defaults, shared by the plug-in library and the generator of its Turtle files.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "processor/parametertable.h"

#include <array>
#include <cstdint>

namespace Brumvale::Lv2 {

// Published URIs: hosts store them in their sessions, so they never change.
constexpr const char* kMonoUri = "urn:kelmarotte:brumvale:mono";
constexpr const char* kStereoUri = "urn:kelmarotte:brumvale:stereo";
constexpr const char* kPresetUriPrefix = "urn:kelmarotte:brumvale:preset:";
// The panel: one X11 UI for both plug-ins.
constexpr const char* kUiUri = "urn:kelmarotte:brumvale:ui";

// The two plug-ins of the bundle: LV2 port counts are fixed, so one per width.
struct PluginKind
{
    const char* uri;
    uint32_t channels;
    const char* tag;  // the URI's last part
    const char* name; // what a host's list shows: the two must differ
};
constexpr std::array<PluginKind, 2> kPluginKinds = {{
    {kMonoUri, 1, "mono", "Brumvale Mono"},
    {kStereoUri, 2, "stereo", "Brumvale Stereo"},
}};

// Control ports come first, numbered as the parameters, then the host's enable
// switch and the latency report; the audio inputs, then the outputs, follow.
enum ControlPort : uint32_t
{
    kBypassPort = kBypassId,
    kAntiAliasPort = kAntiAliasId,
    kWarmthPort = kWarmthId,
    kBoostPort = kBoostId,
    kVolumePort = kVolumeId,
    kEnabledPort = kNumParameters,
    kLatencyPort,
    kControlPortCount,
};
constexpr uint32_t kControlInputCount = kLatencyPort;

constexpr uint32_t audioInputPort(uint32_t channel) { return kControlPortCount + channel; }
constexpr uint32_t audioOutputPort(uint32_t channels, uint32_t channel)
{
    return kControlPortCount + channels + channel;
}

struct ControlPortInfo
{
    enum class Kind
    {
        kSwitch,   // a toggle, on above zero
        kDecibels, // a level in dB
        kEnabled,  // the host's bypass, inverted: on (above zero) means processing
        kLatency,  // output: the delay in samples
    };
    const char* symbol;
    const char* name;
    Kind kind;
    float minimum;
    float maximum;
    float defaultValue;
};

// The parameters' rows as ports, then the enable switch and the latency report.
inline std::array<ControlPortInfo, kControlPortCount> controlPorts()
{
    using Kind = ControlPortInfo::Kind;
    std::array<ControlPortInfo, kControlPortCount> ports{};
    for (const ParameterDescription& row : kParameters)
        ports[row.id] = {row.symbol,
                         row.name,
                         row.kind == ParameterKind::kSwitch ? Kind::kSwitch : Kind::kDecibels,
                         row.minimum,
                         row.maximum,
                         row.start};
    ports[kEnabledPort] = {"enabled", "Enabled", Kind::kEnabled, 0.0f, 1.0f, 1.0f};
    ports[kLatencyPort] = {"latency", "Latency", Kind::kLatency, 0.0f, 0.0f, 0.0f};
    return ports;
}

} // namespace Brumvale::Lv2
