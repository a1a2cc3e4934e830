// The editor view: opening and closing its panel, its sizes at each zoom, and the zoom menu.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "againeditorview.h"

#include "common/interfaceguard.h"
#include "preferences/zoompreference.h"
#include "widgets/zoomrange.h"

#include <algorithm>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace VSTGUI;

namespace Brumvale {
namespace {

constexpr int32 kSizeSlack = 50;

ViewRect* panelSize()
{
    static ViewRect size(0, 0, BrumvalePanel::kWidth, BrumvalePanel::kHeight);
    return &size;
}

} // namespace

againEditorView::againEditorView(void* controller)
    : VSTGUIEditor(controller, panelSize()), panelHost(*static_cast<EditController*>(controller)),
      panel(panelHost),
      zoomTarget(owned(new ZoomMenuTarget([this](double zoom) { chooseZoom(zoom); })))
{
    setIdleRate(50);
    setUserZoom(readZoomPreference());
}

againEditorView::~againEditorView()
{
    zoomTarget->detach();
    close();
}

tresult PLUGIN_API againEditorView::queryInterface(const TUID iid, void** obj)
{
    if (!answerableQuery(iid, obj))
        return kInvalidArgument;
    QUERY_INTERFACE(iid, obj, IParameterFinder::iid, IParameterFinder)
    QUERY_INTERFACE(iid, obj, IContextMenuTarget::iid, IContextMenuTarget)
    return VSTGUIEditor::queryInterface(iid, obj);
}

bool againEditorView::open(void* parent)
{
    if (frame)
        return false;
    frame = new CFrame(CRect(0, 0, BrumvalePanel::kWidth, BrumvalePanel::kHeight), this);
    if (!openFrame(parent))
    {
        close();
        return false;
    }
    panel.build(*frame);
    return true;
}

void againEditorView::close()
{
    if (frame)
    {
        frame->forget();
        frame = nullptr;
    }
    panel.clear();
}

tresult PLUGIN_API againEditorView::onSize(ViewRect* newSize)
{
    return VSTGUIEditor::onSize(newSize);
}

tresult PLUGIN_API againEditorView::canResize() { return kResultFalse; }

tresult PLUGIN_API againEditorView::checkSizeConstraint(ViewRect* rect)
{
    if (!rect)
        return kInvalidArgument;
    const int32 least[] = {zoomedLength(BrumvalePanel::kWidth, getZoom()),
                           zoomedLength(BrumvalePanel::kHeight, getZoom())};
    const int32 most[] = {zoomedLength(BrumvalePanel::kWidth + kSizeSlack, getZoom()),
                          zoomedLength(BrumvalePanel::kHeight + kSizeSlack, getZoom())};
    rect->right = rect->left + std::clamp(rect->getWidth(), least[0], most[0]);
    rect->bottom = rect->top + std::clamp(rect->getHeight(), least[1], most[1]);
    return kResultTrue;
}

tresult PLUGIN_API againEditorView::findParameter(int32, int32, ParamID&) { return kResultFalse; }

tresult PLUGIN_API againEditorView::executeMenuItem(int32) { return kResultFalse; }

void againEditorView::updateFromParameter(ParamID tag, ParamValue value)
{
    panel.updateFromParameter(tag, value);
}

bool againEditorView::openContextMenu(const CPoint& where)
{
    if (!frame)
        return false;
    FUnknownPtr<IComponentHandler3> hostMenus(controller->getComponentHandler());
    if (hostMenus)
    {
        const int32 id = panel.parameterAt(where);
        const ParamID parameter = ParamID(id);
        IPtr<IContextMenu> menu =
            owned(hostMenus->createContextMenu(this, id >= 0 ? &parameter : nullptr));
        if (menu && zoomTarget->addItemsTo(*menu, getUserZoom()))
        {
            const CPoint at = frame->toWindow(where);
            menu->popup(UCoord(at.x), UCoord(at.y));
            return true;
        }
    }
    popupZoomMenu(*frame, where, getUserZoom(), [this](double zoom) { chooseZoom(zoom); });
    return true;
}

void againEditorView::chooseZoom(double zoom)
{
    // A failed write leaves the choice for this editor only.
    if (setUserZoom(zoom))
        writeZoomPreference(zoom);
}

} // namespace Brumvale
