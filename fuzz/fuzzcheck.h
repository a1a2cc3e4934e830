// Fuzz targets: the property check and the session loop they share.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace Brumvale::Fuzz {

// A broken property is a finding: say which, and abort so that libFuzzer keeps the
// input that broke it.
inline void require(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

// Runs a session (constructed from the input, with step()) for up to 64 steps
// decoded from the input.
template <class Session> int runSession(const std::uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    Session session(input);
    for (int call = 0; call < 64 && input.remaining_bytes() > 0; ++call)
        session.step();
    return 0;
}

} // namespace Brumvale::Fuzz
