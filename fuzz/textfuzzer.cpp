// Fuzz target: the controller's parameter texts both ways, with arbitrary
// UTF-16 texts, arbitrary doubles and arbitrary parameter identifiers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzzcheck.h"

#include "controller/againcontroller.h"
#include "processor/parameterids.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace Steinberg;

namespace Brumvale::Fuzz {
namespace {

bool terminated(const Vst::String128 text)
{
    for (int i = 0; i < 128; ++i)
        if (text[i] == 0)
            return true;
    return false;
}

// A printed level reads back to within the text's tenth of a decibel. (Switches
// print "On" and "Off", which are not read as numbers.)
void checkPrinted(againController& controller, Vst::ParamID id, Vst::ParamValue value)
{
    Vst::String128 text;
    for (auto& unit : text)
        unit = 0x5A5A; // a missing terminator shows
    if (controller.getParamStringByValue(id, value, text) != kResultOk)
        return;
    require(terminated(text), "a printed value is terminated within 128 units");
    if ((id != kBoostId && id != kVolumeId) || !(value >= 0.0 && value <= 1.0))
        return;
    Vst::ParamValue read = -1.0;
    require(controller.getParamValueByString(id, text, read) == kResultOk,
            "a printed level reads back");
    constexpr double kTenthOfADecibel = 0.1 / 36.0; // both knobs span 36 dB
    require(std::fabs(read - value) <= 0.51 * kTenthOfADecibel,
            "a printed level reads back to within its last digit");
}

void checkRead(againController& controller, Vst::ParamID id, FuzzedDataProvider& input)
{
    std::vector<Vst::TChar> text;
    const size_t length = input.ConsumeIntegralInRange<size_t>(0, 300);
    for (size_t i = 0; i < length; ++i)
        text.push_back(input.ConsumeIntegral<Vst::TChar>());
    text.push_back(0);
    Vst::ParamValue value = 0.25;
    if (controller.getParamValueByString(id, text.data(), value) == kResultOk)
    {
        require(std::isfinite(value), "an accepted text gives a finite value");
        checkPrinted(controller, id, std::clamp(value, 0.0, 1.0));
    }
    else
    {
        require(value == 0.25, "a refused text leaves the value alone");
    }
}

} // namespace
} // namespace Brumvale::Fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    using namespace Brumvale;
    static againController* controller = [] {
        auto* made = new againController;
        Fuzz::require(made->initialize(nullptr) == kResultOk, "initialize");
        return made;
    }();
    FuzzedDataProvider input(data, size);
    while (input.remaining_bytes() > 0)
    {
        // Mostly real parameters, now and then any identifier.
        const Vst::ParamID id = input.ConsumeBool()
                                    ? input.ConsumeIntegralInRange<Vst::ParamID>(0, 4)
                                    : input.ConsumeIntegral<Vst::ParamID>();
        if (input.ConsumeBool())
            Fuzz::checkRead(*controller, id, input);
        else
            Fuzz::checkPrinted(*controller, id, input.ConsumeFloatingPoint<double>());
    }
    return 0;
}
