// The block's name held by an object of another type (an event), so the
// library cannot map its block: it must load, stay inert and crash nothing.
// The exports do nothing, and each hook procedure hands every message on:
// a witness hook installed below it in this thread's chain must see every
// message, and the IDE's windows must not move.
#include <gtest/gtest.h>

#include "host.h"
#include "hooks/message_hooks.h"
#include "hooks/mouse_hook.h"
#include "pointer.h"
#include "stand_in.h"
#include "state/shared_state.h"
#include "window.h"

namespace {

volatile LONG g_faults = 0;
uintptr_t g_selfStart = 0, g_selfEnd = 0, g_dllStart = 0, g_dllEnd = 0;

void ImageOf(HMODULE module, uintptr_t* start, uintptr_t* end) {
    auto* base = reinterpret_cast<uint8_t*>(module);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    *start = reinterpret_cast<uintptr_t>(base);
    *end = *start + nt->OptionalHeader.SizeOfImage;
}

LONG CALLBACK CountFault(EXCEPTION_POINTERS* info) {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    const uintptr_t at = reinterpret_cast<uintptr_t>(info->ExceptionRecord->ExceptionAddress);
    if ((code == EXCEPTION_ACCESS_VIOLATION || code == EXCEPTION_INT_DIVIDE_BY_ZERO) &&
        ((at >= g_selfStart && at < g_selfEnd) || (at >= g_dllStart && at < g_dllEnd))) {
        InterlockedIncrement(&g_faults);
        fprintf(stderr, "FAULT %#lx at %p\n", static_cast<unsigned long>(code), reinterpret_cast<void*>(at));
        fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// Calls that reached the witness hooks, by hook type, and the toggle
// commands that reached the window itself.
int g_witnessed[3];
int g_commands;

LRESULT CALLBACK WitnessMouse(int code, WPARAM w, LPARAM l) {
    ++g_witnessed[0];
    return CallNextHookEx(nullptr, code, w, l);
}
LRESULT CALLBACK WitnessCallWnd(int code, WPARAM w, LPARAM l) {
    ++g_witnessed[1];
    return CallNextHookEx(nullptr, code, w, l);
}
LRESULT CALLBACK WitnessGetMsg(int code, WPARAM w, LPARAM l) {
    ++g_witnessed[2];
    return CallNextHookEx(nullptr, code, w, l);
}

// The library's procedures, called by the system above the witnesses.
int g_library[3];
LRESULT CALLBACK LibraryMouse(int code, WPARAM w, LPARAM l) {
    ++g_library[0];
    return MouseHookProc(code, w, l);
}
LRESULT CALLBACK LibraryCallWnd(int code, WPARAM w, LPARAM l) {
    ++g_library[1];
    return CallWndProcHookProc(code, w, l);
}
LRESULT CALLBACK LibraryGetMsg(int code, WPARAM w, LPARAM l) {
    ++g_library[2];
    return GetMessageHookProc(code, w, l);
}

LRESULT CALLBACK IdeProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCOMMAND && wParam == PNR_TOGGLE_COMMAND) {
        ++g_commands;
        return 0;
    }
    return DefWindowProcA(wnd, message, wParam, lParam);
}

RECT RectOf(HWND wnd) {
    RECT r = {};
    GetWindowRect(wnd, &r);
    return r;
}

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(NameTaken, LibraryLoadsInertAndItsHooksPassEverythingOn) {
    ImageOf(GetModuleHandleA(nullptr), &g_selfStart, &g_selfEnd);
    AddVectoredExceptionHandler(1, CountFault);
    HANDLE squatter = CreateEventA(nullptr, TRUE, FALSE, PNR_MAP_NAME);
    ASSERT_NE(squatter, nullptr);
    ASSERT_EQ(GetLastError(), 0u) << "the block already existed: this test needs a fresh session";

    // The IDE's windows, visible, with the pointer over the main window.
    HWND main = MakeWindow("TAppBuilder", "IDE", 0, 0, 1024, 300, WS_POPUP | WS_VISIBLE, IdeProc);
    HWND inspector = MakeWindow("TPropertyInspector", "Object Inspector", 0, 300, 200, 400,
                                WS_OVERLAPPEDWINDOW, IdeProc);
    HWND util = MakeWindow("TPUtilWindow", "", 0, 0, 1, 1, WS_POPUP, IdeProc);
    ASSERT_TRUE(main && inspector && util);
    PumpFor(200);
    const RECT mainAt = RectOf(main), inspectorAt = RectOf(inspector);

    // The loaded library: every export runs and does nothing.
    Host host;
    ASSERT_TRUE(host.Loaded());
    ImageOf(host.Module(), &g_dllStart, &g_dllEnd);
    EXPECT_EQ(host.MapData(), nullptr);
    host.FillWnd();
    host.SetToolBarHidingMode(true);
    host.SetObjInspHidingMode(true);
    EXPECT_FALSE(host.SetHooks());
    host.UnHookHooks(true);
    EXPECT_TRUE(host.RegistersKept());
    PumpFor(100);
    EXPECT_TRUE(Same(RectOf(main), mainAt));
    EXPECT_TRUE(Same(RectOf(inspector), inspectorAt));

    // This program's copy of the library finds the name taken too.
    OpenSharedState();
    ASSERT_EQ(g_state, nullptr);

    // The library's procedures in this thread's hook chains, above witnesses.
    const DWORD thread = GetCurrentThreadId();
    HHOOK hooks[6] = {
        SetWindowsHookExA(WH_MOUSE, WitnessMouse, nullptr, thread),
        SetWindowsHookExA(WH_CALLWNDPROC, WitnessCallWnd, nullptr, thread),
        SetWindowsHookExA(WH_GETMESSAGE, WitnessGetMsg, nullptr, thread),
        SetWindowsHookExA(WH_MOUSE, LibraryMouse, nullptr, thread),
        SetWindowsHookExA(WH_CALLWNDPROC, LibraryCallWnd, nullptr, thread),
        SetWindowsHookExA(WH_GETMESSAGE, LibraryGetMsg, nullptr, thread),
    };
    for (HHOOK h : hooks) ASSERT_NE(h, nullptr);

    // Real moves over the main window, into the tool-bar strip and far below.
    for (int i = 0; i < 6; ++i) {
        SendPointerTo(300 + 7 * i, i % 2 ? 2 : 250);
        PumpFor(40);
    }
    // The system-menu command, a display change and a menu loop of the utility window.
    PostMessageA(main, WM_SYSCOMMAND, PNR_TOGGLE_COMMAND, 0);
    PostMessageA(inspector, WM_SYSCOMMAND, PNR_TOGGLE_COMMAND, 0);
    SendMessageA(main, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    SendMessageA(util, WM_ENTERMENULOOP, 0, 0);
    SendMessageA(util, WM_EXITMENULOOP, 0, 0);
    PumpFor(200);
    for (HHOOK h : hooks) UnhookWindowsHookEx(h);

    for (int i = 0; i < 3; ++i) {
        EXPECT_GT(g_library[i], 0) << "hook " << i << " never ran";
        // Every call the library got went on down the chain.
        EXPECT_EQ(g_witnessed[i], g_library[i]) << "hook " << i << " kept messages back";
    }
    EXPECT_EQ(g_commands, 2) << "the toggle commands were taken";
    EXPECT_TRUE(Same(RectOf(main), mainAt));
    EXPECT_TRUE(Same(RectOf(inspector), inspectorAt));

    // A chord's completing press, called directly: handed on, not consumed.
    MOUSEHOOKSTRUCT mouse = {};
    mouse.hwnd = main;
    EXPECT_EQ(MouseHookProc(HC_ACTION, WM_NCLBUTTONDOWN, reinterpret_cast<LPARAM>(&mouse)), 0);
    EXPECT_EQ(MouseHookProc(HC_ACTION, WM_NCRBUTTONDOWN, reinterpret_cast<LPARAM>(&mouse)), 0);
    EXPECT_FALSE(CanSlide());
    EXPECT_EQ(g_faults, 0);

    DestroyWindow(util);
    DestroyWindow(inspector);
    DestroyWindow(main);
    host.Unload();
    CloseHandle(squatter);
}

}  // namespace
