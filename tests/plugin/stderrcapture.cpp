// Host-level tests: what a plug-in writes to standard error during a call.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "stderrcapture.h"

#include <iostream>
#include <unistd.h>

namespace Brumvale::Host {

// tmpfile and the descriptor calls exist in glibc and in Windows' C runtime, which a
// Windows plug-in shares with the host.
StderrCapture::StderrCapture()
{
    file = std::tmpfile();
    if (!file)
        return;
    std::fflush(stderr);
    std::cerr.flush();
    savedFd = dup(2);
    dup2(fileno(file), 2);
}

StderrCapture::~StderrCapture() { finish(); }

std::string StderrCapture::finish()
{
    std::string text;
    if (savedFd < 0)
        return text;
    std::fflush(stderr);
    std::cerr.flush();
    dup2(savedFd, 2);
    close(savedFd);
    savedFd = -1;
    std::rewind(file);
    char buffer[512];
    size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, count);
    std::fclose(file);
    file = nullptr;
    return text;
}

} // namespace Brumvale::Host
