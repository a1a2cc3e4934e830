// The panel's values, texts and edits, passed to and from the edit controller.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controllerpanelhost.h"

#include "fieldtext.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Brumvale {

double ControllerPanelHost::normalizedValue(uint32_t id) const
{
    return controller.getParamNormalized(id);
}

std::string ControllerPanelHost::valueText(uint32_t id, double normalized) const
{
    String128 text = {};
    controller.getParamStringByValue(id, normalized, text);
    return toFieldText(text);
}

bool ControllerPanelHost::valueOfText(uint32_t id, const std::string& text,
                                      double& normalized) const
{
    String128 wide = {};
    return toString128(text, wide) &&
           controller.getParamValueByString(id, wide, normalized) == kResultTrue;
}

void ControllerPanelHost::beginEdit(uint32_t id) { controller.beginEdit(id); }

void ControllerPanelHost::performEdit(uint32_t id, double normalized)
{
    controller.setParamNormalized(id, normalized);
    controller.performEdit(id, normalized);
}

void ControllerPanelHost::endEdit(uint32_t id) { controller.endEdit(id); }

} // namespace Brumvale
