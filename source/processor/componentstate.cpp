// Writing and reading the component state byte by byte, little-endian on every machine.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "componentstate.h"

#include "parametertable.h"

#include <cmath>
#include <cstdint>
#include <cstring>

using namespace Steinberg;

namespace Brumvale {
namespace {

// Values travel as their little-endian bytes whatever the machine's order.
template <class T> void toBytes(T value, unsigned char (&bytes)[4])
{
    uint32_t bits = 0;
    std::memcpy(&bits, &value, 4);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
}

template <class T> T fromBytes(const unsigned char (&bytes)[4])
{
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= uint32_t(bytes[i]) << (8 * i);
    T value;
    std::memcpy(&value, &bits, 4);
    return value;
}

template <class T> tresult writeValue(IBStream& stream, T value)
{
    unsigned char bytes[4];
    toBytes(value, bytes);
    return stream.write(bytes, 4, nullptr);
}

template <class T> tresult readValue(IBStream& stream, T& value)
{
    unsigned char bytes[4];
    toBytes(value, bytes); // bytes the stream does not deliver keep the preset's
    const tresult result = stream.read(bytes, 4, nullptr);
    if (result == kResultOk)
        value = fromBytes<T>(bytes);
    return result;
}

} // namespace

ComponentState ComponentState::of(const ParameterModel& model)
{
    ComponentState state;
    for (uint32_t id = 0; id < kNumParameters; ++id)
        state.switches[id] = model.values[id] > 0.5f ? 1 : 0;
    state.levels = model.values;
    return state;
}

tresult ComponentState::write(IBStream& stream) const
{
    for (const ParameterDescription& parameter : kParameters)
        if ((parameter.kind == ParameterKind::kSwitch
                 ? writeValue(stream, switches[parameter.id])
                 : writeValue(stream, levels[parameter.id])) != kResultOk)
            return kResultFalse;
    return kResultOk;
}

tresult ComponentState::read(IBStream& stream)
{
    ComponentState read = *this;
    for (const ParameterDescription& parameter : kParameters)
        if ((parameter.kind == ParameterKind::kSwitch
                 ? readValue(stream, read.switches[parameter.id])
                 : readValue(stream, read.levels[parameter.id])) != kResultOk)
            return kResultFalse;
    for (const float level : read.levels)
        if (!std::isfinite(level))
            return kResultFalse;
    *this = read;
    return kResultOk;
}

} // namespace Brumvale
