// The benchmark's (b): three system-wide hooks that only pass every event on.
// Built without the C run-time, like panorela.dll, so that it costs what a
// hook DLL costs and nothing more.
#include <windows.h>

static HINSTANCE g_module;
static HHOOK g_hooks[3];

static LRESULT CALLBACK MouseProc(int code, WPARAM w, LPARAM l) { return CallNextHookEx(g_hooks[0], code, w, l); }
static LRESULT CALLBACK CallWndProc(int code, WPARAM w, LPARAM l) { return CallNextHookEx(g_hooks[1], code, w, l); }
static LRESULT CALLBACK GetMsgProc(int code, WPARAM w, LPARAM l) { return CallNextHookEx(g_hooks[2], code, w, l); }

extern "C" __declspec(dllexport) BOOL WINAPI BenchInstall(void) {
    g_hooks[0] = SetWindowsHookExA(WH_MOUSE, MouseProc, g_module, 0);
    g_hooks[1] = SetWindowsHookExA(WH_CALLWNDPROC, CallWndProc, g_module, 0);
    g_hooks[2] = SetWindowsHookExA(WH_GETMESSAGE, GetMsgProc, g_module, 0);
    return g_hooks[0] && g_hooks[1] && g_hooks[2];
}

extern "C" __declspec(dllexport) BOOL WINAPI BenchRemove(void) {
    BOOL ok = TRUE;
    for (HHOOK& hook : g_hooks) {
        if (hook && !UnhookWindowsHookEx(hook)) ok = FALSE;
        hook = nullptr;
    }
    return ok;
}

extern "C" BOOL WINAPI EmptyEntry(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = module;
    return TRUE;
}
