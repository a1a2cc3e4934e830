// Spectrum plots drawn with cairo (grid, curves, markers, legend, titles) and written as PNG files.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "spectrumplot.h"

#include <cairo.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace Brumvale {
namespace {

constexpr const char* kFont = "Liberation Sans";
constexpr double kMarginLeft = 80.0;
constexpr double kMarginRight = 30.0;
constexpr double kMarginTop = 50.0;
constexpr double kMarginBottom = 70.0;
constexpr double kDbStep = 20.0;
constexpr double kPi = 3.14159265358979323846;

struct SurfaceDeleter
{
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter
{
    void operator()(cairo_t* context) const { cairo_destroy(context); }
};

void setColour(cairo_t* cr, const PlotColour& colour)
{
    cairo_set_source_rgb(cr, colour.red, colour.green, colour.blue);
}

void setFont(cairo_t* cr, double size, bool bold = false)
{
    cairo_select_font_face(cr, kFont, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

// Draws text with its anchor point at (x, y): xAlign 0 left, 0.5 centre, 1 right;
// yAlign likewise from the top of the ink to its bottom.
void drawText(cairo_t* cr, const std::string& text, double x, double y, double xAlign,
              double yAlign)
{
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_move_to(cr, x - extents.x_bearing - xAlign * extents.width,
                  y - extents.y_bearing - yAlign * extents.height);
    cairo_show_text(cr, text.c_str());
}

double textWidth(cairo_t* cr, const std::string& text)
{
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    return extents.x_advance;
}

std::string frequencyLabel(double hz)
{
    char text[32];
    if (hz >= 1000.0)
        std::snprintf(text, sizeof text, "%gk", hz / 1000.0);
    else
        std::snprintf(text, sizeof text, "%g", hz);
    return text;
}

std::string optionsProblem(const PlotOptions& o)
{
    if (o.width < 200 || o.height < 150 || o.width > 20000 || o.height > 20000)
        return "the image must be between 200 x 150 and 20000 x 20000 pixels";
    if (!(o.minHz > 0.0) || !(o.maxHz > o.minHz) || !std::isfinite(o.maxHz))
        return "the frequency range must satisfy 0 < minHz < maxHz";
    if (!(o.maxDb > o.minDb) || !std::isfinite(o.minDb) || !std::isfinite(o.maxDb))
        return "the level range must satisfy minDb < maxDb";
    return {};
}

void drawGrid(cairo_t* cr, const PlotGeometry& g)
{
    cairo_set_line_width(cr, 1.0);
    // Faint lines at every whole multiple of each decade, stronger labelled ones
    // at 1, 2 and 5.
    for (double decade = std::pow(10.0, std::floor(std::log10(g.minHz))); decade < g.maxHz;
         decade *= 10.0)
        for (int multiple = 1; multiple <= 9; ++multiple)
        {
            const double hz = decade * multiple;
            if (hz < g.minHz || hz > g.maxHz)
                continue;
            const bool major = multiple == 1 || multiple == 2 || multiple == 5;
            const double x = std::round(g.xForFrequency(hz)) + 0.5;
            cairo_set_source_rgb(cr, major ? 0.78 : 0.91, major ? 0.78 : 0.91, major ? 0.78 : 0.91);
            cairo_move_to(cr, x, g.top);
            cairo_line_to(cr, x, g.bottom);
            cairo_stroke(cr);
            if (major)
            {
                cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
                drawText(cr, frequencyLabel(hz), x, g.bottom + 8.0, 0.5, 0.0);
            }
        }
    for (double db = std::ceil(g.minDb / kDbStep) * kDbStep; db <= g.maxDb; db += kDbStep)
    {
        const double y = std::round(g.yForLevel(db)) + 0.5;
        cairo_set_source_rgb(cr, 0.78, 0.78, 0.78);
        cairo_move_to(cr, g.left, y);
        cairo_line_to(cr, g.right, y);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
        char text[32];
        std::snprintf(text, sizeof text, "%g", db);
        drawText(cr, text, g.left - 8.0, y, 1.0, 0.5);
    }
}

void drawCurve(cairo_t* cr, const PlotGeometry& g, const Spectrum& spectrum,
               const PlotColour& colour)
{
    if (!(spectrum.binHz > 0.0) || spectrum.magnitudeDb.size() < 2)
        return;
    // Above a few hundred hertz many bins share a pixel column: draw the highest
    // of them, so peaks survive and the line does not turn into a solid band.
    bool started = false;
    long column = 0;
    double sumX = 0.0;
    int count = 0;
    double highest = 0.0;
    auto flush = [&]() {
        if (count == 0)
            return;
        const double y = g.yForLevel(std::max(highest, g.minDb));
        if (started)
            cairo_line_to(cr, sumX / count, y);
        else
            cairo_move_to(cr, sumX / count, y);
        started = true;
    };
    // Reach just past both edges so the line meets the frame; the clip trims it.
    const double lowest = g.minHz - spectrum.binHz;
    const double highestHz = g.maxHz + spectrum.binHz;
    for (std::size_t bin = 1; bin < spectrum.magnitudeDb.size(); ++bin)
    {
        const double hz = spectrum.frequencyOfBin(bin);
        if (hz < lowest)
            continue;
        if (hz > highestHz)
            break;
        const double x = g.xForFrequency(hz);
        const auto thisColumn = long(std::floor(x));
        if (count > 0 && thisColumn != column)
        {
            flush();
            count = 0;
        }
        if (count == 0)
        {
            column = thisColumn;
            sumX = 0.0;
            highest = spectrum.magnitudeDb[bin];
        }
        sumX += x;
        highest = std::max(highest, spectrum.magnitudeDb[bin]);
        ++count;
    }
    flush();
    setColour(cr, colour);
    cairo_set_line_width(cr, 1.6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void drawMarkers(cairo_t* cr, const PlotGeometry& g, const std::vector<PlotMarker>& markers)
{
    setFont(cr, 12.0);
    for (std::size_t i = 0; i < markers.size(); ++i)
    {
        const PlotMarker& marker = markers[i];
        if (!(marker.frequency >= g.minHz && marker.frequency <= g.maxHz))
            continue;
        const double x = std::round(g.xForFrequency(marker.frequency)) + 0.5;
        const double dashes[] = {6.0, 4.0};
        cairo_set_dash(cr, dashes, 2, 0.0);
        cairo_set_line_width(cr, 1.0);
        setColour(cr, marker.colour);
        cairo_move_to(cr, x, g.top);
        cairo_line_to(cr, x, g.bottom);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0.0);
        if (marker.label.empty())
            continue;
        // Labels step down so that markers close together stay readable; one
        // too near the right edge goes on the left of its line.
        const double y = g.top + 6.0 + 18.0 * double(i % 8);
        const double width = textWidth(cr, marker.label);
        const bool leftSide = x + 4.0 + width > g.right - 4.0;
        const double textX = leftSide ? x - 4.0 - width : x + 4.0;
        cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, 0.85);
        cairo_rectangle(cr, textX - 2.0, y - 1.0, width + 4.0, 16.0);
        cairo_fill(cr);
        setColour(cr, marker.colour);
        drawText(cr, marker.label, textX, y + 7.0, 0.0, 0.5);
    }
}

void drawLegend(cairo_t* cr, const PlotGeometry& g, const std::vector<PlotCurve>& curves)
{
    setFont(cr, 13.0);
    double widest = 0.0;
    int entries = 0;
    for (const PlotCurve& curve : curves)
        if (!curve.label.empty())
        {
            widest = std::max(widest, textWidth(cr, curve.label));
            ++entries;
        }
    if (entries == 0)
        return;
    const double rowHeight = 20.0;
    const double swatch = 24.0;
    const double boxWidth = 10.0 + swatch + 8.0 + widest + 10.0;
    const double boxHeight = 8.0 + rowHeight * entries;
    const double boxLeft = g.right - 10.0 - boxWidth;
    const double boxTop = g.top + 10.0;
    cairo_rectangle(cr, boxLeft, boxTop, boxWidth, boxHeight);
    cairo_set_source_rgba(cr, 1.0, 1.0, 1.0, 0.9);
    cairo_fill_preserve(cr);
    cairo_set_source_rgb(cr, 0.6, 0.6, 0.6);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    int row = 0;
    for (std::size_t i = 0; i < curves.size(); ++i)
    {
        if (curves[i].label.empty())
            continue;
        const double y = boxTop + 4.0 + rowHeight * (row + 0.5);
        setColour(cr, curves[i].colour.value_or(plotPaletteColour(i)));
        cairo_set_line_width(cr, 2.5);
        cairo_move_to(cr, boxLeft + 10.0, y);
        cairo_line_to(cr, boxLeft + 10.0 + swatch, y);
        cairo_stroke(cr);
        cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
        drawText(cr, curves[i].label, boxLeft + 10.0 + swatch + 8.0, y, 0.0, 0.5);
        ++row;
    }
}

void drawPlot(cairo_t* cr, const std::vector<PlotCurve>& curves, const PlotOptions& options)
{
    const PlotGeometry g = plotGeometry(options);
    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_paint(cr);

    setFont(cr, 12.0);
    drawGrid(cr, g);

    cairo_save(cr);
    cairo_rectangle(cr, g.left, g.top, g.right - g.left, g.bottom - g.top);
    cairo_clip(cr);
    for (std::size_t i = 0; i < curves.size(); ++i)
        drawCurve(cr, g, curves[i].spectrum, curves[i].colour.value_or(plotPaletteColour(i)));
    drawMarkers(cr, g, options.markers);
    cairo_restore(cr);

    cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, std::round(g.left) + 0.5, std::round(g.top) + 0.5,
                    std::round(g.right - g.left), std::round(g.bottom - g.top));
    cairo_stroke(cr);

    drawLegend(cr, g, curves);

    cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
    setFont(cr, 17.0, true);
    drawText(cr, options.title, (g.left + g.right) / 2.0, kMarginTop / 2.0, 0.5, 0.5);
    setFont(cr, 14.0);
    drawText(cr, "Frequency (Hz)", (g.left + g.right) / 2.0, options.height - 18.0, 0.5, 0.5);
    cairo_save(cr);
    cairo_translate(cr, 22.0, (g.top + g.bottom) / 2.0);
    cairo_rotate(cr, -kPi / 2.0);
    drawText(cr, "Level (dBFS)", 0.0, 0.0, 0.5, 0.5);
    cairo_restore(cr);
}

cairo_status_t writeToFile(void* closure, const unsigned char* data, unsigned int length)
{
    return std::fwrite(data, 1, length, static_cast<std::FILE*>(closure)) == length
               ? CAIRO_STATUS_SUCCESS
               : CAIRO_STATUS_WRITE_ERROR;
}

} // namespace

PlotColour plotPaletteColour(std::size_t index)
{
    // Distinct hues that stay apart from the black text and the grey grid.
    static const PlotColour palette[] = {{0.12, 0.47, 0.71}, {0.89, 0.35, 0.05},
                                         {0.17, 0.63, 0.17}, {0.84, 0.15, 0.16},
                                         {0.58, 0.40, 0.74}, {0.55, 0.34, 0.29}};
    return palette[index % (sizeof palette / sizeof palette[0])];
}

double PlotGeometry::xForFrequency(double frequency) const
{
    return left + (right - left) * std::log(frequency / minHz) / std::log(maxHz / minHz);
}

double PlotGeometry::yForLevel(double db) const
{
    return top + (bottom - top) * (maxDb - db) / (maxDb - minDb);
}

PlotGeometry plotGeometry(const PlotOptions& options)
{
    PlotGeometry g;
    g.left = kMarginLeft;
    g.top = kMarginTop;
    g.right = double(options.width) - kMarginRight;
    g.bottom = double(options.height) - kMarginBottom;
    g.minHz = options.minHz;
    g.maxHz = options.maxHz;
    g.minDb = options.minDb;
    g.maxDb = options.maxDb;
    return g;
}

bool writeSpectrumPng(const std::string& path, const std::vector<PlotCurve>& curves,
                      const PlotOptions& options, std::string& error)
{
    const std::string problem = optionsProblem(options);
    if (!problem.empty())
    {
        error = "cannot plot " + path + ": " + problem;
        return false;
    }
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, options.width, options.height));
    std::unique_ptr<cairo_t, ContextDeleter> context(cairo_create(surface.get()));
    drawPlot(context.get(), curves, options);
    context.reset();
    cairo_surface_flush(surface.get());
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
    {
        error = "cannot plot " + path + ": " +
                cairo_status_to_string(cairo_surface_status(surface.get()));
        return false;
    }

    // Written beside the target and renamed over it, so a failure never leaves
    // a truncated image where the target was.
    const std::string partial = path + ".part";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file)
    {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    const cairo_status_t status =
        cairo_surface_write_to_png_stream(surface.get(), writeToFile, file);
    const bool closed = std::fclose(file) == 0;
    if (status != CAIRO_STATUS_SUCCESS || !closed)
    {
        const int saved = errno;
        std::remove(partial.c_str());
        error = "cannot write " + path + ": " +
                (status != CAIRO_STATUS_SUCCESS ? cairo_status_to_string(status)
                                                : std::strerror(saved));
        return false;
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0)
    {
        const int saved = errno;
        std::remove(partial.c_str());
        error = "cannot write " + path + ": " + std::strerror(saved);
        return false;
    }
    return true;
}

} // namespace Brumvale
