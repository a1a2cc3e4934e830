// Spectrum plots: curves on a logarithmic frequency axis, with markers and a legend, as PNG files.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "spectrum.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace Brumvale {

// Red, green, blue, each from 0 to 1.
struct PlotColour
{
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
};

// The colour of the index-th curve that has none of its own; cycles.
PlotColour plotPaletteColour(std::size_t index);

struct PlotCurve
{
    std::string label; // legend entry; empty leaves the curve out of the legend
    Spectrum spectrum;
    std::optional<PlotColour> colour; // none: plotPaletteColour(position in the list)
};

// A frequency to point out: a vertical dashed line across the plot, labelled.
struct PlotMarker
{
    double frequency = 0.0;
    std::string label;
    PlotColour colour{0.3, 0.3, 0.3};
};

struct PlotOptions
{
    std::string title;
    int width = 1000;
    int height = 600;
    double minHz = 20.0;
    double maxHz = 20000.0;
    double minDb = -120.0;
    double maxDb = 0.0;
    std::vector<PlotMarker> markers;
};

// Where frequencies and levels land on the image, in pixels from its top left.
struct PlotGeometry
{
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
    double minHz = 20.0;
    double maxHz = 20000.0;
    double minDb = -120.0;
    double maxDb = 0.0;

    double xForFrequency(double frequency) const; // logarithmic
    double yForLevel(double db) const;            // linear in dB
};

PlotGeometry plotGeometry(const PlotOptions& options);

// Draws the spectra on a logarithmic frequency axis and writes a PNG. The file
// appears complete or not at all: on failure (bad options, a directory that
// does not exist, ...) returns false with a one-line reason in error, and
// whatever was at path is left as it was.
bool writeSpectrumPng(const std::string& path, const std::vector<PlotCurve>& curves,
                      const PlotOptions& options, std::string& error);

} // namespace Brumvale
