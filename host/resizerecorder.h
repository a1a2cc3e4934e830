// Host library: what a host window does with a view's resize requests.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

} // namespace Brumvale::Host
