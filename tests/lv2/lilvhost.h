// A small LV2 host on lilv for the tests: loads one bundle, runs a plug-in of it
// block by block with port values set by symbol, and restores presets by label.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <lilv/lilv.h>
#include <lv2/urid/urid.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Brumvale::Testing {

// The world: the installed LV2 specifications and the bundle.
class LilvHost
{
public:
    explicit LilvHost(const std::string& bundleFolder);
    ~LilvHost();
    LilvHost(const LilvHost&) = delete;
    LilvHost& operator=(const LilvHost&) = delete;

    // Null when the bundle has no such plug-in.
    const LilvPlugin* plugin(const char* uri) const;

    LilvWorld* world() const { return lilvWorld; }
    LV2_URID_Map* map() { return &urids; }

private:
    static LV2_URID mapUri(LV2_URID_Map_Handle handle, const char* uri);

    LilvWorld* lilvWorld;
    std::map<std::string, LV2_URID> mapped;
    LV2_URID_Map urids{this, mapUri};
};

// One running instance; control ports start at their defaults, the latency output
// is connected, audio ports are connected for each run.
class LilvInstance
{
public:
    // ok() is false when instantiation is refused.
    LilvInstance(LilvHost& host, const char* uri, double rate);
    ~LilvInstance();
    LilvInstance(const LilvInstance&) = delete;
    LilvInstance& operator=(const LilvInstance&) = delete;

    bool ok() const { return instance != nullptr; }
    uint32_t channels() const { return uint32_t(inputPorts.size()); }
    // The value a control port holds; set() takes effect at the next run.
    float& control(const std::string& symbol) { return controls.at(symbol); }
    // False when no preset of the plug-in has the label.
    bool restorePreset(const std::string& label);
    void run(const float* const* inputs, float* const* outputs, uint32_t frames);
    // Deactivates and activates it again, as a host does around a pause.
    void reactivate();

private:
    LilvHost& host;
    const LilvPlugin* plugin;
    ::LilvInstance* instance = nullptr;
    std::map<std::string, float> controls; // by symbol; the ports point into it
    std::map<std::string, uint32_t> indices;
    float latency = -1.0f;
    std::vector<uint32_t> inputPorts;
    std::vector<uint32_t> outputPorts;
};

} // namespace Brumvale::Testing
