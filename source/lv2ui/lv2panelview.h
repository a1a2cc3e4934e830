// The LV2 UI's window: the panel in an X11 child window of the host's.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "idlerunloop.h"
#include "portpanelhost.h"

#include "editor/brumvalepanel.h"
#include "widgets/vstguieditorinterface.h"
#include "widgets/zoomrange.h"

#include <memory>

namespace Brumvale::Lv2 {

// What a host offers the panel at instantiation; absent ones are null or 0.
struct HostOffers
{
    void* parent = nullptr;               // ui:parent, the native window
    const LV2UI_Resize* resize = nullptr; // ui:resize, to tell the host our size
    const LV2UI_Touch* touch = nullptr;   // ui:touch, for edit gestures
    double scaleFactor = 0.0;             // ui:scaleFactor, from the options
};

// The panel (BrumvalePanel) with the control ports as its host, shown in a child
// window of the host's. Its timer and its window's events run in the host's idle
// calls (ui:idleInterface). It is drawn at a zoom: the user's choice (the same
// preference file as the VST 3 editor's, and the same menu on a right click), else
// the host's scale factor (or its toolkit's: GTK 3 under GDK_SCALE), else the
// screen's; each new zoom is asked of the host through its ui:resize, in the host
// toolkit's pixels, and the panel fills the window the host then gives it. Host's
// UI thread only.
class Lv2PanelView : public VSTGUI::VSTGUIEditorInterface
{
public:
    // Null when there is no parent window or the window cannot be made. Images are
    // read from the folder resources.
    static std::unique_ptr<Lv2PanelView> open(const std::string& resources,
                                              LV2UI_Write_Function write,
                                              LV2UI_Controller controller,
                                              const HostOffers& offers);
    ~Lv2PanelView() override;
    Lv2PanelView(const Lv2PanelView&) = delete;
    Lv2PanelView& operator=(const Lv2PanelView&) = delete;

    void* nativeWindow() const { return frame->getNativeWindow(); }

    // A control port's new value (format 0, one float); anything else is ignored.
    void portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer);
    void idle() { runLoop.idle(); }
    // The host's new size for the window (screen pixels); false for an empty one.
    bool resize(int width, int height);
    // The host's scale factor; false, changing nothing, outside 1 to 4.
    bool setHostScale(double scale);

    // VSTGUIEditorInterface: the mode VST 3 hosts get unless they choose one.
    int32_t getKnobMode() const override { return VSTGUI::kCircularMode; }
    bool openContextMenu(const VSTGUI::CPoint& where) override;

private:
    Lv2PanelView(LV2UI_Write_Function write, LV2UI_Controller controller, const HostOffers& offers);
    void chooseZoom(double userZoom);
    // Shows the panel at the zoom the sources choose and asks the host for its size.
    void showChosenZoom();
    void requestSize();

    IdleRunLoop runLoop; // outlives the frame's window, which it wakes
    PortPanelHost host;
    BrumvalePanel panel;
    VSTGUI::CFrame* frame = nullptr;
    const LV2UI_Resize* hostResize;
    VSTGUI::ZoomSources sources;
    double requestDivisor = 1.0; // the factor the host's toolkit enlarges sizes by
};

} // namespace Brumvale::Lv2
