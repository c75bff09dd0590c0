// The call-window-procedure hook (display changes, the IDE's menu loops) and
// the get-message hook (the system-menu toggle command).
#pragma once

#include <windows.h>

// The hook procedures. Each tests the hook code and the message number only
// (WM_DISPLAYCHANGE, WM_ENTERMENULOOP and WM_EXITMENULOOP; WM_SYSCOMMAND)
// and passes every other message on at once; those it acts on go on, with
// the same arguments, to its work procedure.
LRESULT CALLBACK CallWndProcHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK GetMessageHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CallWndProcHookWork(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK GetMessageHookWork(int code, WPARAM wParam, LPARAM lParam);
