// The VST 3 editor view: the panel with the controller as its host, and its zoom menu.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "brumvalepanel.h"
#include "controllerpanelhost.h"
#include "sdkstandins/vstguieditor.h"
#include "zoommenu.h"

#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "pluginterfaces/vst/ivstplugview.h"

namespace Brumvale {

// The plug-in's window, showing the panel (BrumvalePanel) with the controller as
// its host: gestures become edits at the controller and the host
// (setParamNormalized, then performEdit, bracketed by beginEdit/endEdit); the
// controller tells every open editor of every value through updateFromParameter.
//
// A right click on the panel offers the zoom choices: in the host's context menu
// when the host has one (IComponentHandler3; the host adds its own entries for the
// parameter under the mouse), else in a menu of the panel's own. The choice is the
// user's preference, read when the view is made and written when the user picks;
// without one the panel follows the host's scale and the screen. Host's UI thread
// only.
class againEditorView : public Steinberg::Vst::VSTGUIEditor,
                        public Steinberg::Vst::IParameterFinder,
                        public Steinberg::Vst::IContextMenuTarget
{
public:
    // controller: the againController that creates the view.
    explicit againEditorView(void* controller);
    // A view released while its panel is open closes it.
    ~againEditorView() override;

    // FUnknown: IParameterFinder and IContextMenuTarget, then the bases.
    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid,
                                                 void** obj) SMTG_OVERRIDE;
    REFCOUNT_METHODS(VSTGUIEditor)

    // Builds the panel showing the controller's values; false, doing nothing,
    // when it is already open.
    bool open(void* parent) SMTG_OVERRIDE;
    // Destroys the panel; the editor is as freshly built and may open again.
    void close() SMTG_OVERRIDE;

    // IPlugView
    Steinberg::tresult PLUGIN_API onSize(Steinberg::ViewRect* newSize) SMTG_OVERRIDE;
    Steinberg::tresult PLUGIN_API canResize() SMTG_OVERRIDE;
    // Widths from 180 to 230 and heights from 240 to 290 times the zoom; left and
    // top stay.
    Steinberg::tresult PLUGIN_API checkSizeConstraint(Steinberg::ViewRect* rect) SMTG_OVERRIDE;

    // IParameterFinder: no position names a parameter.
    Steinberg::tresult PLUGIN_API findParameter(Steinberg::int32 xPos, Steinberg::int32 yPos,
                                                Steinberg::Vst::ParamID& resultTag) SMTG_OVERRIDE;

    // IContextMenuTarget: the editor's own answer (its zoom items have a target of
    // their own).
    Steinberg::tresult PLUGIN_API executeMenuItem(Steinberg::int32 tag) SMTG_OVERRIDE;

    // Shows a parameter's value (and for Boost and Volume the controller's text for
    // it); identifiers other than 0 to 4, and a closed editor, change nothing.
    void updateFromParameter(Steinberg::Vst::ParamID tag, Steinberg::Vst::ParamValue value);

    // VSTGUIEditorInterface: the zoom menu at that point.
    bool openContextMenu(const VSTGUI::CPoint& where) SMTG_OVERRIDE;

private:
    // The user's pick: shown if the host fits it, and then kept as the preference.
    void chooseZoom(double zoom);

    ControllerPanelHost panelHost;
    BrumvalePanel panel;
    Steinberg::IPtr<ZoomMenuTarget> zoomTarget;
};

} // namespace Brumvale
