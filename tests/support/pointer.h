// Real pointer input on the X display, through xdotool (Wine runs Unix
// programs named by a Z: path) or SendInput, and waiting for its effects.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Starts xdotool with the given arguments, then lets this thread's messages
// run for `settleMs` milliseconds.
bool Xdotool(const std::string& arguments, DWORD settleMs);

// Moves the pointer to a point in Windows coordinates and waits until Wine
// reports it there.
bool MovePointer(int x, int y);

// Moves the pointer through SendInput (absolute screen coordinates) without
// waiting for the move to arrive.
void SendPointerTo(int x, int y);

// Presses the left button, then the right, then releases both: a chord.
bool ChordAtPointer();

// Polls `condition` while pumping this thread's messages; true once it
// holds, false after `ms` milliseconds.
bool WaitFor(const std::function<bool()>& condition, DWORD ms = 3000);

RECT WindowRect(HWND wnd);
