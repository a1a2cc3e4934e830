// Control port values mapped as the VST 3 parameters map them, their texts, and port writes.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "portpanelhost.h"

#include "parametertext/decibeltext.h"

#include <algorithm>
#include <cmath>

namespace Brumvale::Lv2 {

PortPanelHost::PortPanelHost(LV2UI_Write_Function write, LV2UI_Controller controller,
                             const LV2UI_Touch* touch, std::function<void(uint32_t id)> changed)
    : write(write), controller(controller), touchFeature(touch), changed(std::move(changed))
{
    for (uint32_t id = 0; id < values.size(); ++id)
        values[id] = ports[id].defaultValue;
}

void PortPanelHost::takePortValue(uint32_t port, float value)
{
    if (port >= values.size() || !std::isfinite(value))
        return;
    values[port] = std::clamp(value, ports[port].minimum, ports[port].maximum);
    changed(port);
}

double PortPanelHost::normalizedValue(uint32_t id) const
{
    return id < values.size() ? normalized(id, values[id]) : 0.0;
}

std::string PortPanelHost::valueText(uint32_t id, double normalizedValue) const
{
    if (id >= values.size())
        return {};
    if (ports[id].kind != ControlPortInfo::Kind::kDecibels)
        return normalizedValue > 0.5 ? "1" : "0";
    char text[kDecibelTextSize];
    formatDecibels(text, portValue(id, normalizedValue));
    return text;
}

bool PortPanelHost::valueOfText(uint32_t id, const std::string& text, double& result) const
{
    if (id >= values.size())
        return false;
    if (ports[id].kind != ControlPortInfo::Kind::kDecibels)
        return readNumber(text.c_str(), result);
    float db = 0.0f;
    if (!readDecibels(text.c_str(), db))
        return false;
    result = normalized(id, db);
    return true;
}

void PortPanelHost::beginEdit(uint32_t id) { touch(id, true); }

void PortPanelHost::performEdit(uint32_t id, double normalizedValue)
{
    if (id >= values.size() || !std::isfinite(normalizedValue))
        return;
    values[id] = portValue(id, std::clamp(normalizedValue, 0.0, 1.0));
    if (write)
        write(controller, id, sizeof(float), 0, &values[id]);
    changed(id);
}

void PortPanelHost::endEdit(uint32_t id) { touch(id, false); }

// The VST 3 parameters' mappings: a switch is on above 0.5, a level is linear in
// dB over its range. Neither direction clamps.
float PortPanelHost::portValue(uint32_t id, double normalizedValue) const
{
    switch (id)
    {
    case kBoostPort:
        return defaults.normalizedToBoostDb(float(normalizedValue));
    case kVolumePort:
        return defaults.normalizedToVolumeDb(float(normalizedValue));
    default:
        return normalizedValue > 0.5 ? 1.0f : 0.0f;
    }
}

double PortPanelHost::normalized(uint32_t id, float value) const
{
    switch (id)
    {
    case kBoostPort:
        return defaults.boostDbToNormalized(value);
    case kVolumePort:
        return defaults.volumeDbToNormalized(value);
    default:
        return value > 0.5f ? 1.0 : 0.0;
    }
}

void PortPanelHost::touch(uint32_t id, bool grabbed)
{
    if (touchFeature && touchFeature->touch && id < values.size())
        touchFeature->touch(touchFeature->handle, id, grabbed);
}

} // namespace Brumvale::Lv2
