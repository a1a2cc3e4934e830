// Writing and reading the component state byte by byte, little-endian on every machine.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "componentstate.h"

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

tresult ComponentState::write(IBStream& stream) const
{
    if (writeValue(stream, bypass) != kResultOk || writeValue(stream, antiAlias) != kResultOk ||
        writeValue(stream, warmth) != kResultOk || writeValue(stream, boost) != kResultOk ||
        writeValue(stream, volume) != kResultOk)
        return kResultFalse;
    return kResultOk;
}

tresult ComponentState::read(IBStream& stream)
{
    ComponentState read = *this;
    if (readValue(stream, read.bypass) != kResultOk ||
        readValue(stream, read.antiAlias) != kResultOk ||
        readValue(stream, read.warmth) != kResultOk || readValue(stream, read.boost) != kResultOk ||
        readValue(stream, read.volume) != kResultOk)
        return kResultFalse;
    if (!std::isfinite(read.boost) || !std::isfinite(read.volume))
        return kResultFalse;
    *this = read;
    return kResultOk;
}

} // namespace Brumvale
