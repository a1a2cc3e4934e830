// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// What the widget layer asks of a platform backend (linux/: cairo; win32/: GDI+):
// decoded images, drawing into an image, and later the native child window.
#pragma once

#include "cdrawcontext.h"

#include <memory>
#include <string>

namespace VSTGUI {

// A decoded image, ready to draw.
class IPlatformBitmap
{
public:
    virtual ~IPlatformBitmap() = default;
    virtual int getWidth() const = 0;
    virtual int getHeight() const = 0;
};

// An image to draw into, as the whole panel is rendered for tests and screenshots.
class IPlatformOffscreen
{
public:
    virtual ~IPlatformOffscreen() = default;
    virtual CDrawContext& getContext() = 0;
    // 0xAARRGGBB, not premultiplied.
    virtual uint32_t getPixel(int x, int y) = 0;
    virtual bool writePng(const std::string& path) = 0;
};

namespace Platform {

// Where images are looked up: on Linux a folder (the bundle's Resources folder),
// on Windows the module whose resources hold them.
void setResourceLocation(void* moduleHandle, const std::string& folder);

// The PNG image of that name, or null when it cannot be had.
std::unique_ptr<IPlatformBitmap> loadPng(const char* name);

// An image of that size, fully transparent; null when it cannot be had.
std::unique_ptr<IPlatformOffscreen> createOffscreen(int width, int height);

} // namespace Platform
} // namespace VSTGUI
