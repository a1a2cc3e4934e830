// Spectrum plots: PNG size, log frequency axis, curves, palette and legend, markers, and failures.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "spectrumplot.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Brumvale {
namespace {

namespace fs = std::filesystem;
constexpr double kPi = 3.14159265358979323846;

class ScratchDirectory
{
public:
    ScratchDirectory()
    {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = fs::temp_directory_path() /
                ("brumvale-plot-" + std::string(test->name()) + "-" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ScratchDirectory() { fs::remove_all(path_); }
    fs::path file(const std::string& name) const { return path_ / name; }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// The decoded image, as straight (not premultiplied) RGB, since the plot is opaque.
class Image
{
public:
    explicit Image(const fs::path& path)
        : surface_(cairo_image_surface_create_from_png(path.c_str()), cairo_surface_destroy)
    {}
    bool valid() const { return cairo_surface_status(surface_.get()) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(surface_.get()); }
    int height() const { return cairo_image_surface_get_height(surface_.get()); }
    std::array<int, 3> rgb(int x, int y) const
    {
        const unsigned char* row = cairo_image_surface_get_data(surface_.get()) +
                                   y * cairo_image_surface_get_stride(surface_.get());
        uint32_t pixel;
        std::memcpy(&pixel, row + 4 * x, 4);
        return {int((pixel >> 16) & 0xff), int((pixel >> 8) & 0xff), int(pixel & 0xff)};
    }
    bool near(int x, int y, const PlotColour& c, int tolerance = 40) const
    {
        const auto p = rgb(x, y);
        return std::abs(p[0] - int(std::lround(c.red * 255))) <= tolerance &&
               std::abs(p[1] - int(std::lround(c.green * 255))) <= tolerance &&
               std::abs(p[2] - int(std::lround(c.blue * 255))) <= tolerance;
    }
    int countNear(const PlotColour& c) const
    {
        int count = 0;
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                count += near(x, y, c);
        return count;
    }

private:
    std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> surface_;
};

std::vector<unsigned char> readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t bigEndian32(const std::vector<unsigned char>& bytes, std::size_t at)
{
    return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 |
           uint32_t(bytes[at + 2]) << 8 | uint32_t(bytes[at + 3]);
}

Spectrum sineSpectrum(double frequency, double amplitude)
{
    const double rate = 48000.0;
    std::vector<float> signal(48000);
    for (std::size_t i = 0; i < signal.size(); ++i)
        signal[i] = float(amplitude * std::sin(2.0 * kPi * frequency * double(i) / rate));
    // A little noise keeps the curve inside the plot away from its floor.
    uint32_t state = 1;
    for (float& x : signal)
    {
        state = state * 1664525u + 1013904223u;
        x += float((double(state) / 4294967296.0 - 0.5) * 1e-3);
    }
    return computeSpectrum(signal, rate);
}

bool writePlot(const fs::path& path, const std::vector<PlotCurve>& curves,
               const PlotOptions& options)
{
    std::string error;
    const bool written = writeSpectrumPng(path.string(), curves, options, error);
    EXPECT_TRUE(written) << error;
    return written;
}

TEST(SpectrumPlot, WritesAPngOfTheRequestedSize)
{
    ScratchDirectory dir;
    for (const auto& [width, height] : {std::pair{1000, 600}, std::pair{640, 360}})
    {
        PlotOptions options;
        options.title = "Sizes";
        options.width = width;
        options.height = height;
        const fs::path path = dir.file("size.png");
        ASSERT_TRUE(writePlot(path, {{"sine", sineSpectrum(440.0, 0.5), {}}}, options));
        const std::vector<unsigned char> bytes = readBytes(path);
        ASSERT_GT(bytes.size(), 33u);
        const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
        EXPECT_TRUE(std::equal(std::begin(signature), std::end(signature), bytes.begin()));
        // The first chunk is IHDR, 13 bytes, holding the width and height.
        EXPECT_EQ(bigEndian32(bytes, 8), 13u);
        EXPECT_EQ(std::string(bytes.begin() + 12, bytes.begin() + 16), "IHDR");
        EXPECT_EQ(bigEndian32(bytes, 16), uint32_t(width));
        EXPECT_EQ(bigEndian32(bytes, 20), uint32_t(height));
        const Image image(path);
        ASSERT_TRUE(image.valid());
        EXPECT_EQ(image.width(), width);
        EXPECT_EQ(image.height(), height);
        // A white page with dark text and frame on it.
        EXPECT_EQ(image.rgb(2, 2), (std::array<int, 3>{255, 255, 255}));
        EXPECT_GT(image.countNear({0.0, 0.0, 0.0}), 500);
        EXPECT_FALSE(fs::exists(dir.file("size.png.part")));
    }
}

TEST(SpectrumPlot, FrequencyAxisIsLogarithmicWithGridLinesAtTheDecades)
{
    ScratchDirectory dir;
    const PlotOptions options;
    const PlotGeometry g = plotGeometry(options);
    ASSERT_LT(g.left, g.right);
    ASSERT_LT(g.top, g.bottom);
    EXPECT_GT(g.left, 0.0);
    EXPECT_LT(g.right, double(options.width));
    EXPECT_LT(g.bottom, double(options.height));
    // 20 Hz to 20 kHz is three decades of equal width; the dB axis is linear.
    const double width = g.right - g.left;
    EXPECT_NEAR(g.xForFrequency(20.0), g.left, 1e-9);
    EXPECT_NEAR(g.xForFrequency(200.0), g.left + width / 3.0, 1e-9);
    EXPECT_NEAR(g.xForFrequency(2000.0), g.left + 2.0 * width / 3.0, 1e-9);
    EXPECT_NEAR(g.xForFrequency(20000.0), g.right, 1e-9);
    EXPECT_NEAR(g.yForLevel(0.0), g.top, 1e-9);
    EXPECT_NEAR(g.yForLevel(-60.0), (g.top + g.bottom) / 2.0, 1e-9);
    EXPECT_NEAR(g.yForLevel(-120.0), g.bottom, 1e-9);

    const fs::path path = dir.file("grid.png");
    ASSERT_TRUE(writePlot(path, {}, options));
    const Image image(path);
    ASSERT_TRUE(image.valid());
    // A grey vertical line down the plot at a third and two thirds of the
    // width (200 Hz and 2 kHz), and none halfway between them.
    const PlotColour grid{0.78, 0.78, 0.78};
    auto greyInColumn = [&](double x) {
        int count = 0;
        for (int y = int(g.top) + 2; y < int(g.bottom) - 1; ++y)
            count += image.near(int(std::round(x)), y, grid, 12);
        return count;
    };
    const int height = int(g.bottom - g.top) - 3;
    EXPECT_GT(greyInColumn(g.left + width / 3.0), height * 9 / 10);
    EXPECT_GT(greyInColumn(g.left + 2.0 * width / 3.0), height * 9 / 10);
    EXPECT_LT(greyInColumn(g.left + width / 2.0 + 3.0), height / 10);
}

TEST(SpectrumPlot, CurveIsDrawnInItsColourAtItsPeak)
{
    ScratchDirectory dir;
    PlotOptions options;
    options.title = "Curve";
    const PlotColour colour{0.9, 0.1, 0.6};
    const fs::path without = dir.file("without.png");
    const fs::path with = dir.file("with.png");
    ASSERT_TRUE(writePlot(without, {}, options));
    ASSERT_TRUE(writePlot(with, {{"", sineSpectrum(1000.0, 0.5), colour}}, options));
    const Image empty(without);
    const Image drawn(with);
    ASSERT_TRUE(empty.valid() && drawn.valid());
    EXPECT_EQ(empty.countNear(colour), 0);

    // The sine's peak, at -6 dB, lands in the column of 1 kHz; the rest of the
    // curve lies far lower. Search a few pixels around for antialiasing.
    const PlotGeometry g = plotGeometry(options);
    const int peakX = int(std::lround(g.xForFrequency(1000.0)));
    const int peakY = int(std::lround(g.yForLevel(-6.0)));
    bool foundPeak = false;
    for (int x = peakX - 3; x <= peakX + 3; ++x)
        for (int y = peakY - 4; y <= peakY + 4; ++y)
            foundPeak = foundPeak || drawn.near(x, y, colour);
    EXPECT_TRUE(foundPeak);
    int nearTopElsewhere = 0;
    for (int x = int(g.left) + 1; x < int(g.right); ++x)
        if (std::abs(x - peakX) > 40)
            for (int y = int(g.top) + 1; y < int(g.yForLevel(-40.0)); ++y)
                nearTopElsewhere += drawn.near(x, y, colour);
    EXPECT_EQ(nearTopElsewhere, 0);

    // The curve spans the frequency axis: it is present near both ends.
    auto columnHasCurve = [&](int x) {
        for (int y = int(g.top); y <= int(g.bottom); ++y)
            if (drawn.near(x, y, colour))
                return true;
        return false;
    };
    EXPECT_TRUE(columnHasCurve(int(g.left) + 3));
    EXPECT_TRUE(columnHasCurve(int(g.right) - 3));
    // Nothing of it outside the plot area.
    for (int y = 0; y < drawn.height(); ++y)
    {
        EXPECT_FALSE(drawn.near(int(g.left) - 5, y, colour));
        EXPECT_FALSE(drawn.near(int(g.right) + 5, y, colour));
    }
}

TEST(SpectrumPlot, CurvesWithoutColourTakeThePaletteAndAppearInTheLegend)
{
    ScratchDirectory dir;
    PlotOptions options;
    const fs::path path = dir.file("palette.png");
    ASSERT_TRUE(writePlot(
        path, {{"dry", sineSpectrum(220.0, 0.5), {}}, {"fuzz", sineSpectrum(440.0, 0.5), {}}},
        options));
    const Image image(path);
    ASSERT_TRUE(image.valid());
    const PlotColour first = plotPaletteColour(0);
    const PlotColour second = plotPaletteColour(1);
    EXPECT_NE(first.red, second.red);
    const PlotGeometry g = plotGeometry(options);
    // Each colour peaks at its own frequency.
    auto peaksAt = [&](double hz, const PlotColour& c) {
        const int x0 = int(std::lround(g.xForFrequency(hz)));
        const int y0 = int(std::lround(g.yForLevel(-6.0)));
        for (int x = x0 - 3; x <= x0 + 3; ++x)
            for (int y = y0 - 4; y <= y0 + 4; ++y)
                if (image.near(x, y, c))
                    return true;
        return false;
    };
    EXPECT_TRUE(peaksAt(220.0, first));
    EXPECT_TRUE(peaksAt(440.0, second));
    EXPECT_FALSE(peaksAt(220.0, second));
    EXPECT_FALSE(peaksAt(440.0, first));
    // The legend's swatches sit in the top right corner, which the curves
    // (below -40 dB up there) do not reach.
    int firstInCorner = 0;
    int secondInCorner = 0;
    for (int y = int(g.top); y < int(g.top) + 80; ++y)
        for (int x = int(g.right) - 200; x < int(g.right); ++x)
        {
            firstInCorner += image.near(x, y, first, 10);
            secondInCorner += image.near(x, y, second, 10);
        }
    EXPECT_GT(firstInCorner, 20);
    EXPECT_GT(secondInCorner, 20);
}

TEST(SpectrumPlot, MarkerDrawsADashedLineAcrossThePlot)
{
    ScratchDirectory dir;
    PlotOptions options;
    const PlotColour colour{0.0, 0.8, 0.8};
    options.markers = {{1000.0, "2f = 1000 Hz", colour}};
    const fs::path path = dir.file("marker.png");
    ASSERT_TRUE(writePlot(path, {}, options));
    const Image image(path);
    ASSERT_TRUE(image.valid());
    const PlotGeometry g = plotGeometry(options);
    const int x = int(std::lround(std::round(g.xForFrequency(1000.0))));
    int on = 0;
    int off = 0;
    // Below the label, down the whole height of the plot.
    for (int y = int(g.top) + 40; y < int(g.bottom); ++y)
        (image.near(x, y, colour, 10) ? on : off) += 1;
    const int span = int(g.bottom) - int(g.top) - 40;
    EXPECT_GT(on, span / 2);
    EXPECT_GT(off, span / 8); // the gaps of the dashes
    // The label, in the marker's colour, to the right of the line.
    int label = 0;
    for (int y = int(g.top); y < int(g.top) + 30; ++y)
        for (int lx = x + 3; lx < x + 100; ++lx)
            label += image.near(lx, y, colour, 60);
    EXPECT_GT(label, 10);
    // Elsewhere there is none of the marker's colour.
    int stray = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int lx = 0; lx < image.width(); ++lx)
            if (lx < x - 2 || lx > x + 100)
                stray += image.near(lx, y, colour, 60);
    EXPECT_EQ(stray, 0);
}

TEST(SpectrumPlot, FailuresReportAReasonAndLeaveNoFile)
{
    ScratchDirectory dir;
    const PlotOptions options;
    std::string error;

    const fs::path missing = dir.file("no-such-directory") / "plot.png";
    EXPECT_FALSE(writeSpectrumPng(missing.string(), {}, options, error));
    EXPECT_NE(error.find(missing.string()), std::string::npos) << error;
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_FALSE(fs::exists(missing));

    // The target is a directory: the image is rendered, then cannot take its
    // place, and the partial file is cleaned away.
    const fs::path occupied = dir.file("occupied");
    fs::create_directory(occupied);
    error.clear();
    EXPECT_FALSE(writeSpectrumPng(occupied.string(), {}, options, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(occupied));
    EXPECT_FALSE(fs::exists(occupied.string() + ".part"));

    // Nonsensical options are refused before anything is written, and an
    // existing file is kept.
    const fs::path kept = dir.file("kept.png");
    std::ofstream(kept) << "previous";
    PlotOptions inverted;
    inverted.minHz = 20000.0;
    inverted.maxHz = 20.0;
    error.clear();
    EXPECT_FALSE(writeSpectrumPng(kept.string(), {}, inverted, error));
    EXPECT_FALSE(error.empty());
    PlotOptions tiny;
    tiny.width = 0;
    error.clear();
    EXPECT_FALSE(writeSpectrumPng(kept.string(), {}, tiny, error));
    EXPECT_FALSE(error.empty());
    const std::vector<unsigned char> keptBytes = readBytes(kept);
    EXPECT_EQ(std::string(keptBytes.begin(), keptBytes.end()), "previous");
}

} // namespace
} // namespace Brumvale
