// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// The editor's drawing without a window: one full redraw of the panel, and an
// idle tick when nothing changed and when one knob moved.

#include "controller/againcontroller.h"
#include "editor/againeditorview.h"
#include "widgets/cframe.h"
#include "widgets/platform.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace Steinberg;

// A controller and one open editor, drawn into an image of the panel's size.
struct Panel
{
    Panel()
    {
        VSTGUI::Platform::setResourceLocation(nullptr, BRUMVALE_RESOURCE_DIR);
        controller->initialize(nullptr);
        editor = static_cast<Brumvale::againEditorView*>(controller->createView("editor"));
        editor->open(nullptr);
        controller->editorAttached(editor);
        offscreen = VSTGUI::Platform::createOffscreen(180, 240);
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

void fullRedraw(benchmark::State& state)
{
    Panel panel;
    for (auto _ : state)
        panel.frame().draw(panel.offscreen->getContext());
}
BENCHMARK(fullRedraw)->Unit(benchmark::kMicrosecond);

void idleTick(benchmark::State& state)
{
    const bool knobMoves = state.range(0) != 0;
    Panel panel;
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
BENCHMARK(idleTick)->ArgName("knobMoves")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
