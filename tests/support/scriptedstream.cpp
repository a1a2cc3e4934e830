// The scripted stream's reads, writes and seeks, each failing or coming up short as set.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "scriptedstream.h"

#include <algorithm>
#include <cstring>

namespace Brumvale::Host {

using namespace Steinberg;

ScriptedStream::ScriptedStream(std::vector<std::uint8_t> content) : data(std::move(content)) {}

tresult PLUGIN_API ScriptedStream::read(void* buffer, int32 numBytes, int32* numBytesRead)
{
    ++reads;
    if (numBytesRead)
        *numBytesRead = 0;
    if (!buffer || numBytes < 0)
        return kInvalidArgument;
    if (failLimit >= 0 && cursor + numBytes > failLimit)
    {
        const std::int64_t before =
            std::min<std::int64_t>(failLimit, static_cast<std::int64_t>(data.size())) - cursor;
        if (partialFailures && before > 0)
            std::memcpy(buffer, data.data() + cursor, static_cast<size_t>(before));
        return kResultFalse;
    }
    const std::int64_t available =
        std::max<std::int64_t>(0, static_cast<std::int64_t>(data.size()) - cursor);
    const std::int64_t count = std::min<std::int64_t>(available, numBytes);
    if (count < numBytes && !silentShortReads)
        return kResultFalse;
    if (count > 0)
        std::memcpy(buffer, data.data() + cursor, static_cast<size_t>(count));
    cursor += count;
    if (numBytesRead)
        *numBytesRead = static_cast<int32>(count);
    return kResultOk;
}

tresult PLUGIN_API ScriptedStream::write(void* buffer, int32 numBytes, int32* numBytesWritten)
{
    ++writes;
    if (numBytesWritten)
        *numBytesWritten = 0;
    if (!buffer || numBytes < 0)
        return kInvalidArgument;
    if (failLimit >= 0 && cursor + numBytes > failLimit)
        return kResultFalse;
    const auto end = static_cast<size_t>(cursor + numBytes);
    if (data.size() < end)
        data.resize(end);
    std::memcpy(data.data() + cursor, buffer, static_cast<size_t>(numBytes));
    cursor += numBytes;
    if (numBytesWritten)
        *numBytesWritten = numBytes;
    return kResultOk;
}

tresult PLUGIN_API ScriptedStream::seek(int64 pos, int32 mode, int64* result)
{
    int64 target = pos;
    if (mode == kIBSeekCur)
        target += cursor;
    else if (mode == kIBSeekEnd)
        target += static_cast<int64>(data.size());
    else if (mode != kIBSeekSet)
        return kInvalidArgument;
    if (target < 0)
        return kResultFalse;
    cursor = target;
    if (result)
        *result = cursor;
    return kResultOk;
}

tresult PLUGIN_API ScriptedStream::tell(int64* pos)
{
    if (!pos)
        return kInvalidArgument;
    *pos = cursor;
    return kResultOk;
}

} // namespace Brumvale::Host
