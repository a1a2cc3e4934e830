// Loading the panel's UI library with the host's features, idling it, and recording what it sends.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lv2uihost.h"

#include <lv2/atom/atom.h>

#include <dlfcn.h>

namespace Brumvale::Host {

using namespace Steinberg;

// The host's idle calls, on the run loop's timer.
class Lv2UiHost::IdleTimer : public Host::ComObject<Linux::ITimerHandler>
{
public:
    IdleTimer(const LV2UI_Idle_Interface& idle, LV2UI_Handle ui) : idle(idle), ui(ui) {}
    void PLUGIN_API onTimer() override { idle.idle(ui); }

private:
    const LV2UI_Idle_Interface& idle;
    LV2UI_Handle ui;
};

std::unique_ptr<Lv2UiHost> Lv2UiHost::open(RunLoop& loop, HostWindow& window, const char* pluginUri,
                                           const Offers& offers, std::string& error)
{
    std::unique_ptr<Lv2UiHost> host(new Lv2UiHost);
    host->window = &window;
    host->loop = &loop;
    if (!host->load(pluginUri, offers, error))
        return nullptr;
    return host;
}

bool Lv2UiHost::load(const char* pluginUri, const Offers& offers, std::string& error)
{
    const std::string bundle = BRUMVALE_LV2_BUNDLE_PATH "/";
    library = dlopen((bundle + "brumvale_ui.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    const auto entry =
        library ? reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(library, "lv2ui_descriptor"))
                : nullptr;
    descriptor = entry ? entry(0) : nullptr;
    if (!descriptor)
    {
        error = std::string("no UI descriptor: ") + (library ? "" : dlerror());
        return false;
    }
    scale = float(offers.scaleFactor);
    const LV2_Options_Option options[] = {{LV2_OPTIONS_INSTANCE, 0, map(this, LV2_UI__scaleFactor),
                                           sizeof scale, map(this, LV2_ATOM__Float), &scale},
                                          {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
    const LV2_Feature parent{LV2_UI__parent, reinterpret_cast<void*>(window->windowId())};
    const LV2_Feature resizing{LV2_UI__resize, &resizeFeature};
    const LV2_Feature mapping{LV2_URID__map, &urid};
    const LV2_Feature idling{LV2_UI__idleInterface, nullptr};
    const LV2_Feature optionList{LV2_OPTIONS__options, const_cast<LV2_Options_Option*>(
                                                           scale > 0.0f ? options : options + 1)};
    const LV2_Feature touching{LV2_UI__touch, &touchFeature};
    std::vector<const LV2_Feature*> list = {&resizing, &mapping, &optionList};
    if (offers.idle)
        list.push_back(&idling);
    if (offers.parent)
        list.push_back(&parent);
    if (offers.touch)
        list.push_back(&touching);
    list.push_back(nullptr);
    ui = descriptor->instantiate(descriptor, pluginUri, bundle.c_str(), write, this, &uiWidget,
                                 list.data());
    const auto* idle =
        static_cast<const LV2UI_Idle_Interface*>(descriptor->extension_data(LV2_UI__idleInterface));
    if (!ui || !idle)
    {
        error = ui ? "no idle interface" : "the UI was not instantiated";
        return false;
    }
    idler = owned(new IdleTimer(*idle, ui));
    if (loop->registerTimer(idler, 5) != kResultOk)
    {
        error = "the idle timer was refused";
        return false;
    }
    return true;
}

Lv2UiHost::~Lv2UiHost()
{
    if (idler)
        loop->unregisterTimer(idler);
    if (ui)
        descriptor->cleanup(ui);
    if (library)
        dlclose(library);
}

void Lv2UiHost::portEvent(uint32_t port, float value) { portEvent(port, sizeof value, 0, &value); }

void Lv2UiHost::portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer)
{
    descriptor->port_event(ui, port, size, format, buffer);
}

uint32_t Lv2UiHost::setScaleFactor(float newScale)
{
    const auto* options = static_cast<const LV2_Options_Interface*>(
        descriptor->extension_data(LV2_OPTIONS__interface));
    if (!options)
        return LV2_OPTIONS_ERR_UNKNOWN;
    const LV2_Options_Option option[] = {{LV2_OPTIONS_INSTANCE, 0, map(this, LV2_UI__scaleFactor),
                                          sizeof newScale, map(this, LV2_ATOM__Float), &newScale},
                                         {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
    return options->set(ui, option);
}

int Lv2UiHost::resize(int width, int height)
{
    const auto* resizing =
        static_cast<const LV2UI_Resize*>(descriptor->extension_data(LV2_UI__resize));
    return resizing ? resizing->ui_resize(ui, width, height) : -1;
}

void Lv2UiHost::write(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t format,
                      const void* buffer)
{
    if (format == 0 && size == sizeof(float))
        static_cast<Lv2UiHost*>(controller)
            ->recorded.push_back({"write", port, *static_cast<const float*>(buffer)});
}

void Lv2UiHost::touch(LV2UI_Feature_Handle handle, uint32_t port, bool grabbed)
{
    static_cast<Lv2UiHost*>(handle)->recorded.push_back(
        {grabbed ? "touch" : "release", port, 0.0f});
}

int Lv2UiHost::requestSize(LV2UI_Feature_Handle handle, int width, int height)
{
    static_cast<Lv2UiHost*>(handle)->requests.push_back(std::to_string(width) + "x" +
                                                        std::to_string(height));
    return 0;
}

LV2_URID Lv2UiHost::map(LV2_URID_Map_Handle handle, const char* uri)
{
    auto& uris = static_cast<Lv2UiHost*>(handle)->uris;
    for (std::size_t i = 0; i < uris.size(); ++i)
        if (uris[i] == uri)
            return LV2_URID(i + 1);
    uris.push_back(uri);
    return LV2_URID(uris.size());
}

} // namespace Brumvale::Host
