// Procedural metal finishes: brushed grain for the panel, spun metal for the knob.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "metal.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Brumvale::Artwork {
namespace {

// Noise smoothed by a one-pole filter run forwards and backwards, so that the
// streaks have no direction, scaled to a root mean square of one.
std::vector<double> smoothed(Grain& grain, std::size_t length, double pole)
{
    std::vector<double> values(length);
    for (double& value : values)
        value = grain.next();
    double state = 0.0;
    for (double& value : values)
        value = state = state * pole + value * (1.0 - pole);
    state = values.empty() ? 0.0 : values.back();
    for (auto value = values.rbegin(); value != values.rend(); ++value)
        *value = state = state * pole + *value * (1.0 - pole);
    double power = 0.0;
    for (double value : values)
        power += value * value;
    const double gain = power > 0.0 ? std::sqrt(double(length) / power) : 0.0;
    for (double& value : values)
        value *= gain;
    return values;
}

std::uint8_t clampByte(double value, double ceiling)
{
    return std::uint8_t(std::lround(std::clamp(value, 0.0, ceiling)));
}

} // namespace

double Grain::next()
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return double(state) / 2147483648.0 - 1.0;
}

void brushSurface(cairo_surface_t* surface, double strength, std::uint32_t seed, int scale)
{
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    // The filter's memory spans scale times as many pixels, the same length in units.
    const double pole = std::pow(0.93, 1.0 / scale);
    Grain grain(seed);
    for (int y = 0; y < height; ++y)
    {
        const double row = 0.5 * grain.next();
        const std::vector<double> streak = smoothed(grain, std::size_t(width), pole);
        auto* pixels = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x)
        {
            const std::uint32_t pixel = pixels[x];
            const double alpha = double(pixel >> 24);
            // The surface is premultiplied: the change scales with alpha and no
            // component may exceed it.
            const double change = (row + 0.6 * streak[std::size_t(x)]) * strength * alpha;
            std::uint32_t result = pixel & 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8)
                result |= std::uint32_t(clampByte(double((pixel >> shift) & 0xFFu) + change, alpha))
                          << shift;
            pixels[x] = result;
        }
    }
    cairo_surface_mark_dirty(surface);
}

Surface spunMetal(int size, const Colour& base, int scale)
{
    const int side = size * scale;
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, side, side));
    // Painted at size units whatever the density.
    cairo_surface_set_device_scale(surface.get(), scale, scale);
    cairo_surface_flush(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    // Rings every quarter unit of radius, each a shade apart from the next.
    Grain grain(0x5eed1e5u);
    const std::vector<double> rings = smoothed(grain, std::size_t(size * 2 + 8), 0.3);
    const double centre = size / 2.0;
    const double light = std::atan2(-1.0, -1.0);
    // Each pixel averages a grid of samples, so that the rings stay round
    // instead of stepping along the pixel grid.
    const int samples = 4;
    auto level = [&](double dx, double dy) {
        const double angle = std::atan2(dy, dx) - light;
        const double radius = std::hypot(dx, dy);
        const double ring = rings[std::min(rings.size() - 1, std::size_t(radius * 4.0))];
        return 0.80 + 0.16 * std::cos(2.0 * angle) + 0.03 * std::cos(6.0 * angle) + 0.035 * ring -
               0.10 * radius / centre;
    };
    for (int y = 0; y < side; ++y)
    {
        auto* pixels = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < side; ++x)
        {
            double sum = 0.0;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx)
                    sum += level((x + (sx + 0.5) / samples) / scale - centre,
                                 (y + (sy + 0.5) / samples) / scale - centre);
            const double mean = sum / (samples * samples);
            pixels[x] = 0xFF000000u |
                        std::uint32_t(clampByte(base.red * mean * 255.0, 255.0)) << 16 |
                        std::uint32_t(clampByte(base.green * mean * 255.0, 255.0)) << 8 |
                        clampByte(base.blue * mean * 255.0, 255.0);
        }
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

} // namespace Brumvale::Artwork
