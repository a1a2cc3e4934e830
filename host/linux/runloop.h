// The host's Linux run loop: file descriptors and timers registered by plug-in views.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comobject.h"

#include <pluginterfaces/base/smartpointer.h>
#include <pluginterfaces/gui/iplugview.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

struct pollfd;

namespace Brumvale::Host {

// What a Linux host hands to plug-in views through IPlugFrame: it polls the registered
// descriptors and calls onFDIsSet when one is readable (or hung up), and calls onTimer
// for every timer that is due. Handlers stay referenced (addRef) while registered, and
// may unregister themselves or others from inside a callback: a handler unregistered
// during a round is not called again in it.
//
// Reference counted in the SDK's way: create with owned(new RunLoop); the last release
// deletes it. Main thread only; it has no threads of its own, and runUntil must not be
// called from inside one of its callbacks.
class RunLoop : public ComObject<Steinberg::Linux::IRunLoop>
{
public:
    using Clock = std::chrono::steady_clock;

    RunLoop() = default;
    virtual ~RunLoop() = default;
    RunLoop(const RunLoop&) = delete;
    RunLoop& operator=(const RunLoop&) = delete;

    // Dispatches until done() answers true (checked before waiting, after every round
    // and at least every 10 ms, so it may watch things outside the loop) or the time is
    // up. Returns whether done() answered true.
    bool runUntil(const std::function<bool()>& done, int timeoutMilliseconds);
    void runFor(int milliseconds);
    // Dispatches until the views have taken in everything that reached their
    // descriptors before the call: none has input waiting, and every timer registered
    // at the call has been called since (views drain their connections and draw there).
    // Returns false when that takes longer than the timeout.
    bool runUntilCaughtUp(int timeoutMilliseconds);

    // Registrations now held.
    std::size_t eventHandlerCount() const { return eventHandlers.size(); }
    std::size_t timerCount() const { return timers.size(); }

    // IRunLoop. A handler may watch several descriptors but each only once, and may
    // hold one timer (interval from 1 ms to a day); a null handler, a negative descriptor
    // or a repeated registration is refused with kInvalidArgument, and so is
    // unregistering a handler that holds nothing.
    Steinberg::tresult PLUGIN_API registerEventHandler(
        Steinberg::Linux::IEventHandler* handler, Steinberg::Linux::FileDescriptor fd) override;
    Steinberg::tresult PLUGIN_API
    unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) override;
    Steinberg::tresult PLUGIN_API
    registerTimer(Steinberg::Linux::ITimerHandler* handler,
                  Steinberg::Linux::TimerInterval milliseconds) override;
    Steinberg::tresult PLUGIN_API
    unregisterTimer(Steinberg::Linux::ITimerHandler* handler) override;

private:
    struct EventHandler
    {
        Steinberg::IPtr<Steinberg::Linux::IEventHandler> handler;
        Steinberg::Linux::FileDescriptor fd;
        std::uint64_t serial; // tells a registration from a later one of the same pair
    };
    struct Timer
    {
        Steinberg::IPtr<Steinberg::Linux::ITimerHandler> handler;
        std::chrono::milliseconds interval;
        Clock::time_point due;
        std::uint64_t serial;
        std::uint64_t calls = 0;
    };

    // One wait of at most until the deadline (or the next due timer), then the
    // callbacks it calls for.
    void dispatchOnce(Clock::time_point deadline);
    // Whether a registered descriptor is readable (or hung up) now.
    bool inputWaiting() const;
    // What poll() watches for those handlers, in their order.
    static std::vector<pollfd> pollSet(const std::vector<EventHandler>& handlers);
    bool eventHandlerRegistered(std::uint64_t serial) const;
    const Timer* timerRegistered(std::uint64_t serial) const;
    Timer* timerRegistered(std::uint64_t serial);

    std::vector<EventHandler> eventHandlers;
    std::vector<Timer> timers;
    std::uint64_t nextSerial = 0;
};

} // namespace Brumvale::Host
