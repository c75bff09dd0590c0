// The host's message thread dispatches its messages here, in its main loop
// and in every wait it makes. On 64-bit Windows the system calls the
// library's 32-bit hooks for 64-bit programs on the thread that installed
// them: a wait on that thread that stops dispatching can stall the mouse
// in those programs.
#pragma once

#include <windows.h>

enum : int {
    kWaitTimedOut = -1,  // the time ran out
    kWaitGaveUp = -2,    // *giveUp became true, or the message loop is ending (WM_QUIT)
};

// Waits until one of `handles` is signalled, dispatching this thread's
// messages meanwhile (keyboard messages through IsDialogMessage of `dialog`).
// Returns the signalled handle's index (an abandoned mutex counts: it is the
// caller's now), kWaitTimedOut after `timeoutMs`, or kWaitGaveUp.
int WaitDispatching(const HANDLE* handles, DWORD count, DWORD timeoutMs, HWND dialog, const bool* giveUp);

// The main loop: dispatches until WM_QUIT.
void RunMessageLoop(HWND dialog);
