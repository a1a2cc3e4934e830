// brumvale_artwork: draws the editor's images at each scale and writes them as PNG files.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas.h"
#include "images.h"
#include "pngfile.h"

#include "widgets/bitmapsetname.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

using namespace Brumvale::Artwork;

// An image's name and size at 1x, in the editor's units.
struct Image
{
    const char* fileName;
    int width;
    int height;
    void (*draw)(cairo_t*, int);
};

const Image kImages[] = {
    {"background.png", 180, 240, drawBackground}, {"knobImg1.png", 40, 3200, drawKnob},
    {"splashImg.png", 180, 240, drawSplash},      {"ButtonBypass.png", 40, 80, drawBypassLamp},
    {"ButtonHiFi.png", 60, 40, drawHiFiSwitch},   {"ButtonWarmth.png", 60, 40, drawWarmthSwitch},
};

// The densities the editor looks for: 1x, and 2x and 3x for high-DPI screens.
const int kScales[] = {1, 2, 3};

int fail(const std::string& message)
{
    std::fprintf(stderr, "brumvale_artwork: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return fail("usage: brumvale_artwork OUTPUT_DIR");
    const std::filesystem::path directory = argv[1];
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error)
        return fail("cannot create " + directory.string() + ": " + error.message());

    for (const Image& image : kImages)
        for (const int scale : kScales)
        {
            const std::string path =
                (directory / VSTGUI::bitmapSetName(image.fileName, scale)).string();
            const Surface surface(cairo_image_surface_create(
                CAIRO_FORMAT_ARGB32, image.width * scale, image.height * scale));
            {
                const Context context = drawingContext(surface.get());
                cairo_scale(context.get(), scale, scale);
                image.draw(context.get(), scale);
                if (cairo_status(context.get()) != CAIRO_STATUS_SUCCESS)
                    return fail("cannot draw " + path + ": " +
                                cairo_status_to_string(cairo_status(context.get())));
            }
            std::string problem;
            if (!writeRgbaPng(surface.get(), path, problem))
                return fail(problem);
        }
    return 0;
}
