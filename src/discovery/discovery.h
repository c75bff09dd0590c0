// Finds the IDE's main window, code editor and object inspector.
#pragma once

#include <windows.h>
#include <stdint.h>

BOOL CALLBACK InspectorEnumProc(HWND wnd, LPARAM unused);

// When a stale handle may run discovery: always (the exports), or from a
// hook at most once per kHookSearchIntervalMs in each process, so that a
// closed inspector does not cost a search of every top-level window on
// every mouse move of every program.
enum class Rediscovery { Always, Throttled };
constexpr DWORD kHookSearchIntervalMs = 250;

// Reads the rectangle of the window whose handle is stored in `*field`. When
// the handle is stale it runs discovery once (as `when` allows) and tries
// the fresh handle; returns false when that fails too.
bool ReadWindowRect(const uint32_t* field, RECT* rect, Rediscovery when = Rediscovery::Always);
