// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
#pragma once

#include "sdkstandins/vstguieditor.h"
#include "widgets/canimknob.h"
#include "widgets/cmoviebutton.h"
#include "widgets/ctextedit.h"
#include "zoommenu.h"

#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "pluginterfaces/vst/ivstplugview.h"

namespace Brumvale {

// The plug-in's window: a fixed 180 x 240 panel with the Volume and Boost knobs and
// their value fields, the Bypass lamp, the HiFi and Warmth switches, a strip over
// the maker's logo that opens the about panel, and a faint version line.
//
// Gestures become edits at the controller and the host (setParamNormalized, then
// performEdit, bracketed by beginEdit/endEdit); the controller tells every open
// editor of every value through updateFromParameter.
//
// A right click on the panel offers the zoom choices: in the host's context menu
// when the host has one (IComponentHandler3; the host adds its own entries for the
// parameter under the mouse), else in a menu of the panel's own. The choice is the
// user's preference, read when the view is made and written when the user picks;
// without one the panel follows the host's scale and the screen. Host's UI thread
// only.
class againEditorView : public Steinberg::Vst::VSTGUIEditor,
                        public VSTGUI::CControlListener,
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

    // CControlListener
    void valueChanged(VSTGUI::CControl* control) SMTG_OVERRIDE;
    void controlBeginEdit(VSTGUI::CControl* control) SMTG_OVERRIDE;
    void controlEndEdit(VSTGUI::CControl* control) SMTG_OVERRIDE;

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
    // The parameter of the knob or switch at the point, -1 for none.
    Steinberg::int32 parameterAt(const VSTGUI::CPoint& where) const;
    VSTGUI::CControl* controlFor(Steinberg::Vst::ParamID tag) const;
    VSTGUI::CTextEdit* fieldFor(Steinberg::Vst::ParamID tag) const;
    // Stores the control's value at the controller and passes it on to the host.
    void editParameter(Steinberg::Vst::ParamID tag, VSTGUI::CControl& control);
    void takeTypedText(Steinberg::Vst::ParamID tag, VSTGUI::CTextEdit& field);

    VSTGUI::CBitmap* background = nullptr;
    VSTGUI::CBitmap* splashBitmap = nullptr;
    VSTGUI::CMovieButton* bypassButton = nullptr;
    VSTGUI::CMovieButton* hifiButton = nullptr;
    VSTGUI::CMovieButton* warmthButton = nullptr;
    VSTGUI::CAnimKnob* boostKnob = nullptr;
    VSTGUI::CAnimKnob* volumeKnob = nullptr;
    VSTGUI::CTextEdit* boostText = nullptr;
    VSTGUI::CTextEdit* volumeText = nullptr;
    Steinberg::IPtr<ZoomMenuTarget> zoomTarget;
};

} // namespace Brumvale
