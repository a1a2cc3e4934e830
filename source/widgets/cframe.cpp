// The frame's views, the zoomed panel's place in its window, redrawing, and routing events.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "cframe.h"

#include "zoomrange.h"

#include <cmath>

namespace VSTGUI {
namespace {

// Keeps a view alive while it handles an event that may remove it.
class Hold
{
public:
    explicit Hold(CView* view) : view(view) { view->remember(); }
    ~Hold() { view->forget(); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

private:
    CView* view;
};

// Products that should be whole numbers land a little either side of them.
constexpr double kRoundingSlack = 1e-9;

// The screen pixels that show any part of a rectangle of panel pixels.
CRect toScreen(const CRect& rect, const PanelPlacement& placed)
{
    const double zoom = placed.zoom;
    return CRect(placed.left + std::floor(rect.left * zoom + kRoundingSlack),
                 placed.top + std::floor(rect.top * zoom + kRoundingSlack),
                 placed.left + std::ceil(rect.right * zoom - kRoundingSlack),
                 placed.top + std::ceil(rect.bottom * zoom - kRoundingSlack));
}

// The panel pixels under a rectangle of the window, the panel placed there.
CRect panelArea(const CRect& rect, const PanelPlacement& placed)
{
    return CRect((rect.left - placed.left) / placed.zoom, (rect.top - placed.top) / placed.zoom,
                 (rect.right - placed.left) / placed.zoom,
                 (rect.bottom - placed.top) / placed.zoom);
}

} // namespace

CFrame::CFrame(const CRect& size, VSTGUIEditorInterface* editor) : CView(size), editor(editor) {}

bool CFrame::open(void* parent, IPlatformRunLoop* runLoop)
{
    if (!parent)
        return true;
    platformFrame = Platform::createFrame(*this, getZoomedSize(), parent, runLoop);
    return platformFrame != nullptr;
}

CFrame::~CFrame()
{
    platformFrame.reset();
    focusView = nullptr; // an edit still open is dropped, not committed
    setModalView(nullptr);
    for (CView* view : views)
    {
        view->removed();
        view->forget();
    }
    if (background)
        background->forget();
}

bool CFrame::addView(CView* view)
{
    if (!view)
        return false;
    views.push_back(view);
    view->attached(this);
    invalidRect.unite(view->getViewSize());
    return true;
}

CView* CFrame::getView(int32_t index) const
{
    return index >= 0 && index < getNbViews() ? views[size_t(index)] : nullptr;
}

void CFrame::setBackground(CBitmap* bitmap)
{
    if (bitmap)
        bitmap->remember();
    if (background)
        background->forget();
    background = bitmap;
    invalidRect.unite(getViewSize());
}

void CFrame::setModalView(CView* view)
{
    if (modalView)
    {
        invalidRect.unite(modalView->getViewSize());
        if (mouseView == modalView)
            mouseView = nullptr;
        modalView->removed();
        modalView->forget();
    }
    modalView = view;
    if (modalView)
    {
        modalView->attached(this);
        invalidRect.unite(modalView->getViewSize());
    }
}

void CFrame::setFocusView(CView* view)
{
    if (view == focusView)
        return;
    CView* previous = focusView;
    focusView = view;
    if (previous)
        previous->looseFocus();
    if (focusView)
        focusView->takeFocus();
}

void CFrame::setViewSize(const CRect& rect)
{
    CView::setViewSize(rect);
    const CRect zoomed = getZoomedSize();
    setWindowSize(int(zoomed.getWidth()), int(zoomed.getHeight()));
}

void CFrame::setZoom(double newZoom)
{
    if (!isZoomInRange(newZoom) || newZoom == zoom)
        return;
    zoom = newZoom;
    const CRect zoomed = getZoomedSize();
    setWindowSize(int(zoomed.getWidth()), int(zoomed.getHeight()));
}

void CFrame::setWindowSize(int width, int height)
{
    if (!platformFrame)
        return place(width, height);
    const CRect kept = platformFrame->setSize(CRect(0, 0, width, height));
    place(int(kept.getWidth()), int(kept.getHeight()));
}

void CFrame::place(int width, int height)
{
    const CRect& size = getViewSize();
    const PanelPlacement placed =
        placePanel(size.getWidth(), size.getHeight(), zoom, width, height);
    const bool moved = placed.zoom != placement.zoom || placed.left != placement.left ||
                       placed.top != placement.top;
    placement = placed;
    if (!moved)
        return;
    invalidRect.unite(size);
    if (platformFrame)
        platformFrame->invalidRect(CRect(0, 0, width, height));
}

void CFrame::platformOnResized(int width, int height) { place(width, height); }

CPoint CFrame::toWindow(const CPoint& where) const
{
    return CPoint(placement.left + where.x * placement.zoom,
                  placement.top + where.y * placement.zoom);
}

CPoint CFrame::toPanel(const CPoint& where) const
{
    return CPoint((where.x - placement.left) / placement.zoom,
                  (where.y - placement.top) / placement.zoom);
}

CRect CFrame::getZoomedSize() const
{
    const CRect& size = getViewSize();
    return CRect(0, 0, zoomedLength(size.getWidth(), zoom), zoomedLength(size.getHeight(), zoom));
}

double CFrame::getScreenScale() const
{
    return platformFrame ? platformFrame->getScreenScale() : kMinZoom;
}

double CFrame::getHostToolkitScale() const
{
    return platformFrame ? platformFrame->getHostToolkitScale() : kMinZoom;
}

void* CFrame::getNativeWindow() const
{
    return platformFrame ? platformFrame->getNativeWindow() : nullptr;
}

CRect CFrame::idle()
{
    for (CView* view : views)
        if (view->isDirty())
        {
            invalidRect.unite(view->getViewSize());
            view->setDirty(false);
        }
    if (modalView && modalView->isDirty())
    {
        invalidRect.unite(modalView->getViewSize());
        modalView->setDirty(false);
    }
    const CRect changed = invalidRect;
    invalidRect = CRect();
    if (platformFrame && !changed.isEmpty())
        platformFrame->invalidRect(toScreen(changed, placement));
    return changed;
}

void CFrame::drawRect(CDrawContext& context, const CRect& updateRect)
{
    context.pushClipRect(updateRect);
    if (background)
        context.drawBitmap(*background, getViewSize(), CPoint());
    for (CView* view : views)
        if (view->getViewSize().rectOverlap(updateRect))
        {
            context.pushClipRect(view->getViewSize());
            view->draw(context);
            context.popClipRect();
        }
    if (modalView && modalView->getViewSize().rectOverlap(updateRect))
        modalView->draw(context);
    context.popClipRect();
}

CView* CFrame::viewAt(const CPoint& where) const
{
    if (modalView)
        return modalView;
    for (auto view = views.rbegin(); view != views.rend(); ++view)
        if ((*view)->getViewSize().pointInside(where))
            return *view;
    return nullptr;
}

CMouseEventResult CFrame::onMouseDown(CPoint& where, const CButtonState& buttons)
{
    mouseView = nullptr;
    CView* target = viewAt(where);
    // A click anywhere but on the focused view ends its edit.
    if (focusView && target != focusView)
        setFocusView(nullptr);
    if ((buttons & kRButton) && !modalView && editor)
    {
        if (focusView)
            setFocusView(nullptr);
        if (editor->openContextMenu(where))
            return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    if (!target)
        return kMouseEventNotHandled;
    Hold hold(target);
    const CMouseEventResult result = target->onMouseDown(where, buttons);
    if (result == kMouseEventHandled && target->getFrame() == this)
        mouseView = target;
    return result;
}

CMouseEventResult CFrame::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
    if (!mouseView)
        return kMouseEventNotHandled;
    Hold hold(mouseView);
    return mouseView->onMouseMoved(where, buttons);
}

CMouseEventResult CFrame::onMouseUp(CPoint& where, const CButtonState& buttons)
{
    if (!mouseView)
        return kMouseEventNotHandled;
    CView* target = mouseView;
    mouseView = nullptr;
    Hold hold(target);
    return target->onMouseUp(where, buttons);
}

bool CFrame::onWheel(const CPoint& where, float distance, const CButtonState& buttons)
{
    CView* target = viewAt(where);
    if (!target)
        return false;
    Hold hold(target);
    return target->onWheel(where, distance, buttons);
}

int32_t CFrame::onKeyDown(VstKeyCode& key)
{
    if (!focusView)
        return -1;
    Hold hold(focusView);
    return focusView->onKeyDown(key);
}

void CFrame::platformDrawRect(CDrawContext& context, const CRect& rect)
{
    drawRect(context, panelArea(rect, placement));
}

CMouseEventResult CFrame::platformOnMouseDown(CPoint& where, const CButtonState& buttons)
{
    CPoint inPanel = toPanel(where);
    return onMouseDown(inPanel, buttons);
}

CMouseEventResult CFrame::platformOnMouseMoved(CPoint& where, const CButtonState& buttons)
{
    CPoint inPanel = toPanel(where);
    return onMouseMoved(inPanel, buttons);
}

CMouseEventResult CFrame::platformOnMouseUp(CPoint& where, const CButtonState& buttons)
{
    CPoint inPanel = toPanel(where);
    return onMouseUp(inPanel, buttons);
}

bool CFrame::platformOnWheel(const CPoint& where, float distance, const CButtonState& buttons)
{
    return onWheel(toPanel(where), distance, buttons);
}

int32_t CFrame::platformOnKeyDown(VstKeyCode& key) { return onKeyDown(key); }

} // namespace VSTGUI
