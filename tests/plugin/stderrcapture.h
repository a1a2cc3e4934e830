// Host-level tests: what a plug-in writes to standard error during a call.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>

namespace Brumvale::Host {

// Redirects file descriptor 2 into a temporary file from construction until finish(),
// so that output from any layer (stdio, iostreams, write) is caught.
class StderrCapture
{
public:
    StderrCapture();
    ~StderrCapture();
    std::string finish();

private:
    int savedFd = -1;
    std::FILE* file = nullptr;
};

} // namespace Brumvale::Host
