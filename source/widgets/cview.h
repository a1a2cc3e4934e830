// The base of everything a frame shows: a rectangle that draws itself and may
// take mouse and keyboard events.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cbaseobject.h"
#include "cdrawcontext.h"
#include "cgeometry.h"

#include <cstdint>

namespace VSTGUI {

class CFrame;

// Mouse buttons and modifier keys held during an event.
using CButtonState = int32_t;
enum : CButtonState
{
    kLButton = 1 << 1,
    kRButton = 1 << 3,
    kShift = 1 << 4,
    kControl = 1 << 5,
    kAlt = 1 << 6,
};

enum CMouseEventResult
{
    kMouseEventNotHandled,
    kMouseEventHandled,
    kMouseDownEventHandledButDontNeedMovedOrUpEvents,
};

// A key press: a character (0 for none) or a virtual key, and the modifiers.
struct VstKeyCode
{
    int32_t character = 0;
    unsigned char virt = 0;
    unsigned char modifier = 0;
};
enum : unsigned char
{
    VKEY_BACK = 1,
    VKEY_RETURN,
    VKEY_ESCAPE,
    VKEY_END,
    VKEY_HOME,
    VKEY_LEFT,
    VKEY_RIGHT,
    VKEY_DELETE,
    VKEY_ENTER,
};

// Owned by its frame once added (the frame holds the reference it was created
// with); UI thread only.
class CView : public CBaseObject
{
public:
    explicit CView(const CRect& size) : size(size) {}

    virtual void draw(CDrawContext& context) { (void)context; }

    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    // distance in wheel steps, positive away from the user.
    virtual bool onWheel(const CPoint& where, float distance, const CButtonState& buttons);
    // 1 when the key was used, -1 otherwise.
    virtual int32_t onKeyDown(VstKeyCode& key);
    // Keyboard focus: views that take it get these when it arrives and leaves.
    virtual bool wantsFocus() const { return false; }
    virtual void takeFocus() {}
    virtual void looseFocus() {}

    const CRect& getViewSize() const { return size; }
    virtual void setViewSize(const CRect& rect);
    // Asks for a redraw at the frame's next idle tick.
    void setDirty(bool state = true) { dirty = state; }
    bool isDirty() const { return dirty; }
    // Redraws the view's rectangle at the frame's next idle tick.
    void invalid() { setDirty(); }

    CFrame* getFrame() const { return frame; }
    void attached(CFrame* parent) { frame = parent; }
    void removed() { frame = nullptr; }

private:
    CRect size;
    bool dirty = false;
    CFrame* frame = nullptr;
};

} // namespace VSTGUI
