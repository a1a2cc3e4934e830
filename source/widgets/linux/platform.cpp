// The Linux backend: PNG files from a folder, drawing with cairo, Xlib windows.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/platform.h"

#include "cairobitmap.h"
#include "cairodrawcontext.h"
#include "x11frame.h"

#include <cstdint>

namespace VSTGUI {
namespace {

std::string& resourceFolder()
{
    static std::string folder;
    return folder;
}

class CairoOffscreen : public IPlatformOffscreen
{
public:
    // Takes over the surface, which must be a working ARGB32 image.
    CairoOffscreen(cairo_surface_t* surface, double scale)
        : surface(surface), cr(cairo_create(surface)), context(cr, scale)
    {}
    ~CairoOffscreen() override
    {
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
    }

    CDrawContext& getContext() override { return context; }
    bool writePng(const std::string& path) override
    {
        cairo_surface_flush(surface);
        return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    }
    std::vector<uint32_t> getPixels() override
    {
        cairo_surface_flush(surface);
        const int width = cairo_image_surface_get_width(surface);
        const int height = cairo_image_surface_get_height(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        std::vector<uint32_t> pixels;
        pixels.reserve(size_t(width) * size_t(height));
        for (int y = 0; y < height; ++y)
        {
            const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * size_t(stride));
            pixels.insert(pixels.end(), row, row + width);
        }
        return pixels;
    }

private:
    cairo_surface_t* surface;
    cairo_t* cr;
    CairoDrawContext context;
};

} // namespace

void Platform::setResourceLocation(void*, const std::string& folder) { resourceFolder() = folder; }

std::unique_ptr<IPlatformBitmap> Platform::loadPng(const char* name)
{
    if (!name)
        return nullptr;
    std::string path = resourceFolder();
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += name;
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return std::make_unique<CairoBitmap>(surface);
}

std::unique_ptr<IPlatformOffscreen> Platform::createOffscreen(int width, int height, double scale)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
    {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return std::make_unique<CairoOffscreen>(surface, scale);
}

std::unique_ptr<IPlatformFrame> Platform::createFrame(IPlatformFrameCallback& frame,
                                                      const CRect& size, void* parent,
                                                      IPlatformRunLoop* runLoop)
{
    if (!parent || !runLoop)
        return nullptr;
    return X11Frame::create(frame, size, Window(reinterpret_cast<uintptr_t>(parent)), *runLoop);
}

} // namespace VSTGUI
