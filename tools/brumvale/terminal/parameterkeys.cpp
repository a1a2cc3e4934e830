// The bindings: the arrows step Boost and Volume; b, h and w switch Bypass, HiFi and Warmth.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal/parameterkeys.h"

#include "processor/parametertable.h"

#include <algorithm>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Brumvale {
namespace {

using Key = KeyReader::Key;

struct Binding
{
    Key key;
    char character; // for Key::character
    const char* keys;
    ParameterId parameter; // found by its name, so another plug-in's alike works too
    double step;           // 0 for a switch
};

constexpr double kStep = 1.0 / 36.0;

// clang-format off
constexpr Binding kBindings[] = {
    {Key::up, 0, "up/down", kBoostId, kStep},
    {Key::down, 0, nullptr, kBoostId, -kStep},
    {Key::right, 0, "right/left", kVolumeId, kStep},
    {Key::left, 0, nullptr, kVolumeId, -kStep},
    {Key::character, 'b', "b", kBypassId, 0.0},
    {Key::character, 'h', "h", kAntiAliasId, 0.0},
    {Key::character, 'w', "w", kWarmthId, 0.0},
};
// clang-format on

} // namespace

ParameterKeys::ParameterKeys(IEditController& controller)
    : controller(controller), texts(controller)
{}

bool ParameterKeys::edit(Key key, char character, ParamID& id, ParamValue& value) const
{
    std::string unknown;
    for (const Binding& binding : kBindings)
    {
        if (binding.key != key || (key == Key::character && binding.character != character) ||
            !texts.findParameter(kParameters[binding.parameter].name, id, unknown))
            continue;
        const ParamValue now = controller.getParamNormalized(id);
        value = binding.step == 0.0 ? (now < 0.5 ? 1.0 : 0.0)
                                    : std::clamp(now + binding.step, 0.0, 1.0);
        return value != now;
    }
    return false;
}

std::string ParameterKeys::help() const
{
    std::string line, unknown;
    ParamID id = 0;
    for (const Binding& binding : kBindings)
        if (binding.keys && texts.findParameter(kParameters[binding.parameter].name, id, unknown))
            line +=
                std::string(binding.keys) + " " + kParameters[binding.parameter].shortName + ", ";
    return line + "q ends";
}

} // namespace Brumvale
