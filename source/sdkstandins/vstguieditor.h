// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#pragma once

// Debian's copy of the VST 3 SDK lacks the VSTGUIEditor helper. This stand-in
// joins an EditorView to the project's widget layer: when the host attaches the
// view to a native window it opens the editor's panel there and runs the idle
// timer (on Linux through the host's run loop, without which there is no editor);
// when the host removes the view it stops both. It sizes the view to the panel
// and answers the host's knob mode.

#include "public.sdk/source/vst/vsteditcontroller.h"
#include "widgets/cframe.h"

#include <memory>

namespace Steinberg {
namespace Vst {

class VSTGUIEditor : public EditorView, public VSTGUI::VSTGUIEditorInterface
{
public:
    // controller: the EditController that created the view.
    explicit VSTGUIEditor(void* controller, ViewRect* size = nullptr);

    // Builds the panel in the native parent window (null: a panel without a
    // window, drawn on request); false when it cannot, or is already open. The
    // frame is opened in the parent with openFrame.
    virtual bool open(void* parent) = 0;
    // Tears the panel down.
    virtual void close() = 0;

    // Milliseconds between two idle ticks while attached (100 until set).
    void setIdleRate(int32 milliseconds) { idleRate = milliseconds; }
    // The frame's idle work: what changed since the last tick is redrawn.
    void idle();

    VSTGUI::CFrame* getFrame() const { return frame; }
    int32_t getKnobMode() const override { return EditController::getHostKnobMode(); }

    // IPlugView
    tresult PLUGIN_API isPlatformTypeSupported(FIDString type) SMTG_OVERRIDE;
    tresult PLUGIN_API attached(void* parent, FIDString type) SMTG_OVERRIDE;
    tresult PLUGIN_API removed() SMTG_OVERRIDE;
    tresult PLUGIN_API onSize(ViewRect* newSize) SMTG_OVERRIDE;

protected:
    // Shows the frame in the parent window, woken by the host's run loop.
    bool openFrame(void* parent);

    VSTGUI::CFrame* frame = nullptr;

private:
    int32 idleRate = 100;
    // While attached: the host's run loop behind the widget layer's interface.
    std::unique_ptr<VSTGUI::IPlatformRunLoop> runLoop;
};

} // namespace Vst
} // namespace Steinberg
