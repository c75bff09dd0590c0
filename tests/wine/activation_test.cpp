// SetHooks and UnHookHooks called inside the IDE's process, as an IDE add-in
// calls them (under Wine a system menu can only be changed from the process
// that owns the window), with the block watched from this process.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "host.h"
#include "pointer.h"
#include "stand_in.h"

namespace {

constexpr uint32_t kRestore = kEaxGarbage | 1;
constexpr uint32_t kKeep = kEaxGarbage;

struct MenuItem {
    int id;
    std::string text;
};

class Activation : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Loaded());
        state = host.MapData();
        ASSERT_NE(state, nullptr);
        ASSERT_TRUE(ide.Started());
        ASSERT_NE(ide.Command("load"), 0);
        main = FindAppBuilder();
        inspector = FindInspector();
        editor = FindEditor();
        state->ToolBarHiding = 0;
        state->ObjInspHiding = 0;
        state->InspectorFullHeight = 0;
    }
    void TearDown() override {
        if (state->HooksActive) ide.Call(kUnHookHooks, kRestore);
        EXPECT_EQ(state->HooksActive, 0);
    }

    // The stand-in calls the export and says whether EBX/ESI/EDI/EBP survived.
    uint8_t Call(int ordinal, uint32_t eax = kEaxGarbage) {
        const uint32_t result = ide.Call(ordinal, eax);
        EXPECT_EQ(ide.Reply(), "kept");
        return static_cast<uint8_t>(result & 0xFF);
    }

    std::vector<MenuItem> Menu(HWND wnd) {
        std::vector<MenuItem> items;
        const int count = ide.MenuItemCount(wnd);
        std::istringstream reply(ide.Reply());
        std::string line;
        while (static_cast<int>(items.size()) < count && std::getline(reply, line)) {
            std::istringstream fields(line);
            int position, id;
            std::string text;
            fields >> position >> id;
            std::getline(fields >> std::ws, text);
            items.push_back({id, text});
        }
        return items;
    }

    // The separator at `base`, the toggle item right after it, nothing more.
    void ExpectToggleEntries(HWND wnd, int base) {
        const std::vector<MenuItem> items = Menu(wnd);
        ASSERT_EQ(static_cast<int>(items.size()), base + 2);
        EXPECT_EQ(items[base].text, "-");
        EXPECT_EQ(items[base + 1].id, PNR_TOGGLE_COMMAND);
        EXPECT_EQ(items[base + 1].text, "Toggle Panorela activity");
    }

    Host host;
    SharedState* state = nullptr;
    StandIn ide;
    HWND main = nullptr, inspector = nullptr, editor = nullptr;
};

TEST_F(Activation, WithoutMainWindowRefusesAndTouchesNothing) {
    ASSERT_TRUE(ide.Destroy(main));
    const RECT inspectorBefore = WindowRect(inspector);
    const int menuBefore = ide.MenuItemCount(inspector);
    EXPECT_EQ(Call(kSetHooks), 0);
    EXPECT_EQ(state->HooksActive, 0);
    EXPECT_EQ(state->MouseHook, 0u);
    EXPECT_EQ(state->CallWndProcHook, 0u);
    EXPECT_EQ(state->GetMessageHook, 0u);
    EXPECT_EQ(ide.MenuItemCount(inspector), menuBefore);
    EXPECT_EQ(WindowRect(inspector).left, inspectorBefore.left);
    EXPECT_EQ(WindowRect(inspector).top, inspectorBefore.top);
    EXPECT_EQ(ide.Command("zoomed " + Hex(editor)), 0);
}

TEST_F(Activation, HidesBothWindowsInstallsHooksMaximisesEditorAndAddsMenuItems) {
    state->ToolBarHiding = 1;
    state->ObjInspHiding = 1;
    const int mainBase = ide.MenuItemCount(main);
    const int inspectorBase = ide.MenuItemCount(inspector);
    ASSERT_GT(mainBase, 0);

    ASSERT_EQ(Call(kSetHooks), 1);
    EXPECT_EQ(state->HooksActive, 1);
    EXPECT_NE(state->MouseHook, 0u);
    EXPECT_NE(state->CallWndProcHook, 0u);
    EXPECT_NE(state->GetMessageHook, 0u);
    EXPECT_EQ(WindowRect(main).top, -95);
    EXPECT_EQ(WindowRect(main).bottom, 5);
    EXPECT_EQ(WindowRect(inspector).left, -195);
    EXPECT_EQ(WindowRect(inspector).right, 5);
    EXPECT_EQ(ide.Command("zoomed " + Hex(editor)), 1);
    EXPECT_EQ(state->MainMenuBase, mainBase);
    EXPECT_EQ(state->InspMenuBase, inspectorBase);
    ExpectToggleEntries(main, mainBase);
    ExpectToggleEntries(inspector, inspectorBase);

    // Already active: nothing is added twice.
    EXPECT_EQ(Call(kSetHooks), 1);
    ExpectToggleEntries(main, mainBase);
    ExpectToggleEntries(inspector, inspectorBase);

    ASSERT_EQ(Call(kUnHookHooks, kRestore), 1);
    EXPECT_EQ(state->HooksActive, 0);
    EXPECT_EQ(state->MouseHook, 0u);
    EXPECT_EQ(state->CallWndProcHook, 0u);
    EXPECT_EQ(state->GetMessageHook, 0u);
    EXPECT_EQ(static_cast<int>(Menu(main).size()), mainBase);
    EXPECT_EQ(static_cast<int>(Menu(inspector).size()), inspectorBase);
    EXPECT_EQ(ide.Command("zoomed " + Hex(editor)), 0);
    // Restored: the inspector below the 100-pixel main window, the main window at the top.
    const RECT shownInspector = WindowRect(inspector);
    EXPECT_EQ(shownInspector.left, 0);
    EXPECT_EQ(shownInspector.top, 100);
    EXPECT_EQ(shownInspector.bottom, 768);
    EXPECT_EQ(WindowRect(main).top, 0);
    EXPECT_EQ(WindowRect(main).right, 1024);
}

TEST_F(Activation, ModesOffPlaceBothWindowsShown) {
    ASSERT_TRUE(SetWindowPos(inspector, nullptr, 0, 300, 200, 200, SWP_NOZORDER | SWP_NOACTIVATE));
    ASSERT_EQ(Call(kSetHooks), 1);
    const RECT r = WindowRect(inspector);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.bottom, 768);
    EXPECT_EQ(WindowRect(main).top, 0);
}

TEST_F(Activation, RemovalWithoutRestoreLeavesHiddenWindowsHidden) {
    state->ToolBarHiding = 1;
    state->ObjInspHiding = 1;
    ASSERT_EQ(Call(kSetHooks), 1);
    ASSERT_EQ(Call(kUnHookHooks, kKeep), 1);
    EXPECT_EQ(WindowRect(main).bottom, 5);
    EXPECT_EQ(WindowRect(inspector).right, 5);
}

TEST_F(Activation, RemovalWhileInactiveDeletesNoneOfTheWindowsOwnEntries) {
    // A block where no activation has succeeded yet: both bases are 0.
    state->MainMenuBase = 0;
    state->InspMenuBase = 0;
    const std::vector<MenuItem> mainBefore = Menu(main);
    const std::vector<MenuItem> inspectorBefore = Menu(inspector);
    ASSERT_GE(mainBefore.size(), 2u);
    ide.Command("show " + Hex(editor) + " " + std::to_string(SW_MAXIMIZE));
    ASSERT_EQ(ide.Command("zoomed " + Hex(editor)), 1);

    EXPECT_EQ(Call(kUnHookHooks, kKeep), 1);
    EXPECT_EQ(Menu(main).size(), mainBefore.size());
    EXPECT_EQ(Menu(inspector).size(), inspectorBefore.size());
    // The editor was maximised by the user, not by an activation: it stays.
    EXPECT_EQ(ide.Command("zoomed " + Hex(editor)), 1);
}

TEST_F(Activation, InspectorMissingAtActivationGetsNoEntriesNowOrLater) {
    ASSERT_TRUE(ide.Destroy(inspector));
    const int mainBase = ide.MenuItemCount(main);
    ASSERT_EQ(Call(kSetHooks), 1);
    EXPECT_EQ(state->InspMenuBase, -1);
    ExpectToggleEntries(main, mainBase);

    HWND later = ide.Create("TPropertyInspector", "Object Inspector", 0, 100, 200, 500);
    ASSERT_NE(later, nullptr);
    const size_t laterItems = Menu(later).size();
    ASSERT_EQ(Call(kUnHookHooks, kKeep), 1);
    EXPECT_EQ(Menu(later).size(), laterItems);
    EXPECT_EQ(static_cast<int>(Menu(main).size()), mainBase);
}

TEST_F(Activation, EntriesMovedByTheWindowAreNotDeletedBlindly) {
    const int mainBase = ide.MenuItemCount(main);
    ASSERT_EQ(Call(kSetHooks), 1);
    // Something else changes the menu: the recorded base no longer names our separator.
    state->MainMenuBase = mainBase - 2;
    ASSERT_EQ(Call(kUnHookHooks, kKeep), 1);
    ExpectToggleEntries(main, mainBase);
}

TEST_F(Activation, HandlesOfHooksThatNoLongerExistCountAsRemoved) {
    // What a host that died while active leaves behind once the system has
    // removed its hooks: the block still says active, with dead handles.
    // (The real mouse hook ends with the stand-in's thread.)
    ASSERT_EQ(Call(kSetHooks), 1);
    state->MouseHook = 0x7FFE1234;  // names no hook at all
    EXPECT_EQ(Call(kUnHookHooks, kRestore), 1);
    EXPECT_EQ(state->MouseHook, 0u);
    EXPECT_EQ(state->CallWndProcHook, 0u);
    EXPECT_EQ(state->GetMessageHook, 0u);
    EXPECT_EQ(state->HooksActive, 0);
    // And the library can be activated again.
    EXPECT_EQ(Call(kSetHooks), 1);
    EXPECT_NE(state->MouseHook, 0u);
}

}  // namespace
