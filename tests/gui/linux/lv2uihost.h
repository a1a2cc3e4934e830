// A small LV2 UI host for the GUI tests: Brumvale.lv2's panel in a host window.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "linux/hostwindow.h"
#include "linux/runloop.h"

#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <memory>
#include <string>
#include <vector>

namespace Brumvale::Host {

// Loads the bundle's UI library and shows the panel in the window, as suil-based
// hosts do: ui:parent, ui:resize, ui:touch (unless left out), urid:map and the
// options (ui:scaleFactor when given), and idle calls every 5 ms from the run
// loop's timer. Records what the panel asks of the host. Main thread only.
class Lv2UiHost
{
public:
    // A port write ("touch" and "release" are ui:touch gestures; value is 0 then).
    struct Call
    {
        std::string kind; // "write", "touch" or "release"
        uint32_t port;
        float value;
    };
    struct Offers
    {
        double scaleFactor = 0.0; // 0: none offered
        bool touch = true;
        bool parent = true;
        bool idle = true; // the ui:idleInterface feature: idle calls will come
    };

    // Null, with the reason in error, when the library or the panel cannot be had.
    static std::unique_ptr<Lv2UiHost> open(RunLoop& loop, HostWindow& window, const char* pluginUri,
                                           const Offers& offers, std::string& error);
    ~Lv2UiHost();

    // The host's value of a control port, as format 0 (one float).
    void portEvent(uint32_t port, float value);
    void portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer);
    // The host's new scale, through the UI's options interface; its status.
    uint32_t setScaleFactor(float scale);
    // The host's new size, through the UI's ui:resize interface; its answer.
    int resize(int width, int height);

    unsigned long widget() const { return reinterpret_cast<unsigned long>(uiWidget); }
    const std::vector<Call>& calls() const { return recorded; }
    void clearCalls() { recorded.clear(); }
    // The sizes the panel asked for, as "WxH".
    const std::vector<std::string>& sizeRequests() const { return requests; }

private:
    class IdleTimer;
    Lv2UiHost() = default;
    bool load(const char* pluginUri, const Offers& offers, std::string& error);

    static void write(LV2UI_Controller, uint32_t, uint32_t, uint32_t, const void*);
    static void touch(LV2UI_Feature_Handle, uint32_t, bool);
    static int requestSize(LV2UI_Feature_Handle, int, int);
    static LV2_URID map(LV2_URID_Map_Handle, const char*);

    void* library = nullptr;
    const LV2UI_Descriptor* descriptor = nullptr;
    LV2UI_Handle ui = nullptr;
    LV2UI_Widget uiWidget = nullptr;
    HostWindow* window = nullptr;
    Steinberg::IPtr<RunLoop> loop;
    Steinberg::IPtr<Steinberg::Linux::ITimerHandler> idler;
    std::vector<std::string> uris; // URID n is uris[n - 1]
    LV2_URID_Map urid{this, map};
    LV2UI_Resize resizeFeature{this, requestSize};
    LV2UI_Touch touchFeature{this, touch};
    float scale = 0.0f;
    std::vector<Call> recorded;
    std::vector<std::string> requests;
};

} // namespace Brumvale::Host
