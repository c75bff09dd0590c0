// The host killed while the library is active. This program plays the IDE:
// it owns the IDE's windows, and the hooks reach it from another process,
// the host (a stand-in started without windows), which loads the library
// and calls SetHooks. Once the host is killed, its hooks must go away with
// it and the IDE's windows must go on working as if the library had never
// been there (on Wine, which keeps a dead thread's hooks, once a new host
// has called UnHookHooks).
#include <gtest/gtest.h>

#include <cstdio>

#include "host.h"
#include "program.h"
#include "stand_in.h"
#include "state/shared_state.h"
#include "window.h"

namespace {

int g_commands = 0;  // WM_SYSCOMMAND 1025 that reached the main window's procedure
volatile LONG g_faults = 0;

LONG CALLBACK CountFault(EXCEPTION_POINTERS* info) {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if (code != EXCEPTION_ACCESS_VIOLATION && code != EXCEPTION_INT_DIVIDE_BY_ZERO &&
        code != EXCEPTION_ILLEGAL_INSTRUCTION && code != EXCEPTION_STACK_OVERFLOW)
        return EXCEPTION_CONTINUE_SEARCH;
    HMODULE dll = GetModuleHandleA("panorela.dll");
    if (!dll) return EXCEPTION_CONTINUE_SEARCH;
    auto* base = reinterpret_cast<uint8_t*>(dll);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    auto* at = static_cast<uint8_t*>(info->ExceptionRecord->ExceptionAddress);
    if (at >= base && at < base + nt->OptionalHeader.SizeOfImage) InterlockedIncrement(&g_faults);
    return EXCEPTION_CONTINUE_SEARCH;
}

LRESULT CALLBACK IdeProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCOMMAND && wParam == PNR_TOGGLE_COMMAND) {
        ++g_commands;
        return 0;
    }
    return DefWindowProcA(wnd, message, wParam, lParam);
}

// Posts the library's toggle command to `wnd` and lets this thread take it
// from its queue, where the get-message hook sees it if it is installed.
void PostToggle(HWND wnd) {
    PostMessageA(wnd, WM_SYSCOMMAND, PNR_TOGGLE_COMMAND, 0);
    PumpFor(200);
}

TEST(HostKilled, HooksGoAwayAndTheIdeWindowsStayUsable) {
    AddVectoredExceptionHandler(1, CountFault);
    if (!g_state) OpenSharedState();  // this program's own view of the block
    ASSERT_NE(g_state, nullptr);
    HWND main = MakeWindow("TAppBuilder", "IDE", 0, 0, 1024, 100, WS_OVERLAPPEDWINDOW, IdeProc);
    HWND inspector = MakeWindow("TPropertyInspector", "Object Inspector", 0, 100, 200, 500,
                                WS_OVERLAPPEDWINDOW, IdeProc);
    ASSERT_TRUE(main && inspector);
    g_state->ToolBarHiding = 0;
    g_state->ObjInspHiding = 0;

    StandIn host("--empty");
    ASSERT_TRUE(host.Started());
    ASSERT_NE(host.Command("load"), 0);
    // SetHooks, in the host's process; our windows are found across processes.
    ASSERT_EQ(host.Call(kSetHooks) & 0xFF, 1u);
    ASSERT_EQ(g_state->HooksActive, 1);
    ASSERT_EQ(g_state->AppBuilderWnd, WndValue(main));

    // Active: the get-message hook, loaded into this process, carries out
    // the command.
    PostToggle(main);
    ASSERT_EQ(g_state->ToolBarHiding, 1) << "the get-message hook did not run in this process";
    PostToggle(main);
    ASSERT_EQ(g_state->ToolBarHiding, 0);
    const int delivered = g_commands;

    // The host dies without calling UnHookHooks.
    ASSERT_TRUE(TerminateProcess(host.Process(), 9));
    ASSERT_EQ(WaitForSingleObject(host.Process(), Slowed(10000)), WAIT_OBJECT_0);
    PumpFor(300);

    // Whether the dead host's hooks still run: each toggle that takes effect
    // says so. On Windows the system removes a thread's hooks when it ends;
    // Wine 8 keeps them, and then a new host's UnHookHooks must remove them.
    auto hooksRun = [&] {
        const uint8_t before = g_state->ToolBarHiding;
        PostToggle(main);
        const bool ran = g_state->ToolBarHiding != before;
        if (ran) PostToggle(main);  // back as it was
        return ran;
    };
    const bool survived = hooksRun();
    printf("after the host died the hooks %s\n", survived ? "still run (the platform kept them)" : "are gone");
    if (survived) {
        Host next;  // a new host, as after a restart of the add-in
        ASSERT_NE(next.MapData(), nullptr);
        EXPECT_TRUE(next.UnHookHooks(true)) << "the new host cannot remove the dead host's hooks";
        EXPECT_EQ(g_state->HooksActive, 0);
        EXPECT_EQ(g_state->MouseHook | g_state->CallWndProcHook | g_state->GetMessageHook, 0u);
    }
    EXPECT_FALSE(hooksRun()) << "a hook of the dead host still runs";
    EXPECT_FALSE(hooksRun()) << "a hook of the dead host still runs";
    EXPECT_GT(g_commands, delivered) << "the command no longer reaches the window";
    // The windows still answer, move and size as the user asks.
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, Slowed(2000), &answer), 0);
    EXPECT_TRUE(IsWindowEnabled(main));
    ASSERT_TRUE(SetWindowPos(main, nullptr, 10, 20, 800, 90, SWP_NOZORDER | SWP_NOACTIVATE));
    RECT r = {};
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right - r.left, 800);
    EXPECT_EQ(g_faults, 0);
    host.Stop();
    DestroyWindow(main);
    DestroyWindow(inspector);
}

}  // namespace
