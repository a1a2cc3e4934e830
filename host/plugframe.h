// The host's IPlugFrame: what every platform's editor window does for the view it embeds,
// and the record of the view's resize requests.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "comobject.h"

#include <pluginterfaces/base/smartpointer.h>
#include <pluginterfaces/gui/iplugview.h>

#include <vector>

namespace Brumvale::Host {

// Keeps every size a view asked for through IPlugFrame::resizeView, in order, and
// decides whether the window takes it: always, unless told to refuse, as a host
// does that cannot fit a size. Main thread only.
class ResizeRecorder
{
public:
    const std::vector<Steinberg::ViewRect>& requests() const { return recorded; }
    void clear() { recorded.clear(); }
    void setRefusing(bool refuse) { refusing = refuse; }

    // Records the request; true when the window is to take the size.
    bool take(const Steinberg::ViewRect& size)
    {
        recorded.push_back(size);
        return !refusing;
    }

private:
    std::vector<Steinberg::ViewRect> recorded;
    bool refusing = false;
};

// A plug-in view's IPlugFrame: attaches one view at a time to the platform's window,
// and takes (or, told to, refuses) the view's resize requests. The platform names its
// window's handle and type, and resizes the window.
//
// Owned by the host (unique_ptr): references are not counted, and the view's use of
// the frame ends with detach(), which the platform window's destructor calls while its
// window still exists. Only on the thread the window was made on (the main thread).
class PlugFrame : public OwnedObject<Steinberg::IPlugFrame>
{
public:
    PlugFrame(const PlugFrame&) = delete;
    PlugFrame& operator=(const PlugFrame&) = delete;

    // The view attached now (null when none).
    Steinberg::IPlugView* view() const { return attachedView; }

    // setFrame(this), then attached(parent(), platformType()); returns what attached
    // answered. A view that refuses gets setFrame(nullptr) and is not kept.
    // kInvalidArgument for a null view or while another view is attached.
    Steinberg::tresult attach(Steinberg::IPlugView* view);
    // removed(), then setFrame(nullptr); does nothing when no view is attached.
    void detach();

    // The view's resize requests; refused ones leave the window as it is and
    // answer kResultFalse.
    ResizeRecorder& resizes() { return resizing; }

    // IPlugFrame: resizes the window to newSize, then calls the view's onSize.
    // kInvalidArgument for a view other than the attached one, or an empty size.
    Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view,
                                             Steinberg::ViewRect* newSize) override;

    Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override;

protected:
    PlugFrame() = default;
    virtual ~PlugFrame() = default;

    // What attach passes to the view's attached().
    virtual void* parent() const = 0;
    virtual Steinberg::FIDString platformType() const = 0;
    // Gives the window's client area this size, before the view hears of it.
    virtual void resizeWindow(int width, int height) = 0;
    // Interfaces besides FUnknown and IPlugFrame that the platform's views ask the
    // frame for; none by default (kNoInterface, *obj null). obj is not null.
    virtual Steinberg::tresult otherInterface(const Steinberg::TUID iid, void** obj);

private:
    Steinberg::IPtr<Steinberg::IPlugView> attachedView;
    ResizeRecorder resizing;
};

} // namespace Brumvale::Host
