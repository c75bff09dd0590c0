// The IDE killed and started again while the library is active. The block
// then holds the dead IDE's window handles; the first mouse move, finding
// neither handle alive, lets the trigger run discovery again, and from then
// on the hooks, still installed, work with the new IDE's windows.
#include <gtest/gtest.h>

#include <memory>

#include "host.h"
#include "pointer.h"
#include "program.h"
#include "stand_in.h"
#include "state/shared_state.h"

namespace {

bool Hidden(HWND main) { return WindowRect(main).bottom == 5; }
bool Shown(HWND main) { return WindowRect(main).top == 0; }

// Pointer into the tool-bar strip (the hook shows the window), or well below
// the window (the hook hides it). Each goes through a point in between so
// that every move is a real one.
bool PointerToStrip() { return MovePointer(500, 300) && MovePointer(512, 2); }
bool PointerFarBelow() { return MovePointer(500, 300) && MovePointer(520, 600); }

TEST(IdeRestart, HooksWorkWithTheNewWindowsAfterRediscovery) {
    auto ide = std::make_unique<StandIn>();
    ASSERT_TRUE(ide->Started());
    ide->Command("backdrop");  // keeps the pointer over a window of a hooked process
    Host host;
    SharedState* state = host.MapData();
    ASSERT_NE(state, nullptr);
    ASSERT_TRUE(host.SetHooks());
    host.SetToolBarHidingMode(true);
    HWND oldMain = FindAppBuilder();
    ASSERT_TRUE(WaitFor([&] { return Hidden(oldMain); }));
    ASSERT_TRUE(PointerToStrip());
    ASSERT_TRUE(WaitFor([&] { return Shown(oldMain); })) << "the mouse hook does not work to begin with";

    // The IDE dies without a word and a new one starts.
    ASSERT_TRUE(TerminateProcess(ide->Process(), 9));
    WaitForSingleObject(ide->Process(), Slowed(10000));
    ide.reset();
    ide = std::make_unique<StandIn>();
    ASSERT_TRUE(ide->Started());
    ide->Command("backdrop");
    HWND newMain = FindAppBuilder();
    ASSERT_NE(newMain, nullptr);
    ASSERT_NE(newMain, oldMain);
    EXPECT_EQ(state->HooksActive, 1);

    // The first move (the pointer's, or the one Windows makes up when a
    // window appears under it) finds both stored handles stale, which the
    // activity guard lets through, rediscovers and hides the new window: no
    // setting has to change for the hooks to find it.
    ASSERT_TRUE(PointerFarBelow());
    ASSERT_TRUE(WaitFor([&] { return Hidden(newMain); })) << "the mouse hook does not find the new window";
    EXPECT_EQ(state->AppBuilderWnd, WndValue(newMain));

    // The hooks, installed before the restart, now drive the new window.
    ASSERT_TRUE(PointerToStrip());
    EXPECT_TRUE(WaitFor([&] { return Shown(newMain); })) << "the mouse hook does not show the new window";
    ASSERT_TRUE(PointerFarBelow());
    EXPECT_TRUE(WaitFor([&] { return Hidden(newMain); })) << "the mouse hook does not hide the new window";
    // And the system-menu command of the new window is carried out.
    PostMessageA(newMain, WM_SYSCOMMAND, PNR_TOGGLE_COMMAND, 0);
    EXPECT_TRUE(WaitFor([&] { return state->ToolBarHiding == 0 && Shown(newMain); }));

    EXPECT_TRUE(host.UnHookHooks(true));
    ide->Stop();
}

}  // namespace
