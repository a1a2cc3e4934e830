// In-process editor tests: a controller with its editors, panels without a window.
// SPDX-License-Identifier: GPL-3.0-or-later
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

// A host's frame for a view without a window: records resizeView and answers it
// with onSize, as hosts do, unless it refuses.
class RecordingPlugFrame : public Host::OwnedObject<Steinberg::IPlugFrame>
{
public:
    Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view,
                                             Steinberg::ViewRect* newSize) override
    {
        requests.push_back(*newSize);
        if (refuse)
            return Steinberg::kResultFalse;
        return view->onSize(newSize);
    }

    std::vector<Steinberg::ViewRect> requests;
    bool refuse = false;
};

class EditorTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A new view of the controller, opened without a window; at the host's content
    // scale when one is given.
    againEditorView* openEditor(float contentScale = 0.0f);
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

    // Every test has a configuration folder of its own ($XDG_CONFIG_HOME), so no
    // test sees the user's preferences or another test's.
    std::string configFolder;
    againController* controller = nullptr;
    Host::RecordingComponentHandler* handler = nullptr;
    std::vector<againEditorView*> editors;
};

} // namespace Brumvale
