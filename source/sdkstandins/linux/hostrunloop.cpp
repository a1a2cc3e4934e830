// Linux hosts wake a view through the IRunLoop of their plug frame: it watches the
// view's X connection and runs its timers on the UI thread.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdkstandins/platformview.h"

#include <atomic>
#include <functional>
#include <vector>

namespace Steinberg {
namespace Vst {

const FIDString kNativeWindowType = kPlatformTypeX11EmbedWindowID;

namespace {

// A callback wrapped as the handler interface the run loop calls; counted in the
// SDK's way, as the host may hold references of its own.
template <class Handler> class Callback : public Handler
{
public:
    explicit Callback(std::function<void()> function) : function(std::move(function)) {}
    virtual ~Callback() = default;

    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override
    {
        if (!iid || !obj)
            return kInvalidArgument;
        QUERY_INTERFACE(iid, obj, FUnknown::iid, Handler)
        QUERY_INTERFACE(iid, obj, Handler::iid, Handler)
        *obj = nullptr;
        return kNoInterface;
    }
    uint32 PLUGIN_API addRef() override { return ++references; }
    uint32 PLUGIN_API release() override
    {
        const uint32 left = --references;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    // The host calls through the interface: nothing may escape it. A handler that
    // ran out of memory has dropped that one event.
    void call() noexcept
    {
        try
        {
            function();
        }
        catch (...)
        {}
    }

private:
    std::function<void()> function;
    std::atomic<uint32> references{1};
};

class Reader : public Callback<Linux::IEventHandler>
{
public:
    using Callback::Callback;
    void PLUGIN_API onFDIsSet(Linux::FileDescriptor) override { call(); }
};

class Timer : public Callback<Linux::ITimerHandler>
{
public:
    using Callback::Callback;
    void PLUGIN_API onTimer() override { call(); }
};

// Everything registered is unregistered when this goes.
class HostRunLoop : public VSTGUI::IPlatformRunLoop
{
public:
    explicit HostRunLoop(Linux::IRunLoop* loop) : loop(loop) {}
    ~HostRunLoop() override
    {
        for (Reader* reader : readers)
        {
            loop->unregisterEventHandler(reader);
            reader->release();
        }
        for (Timer* timer : timers)
        {
            loop->unregisterTimer(timer);
            timer->release();
        }
        loop->release();
    }

    bool addReader(int fileDescriptor, std::function<void()> onReady) override
    {
        auto* reader = new Reader(std::move(onReady));
        if (loop->registerEventHandler(reader, fileDescriptor) != kResultTrue)
        {
            reader->release();
            return false;
        }
        readers.push_back(reader);
        return true;
    }
    bool addTimer(uint32_t milliseconds, std::function<void()> onTick) override
    {
        auto* timer = new Timer(std::move(onTick));
        if (loop->registerTimer(timer, milliseconds) != kResultTrue)
        {
            timer->release();
            return false;
        }
        timers.push_back(timer);
        return true;
    }

private:
    Linux::IRunLoop* loop; // one reference held
    std::vector<Reader*> readers;
    std::vector<Timer*> timers;
};

} // namespace

std::unique_ptr<VSTGUI::IPlatformRunLoop> hostRunLoop(IPlugFrame* plugFrame)
{
    Linux::IRunLoop* loop = nullptr;
    if (!plugFrame ||
        plugFrame->queryInterface(Linux::IRunLoop::iid, reinterpret_cast<void**>(&loop)) !=
            kResultTrue ||
        !loop)
        return nullptr;
    return std::make_unique<HostRunLoop>(loop);
}

} // namespace Vst
} // namespace Steinberg
