// The four-float and two-double lane packs that every processor of a target has:
// SSE2 on x86, NEON on 64-bit ARM.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#if defined(__SSE2__)
#include "sse2lanes.h"
#elif defined(__aarch64__)
#include "neonlanes.h"
#else
#error "the engine's lanes are written for x86 with SSE2 and for 64-bit ARM"
#endif

#include "pairsmoother.h"
