// The library at work across processes: this program is the host (it loads
// panorela.dll and calls SetHooks), the stand-in IDE runs in another
// process, and real pointer input on the X display drives the hooks that
// the system has loaded into the IDE's process. It runs in a Wine session
// of its own, so that no hook left behind by an earlier program acts on
// these windows.
#include <gtest/gtest.h>

#include "host.h"
#include "pointer.h"
#include "stand_in.h"

namespace {

constexpr int kWorkRight = 1024;

class Live : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // A right click in an earlier program can leave the right button's
        // "pressed since the last query" bit set for the whole desktop.
        GetAsyncKeyState(VK_RBUTTON);
        GetAsyncKeyState(VK_LBUTTON);
    }

    void SetUp() override {
        ASSERT_TRUE(host.Loaded());
        state = host.MapData();
        ASSERT_NE(state, nullptr);
        ASSERT_TRUE(ide.Started());
        ASSERT_NE(ide.Command("backdrop"), 0);
        main = FindAppBuilder();
        inspector = FindInspector();
        ASSERT_TRUE(MovePointer(500, 300));
        state->ToolBarHiding = 1;
        state->ObjInspHiding = 1;
        state->InspectorFullHeight = 0;
        state->HideInspectorWhenActive = 1;
        ASSERT_TRUE(host.SetHooks());
        ASSERT_EQ(state->HooksActive, 1);
    }

    void TearDown() override {
        if (state->HooksActive) EXPECT_TRUE(host.UnHookHooks(true));
    }

    bool MainShown() { return WaitFor([&] { return WindowRect(main).top == 0; }); }
    bool MainHidden() { return WaitFor([&] { return WindowRect(main).bottom == 5; }); }
    bool InspectorShown() { return WaitFor([&] { return WindowRect(inspector).left == 0; }); }
    bool InspectorHidden() { return WaitFor([&] { return WindowRect(inspector).right == 5; }); }

    Host host;
    SharedState* state = nullptr;
    StandIn ide;
    HWND main = nullptr, inspector = nullptr;
};

TEST_F(Live, ActivationHidesBothAndTheHooksRunInTheIdesProcess) {
    EXPECT_EQ(WindowRect(main).top, -95);
    EXPECT_EQ(WindowRect(inspector).left, -195);
    EXPECT_NE(state->MouseHook, 0u);
    EXPECT_NE(state->CallWndProcHook, 0u);
    EXPECT_NE(state->GetMessageHook, 0u);
    // The IDE never loaded the library itself: the system did, for the hooks.
    EXPECT_TRUE(WaitFor([&] { return ide.Command("loaded") == 1; }));
}

TEST_F(Live, TopStripShowsTheMainWindowAndMovingAwayHidesIt) {
    ASSERT_TRUE(MovePointer(500, 2));
    EXPECT_TRUE(MainShown());
    EXPECT_EQ(WindowRect(main).left, 0);
    EXPECT_EQ(WindowRect(main).right, kWorkRight);
    // Over the window and within a quarter of its height below it: it stays.
    ASSERT_TRUE(MovePointer(500, 120));
    PumpFor(300);
    EXPECT_EQ(WindowRect(main).top, 0);
    ASSERT_TRUE(MovePointer(500, 400));
    EXPECT_TRUE(MainHidden());
    EXPECT_EQ(WindowRect(main).top, -95);
}

TEST_F(Live, LeftStripShowsTheInspectorAndMovingAwayHidesIt) {
    ASSERT_TRUE(MovePointer(2, 400));
    EXPECT_TRUE(InspectorShown());
    EXPECT_EQ(WindowRect(inspector).top, 100);
    ASSERT_TRUE(MovePointer(600, 400));
    EXPECT_TRUE(InspectorHidden());
    EXPECT_EQ(WindowRect(inspector).left, -195);
}

TEST_F(Live, TopCornersShowNothing) {
    ASSERT_TRUE(MovePointer(3, 3));
    ASSERT_TRUE(MovePointer(2, 2));
    ASSERT_TRUE(MovePointer(kWorkRight - 3, 3));
    PumpFor(500);
    EXPECT_EQ(WindowRect(main).bottom, 5);
    EXPECT_EQ(WindowRect(inspector).right, 5);
}

TEST_F(Live, ChordOnTheCaptionFlipsTheModeWithoutMovingTheWindow) {
    ASSERT_TRUE(MovePointer(500, 2));
    ASSERT_TRUE(MainShown());
    ASSERT_TRUE(MovePointer(500, 10));  // on the caption
    ASSERT_TRUE(ChordAtPointer());
    EXPECT_TRUE(WaitFor([&] { return state->ToolBarHiding == 0; }));
    EXPECT_EQ(WindowRect(main).top, 0);
    EXPECT_EQ(state->LeftDownWnd, 0u);
    EXPECT_EQ(state->RightDownWnd, 0u);
    // With the mode off, moving away leaves the window where it is.
    ASSERT_TRUE(MovePointer(500, 400));
    PumpFor(300);
    EXPECT_EQ(WindowRect(main).top, 0);

    ASSERT_TRUE(MovePointer(500, 10));
    ASSERT_TRUE(ChordAtPointer());
    EXPECT_TRUE(WaitFor([&] { return state->ToolBarHiding == 1; }));
    EXPECT_EQ(WindowRect(main).top, 0);  // the chord itself moves nothing
    ASSERT_TRUE(MovePointer(500, 400));
    EXPECT_TRUE(MainHidden());
}

TEST_F(Live, SystemMenuCommandFlipsTheModeAndMovesTheWindow) {
    ASSERT_TRUE(PostMessageA(main, WM_SYSCOMMAND, PNR_TOGGLE_COMMAND, 0));
    EXPECT_TRUE(WaitFor([&] { return state->ToolBarHiding == 0; }));
    EXPECT_TRUE(MainShown());
    ASSERT_TRUE(PostMessageA(main, WM_SYSCOMMAND, PNR_TOGGLE_COMMAND, 0));
    EXPECT_TRUE(WaitFor([&] { return state->ToolBarHiding == 1; }));
    EXPECT_TRUE(MainHidden());
}

TEST_F(Live, DisplayChangeHidesBothAgain) {
    SetWindowPos(main, nullptr, 0, 0, 1024, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(inspector, nullptr, 0, 100, 200, 500, SWP_NOZORDER | SWP_NOACTIVATE);
    state->WorkRight = 1;  // stale: the display change measures it anew
    SendMessageA(main, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    EXPECT_EQ(state->WorkRight, kWorkRight);
    EXPECT_TRUE(MainHidden());
    EXPECT_TRUE(InspectorHidden());
}

TEST_F(Live, RemovalRestoresOrLeavesTheWindowsAndStopsTheHooks) {
    ASSERT_TRUE(host.UnHookHooks(false));
    EXPECT_EQ(state->HooksActive, 0);
    EXPECT_EQ(state->MouseHook, 0u);
    EXPECT_EQ(state->CallWndProcHook, 0u);
    EXPECT_EQ(state->GetMessageHook, 0u);
    EXPECT_EQ(WindowRect(main).bottom, 5);
    // No hook is left to bring the window back.
    ASSERT_TRUE(MovePointer(500, 2));
    PumpFor(500);
    EXPECT_EQ(WindowRect(main).bottom, 5);

    ASSERT_TRUE(host.SetHooks());
    ASSERT_TRUE(host.UnHookHooks(true));
    EXPECT_EQ(WindowRect(main).top, 0);
    EXPECT_EQ(WindowRect(inspector).left, 0);
    EXPECT_EQ(WindowRect(inspector).top, 100);
    EXPECT_TRUE(host.RegistersKept());
}

}  // namespace
