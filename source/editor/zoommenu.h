// The editor's zoom choices in a VST 3 host's context menu.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "zoomchoices.h"

#include <functional>

namespace Brumvale {

// The target of the zoom items in a host's menu: executeMenuItem passes the
// chosen zoom to the editor until the editor lets go of it (detach), as a host
// may keep the menu, and so the target, longer than the editor lives. Kept apart
// from the editor's own IContextMenuTarget, which answers for the editor's items.
class ZoomMenuTarget : public Steinberg::FObject, public Steinberg::Vst::IContextMenuTarget
{
public:
    explicit ZoomMenuTarget(std::function<void(double)> choose) : choose(std::move(choose)) {}

    // Adds a separator and the choices to the host's menu, the current one
    // checked; false when the host takes none of them.
    bool addItemsTo(Steinberg::Vst::IContextMenu& menu, double currentChoice);
    void detach() { choose = nullptr; }

    // kResultTrue for a choice's tag while attached, kResultFalse otherwise.
    Steinberg::tresult PLUGIN_API executeMenuItem(Steinberg::int32 tag) SMTG_OVERRIDE;

    OBJ_METHODS(ZoomMenuTarget, FObject)
    DEFINE_INTERFACES
    DEF_INTERFACE(IContextMenuTarget)
    END_DEFINE_INTERFACES(FObject)
    REFCOUNT_METHODS(FObject)

private:
    std::function<void(double)> choose;
};

} // namespace Brumvale
