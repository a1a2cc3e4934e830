// The host's Linux run loop: poll() over registered descriptors, timers between waits.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "runloop.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace Brumvale::Host {

using namespace Steinberg;
using namespace std::chrono;

namespace {

// Longest single wait, so that runUntil's condition is looked at often enough.
constexpr milliseconds kLongestWait{10};
// A timer interval beyond a day is taken as a mistake (and would overflow the clock).
constexpr Linux::TimerInterval kLongestInterval = 24 * 3600 * 1000;

// Readable, or hung up: either way the handler has something to take in.
bool ready(const pollfd& fd) { return (fd.revents & (POLLIN | POLLHUP | POLLERR)) != 0; }

} // namespace

bool RunLoop::runUntil(const std::function<bool()>& done, int timeoutMilliseconds)
{
    const Clock::time_point deadline = Clock::now() + milliseconds(timeoutMilliseconds);
    while (!done())
    {
        if (Clock::now() >= deadline)
            return false;
        dispatchOnce(std::min(deadline, Clock::now() + kLongestWait));
    }
    return true;
}

void RunLoop::runFor(int milliseconds)
{
    runUntil([] { return false; }, milliseconds);
}

bool RunLoop::runUntilCaughtUp(int timeoutMilliseconds)
{
    std::vector<std::pair<std::uint64_t, std::uint64_t>> callsAtStart;
    for (const Timer& timer : timers)
        callsAtStart.emplace_back(timer.serial, timer.calls);
    return runUntil(
        [&] {
            for (const auto& [serial, calls] : callsAtStart)
            {
                const Timer* timer = timerRegistered(serial);
                if (timer && timer->calls == calls)
                    return false;
            }
            return !inputWaiting();
        },
        timeoutMilliseconds);
}

bool RunLoop::inputWaiting() const
{
    std::vector<pollfd> fds = pollSet(eventHandlers);
    return poll(fds.data(), fds.size(), 0) > 0 && std::any_of(fds.begin(), fds.end(), ready);
}

void RunLoop::dispatchOnce(Clock::time_point deadline)
{
    for (const Timer& timer : timers)
        deadline = std::min(deadline, timer.due);
    // Rounded up, so that a wait of less than a millisecond does not spin.
    const auto wait = ceil<milliseconds>(deadline - Clock::now()).count();
    const int timeout = wait > 0 ? static_cast<int>(wait) : 0;

    // Callbacks may change the registrations: work on copies, which also keep the
    // handlers alive, and call only those still registered.
    const std::vector<EventHandler> watched = eventHandlers;
    std::vector<pollfd> fds = pollSet(watched);
    if (poll(fds.data(), fds.size(), timeout) > 0)
    {
        for (std::size_t i = 0; i < fds.size(); ++i)
        {
            // POLLNVAL is left alone: a closed descriptor is the plug-in's mistake.
            if (ready(fds[i]) && eventHandlerRegistered(watched[i].serial))
                watched[i].handler->onFDIsSet(watched[i].fd);
        }
    }

    const Clock::time_point now = Clock::now();
    std::vector<Timer> due;
    for (const Timer& timer : timers)
        if (timer.due <= now)
            due.push_back(timer);
    for (const Timer& timer : due)
    {
        Timer* current = timerRegistered(timer.serial);
        if (!current)
            continue;
        // Counted from now, so a late round does not call a timer in a burst.
        current->due = now + current->interval;
        ++current->calls;
        timer.handler->onTimer();
    }
}

std::vector<pollfd> RunLoop::pollSet(const std::vector<EventHandler>& handlers)
{
    std::vector<pollfd> fds;
    fds.reserve(handlers.size());
    for (const EventHandler& entry : handlers)
        fds.push_back({entry.fd, POLLIN, 0});
    return fds;
}

bool RunLoop::eventHandlerRegistered(std::uint64_t serial) const
{
    return std::any_of(eventHandlers.begin(), eventHandlers.end(),
                       [serial](const EventHandler& entry) { return entry.serial == serial; });
}

const RunLoop::Timer* RunLoop::timerRegistered(std::uint64_t serial) const
{
    auto found = std::find_if(timers.begin(), timers.end(),
                              [serial](const Timer& timer) { return timer.serial == serial; });
    return found == timers.end() ? nullptr : &*found;
}

RunLoop::Timer* RunLoop::timerRegistered(std::uint64_t serial)
{
    return const_cast<Timer*>(std::as_const(*this).timerRegistered(serial));
}

tresult PLUGIN_API RunLoop::registerEventHandler(Linux::IEventHandler* handler,
                                                 Linux::FileDescriptor fd)
{
    if (!handler || fd < 0)
        return kInvalidArgument;
    for (const EventHandler& entry : eventHandlers)
        if (entry.handler == handler && entry.fd == fd)
            return kInvalidArgument;
    eventHandlers.push_back({handler, fd, nextSerial++});
    return kResultOk;
}

tresult PLUGIN_API RunLoop::unregisterEventHandler(Linux::IEventHandler* handler)
{
    const auto kept =
        std::remove_if(eventHandlers.begin(), eventHandlers.end(),
                       [handler](const EventHandler& entry) { return entry.handler == handler; });
    if (kept == eventHandlers.end())
        return kInvalidArgument;
    eventHandlers.erase(kept, eventHandlers.end());
    return kResultOk;
}

tresult PLUGIN_API RunLoop::registerTimer(Linux::ITimerHandler* handler,
                                          Linux::TimerInterval milliseconds)
{
    if (!handler || milliseconds == 0 || milliseconds > kLongestInterval)
        return kInvalidArgument;
    for (const Timer& timer : timers)
        if (timer.handler == handler)
            return kInvalidArgument;
    const std::chrono::milliseconds interval(static_cast<std::int64_t>(milliseconds));
    timers.push_back({handler, interval, Clock::now() + interval, nextSerial++});
    return kResultOk;
}

tresult PLUGIN_API RunLoop::unregisterTimer(Linux::ITimerHandler* handler)
{
    auto found = std::find_if(timers.begin(), timers.end(),
                              [handler](const Timer& timer) { return timer.handler == handler; });
    if (found == timers.end())
        return kInvalidArgument;
    timers.erase(found);
    return kResultOk;
}

} // namespace Brumvale::Host
