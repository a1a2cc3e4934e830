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
        values[id] = kParameters[id].start;
}

void PortPanelHost::takePortValue(uint32_t port, float value)
{
    if (port >= values.size() || !std::isfinite(value))
        return;
    values[port] = std::clamp(value, kParameters[port].minimum, kParameters[port].maximum);
    changed(port);
}

double PortPanelHost::normalizedValue(uint32_t id) const
{
    return id < values.size() ? kParameters[id].normalized(values[id]) : 0.0;
}

std::string PortPanelHost::valueText(uint32_t id, double normalizedValue) const
{
    if (id >= values.size())
        return {};
    if (kParameters[id].kind == ParameterKind::kSwitch)
        return normalizedValue > 0.5 ? "1" : "0";
    char text[kDecibelTextSize];
    formatDecibels(text, kParameters[id].plain(normalizedValue));
    return text;
}

bool PortPanelHost::valueOfText(uint32_t id, const std::string& text, double& result) const
{
    if (id >= values.size())
        return false;
    if (kParameters[id].kind == ParameterKind::kSwitch)
        return readNumber(text.c_str(), result);
    float db = 0.0f;
    if (!readDecibels(text.c_str(), db))
        return false;
    result = kParameters[id].normalized(db);
    return true;
}

void PortPanelHost::beginEdit(uint32_t id) { touch(id, true); }

void PortPanelHost::performEdit(uint32_t id, double normalizedValue)
{
    if (id >= values.size() || !std::isfinite(normalizedValue))
        return;
    values[id] = kParameters[id].plain(std::clamp(normalizedValue, 0.0, 1.0));
    if (write)
        write(controller, id, sizeof(float), 0, &values[id]);
    changed(id);
}

void PortPanelHost::endEdit(uint32_t id) { touch(id, false); }

void PortPanelHost::touch(uint32_t id, bool grabbed)
{
    if (touchFeature && touchFeature->touch && id < values.size())
        touchFeature->touch(touchFeature->handle, id, grabbed);
}

} // namespace Brumvale::Lv2
