// The call-window-procedure hook (display changes, the IDE's menu loops) and
// the get-message hook (the system-menu toggle command).
#pragma once

#include <windows.h>

LRESULT CALLBACK CallWndProcHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK GetMessageHookProc(int code, WPARAM wParam, LPARAM lParam);
