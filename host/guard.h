// The guard: a second process that brings the IDE's windows back into view if
// the host ends while the library is active (killed, crashed, logged off
// badly). Without it the windows would stay slid away with no hook left to
// bring them back.
//
// The resident host starts one after each activation and stops it on every
// clean deactivation. The guard waits, without polling, on the host's process
// and on a stop event; if the host's process ends first and the block still
// holds the hooks of that activation, it calls UnHookHooks with restore and
// ends. Activation and the guard's restore take one named mutex, so a new
// host that takes over at the same moment is never undone by the old guard.
#pragma once

#include <windows.h>

#include <stdint.h>

class PanorelaLibrary;

// Held around a host's activation and a guard's restore.
class ActivationLock {
public:
    ActivationLock();
    ~ActivationLock();
    ActivationLock(const ActivationLock&) = delete;
    ActivationLock& operator=(const ActivationLock&) = delete;

private:
    HANDLE mutex_;
};

// In the host, once its hooks are active: starts a guard for this process
// and this activation, unless one is already guarding it, and returns once
// the guard waits (at most 5 s).
void StartGuard(const PanorelaLibrary& library);
// In the host, on a clean deactivation: ends the guard without it acting.
void StopGuard();

// The guard process itself ("panorela-host --guard <host pid> <mouse hook>").
int RunGuard(DWORD hostProcessId, uint32_t mouseHook);
