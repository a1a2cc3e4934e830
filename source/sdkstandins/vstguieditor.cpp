// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#include "vstguieditor.h"

#include "platformview.h"

#include <cstring>

namespace Steinberg {
namespace Vst {

VSTGUIEditor::VSTGUIEditor(void* controller, ViewRect* size)
    : EditorView(static_cast<EditController*>(controller), size)
{}

void VSTGUIEditor::idle()
{
    if (frame)
        frame->idle();
}

bool VSTGUIEditor::openFrame(void* parent) { return frame && frame->open(parent, runLoop.get()); }

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
    const VSTGUI::CRect& size = frame->getViewSize();
    ViewRect panel(0, 0, int32(size.getWidth()), int32(size.getHeight()));
    setRect(panel);
    if (plugFrame)
        plugFrame->resizeView(this, &panel);
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
    if (newSize && frame)
        frame->setViewSize(VSTGUI::CRect(0, 0, newSize->getWidth(), newSize->getHeight()));
    return EditorView::onSize(newSize);
}

} // namespace Vst
} // namespace Steinberg
