// Opening the plug-in's editor in a host window, and running its loop while brumvale live plays.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "front/editorfront.h"

#include <poll.h>

using namespace Steinberg;

namespace Brumvale {

std::unique_ptr<EditorFront> EditorFront::open(Host::PluginInstance& instance,
                                               Host::EditQueue& edits, std::string& error)
{
    std::unique_ptr<EditorFront> front(new EditorFront(instance));
    front->loop = owned(new Host::RunLoop);
    front->forwarder = owned(new Host::EditForwarder(edits));
    front->view = owned(instance.controller()->createView(Vst::ViewType::kEditor));
    ViewRect size;
    if (!front->view ||
        front->view->isPlatformTypeSupported(kPlatformTypeX11EmbedWindowID) != kResultTrue ||
        front->view->getSize(&size) != kResultOk)
    {
        error = "the plug-in has no editor for X11; give --no-editor to play without it";
        return nullptr;
    }
    front->window = Host::HostWindow::open(
        *front->loop, ViewRect(0, 0, size.getWidth(), size.getHeight()), error);
    if (!front->window)
    {
        error += "; give --no-editor to play without the editor";
        return nullptr;
    }
    front->window->setTitle("Brumvale live");
    instance.controller()->setComponentHandler(front->forwarder);
    if (front->window->attach(front->view) != kResultOk)
    {
        error = "the plug-in's editor does not open in the window";
        return nullptr;
    }
    return front;
}

EditorFront::~EditorFront()
{
    window.reset(); // detaches the view
    if (forwarder)
        instance.attachHandler();
}

LiveFront::Turn EditorFront::serve(int wakeDescriptor, int milliseconds)
{
    bool woken = false;
    loop->runUntil(
        [&] {
            pollfd ready{wakeDescriptor, POLLIN, 0};
            woken = poll(&ready, 1, 0) > 0;
            return woken || window->closeRequested();
        },
        milliseconds);
    if (woken)
        return Turn::woken;
    return window->closeRequested() ? Turn::quit : Turn::idle;
}

} // namespace Brumvale
