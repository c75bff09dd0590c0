// The running host (the one that keeps the hooks) and the command line of a
// second copy talk through WM_COPYDATA: a one-line text command in, a reply
// code out. Hooks die with the thread that installed them, so a command-line
// "activate" hands the work to a host that stays running.
#pragma once

#include <windows.h>

constexpr ULONG_PTR kLinkMagic = 0x484E5250;  // "PNRH"

// Reply codes of the running host.
enum LinkReply : LRESULT {
    kReplyDone = 1,
    kReplyNoIde = 2,
    kReplyHooksRefused = 3,
    kReplyHooksStuck = 4,
    kReplyBadCommand = 5,
    kReplyNoAnswer = 0,  // SendMessage failed or timed out
};

// Caption of the settings window: a host of this version answers commands.
void WindowCaption(char* caption, int size);

HWND FindRunningHost();
LRESULT SendToHost(HWND host, const char* command);
// Starts this program again with `arguments`, detached from any console, and
// waits until its window exists; nullptr when it ended or did not appear.
HWND StartHost(const char* arguments, DWORD* exitCode);
// Asks the running host to end and waits for its process to be gone.
bool QuitHost(HWND host);
