#include "window.h"

LRESULT CALLBACK PlainWindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(wnd, message, wParam, lParam);
}

HWND MakeWindow(const char* className, const char* caption, int x, int y, int w, int h, DWORD style,
                WNDPROC proc) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    return CreateWindowExA(0, className, caption, style, x, y, w, h, nullptr, nullptr, wc.hInstance,
                           nullptr);
}
