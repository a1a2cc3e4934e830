// The LV2 UI's window: opening it in the host's, port events, and its zoom and size requests.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lv2panelview.h"

#include "editor/zoomchoices.h"
#include "preferences/zoompreference.h"

#include <cmath>
#include <cstring>

using namespace VSTGUI;

namespace Brumvale::Lv2 {
namespace {

constexpr uint32_t kIdleMilliseconds = 50;

} // namespace

std::unique_ptr<Lv2PanelView> Lv2PanelView::open(const std::string& resources,
                                                 LV2UI_Write_Function write,
                                                 LV2UI_Controller controller,
                                                 const HostOffers& offers)
{
    if (!offers.parent)
        return nullptr;
    Platform::setResourceLocation(nullptr, resources);
    std::unique_ptr<Lv2PanelView> view(new Lv2PanelView(write, controller, offers));
    if (!view->frame->open(offers.parent, &view->runLoop))
        return nullptr;
    view->runLoop.addTimer(kIdleMilliseconds, [frame = view->frame] { frame->idle(); });
    // Only now are the screen and the host's toolkit known. A toolkit that enlarges
    // the host's windows does so to the sizes asked of it, and its factor is the
    // host's scale unless the host said one.
    view->requestDivisor = view->frame->getHostToolkitScale();
    if (view->sources.host == 0.0 && view->requestDivisor != 1.0)
        view->sources.host = view->requestDivisor;
    view->showChosenZoom();
    return view;
}

Lv2PanelView::Lv2PanelView(LV2UI_Write_Function write, LV2UI_Controller controller,
                           const HostOffers& offers)
    : host(write, controller, offers.touch,
           [this](uint32_t id) { panel.updateFromParameter(id, host.normalizedValue(id)); }),
      panel(host),
      frame(new CFrame(CRect(0, 0, BrumvalePanel::kWidth, BrumvalePanel::kHeight), this)),
      hostResize(offers.resize)
{
    sources.user = readZoomPreference();
    if (isZoomInRange(offers.scaleFactor))
        sources.host = offers.scaleFactor;
    panel.build(*frame);
}

Lv2PanelView::~Lv2PanelView()
{
    panel.clear();
    frame->forget();
}

void Lv2PanelView::portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer)
{
    float value = 0.0f;
    if (format != 0 || size != sizeof value || !buffer)
        return;
    std::memcpy(&value, buffer, sizeof value);
    host.takePortValue(port, value);
}

bool Lv2PanelView::resize(int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    frame->setWindowSize(width, height);
    return true;
}

bool Lv2PanelView::setHostScale(double scale)
{
    if (!isZoomInRange(scale))
        return false;
    sources.host = scale;
    showChosenZoom();
    return true;
}

bool Lv2PanelView::openContextMenu(const CPoint& where)
{
    popupZoomMenu(*frame, where, sources.user, [this](double choice) { chooseZoom(choice); });
    return true;
}

void Lv2PanelView::chooseZoom(double userZoom)
{
    sources.user = userZoom;
    showChosenZoom();
    // A failed write leaves the choice for this window only.
    writeZoomPreference(userZoom);
}

void Lv2PanelView::showChosenZoom()
{
    frame->setZoom(limitZoom(sources.chosen(frame->getScreenScale())));
    requestSize();
}

void Lv2PanelView::requestSize()
{
    const CRect zoomed = frame->getZoomedSize();
    const int width = int(std::lround(zoomed.getWidth() / requestDivisor));
    const int height = int(std::lround(zoomed.getHeight() / requestDivisor));
    // Hosts also read the size from the window itself, in their toolkit's pixels.
    if (requestDivisor != 1.0)
        frame->setWindowSize(width, height);
    if (hostResize && hostResize->ui_resize)
        hostResize->ui_resize(hostResize->handle, width, height);
}

} // namespace Brumvale::Lv2
