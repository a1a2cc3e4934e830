// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// The editor's zoom choices, for the host's context menu or the panel's own.
#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "widgets/cmenuview.h"

#include <functional>
#include <vector>

namespace Brumvale {

// One choice: its title, the zoom it sets (0: follow the host and the screen)
// and its tag in a host's menu.
struct ZoomChoice
{
    const char* title;
    double zoom;
    Steinberg::int32 tag;
};

inline constexpr ZoomChoice kZoomChoices[] = {{"100 %", 1.0, 100},
                                              {"125 %", 1.25, 125},
                                              {"150 %", 1.5, 150},
                                              {"200 %", 2.0, 200},
                                              {"Follow the screen", 0.0, 1}};

// The choices as the panel's own menu shows them, the current one checked.
std::vector<VSTGUI::CMenuView::Item> zoomMenuItems(double currentChoice);

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
