// The panel's controls and their wiring to the parameters, for any plug-in format.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "panelhost.h"

#include "widgets/canimknob.h"
#include "widgets/cframe.h"
#include "widgets/cmoviebutton.h"
#include "widgets/ctextedit.h"

namespace Brumvale {

// The fixed 180 x 240 panel: the Volume and Boost knobs and their value fields, the
// Bypass lamp, the HiFi and Warmth switches, a strip over the maker's logo that
// opens the about panel, and a faint version line. Gestures become edits at the
// host (PanelHost); the host tells the panel of every value through
// updateFromParameter. UI thread only.
class BrumvalePanel : public VSTGUI::CControlListener
{
public:
    static constexpr int32_t kWidth = 180;
    static constexpr int32_t kHeight = 240;

    explicit BrumvalePanel(PanelHost& host) : host(host) {}
    ~BrumvalePanel() override { clear(); }

    // Adds the controls to the frame, showing the host's values; the frame owns
    // them from then on.
    void build(VSTGUI::CFrame& frame);
    // Forgets the controls, before or after their frame goes.
    void clear();

    // Shows a parameter's value (and for Boost and Volume the host's text for it);
    // identifiers other than 0 to 4, values that are not numbers, and a panel not
    // built change nothing.
    void updateFromParameter(uint32_t id, double normalized);
    // The parameter of the knob or switch at the point, -1 for none.
    int32_t parameterAt(const VSTGUI::CPoint& where) const;

    // CControlListener
    void valueChanged(VSTGUI::CControl* control) override;
    void controlBeginEdit(VSTGUI::CControl* control) override;
    void controlEndEdit(VSTGUI::CControl* control) override;

private:
    VSTGUI::CControl* controlFor(uint32_t id) const;
    VSTGUI::CTextEdit* fieldFor(uint32_t id) const;
    void editParameter(uint32_t id, VSTGUI::CControl& control);
    void takeTypedText(uint32_t id, VSTGUI::CTextEdit& field);

    PanelHost& host;
    VSTGUI::CFrame* frame = nullptr;
    VSTGUI::CBitmap* background = nullptr;
    VSTGUI::CMovieButton* bypassButton = nullptr;
    VSTGUI::CMovieButton* hifiButton = nullptr;
    VSTGUI::CMovieButton* warmthButton = nullptr;
    VSTGUI::CAnimKnob* boostKnob = nullptr;
    VSTGUI::CAnimKnob* volumeKnob = nullptr;
    VSTGUI::CTextEdit* boostText = nullptr;
    VSTGUI::CTextEdit* volumeText = nullptr;
};

} // namespace Brumvale
