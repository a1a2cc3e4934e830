// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#pragma once

#include <cstdio>

namespace Brumvale {

// The diagnostic line for a text that arrived over the processor-controller
// connection: "[receiver] received: ", the text verbatim (never a format), a line
// feed, on standard error. A null text prints nothing.
inline void printReceivedText(const char* receiver, const char* text)
{
    if (!text)
        return;
    std::fprintf(stderr, "[%s] received: ", receiver);
    std::fputs(text, stderr);
    std::fputc('\n', stderr);
}

} // namespace Brumvale
