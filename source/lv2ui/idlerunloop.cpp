// The work of an idle call: readers with something to read, then the timers that are due.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "idlerunloop.h"

#include <poll.h>

namespace Brumvale::Lv2 {

bool IdleRunLoop::addReader(int fileDescriptor, std::function<void()> onReady)
{
    if (fileDescriptor < 0 || !onReady)
        return false;
    readers.push_back({fileDescriptor, std::move(onReady)});
    return true;
}

bool IdleRunLoop::addTimer(uint32_t milliseconds, std::function<void()> onTick)
{
    if (milliseconds == 0 || !onTick)
        return false;
    const auto interval = std::chrono::milliseconds(milliseconds);
    timers.push_back({interval, Clock::now() + interval, std::move(onTick)});
    return true;
}

void IdleRunLoop::idle()
{
    // By index and through copies: a callback may register more.
    for (std::size_t i = 0; i < readers.size(); ++i)
    {
        pollfd watched{readers[i].fileDescriptor, POLLIN, 0};
        if (poll(&watched, 1, 0) == 1 && (watched.revents & (POLLIN | POLLHUP | POLLERR)) != 0)
        {
            const std::function<void()> onReady = readers[i].onReady;
            onReady();
        }
    }
    const Clock::time_point now = Clock::now();
    for (std::size_t i = 0; i < timers.size(); ++i)
    {
        if (timers[i].due > now)
            continue;
        timers[i].due += timers[i].interval;
        if (timers[i].due <= now)
            timers[i].due = now + timers[i].interval;
        const std::function<void()> onTick = timers[i].onTick;
        onTick();
    }
}

} // namespace Brumvale::Lv2
