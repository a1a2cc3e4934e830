// The host's IPlugFrame: attaching a view, its resize requests, interface lookup.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "plugframe.h"

namespace Brumvale::Host {

using namespace Steinberg;

tresult PlugFrame::attach(IPlugView* view)
{
    if (!view || attachedView)
        return kInvalidArgument;
    // Views may ask for their size while they attach.
    attachedView = view;
    view->setFrame(this);
    const tresult result = view->attached(parent(), platformType());
    if (result != kResultOk)
    {
        view->setFrame(nullptr);
        attachedView = nullptr;
    }
    return result;
}

void PlugFrame::detach()
{
    if (!attachedView)
        return;
    attachedView->removed();
    attachedView->setFrame(nullptr);
    attachedView = nullptr;
}

tresult PLUGIN_API PlugFrame::resizeView(IPlugView* view, ViewRect* newSize)
{
    if (!view || view != attachedView || !newSize || newSize->getWidth() <= 0 ||
        newSize->getHeight() <= 0)
        return kInvalidArgument;
    if (!resizing.take(*newSize))
        return kResultFalse;
    resizeWindow(newSize->getWidth(), newSize->getHeight());
    return view->onSize(newSize);
}

tresult PLUGIN_API PlugFrame::queryInterface(const TUID iid, void** obj)
{
    const tresult result = OwnedObject::queryInterface(iid, obj);
    return result == kNoInterface ? otherInterface(iid, obj) : result;
}

tresult PlugFrame::otherInterface(const TUID, void** obj)
{
    *obj = nullptr;
    return kNoInterface;
}

} // namespace Brumvale::Host
