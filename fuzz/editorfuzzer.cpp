// Fuzz target: the controller with two open editors, driven by values
// from the host, mouse gestures, wheel turns and typed texts anywhere on the
// panel, with idle ticks and redraws in between.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzzcheck.h"

#include "controller/againcontroller.h"
#include "editor/againeditorview.h"
#include "processor/parameterids.h"
#include "recordingcomponenthandler.h"

#include "widgets/cframe.h"
#include "widgets/platform.h"
#include "widgets/zoomrange.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace Steinberg;
using namespace VSTGUI;

namespace Brumvale::Fuzz {
namespace {

const CButtonState kButtons[] = {kLButton, kLButton | kShift, kLButton | kControl, 0, kRButton};

class EditorSession
{
public:
    explicit EditorSession(FuzzedDataProvider& input) : input(input)
    {
        // A right click's menu may choose a zoom: its preference file goes into a
        // folder of the run's own, not the user's.
        static const bool configured = [] {
            char folder[] = "/tmp/brumvale-fuzz-config-XXXXXX";
            return mkdtemp(folder) && setenv("XDG_CONFIG_HOME", folder, 1) == 0;
        }();
        require(configured, "a configuration folder");
        // Each input starts from no choice, so that runs repeat.
        std::remove(
            (std::string(std::getenv("XDG_CONFIG_HOME")) + "/Brumvale/editor.conf").c_str());
        controller = owned(new againController);
        require(controller->initialize(nullptr) == kResultOk, "initialize");
        handler = owned(new Host::RecordingComponentHandler);
        controller->setComponentHandler(handler);
        for (auto& editor : editors)
        {
            editor = static_cast<againEditorView*>(controller->createView("editor"));
            require(editor && editor->open(nullptr), "an editor opens");
            controller->editorAttached(editor);
        }
    }
    ~EditorSession()
    {
        for (auto* editor : editors)
        {
            controller->editorRemoved(editor);
            editor->close();
            editor->release();
        }
        controller->terminate();
    }

    void step()
    {
        againEditorView* editor = editors[input.ConsumeIntegralInRange(0, 1)];
        CFrame* frame = editor->getFrame();
        switch (input.ConsumeIntegralInRange(0, 8))
        {
        case 0:
        {
            // The host automates: any identifier, any value.
            const Vst::ParamID id = input.ConsumeBool()
                                        ? input.ConsumeIntegralInRange<Vst::ParamID>(0, 4)
                                        : input.ConsumeIntegral<Vst::ParamID>();
            controller->setParamNormalized(id, input.ConsumeFloatingPoint<double>());
            break;
        }
        case 1:
            editor->updateFromParameter(input.ConsumeIntegral<Vst::ParamID>(),
                                        input.ConsumeFloatingPoint<double>());
            break;
        case 2:
        {
            const CButtonState buttons = input.PickValueInArray(kButtons);
            CPoint from = point(), to = point();
            frame->onMouseDown(from, buttons);
            for (int moves = input.ConsumeIntegralInRange(0, 4); moves > 0; --moves)
            {
                CPoint where = point();
                frame->onMouseMoved(where, buttons);
            }
            frame->onMouseUp(to, buttons);
            break;
        }
        case 3:
            frame->onWheel(point(), input.ConsumeFloatingPointInRange(-50.0f, 50.0f),
                           input.PickValueInArray(kButtons));
            break;
        case 4:
        {
            VstKeyCode key;
            if (input.ConsumeBool())
                key.character = input.ConsumeIntegral<int32_t>();
            else
                key.virt = input.ConsumeIntegral<unsigned char>();
            frame->onKeyDown(key);
            break;
        }
        case 5:
            for (int chars = input.ConsumeIntegralInRange(0, 40); chars > 0; --chars)
            {
                VstKeyCode key;
                key.character = input.ConsumeIntegral<unsigned char>();
                frame->onKeyDown(key);
            }
            break;
        case 6:
            frame->idle();
            break;
        case 7:
            // The host's content scale, any float; or the user's zoom.
            if (input.ConsumeBool())
                editor->setContentScaleFactor(input.ConsumeFloatingPoint<float>());
            else
                editor->setUserZoom(input.ConsumeFloatingPoint<double>());
            require(isZoomInRange(frame->getZoom()), "the zoom stays in its range");
            break;
        default:
            redraw(*frame);
            break;
        }
        checkParameters();
    }

private:
    CPoint point()
    {
        // Mostly on the panel, sometimes far outside it.
        const double range = input.ConsumeBool() ? 300.0 : 1e6;
        return CPoint(input.ConsumeFloatingPointInRange(-range, range),
                      input.ConsumeFloatingPointInRange(-range, range));
    }

    void redraw(CFrame& frame)
    {
        // One image per size, as the zoom changes rarely.
        const CRect size = frame.getZoomedSize();
        if (!offscreen || !(offscreenSize == size) || offscreenZoom != frame.getZoom())
        {
            offscreen = Platform::createOffscreen(int(size.getWidth()), int(size.getHeight()),
                                                  frame.getZoom());
            offscreenSize = size;
            offscreenZoom = frame.getZoom();
        }
        if (offscreen)
            frame.draw(offscreen->getContext());
    }

    // Whatever happens, the parameters stay within 0..1 and every edit the host
    // hears of is a value it can take.
    void checkParameters()
    {
        for (Vst::ParamID id = 0; id < kNumParameters; ++id)
        {
            const double value = controller->getParamNormalized(id);
            require(value >= 0.0 && value <= 1.0, "parameters stay within 0..1");
        }
        for (const auto& call : handler->calls())
            if (call.kind == Host::RecordingComponentHandler::Kind::PerformEdit)
                require(call.id < kNumParameters && call.value >= 0.0 && call.value <= 1.0,
                        "edits name a parameter and a value within 0..1");
        handler->clear();
    }

    FuzzedDataProvider& input;
    IPtr<againController> controller;
    IPtr<Host::RecordingComponentHandler> handler;
    againEditorView* editors[2] = {};
    std::unique_ptr<IPlatformOffscreen> offscreen;
    CRect offscreenSize;
    double offscreenZoom = 0.0;
};

} // namespace
} // namespace Brumvale::Fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    VSTGUI::Platform::setResourceLocation(nullptr, BRUMVALE_RESOURCE_DIR);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    return Brumvale::Fuzz::runSession<Brumvale::Fuzz::EditorSession>(data, size);
}
