// brumvale live's window: the plug-in's own editor.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "front/livefront.h"
#include "linux/hostwindow.h"
#include "live/editforwarder.h"
#include "plugininstance.h"

#include <memory>
#include <string>

namespace Brumvale {

// The controller's editor in a window of the host library's, on its run loop, with
// the controller's edits sent to the queue (its component handler is replaced
// while the front lives). Closing the window asks to end.
class EditorFront : public LiveFront
{
public:
    // Null, with a one-line reason, when the plug-in has no editor or no display
    // can be opened.
    static std::unique_ptr<EditorFront> open(Host::PluginInstance& instance, Host::EditQueue& edits,
                                             std::string& error);
    ~EditorFront() override;

    Turn serve(int wakeDescriptor, int milliseconds) override;

private:
    explicit EditorFront(Host::PluginInstance& instance) : instance(instance) {}

    Host::PluginInstance& instance;
    Steinberg::IPtr<Host::RunLoop> loop;
    Steinberg::IPtr<Host::EditForwarder> forwarder;
    Steinberg::IPtr<Steinberg::IPlugView> view;
    std::unique_ptr<Host::HostWindow> window;
};

} // namespace Brumvale
