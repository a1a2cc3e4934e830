// The editor's drawing without a window: one full redraw of the panel, and an
// idle tick when nothing changed and when one knob moved, at 1x and at 2x.
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controller/againcontroller.h"
#include "editor/againeditorview.h"
#include "widgets/cframe.h"
#include "widgets/platform.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace Steinberg;

// A controller and one open editor at a zoom, drawn into an image of the
// zoomed panel's size.
struct Panel
{
    explicit Panel(double zoom)
    {
        VSTGUI::Platform::setResourceLocation(nullptr, BRUMVALE_RESOURCE_DIR);
        controller->initialize(nullptr);
        editor = static_cast<Brumvale::againEditorView*>(controller->createView("editor"));
        editor->open(nullptr);
        controller->editorAttached(editor);
        frame().setZoom(zoom);
        const VSTGUI::CRect size = frame().getZoomedSize();
        offscreen =
            VSTGUI::Platform::createOffscreen(int(size.getWidth()), int(size.getHeight()), zoom);
    }
    ~Panel()
    {
        controller->editorRemoved(editor);
        editor->close();
        editor->release();
        controller->terminate();
    }
    VSTGUI::CFrame& frame() { return *editor->getFrame(); }

    IPtr<Brumvale::againController> controller{new Brumvale::againController, false};
    Brumvale::againEditorView* editor = nullptr;
    std::unique_ptr<VSTGUI::IPlatformOffscreen> offscreen;
};

double zoomOf(const benchmark::State& state, int argument) { return state.range(argument) / 100.0; }

void fullRedraw(benchmark::State& state)
{
    Panel panel(zoomOf(state, 0));
    for (auto _ : state)
        panel.frame().draw(panel.offscreen->getContext());
}
BENCHMARK(fullRedraw)->ArgName("zoomPercent")->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

void idleTick(benchmark::State& state)
{
    const bool knobMoves = state.range(0) != 0;
    Panel panel(zoomOf(state, 1));
    double value = 0.0;
    for (auto _ : state)
    {
        if (knobMoves)
        {
            value = value < 0.99 ? value + 0.01 : 0.0;
            panel.controller->setParamNormalized(3, value);
        }
        const VSTGUI::CRect changed = panel.frame().idle();
        if (!changed.isEmpty())
            panel.frame().drawRect(panel.offscreen->getContext(), changed);
    }
}
BENCHMARK(idleTick)
    ->ArgNames({"knobMoves", "zoomPercent"})
    ->ArgsProduct({{0, 1}, {100, 200}})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
