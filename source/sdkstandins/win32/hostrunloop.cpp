// Windows hosts run a message loop on their UI thread: a view's timers are thread
// timers of that loop, and no descriptor is ever watched.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdkstandins/platformview.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <functional>
#include <map>
#include <vector>

namespace Steinberg {
namespace Vst {

const FIDString kNativeWindowType = kPlatformTypeHWND;

namespace {

// The callbacks of the live timers by their IDs (UI thread only).
std::map<UINT_PTR, std::function<void()>>& timerCallbacks()
{
    static std::map<UINT_PTR, std::function<void()>> callbacks;
    return callbacks;
}

void CALLBACK onTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    const auto found = timerCallbacks().find(id);
    if (found != timerCallbacks().end())
    {
        const std::function<void()> callback = found->second; // may kill its timer
        callback();
    }
}

class WindowTimers : public VSTGUI::IPlatformRunLoop
{
public:
    ~WindowTimers() override
    {
        for (UINT_PTR id : timers)
        {
            KillTimer(nullptr, id);
            timerCallbacks().erase(id);
        }
    }

    bool addReader(int, std::function<void()>) override { return false; }
    bool addTimer(uint32_t milliseconds, std::function<void()> onTick) override
    {
        const UINT_PTR id = SetTimer(nullptr, 0, milliseconds, &onTimer);
        if (!id)
            return false;
        timerCallbacks()[id] = std::move(onTick);
        timers.push_back(id);
        return true;
    }

private:
    std::vector<UINT_PTR> timers;
};

} // namespace

std::unique_ptr<VSTGUI::IPlatformRunLoop> hostRunLoop(IPlugFrame*)
{
    return std::make_unique<WindowTimers>();
}

} // namespace Vst
} // namespace Steinberg
