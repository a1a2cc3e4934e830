// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#include "vstguieditor.h"

#include "pluginterfaces/gui/iplugview.h"

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

// No native window backend is built in yet: the view is refused for every window
// type, so hosts show their own generic editor.
tresult PLUGIN_API VSTGUIEditor::isPlatformTypeSupported(FIDString) { return kResultFalse; }

tresult PLUGIN_API VSTGUIEditor::attached(void* parent, FIDString type)
{
    if (isPlatformTypeSupported(type) != kResultTrue || !parent)
        return kResultFalse;
    if (!open(parent))
        return kResultFalse;
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
