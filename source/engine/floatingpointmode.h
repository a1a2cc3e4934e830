// The engine's own floating-point mode, set around its arithmetic whatever mode
// the calling thread runs in.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <xmmintrin.h>
#elif !defined(__aarch64__)
#error "the floating-point mode is written for x86 with SSE2 and for 64-bit ARM"
#endif

namespace Brumvale {

// Hosts choose the mode of the threads that call a plug-in: some flush subnormal
// numbers to zero (Ardour sets x86's flush-to-zero and denormals-are-zero on its
// process threads), most do not. x86 and ARM also flush differently (x86 detects a
// tiny result after rounding, ARM before), so no flushing mode gives one sound on
// both. The engine therefore computes in the processors' default mode, which IEEE
// 754 defines to the bit on both: round to nearest, subnormal numbers kept, no traps.
// Its quiet inputs and tails are kept out of subnormal arithmetic by design, so the
// mode costs no speed.

// The thread's control register: MXCSR on x86, FPCR on 64-bit ARM.
#if defined(__SSE2__)
using FloatingPointControl = uint32_t;
// Every exception masked, round to nearest, neither flushing bit.
constexpr FloatingPointControl kIeeeFloatingPointControl = 0x1F80;
// Flush-to-zero (results) and denormals-are-zero (operands).
constexpr FloatingPointControl kFlushToZeroBits = 0x8040;

inline FloatingPointControl readFloatingPointControl() { return _mm_getcsr(); }
inline void writeFloatingPointControl(FloatingPointControl control) { _mm_setcsr(control); }
#else
using FloatingPointControl = uint64_t;
// Round to nearest, no flushing, no default NaN, no traps.
constexpr FloatingPointControl kIeeeFloatingPointControl = 0;
// FZ: flushes subnormal operands and results.
constexpr FloatingPointControl kFlushToZeroBits = 1u << 24;

inline FloatingPointControl readFloatingPointControl()
{
    FloatingPointControl control;
    asm volatile("mrs %0, fpcr" : "=r"(control) : : "memory");
    return control;
}
inline void writeFloatingPointControl(FloatingPointControl control)
{
    asm volatile("msr fpcr, %0" : : "r"(control) : "memory");
}
#endif

// Sets the IEEE default mode for its lifetime and gives the caller back its own
// control register, status flags included, when it ends. Two register moves each
// way: no system call, no allocation, safe on an audio thread.
class IeeeArithmeticScope
{
public:
    IeeeArithmeticScope() : saved(readFloatingPointControl())
    {
        writeFloatingPointControl(kIeeeFloatingPointControl);
    }
    ~IeeeArithmeticScope() { writeFloatingPointControl(saved); }
    IeeeArithmeticScope(const IeeeArithmeticScope&) = delete;
    IeeeArithmeticScope& operator=(const IeeeArithmeticScope&) = delete;

private:
    const FloatingPointControl saved;
};

} // namespace Brumvale
