// Loading the bundle into a lilv world, connecting ports by symbol, and restoring presets by label.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lilvhost.h"

#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/presets/presets.h>

#include <cstring>

namespace Brumvale::Testing {
namespace {

// Frees a lilv node at the end of a scope.
struct Node
{
    LilvNode* node;
    ~Node() { lilv_node_free(node); }
};

} // namespace

LilvHost::LilvHost(const std::string& bundleFolder) : lilvWorld(lilv_world_new())
{
    lilv_world_load_specifications(lilvWorld);
    lilv_world_load_plugin_classes(lilvWorld);
    const std::string folder = bundleFolder.back() == '/' ? bundleFolder : bundleFolder + "/";
    Node bundle{lilv_new_file_uri(lilvWorld, nullptr, folder.c_str())};
    lilv_world_load_bundle(lilvWorld, bundle.node);
}

LilvHost::~LilvHost() { lilv_world_free(lilvWorld); }

const LilvPlugin* LilvHost::plugin(const char* uri) const
{
    Node node{lilv_new_uri(lilvWorld, uri)};
    return lilv_plugins_get_by_uri(lilv_world_get_all_plugins(lilvWorld), node.node);
}

LV2_URID LilvHost::mapUri(LV2_URID_Map_Handle handle, const char* uri)
{
    auto& mapped = static_cast<LilvHost*>(handle)->mapped;
    return mapped.emplace(uri, LV2_URID(mapped.size() + 1)).first->second;
}

LilvInstance::LilvInstance(LilvHost& host, const char* uri, double rate)
    : host(host), plugin(host.plugin(uri))
{
    if (!plugin)
        return;
    LilvWorld* world = host.world();
    Node audio{lilv_new_uri(world, LV2_CORE__AudioPort)};
    Node control{lilv_new_uri(world, LV2_CORE__ControlPort)};
    Node input{lilv_new_uri(world, LV2_CORE__InputPort)};
    const uint32_t count = lilv_plugin_get_num_ports(plugin);
    std::vector<float> defaults(count);
    std::vector<uint32_t> reports; // control outputs: the latency
    lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, defaults.data());
    for (uint32_t p = 0; p < count; ++p)
    {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, p);
        const bool in = lilv_port_is_a(plugin, port, input.node);
        if (lilv_port_is_a(plugin, port, audio.node))
            (in ? inputPorts : outputPorts).push_back(p);
        else if (lilv_port_is_a(plugin, port, control.node) && !in)
            reports.push_back(p);
        else if (lilv_port_is_a(plugin, port, control.node))
        {
            const std::string symbol = lilv_node_as_string(lilv_port_get_symbol(plugin, port));
            controls[symbol] = defaults[p];
            indices[symbol] = p;
        }
    }
    LV2_Feature mapFeature{LV2_URID__map, host.map()};
    const LV2_Feature* features[] = {&mapFeature, nullptr};
    instance = lilv_plugin_instantiate(plugin, rate, features);
    if (!instance)
        return;
    for (auto& [symbol, value] : controls)
        lilv_instance_connect_port(instance, indices[symbol], &value);
    for (uint32_t p : reports)
        lilv_instance_connect_port(instance, p, &latency);
    lilv_instance_activate(instance);
}

LilvInstance::~LilvInstance()
{
    if (!instance)
        return;
    lilv_instance_deactivate(instance);
    lilv_instance_free(instance);
}

bool LilvInstance::restorePreset(const std::string& label)
{
    LilvWorld* world = host.world();
    Node presetClass{lilv_new_uri(world, LV2_PRESETS__Preset)};
    Node labelUri{lilv_new_uri(world, LILV_NS_RDFS "label")};
    LilvNodes* presets = lilv_plugin_get_related(plugin, presetClass.node);
    bool restored = false;
    LILV_FOREACH(nodes, i, presets)
    {
        const LilvNode* preset = lilv_nodes_get(presets, i);
        lilv_world_load_resource(world, preset);
        Node text{lilv_world_get(world, preset, labelUri.node, nullptr)};
        if (restored || !text.node || label != lilv_node_as_string(text.node))
            continue;
        LilvState* state = lilv_state_new_from_world(world, host.map(), preset);
        if (!state)
            continue;
        const LV2_URID floatType = host.map()->map(host.map()->handle, LV2_ATOM__Float);
        struct Target
        {
            LilvInstance* self;
            LV2_URID floatType;
        } target{this, floatType};
        lilv_state_emit_port_values(
            state,
            [](const char* symbol, void* data, const void* value, uint32_t size, uint32_t type) {
                auto* to = static_cast<Target*>(data);
                auto port = to->self->controls.find(symbol);
                if (port != to->self->controls.end() && type == to->floatType &&
                    size == sizeof(float))
                    std::memcpy(&port->second, value, sizeof(float));
            },
            &target);
        lilv_state_free(state);
        restored = true;
    }
    lilv_nodes_free(presets);
    return restored;
}

void LilvInstance::run(const float* const* inputs, float* const* outputs, uint32_t frames)
{
    for (size_t c = 0; c < inputPorts.size(); ++c)
    {
        lilv_instance_connect_port(instance, inputPorts[c], const_cast<float*>(inputs[c]));
        lilv_instance_connect_port(instance, outputPorts[c], outputs[c]);
    }
    lilv_instance_run(instance, frames);
}

void LilvInstance::reactivate()
{
    lilv_instance_deactivate(instance);
    lilv_instance_activate(instance);
}

} // namespace Brumvale::Testing
