// The top view of a panel: its controls, background, focus and modal view.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cbitmap.h"
#include "cview.h"
#include "platform.h"
#include "vstguieditorinterface.h"
#include "zoomrange.h"

#include <memory>
#include <vector>

namespace VSTGUI {

// Holds the panel's views in drawing order (later ones lie on top) and routes the
// mouse and keyboard to them: a modal view takes every click while it is shown,
// a view that handles a mouse-down gets the moves and the release, the view with
// the keyboard focus gets the keys, and a right click that no modal view takes
// first asks the editor for a context menu. Nothing is drawn when a value changes:
// idle() gathers what changed since the last tick into one rectangle and redraws
// it. Destroying the frame (forget) destroys its window and its views.
//
// Views are laid out in panel pixels whatever the zoom. The window is asked to be
// zoom times as large; the panel fills the window it gets as best it can
// (placePanel: the asked zoom when the window is that size, else the zoom that
// fits, centred), draws at its resolution, and its mouse positions arrive moved
// and divided accordingly. UI thread only.
class CFrame : public CView, private IPlatformFrameCallback
{
public:
    CFrame(const CRect& size, VSTGUIEditorInterface* editor);

    // Shows the frame in a child window of the native parent; without a parent it
    // stays a frame drawn on request. False when the window cannot be made.
    bool open(void* parent, IPlatformRunLoop* runLoop);

    // Takes over the reference the view was created with.
    bool addView(CView* view);
    int32_t getNbViews() const { return int32_t(views.size()); }
    CView* getView(int32_t index) const;

    void setBackground(CBitmap* bitmap);
    CBitmap* getBackground() const { return background; }
    // Shows the view over everything, taking over its reference; null closes it.
    void setModalView(CView* view);
    CView* getModalView() const { return modalView; }
    void setFocusView(CView* view);
    CView* getFocusView() const { return focusView; }

    int32_t getKnobMode() const { return editor ? editor->getKnobMode() : kCircularMode; }

    // The size in panel pixels; the window, if there is one, is asked for it at
    // the zoom.
    void setViewSize(const CRect& rect) override;

    // The zoom to ask the window for (screen pixels per panel pixel), from
    // kMinZoom to kMaxZoom (others are ignored); the window is asked for the
    // zoomed size and redrawn.
    void setZoom(double zoom);
    double getZoom() const { return zoom; }
    // The window's size for the frame's size at the zoom.
    CRect getZoomedSize() const;
    // The size the host gives the window (screen pixels), which the panel fills.
    void setWindowSize(int width, int height);
    // A point of the panel in the window's screen pixels.
    CPoint toWindow(const CPoint& where) const;
    // The scale the desktop asks for the window's screen (1 without a window).
    double getScreenScale() const;
    // The factor by which the host's toolkit enlarges the sizes asked of it (1
    // without a window).
    double getHostToolkitScale() const;
    // The frame's native window; null without one.
    void* getNativeWindow() const;
    // The union of what changed since the last call (empty when nothing did),
    // redrawn in the window if there is one; the views are marked clean.
    CRect idle();
    // Draws the part of the panel inside updateRect.
    void drawRect(CDrawContext& context, const CRect& updateRect);
    void draw(CDrawContext& context) override { drawRect(context, getViewSize()); }

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, float distance, const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& key) override;

protected:
    ~CFrame() override;

private:
    CView* viewAt(const CPoint& where) const;

    // Places the panel in a window of that size, redrawing it all when that moves it.
    void place(int width, int height);
    CPoint toPanel(const CPoint& where) const;

    PanelPlacement platformGetPlacement() const override { return placement; }
    void platformOnResized(int width, int height) override;
    void platformDrawRect(CDrawContext& context, const CRect& rect) override;
    CMouseEventResult platformOnMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult platformOnMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult platformOnMouseUp(CPoint& where, const CButtonState& buttons) override;
    bool platformOnWheel(const CPoint& where, float distance, const CButtonState& buttons) override;
    int32_t platformOnKeyDown(VstKeyCode& key) override;

    VSTGUIEditorInterface* editor;
    std::vector<CView*> views;
    CBitmap* background = nullptr;
    CView* modalView = nullptr;
    CView* focusView = nullptr;
    CView* mouseView = nullptr; // the view that took the last mouse-down
    CRect invalidRect;          // changes that idle() has not reported yet
    double zoom = 1.0;
    PanelPlacement placement; // in the window the platform reported last
    std::unique_ptr<IPlatformFrame> platformFrame;
};

} // namespace VSTGUI
