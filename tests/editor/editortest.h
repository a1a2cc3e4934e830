// Brumvale: octave-fuzz VST 3 effect. GPL-3.0-or-later.
// In-process editor tests: a controller with its editors, panels without a window.
#pragma once

#include "controller/againcontroller.h"
#include "editor/againeditorview.h"
#include "editor/controltags.h"
#include "recordingcomponenthandler.h"

#include "widgets/cframe.h"
#include "widgets/platform.h"

#include <gtest/gtest.h>

#include <string>

namespace Brumvale {

class EditorTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A new view of the controller, opened without a window.
    againEditorView* openEditor();
    static VSTGUI::CControl* control(againEditorView* editor, int32_t tag);
    template <class T> static T* controlAs(againEditorView* editor, int32_t tag)
    {
        return dynamic_cast<T*>(control(editor, tag));
    }
    std::string field(againEditorView* editor, int32_t tag);

    // Mouse and keys as the window delivers them.
    static void click(againEditorView* editor, VSTGUI::CPoint where,
                      VSTGUI::CButtonState buttons = VSTGUI::kLButton);
    static void drag(againEditorView* editor, VSTGUI::CPoint from, VSTGUI::CPoint to, int steps,
                     VSTGUI::CButtonState buttons = VSTGUI::kLButton);
    static void type(againEditorView* editor, const char* text);
    static void press(againEditorView* editor, unsigned char virtualKey);

    using Kind = Host::RecordingComponentHandler::Kind;
    const std::vector<Host::RecordingComponentHandler::Call>& calls() const
    {
        return handler->calls();
    }

    againController* controller = nullptr;
    Host::RecordingComponentHandler* handler = nullptr;
    std::vector<againEditorView*> editors;
};

} // namespace Brumvale
