// The user's zoom: the menus that offer it and the preference file that keeps it.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "editortest.h"

#include "preferences/zoompreference.h"
#include "scriptedstream.h"
#include "widgets/cmenuview.h"

#include "pluginterfaces/vst/ivstcontextmenu.h"

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

using namespace Steinberg;
using namespace VSTGUI;

namespace Brumvale {
namespace {

// A host's context menu: keeps the items and their targets, and where it popped up.
class HostMenu : public Vst::IContextMenu
{
public:
    struct Entry
    {
        Vst::IContextMenuItem item;
        IPtr<Vst::IContextMenuTarget> target;
    };

    HostMenu() { FUNKNOWN_CTOR }
    virtual ~HostMenu(){FUNKNOWN_DTOR}

    int32 PLUGIN_API getItemCount() override
    {
        return int32(entries.size());
    }
    tresult PLUGIN_API getItem(int32, Item&, Vst::IContextMenuTarget**) override
    {
        return kNotImplemented;
    }
    tresult PLUGIN_API addItem(const Item& item, Vst::IContextMenuTarget* target) override
    {
        entries.push_back({item, target});
        return kResultTrue;
    }
    tresult PLUGIN_API removeItem(const Item&, Vst::IContextMenuTarget*) override
    {
        return kNotImplemented;
    }
    tresult PLUGIN_API popup(UCoord x, UCoord y) override
    {
        poppedAt = {x, y};
        return kResultTrue;
    }
    DECLARE_FUNKNOWN_METHODS

    std::vector<Entry> entries;
    std::pair<UCoord, UCoord> poppedAt{-1, -1};
};
IMPLEMENT_FUNKNOWN_METHODS(HostMenu, Vst::IContextMenu, Vst::IContextMenu::iid)

// A component handler that also makes context menus (IComponentHandler3).
class MenuHandler : public Host::RecordingComponentHandler, public Vst::IComponentHandler3
{
public:
    Vst::IContextMenu* PLUGIN_API createContextMenu(IPlugView* view,
                                                    const Vst::ParamID* parameter) override
    {
        askedBy = view;
        askedFor = parameter ? int64(*parameter) : -1;
        menu = owned(new HostMenu);
        menu->addRef(); // the reference the caller receives
        return menu;
    }
    tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override
    {
        if (FUnknownPrivate::iidEqual(iid, Vst::IComponentHandler3::iid))
        {
            addRef();
            *obj = static_cast<Vst::IComponentHandler3*>(this);
            return kResultOk;
        }
        return RecordingComponentHandler::queryInterface(iid, obj);
    }
    uint32 PLUGIN_API addRef() override { return RecordingComponentHandler::addRef(); }
    uint32 PLUGIN_API release() override { return RecordingComponentHandler::release(); }

    IPlugView* askedBy = nullptr;
    int64 askedFor = -2;
    IPtr<HostMenu> menu;
};

class ZoomMenuTest : public EditorTest
{
protected:
    std::string preferencePath() const { return configFolder + "/Brumvale/editor.conf"; }
    std::string preferenceText() const
    {
        std::ifstream file(preferencePath());
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    static int32 width(IPlugView& view)
    {
        ViewRect rect;
        view.getSize(&rect);
        return rect.getWidth();
    }
    static void rightClick(againEditorView* editor, CPoint where)
    {
        click(editor, where, kRButton);
    }
    static CMenuView* shownMenu(againEditorView* editor)
    {
        return dynamic_cast<CMenuView*>(editor->getFrame()->getModalView());
    }
    // Clicks the panel's own menu's item with that title.
    static void choose(againEditorView* editor, const std::string& title)
    {
        CMenuView* menu = shownMenu(editor);
        ASSERT_NE(menu, nullptr);
        const auto& items = menu->getItems();
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].title == title)
            {
                const CRect& size = menu->getViewSize();
                click(editor,
                      CPoint(size.left + 40, size.top + 2 + CMenuView::kItemHeight * i + 7));
                return;
            }
        FAIL() << "no item " << title;
    }
};

TEST_F(ZoomMenuTest, PreferenceTexts)
{
    const struct
    {
        const char* text;
        double zoom;
    } cases[] = {{"zoom=150\n", 1.5},
                 {"zoom=100", 1.0},
                 {"zoom=400\r\n", 4.0},
                 {"zoom=125\n", 1.25},
                 {"zoom=follow\n", 0},
                 {"zoom=99\n", 0},
                 {"zoom=401\n", 0},
                 {"zoom=1.5\n", 0},
                 {"zoom=150x\n", 0},
                 {"zoom=\n", 0},
                 {" zoom=150\n", 0},
                 {"size=150\n", 0},
                 {"", 0},
                 {"zoom=-150\n", 0},
                 {"zoom=99999999999999\n", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(parseZoomPreference(c.text), c.zoom) << c.text;
    for (double zoom : {0.0, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0})
        EXPECT_EQ(parseZoomPreference(zoomPreferenceText(zoom)), zoom);
    EXPECT_EQ(zoomPreferenceText(0.0), "zoom=follow\n");
    EXPECT_EQ(zoomPreferenceText(2.0), "zoom=200\n");
}

// Whatever lies where the file should be, an editor opens following the screen,
// at once (a FIFO is not waited on), and writing fails without harm.
TEST_F(ZoomMenuTest, UnusableFilesMeanFollowingTheScreen)
{
    const std::string folder = configFolder + "/Brumvale";
    std::filesystem::create_directories(folder);
    const struct
    {
        const char* what;
        void (*make)(const std::string& path);
    } cases[] = {
        {"missing", [](const std::string&) {}},
        {"a folder", [](const std::string& path) { std::filesystem::create_directory(path); }},
        {"a FIFO", [](const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0644), 0); }},
        {"too large",
         [](const std::string& path) {
             std::ofstream(path) << "zoom=200" << std::string(5000, '\n');
         }},
        {"garbage", [](const std::string& path) { std::ofstream(path) << "\x01\xff zoom"; }}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(preferencePath());
        c.make(preferencePath());
        EXPECT_EQ(readZoomPreference(), 0.0);
        againEditorView* editor = openEditor();
        EXPECT_EQ(width(*editor), 180);
    }
    // A configuration "folder" that is a file: no preference can be written, the
    // choice holds for the editor that was told.
    std::filesystem::remove_all(folder);
    std::ofstream(folder) << "not a folder";
    EXPECT_FALSE(writeZoomPreference(1.5));
    againEditorView* editor = openEditor();
    rightClick(editor, CPoint(90, 100));
    choose(editor, "150 %");
    EXPECT_EQ(width(*editor), 270);
}

TEST_F(ZoomMenuTest, OwnMenuSetsTheZoomForThisAndTheNextEditor)
{
    againEditorView* editor = openEditor();
    // A right click on the Boost knob is no gesture: it only opens the menu.
    rightClick(editor, CPoint(130, 40));
    EXPECT_TRUE(calls().empty());
    CMenuView* menu = shownMenu(editor);
    ASSERT_NE(menu, nullptr);
    std::vector<std::string> titles;
    for (const auto& item : menu->getItems())
        titles.push_back(item.title + (item.checked ? " *" : ""));
    EXPECT_EQ(titles, (std::vector<std::string>{"100 %", "125 %", "150 %", "200 %",
                                                "Follow the screen *"}));
    // The menu lies inside the panel, near the click.
    EXPECT_LE(menu->getViewSize().right, 180);
    EXPECT_EQ(menu->getViewSize().top, 40);
    // A click beside the menu closes it and changes nothing.
    click(editor, CPoint(5, 230));
    EXPECT_EQ(shownMenu(editor), nullptr);
    EXPECT_EQ(width(*editor), 180);
    EXPECT_FALSE(std::filesystem::exists(preferencePath()));

    rightClick(editor, CPoint(10, 200));
    choose(editor, "150 %");
    EXPECT_EQ(shownMenu(editor), nullptr);
    EXPECT_EQ(width(*editor), 270);
    EXPECT_EQ(editor->getFrame()->getZoom(), 1.5);
    EXPECT_EQ(preferenceText(), "zoom=150\n");
    // The choice is the user's, not the project's: the controller's state is as before.
    IPtr<Host::ScriptedStream> state = owned(new Host::ScriptedStream);
    ASSERT_EQ(controller->getState(state), kResultOk);
    EXPECT_EQ(state->bytes().size(), 257u);

    // The next editor starts at the choice, before the host has asked anything.
    IPtr<IPlugView> next = owned(controller->createView("editor"));
    EXPECT_EQ(width(*next), 270);
    againEditorView* reopened = openEditor();
    rightClick(reopened, CPoint(90, 100));
    ASSERT_NE(shownMenu(reopened), nullptr);
    EXPECT_TRUE(shownMenu(reopened)->getItems()[2].checked);
    choose(reopened, "Follow the screen");
    EXPECT_EQ(width(*reopened), 180);
    EXPECT_EQ(preferenceText(), "zoom=follow\n");
}

TEST_F(ZoomMenuTest, UserZoomWinsOverTheHostScaleAndARefusedSizeChangesNothing)
{
    RecordingPlugFrame host;
    againEditorView* editor = openEditor();
    ASSERT_EQ(editor->setFrame(&host), kResultTrue);
    rightClick(editor, CPoint(90, 100));
    choose(editor, "125 %");
    EXPECT_EQ(width(*editor), 225);
    EXPECT_EQ(editor->setContentScaleFactor(2.0f), kResultTrue);
    EXPECT_EQ(width(*editor), 225);
    rightClick(editor, CPoint(90, 100));
    choose(editor, "Follow the screen");
    EXPECT_EQ(width(*editor), 360) << "the host's scale, once the user follows it";

    host.refuse = true;
    const size_t asked = host.requests.size();
    rightClick(editor, CPoint(90, 100));
    choose(editor, "100 %");
    EXPECT_EQ(host.requests.size(), asked + 1);
    EXPECT_EQ(width(*editor), 360);
    EXPECT_EQ(editor->getFrame()->getZoom(), 2.0);
    EXPECT_EQ(preferenceText(), "zoom=follow\n") << "a choice not shown is not kept";
    editor->setFrame(nullptr);
}

TEST_F(ZoomMenuTest, HostMenuGetsTheChoicesWithATargetOfTheirOwn)
{
    IPtr<MenuHandler> hostMenus = owned(new MenuHandler);
    controller->setComponentHandler(hostMenus);
    againEditorView* editor = openEditor(2.0f);

    const struct
    {
        CPoint where;
        int64 parameter;
    } spots[] = {{CPoint(130, 40), 3}, {CPoint(50, 40), 4},   {CPoint(90, 135), 0},
                 {CPoint(50, 210), 1}, {CPoint(130, 210), 2}, {CPoint(90, 90), -1}};
    for (const auto& spot : spots)
    {
        rightClick(editor, spot.where);
        EXPECT_EQ(hostMenus->askedBy, static_cast<IPlugView*>(editor));
        EXPECT_EQ(hostMenus->askedFor, spot.parameter) << spot.where.x << "," << spot.where.y;
        EXPECT_EQ(shownMenu(editor), nullptr) << "the host shows the menu";
    }
    IPtr<HostMenu> menu = hostMenus->menu;
    EXPECT_EQ(menu->poppedAt, (std::pair<UCoord, UCoord>{180, 180}));
    ASSERT_EQ(menu->entries.size(), 6u);
    EXPECT_TRUE(menu->entries[0].item.flags & Vst::IContextMenuItem::kIsSeparator);
    const int32 tags[] = {100, 125, 150, 200, 1};
    for (size_t i = 1; i < menu->entries.size(); ++i)
    {
        EXPECT_EQ(menu->entries[i].item.tag, tags[i - 1]);
        EXPECT_EQ(bool(menu->entries[i].item.flags & Vst::IContextMenuItem::kIsChecked), i == 5);
        ASSERT_TRUE(menu->entries[i].target);
        EXPECT_NE(menu->entries[i].target.get(), static_cast<Vst::IContextMenuTarget*>(editor));
    }
    EXPECT_EQ(menu->entries[3].target->executeMenuItem(150), kResultTrue);
    EXPECT_EQ(width(*editor), 270);
    EXPECT_EQ(preferenceText(), "zoom=150\n");
    EXPECT_EQ(menu->entries[3].target->executeMenuItem(7), kResultFalse);
    EXPECT_EQ(editor->executeMenuItem(150), kResultFalse) << "the editor's own answer stays";

    // A host may keep the menu after the editor has gone.
    controller->editorRemoved(editor);
    editor->close();
    editor->release();
    editors.clear();
    EXPECT_EQ(menu->entries[4].target->executeMenuItem(200), kResultFalse);
}

} // namespace
} // namespace Brumvale
