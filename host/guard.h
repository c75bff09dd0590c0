// The guard: a second process that brings the IDE's windows back into view if
// the host ends while the library is active (killed, crashed, logged off
// badly). Without it the windows would stay slid away with no hook left to
// bring them back.
//
// The resident host (resident_host.h) starts one after each activation and
// stops it on every clean deactivation. The guard waits, without polling, on
// the host's process and on a stop event; if the host's process ends first
// and the block still holds the hooks of that activation, it calls
// UnHookHooks with restore and ends. Activation and the guard's restore take
// one named mutex, so a new host that takes over at the same moment is never
// undone by the old guard.
#pragma once

#include <windows.h>

#include <stdint.h>

// Held around a host's activation and a guard's restore.
constexpr char kActivationMutexName[] = "PANORELA_ACTIVATION_4.0";

// The events between host process `hostProcessId` and its guard: "STOP" (the
// host deactivated cleanly) and "ARMED" (the guard is waiting). Manual-reset,
// created by whichever side comes first; nullptr if that fails.
HANDLE OpenGuardEvent(const char* what, DWORD hostProcessId);

// The guard process itself ("panorela-host --guard <host pid> <mouse hook>").
int RunGuard(DWORD hostProcessId, uint32_t mouseHook);
