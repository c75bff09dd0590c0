// The call-window-procedure hook (display changes, the IDE's menu loops) and
// the get-message hook (the system-menu toggle command).
#pragma once

#include <windows.h>

extern "C" {
// The hook procedures. Each entry tests the hook code and the message number
// only (WM_DISPLAYCHANGE, WM_ENTERMENULOOP and WM_EXITMENULOOP; WM_SYSCOMMAND)
// and passes every other message on at once; those it acts on go on, with
// the same arguments, to its work procedure. The entries are in
// hook_entries_i386.S in the shipped 32-bit build, in message_hooks.cpp else.
LRESULT CALLBACK CallWndProcHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK GetMessageHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CallWndProcHookWork(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK GetMessageHookWork(int code, WPARAM wParam, LPARAM lParam);
}
