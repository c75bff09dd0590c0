// The shared block as this process sees it, and the per-process values
// that lead to it.
#pragma once

#include <windows.h>
#include <stdint.h>

#include "pnrCommon.h"

// The block as mapped in this process. Null when the mapping could not be
// had: this copy of the library then stays inert (exports do nothing, hooks
// pass every message on).
extern SharedState* g_state;

// The hook handles the hook procedures pass events on with: the block's
// MouseHook, CallWndProcHook and GetMessageHook while it is mapped, three
// zeros while this copy is inert. Never null, so that passing an event on
// takes no test.
extern const uint32_t* g_hookHandles;

// This library's module handle, given to SetWindowsHookExA.
extern HINSTANCE g_module;

void OpenSharedState();
void CloseSharedState();
void RefreshWorkArea();
void LibraryNotify(int32_t reason);

// Handles live in the block as 32-bit values, valid in every process.
// 64-bit Windows sign-extends them, so widen through a signed 32-bit value.
inline HWND AsWnd(uint32_t value) { return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(value))); }
inline uint32_t WndValue(HWND wnd) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(wnd)); }
inline HHOOK AsHook(uint32_t value) { return reinterpret_cast<HHOOK>(static_cast<intptr_t>(static_cast<int32_t>(value))); }
inline uint32_t HookValue(HHOOK hook) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hook)); }
