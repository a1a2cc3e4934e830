// The LV2 UI library's entry point: the panel as the X11 UI of both plug-ins.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lv2panelview.h"

#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include <cstring>

namespace Brumvale::Lv2 {
namespace {

struct UiInstance
{
    std::unique_ptr<Lv2PanelView> view;
    LV2_URID scaleFactorKey = 0; // 0 without the host's urid:map
    LV2_URID floatType = 0;
};

UiInstance& instanceOf(LV2UI_Handle handle) { return *static_cast<UiInstance*>(handle); }

// The host's scale factor among the options: a float in 1 to 4.
double scaleFactorIn(const LV2_Options_Option* options, const UiInstance& instance)
{
    double scale = 0.0;
    for (; options && options->key != 0; ++options)
        if (instance.scaleFactorKey != 0 && options->key == instance.scaleFactorKey &&
            options->type == instance.floatType && options->size == sizeof(float) && options->value)
        {
            float value = 0.0f;
            std::memcpy(&value, options->value, sizeof value);
            scale = value;
        }
    return scale;
}

bool isOurPlugin(const char* uri)
{
    if (!uri)
        return false;
    for (const PluginKind& kind : kPluginKinds)
        if (std::strcmp(uri, kind.uri) == 0)
            return true;
    return false;
}

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char* bundlePath,
                         LV2UI_Write_Function write, LV2UI_Controller controller,
                         LV2UI_Widget* widget, const LV2_Feature* const* features) noexcept
{
    if (!isOurPlugin(pluginUri) || !bundlePath || !widget)
        return nullptr;
    try
    {
        auto instance = std::make_unique<UiInstance>();
        HostOffers offers;
        bool idleCalls = false;
        const LV2_Options_Option* options = nullptr;
        for (; features && *features; ++features)
        {
            const char* uri = (*features)->URI;
            void* data = (*features)->data;
            if (!uri)
                continue;
            if (std::strcmp(uri, LV2_UI__parent) == 0)
                offers.parent = data;
            else if (std::strcmp(uri, LV2_UI__idleInterface) == 0)
                idleCalls = true;
            else if (std::strcmp(uri, LV2_UI__resize) == 0)
                offers.resize = static_cast<const LV2UI_Resize*>(data);
            else if (std::strcmp(uri, LV2_UI__touch) == 0)
                offers.touch = static_cast<const LV2UI_Touch*>(data);
            else if (std::strcmp(uri, LV2_OPTIONS__options) == 0)
                options = static_cast<const LV2_Options_Option*>(data);
            else if (std::strcmp(uri, LV2_URID__map) == 0 && data)
            {
                const auto* map = static_cast<const LV2_URID_Map*>(data);
                instance->scaleFactorKey = map->map(map->handle, LV2_UI__scaleFactor);
                instance->floatType = map->map(map->handle, LV2_ATOM__Float);
            }
        }
        // The panel's timer and window events run in the idle calls: without them
        // the host's own controls serve the user better than a dead panel.
        if (!idleCalls)
            return nullptr;
        offers.scaleFactor = scaleFactorIn(options, *instance);
        instance->view =
            Lv2PanelView::open(std::string(bundlePath) + "resources/", write, controller, offers);
        if (!instance->view)
            return nullptr;
        *widget = instance->view->nativeWindow();
        return instance.release();
    }
    catch (...)
    {
        return nullptr;
    }
}

void cleanup(LV2UI_Handle handle) noexcept { delete static_cast<UiInstance*>(handle); }

// The operations below drop what they cannot do: the host's thread must not
// see an exception, and a missed update or frame is the next one's to show.
void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format,
               const void* buffer) noexcept
{
    try
    {
        instanceOf(handle).view->portEvent(port, size, format, buffer);
    }
    catch (...)
    {}
}

int idle(LV2UI_Handle handle) noexcept
{
    try
    {
        instanceOf(handle).view->idle();
    }
    catch (...)
    {}
    return 0;
}

int resize(LV2UI_Feature_Handle handle, int width, int height) noexcept
{
    try
    {
        return instanceOf(handle).view->resize(width, height) ? 0 : 1;
    }
    catch (...)
    {
        return 1;
    }
}

uint32_t getOptions(LV2_Handle, LV2_Options_Option*) noexcept { return LV2_OPTIONS_ERR_BAD_KEY; }

uint32_t setOptions(LV2_Handle handle, const LV2_Options_Option* options) noexcept
{
    try
    {
        UiInstance& instance = instanceOf(handle);
        const double scale = scaleFactorIn(options, instance);
        if (scale == 0.0)
            return LV2_OPTIONS_ERR_BAD_KEY;
        return instance.view->setHostScale(scale) ? LV2_OPTIONS_SUCCESS : LV2_OPTIONS_ERR_BAD_VALUE;
    }
    catch (...)
    {
        return LV2_OPTIONS_ERR_UNKNOWN;
    }
}

const void* extensionData(const char* uri) noexcept
{
    static const LV2UI_Idle_Interface idleInterface = {idle};
    static const LV2UI_Resize resizeInterface = {nullptr, resize};
    static const LV2_Options_Interface optionsInterface = {getOptions, setOptions};
    if (!uri)
        return nullptr;
    if (std::strcmp(uri, LV2_UI__idleInterface) == 0)
        return &idleInterface;
    if (std::strcmp(uri, LV2_UI__resize) == 0)
        return &resizeInterface;
    if (std::strcmp(uri, LV2_OPTIONS__interface) == 0)
        return &optionsInterface;
    return nullptr;
}

const LV2UI_Descriptor kDescriptor = {kUiUri, instantiate, cleanup, portEvent, extensionData};

} // namespace
} // namespace Brumvale::Lv2

LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index)
{
    return index == 0 ? &Brumvale::Lv2::kDescriptor : nullptr;
}
