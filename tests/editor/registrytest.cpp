// The controller's views: creation by name and the list of attached editors that
// every value reaches.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editortest.h"

#include "public.sdk/source/common/memorystream.h"

#include <cstring>

using namespace Steinberg;
using namespace VSTGUI;

namespace Brumvale {
namespace {

using RegistryTest = EditorTest;

TEST_F(RegistryTest, CreatesAViewForTheNameEditorOnly)
{
    IPlugView* first = controller->createView("editor");
    IPlugView* second = controller->createView("editor");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    first->release();
    second->release();
    for (const char* name : {"Editor", "", "editor ", static_cast<const char*>(nullptr)})
        EXPECT_EQ(controller->createView(name), nullptr) << (name ? name : "null");
}

TEST_F(RegistryTest, ValuesReachTheAttachedEditorsOnly)
{
    againEditorView* first = openEditor();
    againEditorView* second = openEditor();
    EXPECT_EQ(controller->setParamNormalized(3, 0.25), kResultOk);
    EXPECT_EQ(field(first, kBoostTextTag), "9.0 dB");
    EXPECT_EQ(field(second, kBoostTextTag), "9.0 dB");
    EXPECT_EQ(controller->setParamNormalized(9, 0.5), kResultFalse);

    // Attached twice, removed once: still on the list.
    controller->editorAttached(first);
    controller->editorRemoved(first);
    controller->editorRemoved(second);
    controller->setParamNormalized(3, 0.5);
    EXPECT_EQ(field(first, kBoostTextTag), "18.0 dB");
    EXPECT_EQ(field(second, kBoostTextTag), "9.0 dB");

    // Released without being removed: off the list as well.
    controller->editorRemoved(first);
    auto* orphan = static_cast<againEditorView*>(controller->createView("editor"));
    ASSERT_TRUE(orphan->open(nullptr));
    controller->editorAttached(orphan);
    orphan->release();
    EXPECT_EQ(controller->setParamNormalized(3, 0.75), kResultOk);
    EXPECT_EQ(field(first, kBoostTextTag), "18.0 dB");
}

TEST_F(RegistryTest, EditorsSeeComponentStateValuesAsReceived)
{
    againEditorView* editor = openEditor();
    const float values[5] = {0, 0, 0, 1.5f, 1.0f};
    char bytes[20];
    for (int i = 0; i < 5; ++i)
    {
        const int32 integer = i < 3 ? int32(values[i]) : 0;
        std::memcpy(bytes + 4 * i, i < 3 ? static_cast<const void*>(&integer) : &values[i], 4);
    }
    MemoryStream stream(bytes, sizeof bytes);
    ASSERT_EQ(controller->setComponentState(&stream), kResultOk);
    EXPECT_EQ(controller->getParamNormalized(3), 1.0);
    EXPECT_EQ(field(editor, kBoostTextTag), "54.0 dB");
}

TEST_F(RegistryTest, TerminateEmptiesTheList)
{
    againEditorView* editor = openEditor();
    controller->terminate();
    controller->setParamNormalized(3, 0.5);
    EXPECT_EQ(field(editor, kBoostTextTag), "0.0 dB");
}

} // namespace
} // namespace Brumvale
