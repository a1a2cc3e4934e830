// The panel's host in the VST 3 plug-in: the edit controller.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "panelhost.h"

#include "public.sdk/source/vst/vsteditcontroller.h"

namespace Brumvale {

// Values and texts are the controller's parameters'; an edit is stored at the
// controller (which shows it in every open editor) and passed to the host through
// its component handler. The controller must outlive this object.
class ControllerPanelHost : public PanelHost
{
public:
    explicit ControllerPanelHost(Steinberg::Vst::EditController& controller)
        : controller(controller)
    {}

    double normalizedValue(uint32_t id) const override;
    std::string valueText(uint32_t id, double normalized) const override;
    bool valueOfText(uint32_t id, const std::string& text, double& normalized) const override;
    void beginEdit(uint32_t id) override;
    void performEdit(uint32_t id, double normalized) override;
    void endEdit(uint32_t id) override;

private:
    Steinberg::Vst::EditController& controller;
};

} // namespace Brumvale
