// Built with ThreadSanitizer: an open editor used and redrawn on the main thread while
// a processor of the same plug-in renders on an audio thread.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editortest.h"

#include "processingthread.h"
#include "processor/again.h"

#include "widgets/cframe.h"

#include <pluginterfaces/vst/vstspeaker.h>

#include <cmath>

using namespace Steinberg;
using namespace VSTGUI;

namespace Brumvale {
namespace {

using EditorRaceTest = EditorTest;

TEST_F(EditorRaceTest, EditorInUseWhileProcessing)
{
    IPtr<again> processor = owned(new again);
    ASSERT_EQ(processor->initialize(nullptr), kResultOk);
    Vst::SpeakerArrangement stereo = Vst::SpeakerArr::kStereo;
    ASSERT_EQ(processor->setBusArrangements(&stereo, 1, &stereo, 1), kResultTrue);
    Vst::ProcessSetup setup{Vst::kRealtime, Vst::kSample32, 512, 44100.0};
    ASSERT_EQ(processor->setupProcessing(setup), kResultOk);
    ASSERT_EQ(processor->setActive(true), kResultOk);

    Host::ProcessingThread audio(processor, 512, [](Host::BlockRunner& runner, int block) {
        for (int32 i = 0; block == 0 && i < 512; ++i)
            runner.input().channel(0)[i] = runner.input().channel(1)[i] = std::sin(0.05f * i);
        runner.changes().addChange(3, 0, (block % 10) / 10.0);
        return 512;
    });

    againEditorView* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    auto offscreen = Platform::createOffscreen(180, 240);
    ASSERT_TRUE(offscreen);
    for (int round = 0; round < 50 || audio.blocks() < 100; ++round)
    {
        drag(editor, CPoint(130, 40), CPoint(130, 40 - round % 30), 3);
        click(editor, CPoint(90, 135)); // Bypass
        controller->setParamNormalized(4, (round % 7) / 6.0);
        editor->getFrame()->idle();
        editor->getFrame()->draw(offscreen->getContext());
    }
    audio.stop();
    processor->setActive(false);
    processor->terminate();
}

} // namespace
} // namespace Brumvale
