// The editor view's attaching and removal, its zoom sources, and resizing through the host's frame.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "vstguieditor.h"

#include "platformview.h"

#include <cstring>

namespace Steinberg {
namespace Vst {

VSTGUIEditor::VSTGUIEditor(void* controller, ViewRect* size)
    : EditorView(static_cast<EditController*>(controller), size), panel(size ? *size : ViewRect())
{}

void VSTGUIEditor::idle()
{
    if (frame)
        frame->idle();
}

bool VSTGUIEditor::setUserZoom(double newZoom)
{
    if (newZoom != 0.0 && !VSTGUI::isZoomInRange(newZoom))
        return false;
    return changeZoomSource(sources.user, newZoom);
}

tresult PLUGIN_API VSTGUIEditor::queryInterface(const TUID iid, void** obj)
{
    QUERY_INTERFACE(iid, obj, IPlugViewContentScaleSupport::iid, IPlugViewContentScaleSupport)
    return EditorView::queryInterface(iid, obj);
}

bool VSTGUIEditor::openFrame(void* parent)
{
    if (!frame)
        return false;
    frame->setZoom(zoom);
    return frame->open(parent, runLoop.get());
}

tresult PLUGIN_API VSTGUIEditor::isPlatformTypeSupported(FIDString type)
{
    return type && std::strcmp(type, kNativeWindowType) == 0 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VSTGUIEditor::attached(void* parent, FIDString type)
{
    if (isPlatformTypeSupported(type) != kResultTrue || !parent || frame)
        return kResultFalse;
    runLoop = hostRunLoop(plugFrame);
    if (!open(parent))
    {
        runLoop.reset();
        return kResultFalse;
    }
    if (runLoop)
        runLoop->addTimer(uint32_t(idleRate), [this] { idle(); });
    // Only now is the screen known; a host that cannot fit its scale keeps the
    // size it was told.
    const double wanted = chosenZoom();
    if (wanted == zoom || !showAt(wanted))
    {
        ViewRect size = zoomedPanel(zoom);
        setRect(size);
        fitFrame();
        if (plugFrame)
            plugFrame->resizeView(this, &size);
    }
    return EditorView::attached(parent, type);
}

tresult PLUGIN_API VSTGUIEditor::removed()
{
    close();
    runLoop.reset();
    return EditorView::removed();
}

tresult PLUGIN_API VSTGUIEditor::onSize(ViewRect* newSize)
{
    // No window can be empty: the X server would answer with an error that ends
    // the host.
    if (newSize && (newSize->getWidth() <= 0 || newSize->getHeight() <= 0))
        return kInvalidArgument;
    const tresult result = EditorView::onSize(newSize);
    if (newSize)
        fitFrame();
    return result;
}

tresult PLUGIN_API VSTGUIEditor::setContentScaleFactor(ScaleFactor factor)
{
    if (!VSTGUI::isZoomInRange(factor))
        return kInvalidArgument;
    return changeZoomSource(sources.host, factor) ? kResultTrue : kResultFalse;
}

bool VSTGUIEditor::changeZoomSource(double& source, double value)
{
    const double previous = source;
    source = value;
    if (showAt(chosenZoom()))
        return true;
    source = previous;
    return false;
}

double VSTGUIEditor::chosenZoom() const
{
    return sources.chosen(frame ? frame->getScreenScale() : VSTGUI::kMinZoom);
}

bool VSTGUIEditor::showAt(double newZoom)
{
    if (newZoom == zoom)
        return true;
    const double previousZoom = zoom;
    const ViewRect previousRect = rect;
    ViewRect size = zoomedPanel(newZoom);
    zoom = newZoom;
    setRect(size);
    if (!frame)
        return true;
    fitFrame();
    if (!plugFrame || plugFrame->resizeView(this, &size) == kResultTrue)
        return true;
    zoom = previousZoom;
    setRect(previousRect);
    fitFrame();
    return false;
}

ViewRect VSTGUIEditor::zoomedPanel(double atZoom) const
{
    return ViewRect(0, 0, VSTGUI::zoomedLength(panel.getWidth(), atZoom),
                    VSTGUI::zoomedLength(panel.getHeight(), atZoom));
}

// The panel fills the view's size as best it can.
void VSTGUIEditor::fitFrame()
{
    if (!frame)
        return;
    frame->setZoom(zoom);
    frame->setWindowSize(rect.getWidth(), rect.getHeight());
}

} // namespace Vst
} // namespace Steinberg
