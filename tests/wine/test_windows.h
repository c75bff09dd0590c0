// Windows of this test process for the hook tests: classes registered here
// under exactly the spelling given, so GetClassNameA reports it as written.
#pragma once

#include <windows.h>

#include <string>

inline LRESULT CALLBACK PlainWindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(wnd, message, wParam, lParam);
}

// Hidden unless asked: destroying a visible, active window is slow under Wine.
inline HWND MakeWindow(const char* className, int x, int y, int w, int h, bool visible = false,
                       WNDPROC proc = PlainWindowProc) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    const DWORD style = WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0);
    return CreateWindowExA(0, className, "", style, x, y, w, h, nullptr, nullptr, wc.hInstance,
                           nullptr);
}

inline std::string ClassOf(HWND wnd) {
    char name[80] = "";
    GetClassNameA(wnd, name, sizeof name);
    return name;
}

// Destroys the window and its class, so that another letter case of the
// same name can be registered next.
inline void DropWindow(HWND wnd) {
    const std::string name = ClassOf(wnd);
    DestroyWindow(wnd);
    UnregisterClassA(name.c_str(), GetModuleHandleA(nullptr));
}

inline RECT RectOf(HWND wnd) {
    RECT r = {};
    GetWindowRect(wnd, &r);
    return r;
}

inline void Place(HWND wnd, int x, int y, int w, int h) {
    SetWindowPos(wnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

inline void Raise(HWND wnd) {
    SetWindowPos(wnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Z order as Windows keeps it (X stacking under Wine may differ).
inline bool IsAbove(HWND upper, HWND lower) {
    for (HWND wnd = GetWindow(upper, GW_HWNDNEXT); wnd; wnd = GetWindow(wnd, GW_HWNDNEXT)) {
        if (wnd == lower) return true;
    }
    return false;
}
