// In-process editor tests: a controller with its editors, panels without a window.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editortest.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

using namespace Steinberg;
using namespace VSTGUI;

namespace Brumvale {

void EditorTest::SetUp()
{
    static int tests = 0;
    configFolder = testing::TempDir() + "brumvale-config-" + std::to_string(getpid()) + "-" +
                   std::to_string(++tests);
    std::filesystem::remove_all(configFolder);
    std::filesystem::create_directories(configFolder);
    setenv("XDG_CONFIG_HOME", configFolder.c_str(), 1);
    Platform::setResourceLocation(nullptr, BRUMVALE_RESOURCE_DIR);
    controller = new againController;
    ASSERT_EQ(controller->initialize(nullptr), kResultOk);
    handler = new Host::RecordingComponentHandler;
    controller->setComponentHandler(handler);
}

void EditorTest::TearDown()
{
    for (againEditorView* editor : editors)
    {
        controller->editorRemoved(editor);
        editor->close();
        editor->release();
    }
    controller->terminate();
    controller->release();
    handler->release();
    std::error_code ignored;
    std::filesystem::remove_all(configFolder, ignored);
}

againEditorView* EditorTest::openEditor(float contentScale)
{
    auto* editor = static_cast<againEditorView*>(controller->createView("editor"));
    EXPECT_NE(editor, nullptr);
    if (!editor)
        return nullptr;
    if (contentScale != 0.0f)
    {
        EXPECT_EQ(editor->setContentScaleFactor(contentScale), kResultTrue);
    }
    EXPECT_TRUE(editor->open(nullptr));
    controller->editorAttached(editor);
    editors.push_back(editor);
    return editor;
}

CControl* EditorTest::control(againEditorView* editor, int32_t tag)
{
    CFrame* frame = editor->getFrame();
    for (int32_t i = 0; frame && i < frame->getNbViews(); ++i)
        if (auto* found = dynamic_cast<CControl*>(frame->getView(i));
            found && found->getTag() == tag)
            return found;
    return nullptr;
}

std::string EditorTest::field(againEditorView* editor, int32_t tag)
{
    auto* edit = controlAs<CTextEdit>(editor, tag);
    return edit ? edit->getText() : "<none>";
}

void EditorTest::click(againEditorView* editor, CPoint where, CButtonState buttons)
{
    editor->getFrame()->onMouseDown(where, buttons);
    editor->getFrame()->onMouseUp(where, buttons);
}

void EditorTest::drag(againEditorView* editor, CPoint from, CPoint to, int steps,
                      CButtonState buttons)
{
    CFrame* frame = editor->getFrame();
    frame->onMouseDown(from, buttons);
    for (int step = 1; step <= steps; ++step)
    {
        CPoint where(from.x + (to.x - from.x) * step / steps,
                     from.y + (to.y - from.y) * step / steps);
        frame->onMouseMoved(where, buttons);
    }
    frame->onMouseUp(to, buttons);
}

void EditorTest::type(againEditorView* editor, const char* text)
{
    for (; *text; ++text)
    {
        VstKeyCode key;
        key.character = static_cast<unsigned char>(*text);
        editor->getFrame()->onKeyDown(key);
    }
}

void EditorTest::press(againEditorView* editor, unsigned char virtualKey)
{
    VstKeyCode key;
    key.virt = virtualKey;
    editor->getFrame()->onKeyDown(key);
}

} // namespace Brumvale
