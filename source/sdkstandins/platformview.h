// What differs per platform when a host shows a view: the window type it hands
// over and how it wakes the plug-in (linux/: the host's run loop).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pluginterfaces/gui/iplugview.h"
#include "widgets/platform.h"

#include <memory>

namespace Steinberg {
namespace Vst {

// The one native window type views accept here ("X11EmbedWindowID" on Linux).
extern const FIDString kNativeWindowType;

// The host's run loop as the widget layer uses it, or null when the plug frame
// offers none (on Linux there is then no editor).
std::unique_ptr<VSTGUI::IPlatformRunLoop> hostRunLoop(IPlugFrame* plugFrame);

} // namespace Vst
} // namespace Steinberg
