// The Windows backend: PNG images from the module's "DATA" resources, drawing
// with GDI+, Win32 child windows.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/platform.h"

#include "gdiplusbitmap.h"
#include "gdiplusdrawcontext.h"
#include "pngfile.h"
#include "win32frame.h"

#include <cstring>
#include <string>
#include <vector>

namespace VSTGUI {
namespace {

HINSTANCE resourceModule = nullptr;
int gdiplusUsers = 0;
ULONG_PTR gdiplusToken = 0;

class GdiplusOffscreen : public IPlatformOffscreen
{
public:
    GdiplusOffscreen(int width, int height, double scale)
        : bitmap(width, height, PixelFormat32bppARGB), graphics(&bitmap), context(graphics, scale)
    {
        graphics.Clear(Gdiplus::Color(0, 0, 0, 0));
    }
    bool valid() { return bitmap.GetLastStatus() == Gdiplus::Ok; }

    CDrawContext& getContext() override { return context; }
    bool writePng(const std::string& path) override
    {
        graphics.Flush(Gdiplus::FlushIntentionSync);
        return savePng(bitmap, path);
    }
    std::vector<uint32_t> getPixels() override
    {
        graphics.Flush(Gdiplus::FlushIntentionSync);
        const UINT width = bitmap.GetWidth();
        const UINT height = bitmap.GetHeight();
        std::vector<uint32_t> pixels(size_t(width) * height);
        Gdiplus::Rect all(0, 0, INT(width), INT(height));
        Gdiplus::BitmapData data{};
        data.Width = width;
        data.Height = height;
        data.Stride = INT(width * sizeof(uint32_t));
        data.PixelFormat = PixelFormat32bppARGB;
        data.Scan0 = pixels.data();
        if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                            PixelFormat32bppARGB, &data) == Gdiplus::Ok)
            bitmap.UnlockBits(&data);
        return pixels;
    }

private:
    GdiplusUser user; // declared first: GDI+ outlives the image
    Gdiplus::Bitmap bitmap;
    Gdiplus::Graphics graphics;
    GdiplusDrawContext context;
};

} // namespace

GdiplusUser::GdiplusUser()
{
    if (gdiplusUsers++ == 0)
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&gdiplusToken, &input, nullptr);
    }
}

GdiplusUser::~GdiplusUser()
{
    if (--gdiplusUsers == 0)
        Gdiplus::GdiplusShutdown(gdiplusToken);
}

void Platform::setResourceLocation(void* moduleHandle, const std::string&)
{
    resourceModule = static_cast<HINSTANCE>(moduleHandle);
}

// Resource names are looked up without regard to case ("BACKGROUND.PNG").
std::unique_ptr<IPlatformBitmap> Platform::loadPng(const char* name)
{
    if (!name)
        return nullptr;
    HRSRC resource = FindResourceA(resourceModule, name, "DATA");
    HGLOBAL loaded = resource ? LoadResource(resourceModule, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = resource ? SizeofResource(resourceModule, resource) : 0;
    if (!data || size == 0)
        return nullptr;
    // GDI+ reads images from streams; the stream gets a copy it owns.
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy)
        return nullptr;
    std::memcpy(GlobalLock(copy), data, size);
    GlobalUnlock(copy);
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(copy, TRUE, &stream) != S_OK)
    {
        GlobalFree(copy);
        return nullptr;
    }
    GdiplusUser user; // GDI+ runs while the image is decoded
    std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromStream(stream));
    stream->Release();
    if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    return std::make_unique<GdiplusBitmap>(std::move(bitmap));
}

std::unique_ptr<IPlatformOffscreen> Platform::createOffscreen(int width, int height, double scale)
{
    auto offscreen = std::make_unique<GdiplusOffscreen>(width, height, scale);
    if (!offscreen->valid())
        return nullptr;
    return offscreen;
}

std::unique_ptr<IPlatformFrame> Platform::createFrame(IPlatformFrameCallback& frame,
                                                      const CRect& size, void* parent,
                                                      IPlatformRunLoop*)
{
    if (!parent)
        return nullptr;
    return Win32Frame::create(frame, size, static_cast<HWND>(parent), resourceModule);
}

} // namespace VSTGUI
