// Host-level tests: what a plug-in writes to standard error during a call.
// GPL-3.0-or-later.
#include "stderrcapture.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

namespace Brumvale::Host {

StderrCapture::StderrCapture()
{
    char name[] = "/tmp/brumvale-stderr-XXXXXX";
    fileFd = mkstemp(name);
    if (fileFd < 0)
        return;
    unlink(name);
    std::fflush(stderr);
    std::cerr.flush();
    savedFd = dup(2);
    dup2(fileFd, 2);
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
    lseek(fileFd, 0, SEEK_SET);
    char buffer[512];
    ssize_t count = 0;
    while ((count = read(fileFd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<size_t>(count));
    close(fileFd);
    fileFd = -1;
    return text;
}

} // namespace Brumvale::Host
