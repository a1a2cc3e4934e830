// Panel pictures drawn offscreen or read from PNG, shrunk and stretched by a zoom, and compared.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "panelpicture.h"

#include "linux/hostwindow.h"

#include "widgets/cframe.h"
#include "widgets/platform.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Brumvale {
namespace {

double channel(std::uint32_t pixel, int shift) { return double((pixel >> shift) & 0xFFu); }

std::uint32_t pack(const double (&rgb)[3])
{
    std::uint32_t pixel = 0;
    for (int i = 0; i < 3; ++i)
        pixel = pixel << 8 | std::uint32_t(std::lround(std::clamp(rgb[i], 0.0, 255.0)));
    return pixel;
}

} // namespace

PanelPicture drawPanel(againEditorView& editor)
{
    VSTGUI::CFrame& frame = *editor.getFrame();
    const VSTGUI::CRect size = frame.getZoomedSize();
    PanelPicture picture{int(size.getWidth()), int(size.getHeight()), {}};
    auto offscreen =
        VSTGUI::Platform::createOffscreen(picture.width, picture.height, frame.getZoom());
    if (!offscreen)
        return {};
    frame.draw(offscreen->getContext());
    picture.pixels = offscreen->getPixels();
    for (std::uint32_t& pixel : picture.pixels)
        pixel &= 0xFFFFFFu;
    return picture;
}

PanelPicture readPicture(const std::string& path)
{
    Host::Picture read = Host::readPng(path);
    return {read.width, read.height, std::move(read.pixels)};
}

PanelPicture shrink(const PanelPicture& zoomed, double zoom, int width, int height)
{
    PanelPicture picture{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            double sum[3] = {}, weights = 0.0;
            const double top = y * zoom, bottom = (y + 1) * zoom;
            const double left = x * zoom, right = (x + 1) * zoom;
            for (int sy = int(top); sy < int(std::ceil(bottom)) && sy < zoomed.height; ++sy)
                for (int sx = int(left); sx < int(std::ceil(right)) && sx < zoomed.width; ++sx)
                {
                    const double weight = (std::min(bottom, sy + 1.0) - std::max(top, double(sy))) *
                                          (std::min(right, sx + 1.0) - std::max(left, double(sx)));
                    for (int i = 0; i < 3; ++i)
                        sum[i] += weight * channel(zoomed.at(sx, sy), 16 - 8 * i);
                    weights += weight;
                }
            const double mean[3] = {sum[0] / weights, sum[1] / weights, sum[2] / weights};
            picture.pixels.push_back(pack(mean));
        }
    return picture;
}

PanelPicture stretch(const PanelPicture& picture, double zoom, int width, int height)
{
    PanelPicture stretched{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            // Pixel centres map onto pixel centres.
            const double u = std::clamp((x + 0.5) / zoom - 0.5, 0.0, picture.width - 1.0);
            const double v = std::clamp((y + 0.5) / zoom - 0.5, 0.0, picture.height - 1.0);
            const int x0 = int(u), y0 = int(v);
            const int x1 = std::min(x0 + 1, picture.width - 1);
            const int y1 = std::min(y0 + 1, picture.height - 1);
            const double fx = u - x0, fy = v - y0;
            double rgb[3];
            for (int i = 0; i < 3; ++i)
            {
                const int shift = 16 - 8 * i;
                rgb[i] = (1 - fy) * ((1 - fx) * channel(picture.at(x0, y0), shift) +
                                     fx * channel(picture.at(x1, y0), shift)) +
                         fy * ((1 - fx) * channel(picture.at(x0, y1), shift) +
                               fx * channel(picture.at(x1, y1), shift));
            }
            stretched.pixels.push_back(pack(rgb));
        }
    return stretched;
}

double meanDifference(const PanelPicture& a, const PanelPicture& b, const VSTGUI::CRect& area)
{
    double sum = 0.0;
    int count = 0;
    for (int y = int(area.top); y < int(area.bottom); ++y)
        for (int x = int(area.left); x < int(area.right); ++x, ++count)
            for (int shift : {0, 8, 16})
                sum += std::abs(channel(a.at(x, y), shift) - channel(b.at(x, y), shift));
    return count ? sum / (3.0 * count) : 0.0;
}

double largestTileDifference(const PanelPicture& a, const PanelPicture& b,
                             const VSTGUI::CRect& area, int tile)
{
    double largest = 0.0;
    for (int top = int(area.top); top < int(area.bottom); top += tile)
        for (int left = int(area.left); left < int(area.right); left += tile)
        {
            const VSTGUI::CRect square(left, top, std::min(left + tile, int(area.right)),
                                       std::min(top + tile, int(area.bottom)));
            // The squares' mean colours, not their pixels, are compared.
            double difference = 0.0;
            for (int shift : {0, 8, 16})
            {
                double sum = 0.0;
                for (int y = int(square.top); y < int(square.bottom); ++y)
                    for (int x = int(square.left); x < int(square.right); ++x)
                        sum += channel(a.at(x, y), shift) - channel(b.at(x, y), shift);
                difference += std::abs(sum) / (square.getWidth() * square.getHeight());
            }
            largest = std::max(largest, difference / 3.0);
        }
    return largest;
}

} // namespace Brumvale
