// The zoom choices added to a host's context menu, and the one picked passed to the editor.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "zoommenu.h"

#include "common/interfaceguard.h"

#include "base/source/fstring.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Brumvale {

bool ZoomMenuTarget::addItemsTo(IContextMenu& menu, double currentChoice)
{
    IContextMenuItem separator{};
    separator.flags = IContextMenuItem::kIsSeparator;
    menu.addItem(separator, nullptr);
    bool added = false;
    for (const ZoomChoice& choice : kZoomChoices)
    {
        IContextMenuItem item{};
        String(choice.title).copyTo16(item.name, 0, 127);
        item.tag = choice.tag;
        item.flags = choice.zoom == currentChoice ? IContextMenuItem::kIsChecked : 0;
        added = menu.addItem(item, this) == kResultTrue || added;
    }
    return added;
}

tresult PLUGIN_API ZoomMenuTarget::executeMenuItem(int32 tag)
{
    return guarded([&] {
        for (const ZoomChoice& choice : kZoomChoices)
            if (choice.tag == tag && choose)
            {
                const std::function<void(double)> callback = choose; // may detach us
                callback(choice.zoom);
                return kResultTrue;
            }
        return kResultFalse;
    });
}

} // namespace Brumvale
