// What the panel asks of the plug-in format that shows it.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace Brumvale {

// The parameters as the panel sees them (IDs 0 to 4, values normalised to 0..1) and
// the edits its gestures make, bracketed by beginEdit and endEdit. Each plug-in
// format gives the panel its own: the VST 3 controller, the LV2 UI's ports. UI
// thread only.
class PanelHost
{
public:
    virtual ~PanelHost() = default;
    virtual double normalizedValue(uint32_t id) const = 0;
    // The value as a value field shows it ("18.0 dB").
    virtual std::string valueText(uint32_t id, double normalized) const = 0;
    // The value a typed text stands for; false when it stands for none.
    virtual bool valueOfText(uint32_t id, const std::string& text, double& normalized) const = 0;
    virtual void beginEdit(uint32_t id) = 0;
    // Makes the value the parameter's and passes it on to the host.
    virtual void performEdit(uint32_t id, double normalized) = 0;
    virtual void endEdit(uint32_t id) = 0;
};

} // namespace Brumvale
