// Brumvale fuzz targets: the property check shared by every target.
// GPL-3.0-or-later.
#pragma once

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

} // namespace Brumvale::Fuzz
