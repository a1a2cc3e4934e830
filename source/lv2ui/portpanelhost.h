// The panel's host in the LV2 UI: the plug-in's control ports.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/panelhost.h"
#include "lv2/lv2ports.h"

#include <lv2/ui/ui.h>

#include <array>
#include <functional>

namespace Brumvale::Lv2 {

// Parameter i is control port i, in the port's own units: switches 0 or 1, levels
// in dB. Values map to the panel's normalised ones through the parameter table, and texts are the
// VST 3 controller's ("18.0 dB"). An edit writes the port through the host's write function;
// beginEdit and endEdit are the host's ui:touch gestures when it offers them. Until the host
// reports a port, it holds its default. Every value taken, the host's or an edit's, is passed to
// the function "changed" (the panel shows it). UI thread only.
class PortPanelHost : public PanelHost
{
public:
    // touch may be null.
    PortPanelHost(LV2UI_Write_Function write, LV2UI_Controller controller, const LV2UI_Touch* touch,
                  std::function<void(uint32_t id)> changed);

    // The host's value of a port; a port the panel does not show and a value that
    // is not finite change nothing. Out-of-range values are clamped as the plug-in
    // clamps them.
    void takePortValue(uint32_t port, float value);

    double normalizedValue(uint32_t id) const override;
    // Levels as "18.0 dB", switches as "0" or "1".
    std::string valueText(uint32_t id, double normalized) const override;
    bool valueOfText(uint32_t id, const std::string& text, double& normalized) const override;
    void beginEdit(uint32_t id) override;
    void performEdit(uint32_t id, double normalized) override;
    void endEdit(uint32_t id) override;

private:
    void touch(uint32_t id, bool grabbed);

    const LV2UI_Write_Function write;
    const LV2UI_Controller controller;
    const LV2UI_Touch* const touchFeature;
    const std::function<void(uint32_t id)> changed;
    std::array<float, kEnabledPort> values; // the ports the panel shows
};

} // namespace Brumvale::Lv2
