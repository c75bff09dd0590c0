// Windows of this test process for the hook tests, made by MakeWindow.
#pragma once

#include <windows.h>

#include <string>

#include "window.h"

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
