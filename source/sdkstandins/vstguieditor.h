// The editor view that shows the panel in a host's window at a zoom, in place of the SDK's helper.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Debian's copy of the VST 3 SDK lacks the VSTGUIEditor helper. This stand-in
// joins an EditorView to the project's widget layer: when the host attaches the
// view to a native window it opens the editor's panel there and runs the idle
// timer (on Linux through the host's run loop, without which there is no editor);
// when the host removes the view it stops both. It sizes the view to the panel
// and answers the host's knob mode.
//
// The panel is shown at a zoom (screen pixels per panel pixel, 1 to 4): the
// user's choice when there is one, else the host's content scale, else the scale
// the desktop asks for the window's screen, found when the view is attached. The
// view's size (getSize, onSize, resizeView) is the zoomed panel; a new zoom while
// attached is offered to the host through resizeView, and one the host refuses
// changes nothing. UI thread only.

#include "public.sdk/source/vst/vsteditcontroller.h"
#include "widgets/cframe.h"
#include "widgets/zoomrange.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

#include <memory>

namespace Steinberg {
namespace Vst {

class VSTGUIEditor : public EditorView,
                     public VSTGUI::VSTGUIEditorInterface,
                     public IPlugViewContentScaleSupport
{
public:
    // controller: the EditController that created the view; size: the panel's
    // size in panel pixels.
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

    // The zoom the view's size stands for now.
    double getZoom() const { return zoom; }
    // The user's zoom, 0 to follow the host and the screen; false, changing
    // nothing, for a zoom out of range or one the host refuses to fit.
    bool setUserZoom(double newZoom);
    double getUserZoom() const { return sources.user; }

    // FUnknown: IPlugViewContentScaleSupport, then the bases.
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) SMTG_OVERRIDE;
    REFCOUNT_METHODS(EditorView)

    // IPlugView
    tresult PLUGIN_API isPlatformTypeSupported(FIDString type) SMTG_OVERRIDE;
    tresult PLUGIN_API attached(void* parent, FIDString type) SMTG_OVERRIDE;
    tresult PLUGIN_API removed() SMTG_OVERRIDE;
    // kInvalidArgument, changing nothing, for an empty or inverted size.
    tresult PLUGIN_API onSize(ViewRect* newSize) SMTG_OVERRIDE;

    // IPlugViewContentScaleSupport: kResultTrue when the view takes the factor (it
    // still shows the user's zoom if one is chosen), kInvalidArgument outside 1 to
    // 4 (NaN and infinity included), kResultFalse when the host refuses the size.
    tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) SMTG_OVERRIDE;

protected:
    // Shows the frame at the view's zoom in the parent window, woken by the host's
    // run loop.
    bool openFrame(void* parent);

    VSTGUI::CFrame* frame = nullptr;

private:
    double chosenZoom() const;
    // Sets the user's zoom or the host's scale and shows the zoom chosen then; the
    // old value stays when the host refuses the size.
    bool changeZoomSource(double& source, double value);
    // Resizes the view (and the frame, and through resizeView the host's window
    // when there is a frame) for newZoom; false, restoring both, when the host
    // refuses.
    bool showAt(double newZoom);
    ViewRect zoomedPanel(double atZoom) const;
    void fitFrame();

    int32 idleRate = 100;
    ViewRect panel;
    double zoom = 1.0;
    VSTGUI::ZoomSources sources;
    // While attached: the host's run loop behind the widget layer's interface.
    std::unique_ptr<VSTGUI::IPlatformRunLoop> runLoop;
};

} // namespace Vst
} // namespace Steinberg
