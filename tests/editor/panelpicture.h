// Pictures of the panel for the scale tests: drawing, resampling, comparing.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/againeditorview.h"
#include "widgets/cgeometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Brumvale {

// Opaque pixels 0xRRGGBB (alpha dropped), rows from the top.
struct PanelPicture
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

// The open editor's panel as its frame draws it at the frame's zoom.
PanelPicture drawPanel(againEditorView& editor);
// A PNG file's picture; empty when it cannot be read.
PanelPicture readPicture(const std::string& path);

// The picture averaged down by the zoom to panel pixels (each panel pixel the
// mean of the screen pixels it covers, in part or whole), as a viewer who cannot
// see the extra detail would see it.
PanelPicture shrink(const PanelPicture& zoomed, double zoom, int width, int height);
// The 1x picture stretched to the zoom with bilinear smoothing, as a host that
// stretches a bitmap would show it.
PanelPicture stretch(const PanelPicture& picture, double zoom, int width, int height);

// The mean difference of the colour channels over the rectangle (in a's pixels,
// which b must cover too), 0 to 255.
double meanDifference(const PanelPicture& a, const PanelPicture& b, const VSTGUI::CRect& area);
// The largest mean difference of the tile x tile squares that make up the area:
// small where edges are only smoothed differently, large where anything is
// missing, moved or another frame.
double largestTileDifference(const PanelPicture& a, const PanelPicture& b,
                             const VSTGUI::CRect& area, int tile = 4);

} // namespace Brumvale
