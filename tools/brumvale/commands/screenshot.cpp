// brumvale screenshot: a picture of the plug-in's panel at given parameter values.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commands/commands.h"
#include "session/effectsession.h"

#include "controller/againcontroller.h"
#include "editor/againeditorview.h"
#include "widgets/cframe.h"
#include "widgets/platform.h"
#include "widgets/zoomrange.h"

#include <charconv>

#include <cstdio>
#include <filesystem>

using namespace Steinberg;

namespace Brumvale {
namespace {

// Where a click opens the about panel: the strip over the maker's logo.
const VSTGUI::CPoint kAboutStrip(90, 183);

struct ScreenshotOptions
{
    std::string output;
    std::vector<ParameterSetting> settings;
    bool about = false; // with the about panel open
    double scale = 1.0; // screen pixels per panel pixel
};

bool parseOptions(const std::vector<std::string>& arguments, ScreenshotOptions& options,
                  std::string& error)
{
    OptionParser parser;
    parser.flag("--about", options.about);
    parser.settings(options.settings);
    parser.value("--scale", [&](const std::string& text, std::string& reason) {
        // Not strtod: the picture must not depend on the locale's decimal point.
        double scale = 0.0;
        const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), scale);
        if (problem != std::errc() || end != text.data() + text.size() ||
            !VSTGUI::isZoomInRange(scale))
        {
            reason = "--scale wants a number from 1 to 4 (got '" + text + "')";
            return false;
        }
        options.scale = scale;
        return true;
    });
    std::vector<std::string> files;
    if (!parser.parse(arguments, files, error))
        return false;
    if (files.size() != 1)
        error =
            files.empty() ? "screenshot wants an output file" : "screenshot wants one output file";
    else
        options.output = files[0];
    return files.size() == 1;
}

// A host cannot have a view drawn offscreen through VST 3, so the panel is built
// here from the plug-in's own classes, with the images of the bundle beside the tool.
int screenshot(const ScreenshotOptions& options)
{
    const std::string images = defaultBundle() + "/Contents/Resources/";
    VSTGUI::Platform::setResourceLocation(nullptr, images);

    IPtr<againController> controller(new againController, false);
    if (controller->initialize(nullptr) != kResultOk)
        return reportFailure("the controller does not initialise");
    ParameterTexts::ParameterValues values;
    std::string error;
    if (!ParameterTexts(*controller).resolve(options.settings, values, error))
        return reportFailure(error);
    for (const auto& [id, value] : values)
        controller->setParamNormalized(id, value);

    IPtr<IPlugView> view(controller->createView("editor"), false);
    auto* editor = static_cast<againEditorView*>(view.get());
    if (!editor || !editor->open(nullptr))
        return reportFailure("the editor does not open");
    VSTGUI::CFrame& frame = *editor->getFrame();
    frame.setZoom(options.scale);
    if (!frame.getBackground() || !frame.getBackground()->isLoaded())
        return reportFailure("the editor's images are missing in " + images);
    if (options.about)
    {
        VSTGUI::CPoint where = kAboutStrip;
        frame.onMouseDown(where, VSTGUI::kLButton);
    }
    // The frame goes with close(): keep its size by value.
    const int width = int(frame.getZoomedSize().getWidth());
    const int height = int(frame.getZoomedSize().getHeight());
    auto offscreen = VSTGUI::Platform::createOffscreen(width, height, options.scale);
    if (!offscreen)
        return reportFailure("no memory for the picture");
    frame.draw(offscreen->getContext());
    editor->close();
    controller->terminate();

    const std::string partial = options.output + ".partial";
    std::error_code renamed;
    if (!offscreen->writePng(partial) ||
        (std::filesystem::rename(partial, options.output, renamed), renamed))
    {
        std::filesystem::remove(partial, renamed);
        return reportFailure("cannot write " + options.output);
    }
    std::printf("Wrote %s: the panel, %dx%d\n", options.output.c_str(), width, height);
    return 0;
}

} // namespace

const Command kScreenshotCommand = {
    "screenshot",
    "  screenshot OUT.png [--set NAME=VALUE ...] [--about] [--scale F]\n"
    "                            a picture of the plug-in's panel at those values\n"
    "                            (display text or n:value), with the about panel\n"
    "                            open if asked, at F screen pixels per panel pixel\n"
    "                            (1 to 4, default 1)\n",
    nullptr,
    [](const std::vector<std::string>& arguments) {
        return parseAndRun(arguments, parseOptions, screenshot);
    },
};

} // namespace Brumvale
