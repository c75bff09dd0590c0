// Plain windows of this test process, of any class: the class is registered
// under exactly the spelling given, so GetClassNameA reports it as written.
#pragma once

#include <windows.h>

// Hands every message to DefWindowProcA.
LRESULT CALLBACK PlainWindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);

// Registers `className` with `proc` and creates a window of it. Hidden
// unless the style says WS_VISIBLE: destroying a visible, active window is
// slow under Wine.
HWND MakeWindow(const char* className, const char* caption, int x, int y, int w, int h,
                DWORD style = WS_OVERLAPPEDWINDOW, WNDPROC proc = PlainWindowProc);
