// The call-window-procedure and get-message hook procedures, installed as
// hooks of this test's own thread in front of a recording hook, so that real
// sent and queued messages reach them and the recorder shows what they pass
// on. The IDE's windows are windows of this thread.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hooks/message_hooks.h"
#include "stand_in.h"
#include "state/shared_state.h"
#include "test_windows.h"

namespace {

constexpr int32_t kWorkRight = 1024;

struct Seen {
    int code;
    WPARAM hookWParam;  // WH_GETMESSAGE: PM_REMOVE or PM_NOREMOVE
    HWND hwnd;
    UINT message;
    WPARAM wParam;
};

std::vector<Seen> g_sent;   // what CallWndProcHookProc passed on
std::vector<Seen> g_taken;  // what GetMessageHookProc passed on

LRESULT CALLBACK RecordSent(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    g_sent.push_back({code, wParam, sent->hwnd, sent->message, sent->wParam});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK RecordTaken(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    g_taken.push_back({code, wParam, msg->hwnd, msg->message, msg->wParam});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int CountSeen(const std::vector<Seen>& seen, HWND hwnd, UINT message) {
    int count = 0;
    for (const Seen& s : seen) count += s.hwnd == hwnd && s.message == message;
    return count;
}

RECT MeasuredWorkArea() {
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

class MessageHooks : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!g_state) OpenSharedState();
    }

    void SetUp() override {
        ASSERT_NE(g_state, nullptr);
        state = g_state;
        inspector = MakeWindow("TPropertyInspector", "", 0, 100, 200, 500);
        main = MakeWindow("TAppBuilder", "", 0, 0, kWorkRight, 100);
        other = MakeWindow("TSomeoneElse", "", 300, 300, 200, 200);
        ASSERT_TRUE(inspector && main && other);
        state->InspectorWnd = WndValue(inspector);
        state->AppBuilderWnd = WndValue(main);
        state->ObjInspHiding = 0;
        state->ToolBarHiding = 0;
        state->HooksActive = 0;  // the toggle works without it
        state->MenuActive = 0;
        state->InspectorFullHeight = 0;

        const DWORD thread = GetCurrentThreadId();
        // Installed first, so called after ours.
        nextSent = SetWindowsHookExA(WH_CALLWNDPROC, RecordSent, nullptr, thread);
        nextTaken = SetWindowsHookExA(WH_GETMESSAGE, RecordTaken, nullptr, thread);
        ourSent = SetWindowsHookExA(WH_CALLWNDPROC, CallWndProcHookProc, nullptr, thread);
        ourTaken = SetWindowsHookExA(WH_GETMESSAGE, GetMessageHookProc, nullptr, thread);
        ASSERT_TRUE(nextSent && nextTaken && ourSent && ourTaken);
        state->CallWndProcHook = HookValue(ourSent);
        state->GetMessageHook = HookValue(ourTaken);
        g_sent.clear();
        g_taken.clear();
    }

    void TearDown() override {
        for (HHOOK hook : {ourSent, ourTaken, nextSent, nextTaken}) {
            if (hook) UnhookWindowsHookEx(hook);
        }
        state->CallWndProcHook = 0;
        state->GetMessageHook = 0;
        for (HWND wnd : {inspector, main, other}) DestroyWindow(wnd);
        state->MenuActive = 0;
    }

    // Posts the system command and takes it from the queue as a message
    // loop does; returns the message as the loop got it.
    MSG PostAndTake(HWND wnd, WPARAM command) {
        PostMessageA(wnd, WM_SYSCOMMAND, command, 0);
        MSG msg = {};
        EXPECT_TRUE(PeekMessageA(&msg, wnd, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE));
        return msg;
    }

    SharedState* state = nullptr;
    HWND inspector = nullptr;
    HWND main = nullptr;
    HWND other = nullptr;
    HHOOK nextSent = nullptr, nextTaken = nullptr, ourSent = nullptr, ourTaken = nullptr;
};

// ---- Display changes ---------------------------------------------------------

TEST_F(MessageHooks, DisplayChangeWhileInactiveOnlyRemeasuresTheWorkArea) {
    state->ObjInspHiding = 1;
    state->ToolBarHiding = 1;
    state->WorkRight = 500;
    state->WorkBottom = 400;
    SendMessageA(main, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    const RECT area = MeasuredWorkArea();
    EXPECT_EQ(state->WorkRight, area.right);
    EXPECT_EQ(state->WorkBottom, area.bottom);
    EXPECT_EQ(RectOf(inspector).left, 0);
    EXPECT_EQ(RectOf(main).top, 0);
    EXPECT_EQ(CountSeen(g_sent, main, WM_DISPLAYCHANGE), 1);
}

TEST_F(MessageHooks, DisplayChangeWhileActiveHidesInspectorThenMainWindow) {
    state->HooksActive = 1;
    state->ObjInspHiding = 1;
    state->ToolBarHiding = 1;
    state->WorkRight = 900;  // stale, and no placement reads it
    Raise(inspector);
    ASSERT_TRUE(IsAbove(inspector, main));
    SendMessageA(main, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    const RECT area = MeasuredWorkArea();
    ASSERT_EQ(state->WorkRight, area.right);
    const RECT inspectorNow = RectOf(inspector), mainNow = RectOf(main);
    EXPECT_EQ(inspectorNow.left, -195);
    EXPECT_EQ(inspectorNow.top, 100);
    EXPECT_EQ(mainNow.top, -95);
    EXPECT_EQ(mainNow.right - mainNow.left, area.right);
    // Each placement raises its window: the main window, placed last, is on top.
    EXPECT_TRUE(IsAbove(main, inspector));
    EXPECT_EQ(CountSeen(g_sent, main, WM_DISPLAYCHANGE), 1);
}

TEST_F(MessageHooks, DisplayChangeWhileActiveMovesOnlyWindowsWhoseModeIsOn) {
    state->HooksActive = 1;
    state->ToolBarHiding = 1;
    SendMessageA(main, WM_DISPLAYCHANGE, 32, 0);
    EXPECT_EQ(RectOf(inspector).left, 0);
    EXPECT_EQ(RectOf(main).top, -95);

    Place(main, 0, 0, kWorkRight, 100);
    state->ToolBarHiding = 0;
    SendMessageA(main, WM_DISPLAYCHANGE, 32, 0);
    EXPECT_EQ(RectOf(inspector).left, 0);
    EXPECT_EQ(RectOf(main).top, 0);
}

TEST_F(MessageHooks, DisplayChangeToAnyOtherWindowChangesNothing) {
    state->HooksActive = 1;
    state->ObjInspHiding = 1;
    state->ToolBarHiding = 1;
    state->WorkRight = 500;
    state->WorkBottom = 400;
    for (HWND wnd : {inspector, other}) SendMessageA(wnd, WM_DISPLAYCHANGE, 32, 0);
    EXPECT_EQ(state->WorkRight, 500);
    EXPECT_EQ(state->WorkBottom, 400);
    EXPECT_EQ(RectOf(inspector).left, 0);
    EXPECT_EQ(RectOf(main).top, 0);
    EXPECT_EQ(CountSeen(g_sent, inspector, WM_DISPLAYCHANGE), 1);
    EXPECT_EQ(CountSeen(g_sent, other, WM_DISPLAYCHANGE), 1);
}

// A task bar moved, resized or set to hide itself: Windows sends every
// top-level window WM_SETTINGCHANGE with SPI_SETWORKAREA. Sent here as the
// system sends it, to windows both displaced as a stale strip would leave them.
TEST_F(MessageHooks, WorkAreaChangeWhileActiveAppliesTheRulesAgain) {
    struct Case {
        const char* what;
        HWND target;
        WPARAM setting;
        bool applied;
    };
    const Case cases[] = {
        {"work area, to the main window", main, SPI_SETWORKAREA, true},
        {"work area, to another window", other, SPI_SETWORKAREA, false},
        {"another setting, to the main window", main, SPI_SETDESKWALLPAPER, false},
    };
    state->HooksActive = 1;
    state->ObjInspHiding = 1;
    state->ToolBarHiding = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Place(main, 0, 0, kWorkRight, 100);
        Place(inspector, 0, 100, 200, 500);
        SendMessageA(c.target, WM_SETTINGCHANGE, c.setting, 0);
        EXPECT_EQ(RectOf(inspector).left, c.applied ? -195 : 0);
        EXPECT_EQ(RectOf(main).top, c.applied ? -95 : 0);
        EXPECT_EQ(CountSeen(g_sent, c.target, WM_SETTINGCHANGE), 1) << "passed on once";
        g_sent.clear();
    }
}

// ---- Menu loops ---------------------------------------------------------------

uint8_t g_menuActiveDuringLoop = 0xFF;

// Notes the flag once the popup's loop runs, then closes the popup.
LRESULT CALLBACK MenuOwnerProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == WM_ENTERIDLE || message == WM_TIMER) && g_state) {
        if (g_menuActiveDuringLoop == 0xFF) g_menuActiveDuringLoop = g_state->MenuActive;
        KillTimer(wnd, 1);
        EndMenu();
        return 0;
    }
    return DefWindowProcA(wnd, message, wParam, lParam);
}

TEST_F(MessageHooks, PopupMenuOfTheUtilityWindowSetsAndClearsMenuActive) {
    HWND util = MakeWindow("TPUtilWindow", "", 0, 0, 0, 0, WS_OVERLAPPEDWINDOW, MenuOwnerProc);
    ASSERT_NE(util, nullptr);
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "&Open");
    AppendMenuA(popup, MF_STRING, 2, "&Close");
    g_menuActiveDuringLoop = 0xFF;
    SetTimer(util, 1, 100, nullptr);  // in case the loop never goes idle
    SetForegroundWindow(util);
    TrackPopupMenu(popup, TPM_LEFTALIGN, 300, 300, 0, util, nullptr);
    DestroyMenu(popup);
    EXPECT_EQ(g_menuActiveDuringLoop, 1);
    EXPECT_EQ(state->MenuActive, 0);
    EXPECT_EQ(CountSeen(g_sent, util, WM_ENTERMENULOOP), 1);
    EXPECT_EQ(CountSeen(g_sent, util, WM_EXITMENULOOP), 1);
    DropWindow(util);
}

TEST_F(MessageHooks, MenuLoopFlagFollowsTheUpperCasedUtilityClassOnly) {
    struct Variant {
        const char* className;
        bool utility;
    };
    for (const Variant v : {Variant{"TPUtilWindow", true}, Variant{"tputilwindow", true},
                            Variant{"TPUTILWINDOW", true}, Variant{"TpUtIlWiNdOw", true},
                            Variant{"TPUtilWindowX", false}, Variant{"TPUtilWindo", false},
                            Variant{"TAppBuilderX", false}}) {
        HWND wnd = MakeWindow(v.className, "", 0, 0, 0, 0);
        ASSERT_EQ(ClassOf(wnd), v.className);
        state->MenuActive = 0;
        SendMessageA(wnd, WM_ENTERMENULOOP, TRUE, 0);
        EXPECT_EQ(state->MenuActive, v.utility ? 1 : 0) << v.className;
        state->MenuActive = 1;
        SendMessageA(wnd, WM_EXITMENULOOP, TRUE, 0);
        EXPECT_EQ(state->MenuActive, v.utility ? 0 : 1) << v.className;
        EXPECT_EQ(CountSeen(g_sent, wnd, WM_ENTERMENULOOP), 1);
        EXPECT_EQ(CountSeen(g_sent, wnd, WM_EXITMENULOOP), 1);
        DropWindow(wnd);
    }
    // The IDE's own windows are not the utility window either.
    for (HWND wnd : {main, inspector}) {
        state->MenuActive = 0;
        SendMessageA(wnd, WM_ENTERMENULOOP, FALSE, 0);
        EXPECT_EQ(state->MenuActive, 0);
        state->MenuActive = 1;
        SendMessageA(wnd, WM_EXITMENULOOP, FALSE, 0);
        EXPECT_EQ(state->MenuActive, 1);
    }
}

TEST_F(MessageHooks, ClassNameThatCannotBeFetchedLeavesMenuActive) {
    CWPSTRUCT sent = {};
    sent.hwnd = reinterpret_cast<HWND>(static_cast<intptr_t>(0x0DEAD004));
    for (const uint8_t flag : {0, 1}) {
        state->MenuActive = flag;
        sent.message = WM_ENTERMENULOOP;
        CallWndProcHookProc(HC_ACTION, 0, reinterpret_cast<LPARAM>(&sent));
        sent.message = WM_EXITMENULOOP;
        CallWndProcHookProc(HC_ACTION, 0, reinterpret_cast<LPARAM>(&sent));
        EXPECT_EQ(state->MenuActive, flag);
    }
}

// ---- The system-menu toggle -------------------------------------------------

TEST_F(MessageHooks, ToggleTwiceOnTheMainWindowHidesThenShows) {
    MSG msg = PostAndTake(main, PNR_TOGGLE_COMMAND);
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(PNR_TOGGLE_COMMAND));  // the message is not altered
    EXPECT_EQ(state->ToolBarHiding, 1);
    EXPECT_EQ(RectOf(main).top, -95);
    msg = PostAndTake(main, PNR_TOGGLE_COMMAND);
    EXPECT_EQ(state->ToolBarHiding, 0);
    EXPECT_EQ(RectOf(main).top, 0);
    EXPECT_EQ(state->ObjInspHiding, 0);
    EXPECT_EQ(RectOf(inspector).left, 0);
    EXPECT_EQ(CountSeen(g_taken, main, WM_SYSCOMMAND), 0);  // consumed both times
}

TEST_F(MessageHooks, ToggleTwiceOnTheInspectorSlidesItOffAndBackInPlace) {
    Place(inspector, 0, 200, 200, 300);
    PostAndTake(inspector, PNR_TOGGLE_COMMAND);
    EXPECT_EQ(state->ObjInspHiding, 1);
    RECT r = RectOf(inspector);
    EXPECT_EQ(r.left, -195);
    EXPECT_EQ(r.top, 200);
    PostAndTake(inspector, PNR_TOGGLE_COMMAND);
    EXPECT_EQ(state->ObjInspHiding, 0);
    // Back on its own side, its top and size kept: not placed below the main window.
    r = RectOf(inspector);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 200);
    EXPECT_EQ(r.bottom, 500);
    EXPECT_EQ(state->ToolBarHiding, 0);
    EXPECT_EQ(CountSeen(g_taken, inspector, WM_SYSCOMMAND), 0);
}

TEST_F(MessageHooks, ToggleActsOnlyWhenTheMessageIsRemoved) {
    PostMessageA(main, WM_SYSCOMMAND, PNR_TOGGLE_COMMAND, 0);
    MSG msg = {};
    ASSERT_TRUE(PeekMessageA(&msg, main, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_NOREMOVE));
    EXPECT_EQ(state->ToolBarHiding, 0);
    EXPECT_EQ(RectOf(main).top, 0);
    ASSERT_EQ(CountSeen(g_taken, main, WM_SYSCOMMAND), 1);  // the peek was passed on
    EXPECT_EQ(g_taken.back().hookWParam, static_cast<WPARAM>(PM_NOREMOVE));

    ASSERT_GT(GetMessageA(&msg, main, WM_SYSCOMMAND, WM_SYSCOMMAND), 0);
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(PNR_TOGGLE_COMMAND));
    EXPECT_EQ(state->ToolBarHiding, 1);  // flipped once, not twice
    EXPECT_EQ(RectOf(main).top, -95);
    EXPECT_EQ(CountSeen(g_taken, main, WM_SYSCOMMAND), 1);
}

TEST_F(MessageHooks, OtherCommandsAndOtherWindowsArePassedOnUntouched) {
    struct Case {
        HWND wnd;
        WPARAM command;
    };
    const Case cases[] = {{other, PNR_TOGGLE_COMMAND}, {main, PNR_TOGGLE_COMMAND - 1},
                          {main, PNR_TOGGLE_COMMAND + 1}, {main, PNR_TOGGLE_COMMAND | 0x10000},
                          {main, SC_MINIMIZE},          {inspector, SC_CLOSE},
                          {inspector, 0},               {inspector, PNR_TOGGLE_COMMAND + 16}};
    for (const Case& c : cases) {
        g_taken.clear();
        const MSG msg = PostAndTake(c.wnd, c.command);
        EXPECT_EQ(msg.wParam, c.command);
        ASSERT_EQ(g_taken.size(), 1u) << c.command;
        EXPECT_EQ(g_taken[0].code, HC_ACTION);
        EXPECT_EQ(g_taken[0].hookWParam, static_cast<WPARAM>(PM_REMOVE));
        EXPECT_EQ(g_taken[0].hwnd, c.wnd);
        EXPECT_EQ(g_taken[0].message, static_cast<UINT>(WM_SYSCOMMAND));
        EXPECT_EQ(g_taken[0].wParam, c.command);
        EXPECT_EQ(state->ToolBarHiding, 0);
        EXPECT_EQ(state->ObjInspHiding, 0);
    }
    EXPECT_EQ(RectOf(main).top, 0);
    EXPECT_EQ(RectOf(inspector).left, 0);
}

TEST_F(MessageHooks, ThreadMessageIsNoCommandEvenWhileNoIdeWindowIsKnown) {
    state->AppBuilderWnd = 0;
    state->InspectorWnd = 0;
    ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_SYSCOMMAND, PNR_TOGGLE_COMMAND, 0));
    MSG msg = {};
    ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), WM_SYSCOMMAND, WM_SYSCOMMAND,
                             PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(PNR_TOGGLE_COMMAND));
    EXPECT_EQ(state->ToolBarHiding, 0);
    EXPECT_EQ(state->ObjInspHiding, 0);
    EXPECT_EQ(CountSeen(g_taken, nullptr, WM_SYSCOMMAND), 1);  // passed on
}

// ---- Hook codes and an unmapped block --------------------------------------

TEST_F(MessageHooks, OtherHookCodesDoNothingOfTheirOwn) {
    CWPSTRUCT sent = {};
    sent.hwnd = main;
    sent.message = WM_DISPLAYCHANGE;
    MSG taken = {};
    taken.hwnd = main;
    taken.message = WM_SYSCOMMAND;
    taken.wParam = PNR_TOGGLE_COMMAND;
    state->WorkRight = 500;
    for (const int code : {1, -1}) {
        CallWndProcHookProc(code, 0, reinterpret_cast<LPARAM>(&sent));
        GetMessageHookProc(code, PM_REMOVE, reinterpret_cast<LPARAM>(&taken));
    }
    EXPECT_EQ(state->WorkRight, 500);
    EXPECT_EQ(state->ToolBarHiding, 0);
}

TEST_F(MessageHooks, InertWhereTheBlockIsNotMapped) {
    HWND util = MakeWindow("TPUtilWindow", "", 0, 0, 0, 0);
    state->HooksActive = 1;
    state->ToolBarHiding = 1;
    state->WorkRight = 500;
    g_state = nullptr;
    SendMessageA(main, WM_DISPLAYCHANGE, 32, 0);
    SendMessageA(util, WM_ENTERMENULOOP, TRUE, 0);
    PostMessageA(main, WM_SYSCOMMAND, PNR_TOGGLE_COMMAND, 0);
    MSG msg = {};
    const BOOL got = PeekMessageA(&msg, main, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE);
    g_state = state;
    EXPECT_TRUE(got);
    EXPECT_EQ(state->WorkRight, 500);
    EXPECT_EQ(state->MenuActive, 0);
    EXPECT_EQ(state->ToolBarHiding, 1);
    EXPECT_EQ(RectOf(main).top, 0);
    // Everything still reached the next hook.
    EXPECT_EQ(CountSeen(g_sent, main, WM_DISPLAYCHANGE), 1);
    EXPECT_EQ(CountSeen(g_sent, util, WM_ENTERMENULOOP), 1);
    EXPECT_EQ(CountSeen(g_taken, main, WM_SYSCOMMAND), 1);
    DropWindow(util);
}

}  // namespace
