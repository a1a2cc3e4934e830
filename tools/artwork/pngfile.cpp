// Writes a cairo image as an 8-bit RGBA PNG file.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "pngfile.h"

#include <png.h>

#include <cstdint>
#include <vector>

namespace Brumvale::Artwork {

bool writeRgbaPng(cairo_surface_t* surface, const std::string& path, std::string& error)
{
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);

    // Cairo keeps native-endian words with colour premultiplied by alpha; PNG
    // wants straight colour, rounded the way cairo's own writer rounds it.
    std::vector<png_byte> rows(std::size_t(width) * std::size_t(height) * 4u);
    png_byte* out = rows.data();
    for (int y = 0; y < height; ++y)
    {
        const auto* pixels = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x, out += 4)
        {
            const std::uint32_t pixel = pixels[x];
            const std::uint32_t alpha = pixel >> 24;
            for (int channel = 0; channel < 3; ++channel)
            {
                const std::uint32_t value = (pixel >> (16 - 8 * channel)) & 0xFFu;
                out[channel] = alpha ? png_byte((value * 255u + alpha / 2u) / alpha) : 0;
            }
            out[3] = png_byte(alpha);
        }
    }

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&image, path.c_str(), 0, rows.data(), 0, nullptr))
    {
        error = "cannot write " + path + ": " + image.message;
        return false;
    }
    return true;
}

} // namespace Brumvale::Artwork
