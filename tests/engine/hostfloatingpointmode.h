// Floating-point modes of hosts' audio threads, and a stand-in for such a thread
// that checks every call it makes gives its mode back.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/floatingpointmode.h"

#include <gtest/gtest.h>

namespace Brumvale::Testing {

// Modes hosts run their audio threads in, and one no host should (rounding toward
// zero), which the engine must shrug off all the same.
struct HostMode
{
    const char* name;
    FloatingPointControl control;
};
#if defined(__SSE2__)
inline constexpr FloatingPointControl kStatusFlags = 0x3F; // sticky, not part of the mode
inline const HostMode kHostModes[] = {
    {"default", kIeeeFloatingPointControl},
    {"flush-to-zero", kIeeeFloatingPointControl | 0x8000},
    {"denormals-are-zero", kIeeeFloatingPointControl | 0x0040},
    {"both", kIeeeFloatingPointControl | kFlushToZeroBits},
    {"toward zero", kIeeeFloatingPointControl | 0x6000},
};
#else
inline constexpr FloatingPointControl kStatusFlags = 0; // FPSR holds them
inline const HostMode kHostModes[] = {
    {"default", kIeeeFloatingPointControl},
    {"flush-to-zero", kFlushToZeroBits},
    {"flush-to-zero, default NaN", kFlushToZeroBits | 1u << 25},
    {"toward zero", 3u << 22},
};
#endif

// Sets a host's mode for the calls made through it, and checks after each call that
// the mode is still the host's.
class HostThread
{
public:
    explicit HostThread(FloatingPointControl control) : control(control) {}
    template <class Call> void call(Call&& work)
    {
        writeFloatingPointControl(control);
        work();
        const FloatingPointControl after = readFloatingPointControl();
        writeFloatingPointControl(kIeeeFloatingPointControl);
        EXPECT_EQ(after & ~kStatusFlags, control & ~kStatusFlags) << "mode not given back";
    }

private:
    const FloatingPointControl control;
};

} // namespace Brumvale::Testing
