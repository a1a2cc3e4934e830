// A state stream that misbehaves on request, for the tests and the fuzz targets.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comobject.h"

#include <pluginterfaces/base/ibstream.h>

#include <cstdint>
#include <vector>

namespace Brumvale::Host {

// An in-memory IBStream for probing how plug-ins handle damaged streams. It can fail every
// transfer that would go past a byte limit, and it can answer kResultOk for reads past its
// end while delivering fewer bytes (or none), as some hosts' streams do.
class ScriptedStream : public ComObject<Steinberg::IBStream>
{
public:
    ScriptedStream() = default;
    explicit ScriptedStream(std::vector<std::uint8_t> content);

    // Transfers that would move the position beyond limit bytes fail with kResultFalse and
    // move nothing.
    void failAfter(std::int64_t limit) { failLimit = limit; }
    // Reads beyond the end report success while delivering only what is there.
    void succeedWithoutData(bool enabled) { silentShortReads = enabled; }
    // Failing reads first deliver the bytes before the limit, as a stream that breaks
    // in the middle of a transfer leaves them in the caller's buffer.
    void deliverPartBeforeFailing(bool enabled) { partialFailures = enabled; }

    const std::vector<std::uint8_t>& bytes() const { return data; }
    std::int64_t position() const { return cursor; }
    int readCalls() const { return reads; }
    int writeCalls() const { return writes; }

    Steinberg::tresult PLUGIN_API read(void* buffer, Steinberg::int32 numBytes,
                                       Steinberg::int32* numBytesRead) override;
    Steinberg::tresult PLUGIN_API write(void* buffer, Steinberg::int32 numBytes,
                                        Steinberg::int32* numBytesWritten) override;
    Steinberg::tresult PLUGIN_API seek(Steinberg::int64 pos, Steinberg::int32 mode,
                                       Steinberg::int64* result) override;
    Steinberg::tresult PLUGIN_API tell(Steinberg::int64* pos) override;

private:
    std::vector<std::uint8_t> data;
    std::int64_t cursor = 0;
    std::int64_t failLimit = -1;
    bool silentShortReads = false;
    bool partialFailures = false;
    int reads = 0;
    int writes = 0;
};

} // namespace Brumvale::Host
