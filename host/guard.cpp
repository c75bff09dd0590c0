#include "guard.h"

#include <stdio.h>

#include "command_line.h"
#include "library_binding.h"

namespace {

constexpr char kActivationMutex[] = "PANORELA_ACTIVATION_4.0";
// How long the host waits for a new guard to be armed, and for a stopped
// guard to end.
constexpr DWORD kGuardStartWait = 5000;
constexpr DWORD kGuardStopWait = 2000;

// The events between host process `hostProcessId` and its guard: "stop"
// (the host deactivated cleanly) and "armed" (the guard is waiting).
void GuardEventName(const char* what, DWORD hostProcessId, char* name, size_t size) {
    snprintf(name, size, "PANORELA_GUARD_%s_%lu", what, static_cast<unsigned long>(hostProcessId));
}

HANDLE OpenGuardEvent(const char* what, DWORD hostProcessId) {
    char name[64];
    GuardEventName(what, hostProcessId, name, sizeof name);
    return CreateEventA(nullptr, TRUE, FALSE, name);
}

HANDLE g_guardProcess = nullptr;
HANDLE g_stopEvent = nullptr;

}  // namespace

ActivationLock::ActivationLock() : mutex_(CreateMutexA(nullptr, FALSE, kActivationMutex)) {
    // A holder that died leaves the mutex abandoned: it is ours all the same.
    if (mutex_) WaitForSingleObject(mutex_, INFINITE);
}

ActivationLock::~ActivationLock() {
    if (!mutex_) return;
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}

void StartGuard(const PanorelaLibrary& library) {
    if (g_guardProcess && WaitForSingleObject(g_guardProcess, 0) == WAIT_TIMEOUT) return;
    StopGuard();
    const DWORD self = GetCurrentProcessId();
    g_stopEvent = OpenGuardEvent("STOP", self);
    HANDLE armed = OpenGuardEvent("ARMED", self);
    char program[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    char commandLine[MAX_PATH + 64];
    snprintf(commandLine, sizeof commandLine, "\"%s\" --guard %lu %lu", program,
             static_cast<unsigned long>(self), static_cast<unsigned long>(library.State()->MouseHook));
    // No console and nothing inherited: the guard holds nothing of the host's.
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    bool started = g_stopEvent && armed && length > 0 && length < sizeof program &&
                   CreateProcessA(program, commandLine, nullptr, nullptr, FALSE,
                                  DETACHED_PROCESS | CREATE_NEW_PROCESS_GROUP, nullptr, nullptr,
                                  &startup, &process);
    if (started) {
        CloseHandle(process.hThread);
        g_guardProcess = process.hProcess;
        // Returns once the guard waits on this process: a host killed right
        // after activating is guarded too.
        const HANDLE waits[2] = {armed, process.hProcess};
        started = WaitForMultipleObjects(2, waits, FALSE, kGuardStartWait) == WAIT_OBJECT_0;
    }
    if (armed) CloseHandle(armed);
    // Without a guard the activation stands: only a death of this host
    // would then leave the windows hidden.
    if (!started) StopGuard();
}

void StopGuard() {
    if (g_stopEvent) SetEvent(g_stopEvent);
    if (g_guardProcess) {
        WaitForSingleObject(g_guardProcess, kGuardStopWait);
        CloseHandle(g_guardProcess);
        g_guardProcess = nullptr;
    }
    if (g_stopEvent) {
        CloseHandle(g_stopEvent);
        g_stopEvent = nullptr;
    }
}

int RunGuard(DWORD hostProcessId, uint32_t mouseHook) {
    // Loaded now, so that the block lives on after the host is gone.
    PanorelaLibrary library;
    if (library.Load() != PanorelaLibrary::LoadResult::kLoaded ||
        library.FirstMissing(ExportBit(5)) != 0) {
        return kExitNoLibrary;
    }
    HANDLE stop = OpenGuardEvent("STOP", hostProcessId);
    HANDLE armed = OpenGuardEvent("ARMED", hostProcessId);
    HANDLE host = OpenProcess(SYNCHRONIZE, FALSE, hostProcessId);
    if (!stop || !armed || !host) return kExitNoHost;
    // This process's first window-system call sets up its link to the
    // display; under Wine it took 2 s when made just after the host died.
    // Made now, the restore takes milliseconds.
    SendMessageTimeoutA(GetDesktopWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kGuardStopWait, nullptr);
    SetEvent(armed);
    CloseHandle(armed);

    const HANDLE waits[2] = {stop, host};
    const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    CloseHandle(host);
    CloseHandle(stop);
    if (woke != WAIT_OBJECT_0 + 1) return kExitOk;  // stopped cleanly

    // The host ended without deactivating. Act only on its own activation:
    // a host that has taken over since holds hooks of its own.
    ActivationLock lock;
    const SharedState* state = library.State();
    if (state->HooksActive == 0 || state->MouseHook != mouseHook) return kExitOk;
    return library.UnHookHooks(true) ? kExitOk : kExitStuck;
}
