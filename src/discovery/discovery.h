// Finds the IDE's main window, code editor and object inspector.
#pragma once

#include <windows.h>
#include <stdint.h>

BOOL CALLBACK InspectorEnumProc(HWND wnd, LPARAM unused);

// Reads the rectangle of the window whose handle is stored in `*field`. When
// the handle is stale it runs discovery once and tries the fresh handle;
// returns false when that fails too.
bool ReadWindowRect(const uint32_t* field, RECT* rect);
