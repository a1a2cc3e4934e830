// The widget layer's run loop, driven by an LV2 host's idle calls.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/platform.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace Brumvale::Lv2 {

// LV2 hosts give an X11 UI no run loop to register with: they call the UI's idle
// function on their UI thread, many times a second. Each idle() call hands every
// reader whose descriptor has something to read now (a poll that does not wait)
// and every timer that is due, at most once each; a timer late by more than its
// interval skips the ticks it missed. UI thread only.
class IdleRunLoop : public VSTGUI::IPlatformRunLoop
{
public:
    bool addReader(int fileDescriptor, std::function<void()> onReady) override;
    bool addTimer(uint32_t milliseconds, std::function<void()> onTick) override;

    void idle();

private:
    using Clock = std::chrono::steady_clock;
    struct Reader
    {
        int fileDescriptor;
        std::function<void()> onReady;
    };
    struct Timer
    {
        Clock::duration interval;
        Clock::time_point due;
        std::function<void()> onTick;
    };

    std::vector<Reader> readers;
    std::vector<Timer> timers;
};

} // namespace Brumvale::Lv2
