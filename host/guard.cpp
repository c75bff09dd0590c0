#include "guard.h"

#include "exit_codes.h"
#include "library_binding.h"

HANDLE OpenGuardEvent(const char* what, DWORD hostProcessId) {
    char name[64];
    wsprintfA(name, "PANORELA_GUARD_%s_%lu", what, static_cast<unsigned long>(hostProcessId));
    return CreateEventA(nullptr, TRUE, FALSE, name);
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
    SendMessageTimeoutA(GetDesktopWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
    SetEvent(armed);
    CloseHandle(armed);

    // This process has no window and hooks nothing: its waits hold up no one.
    const HANDLE waits[2] = {stop, host};
    const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    CloseHandle(host);
    CloseHandle(stop);
    if (woke != WAIT_OBJECT_0 + 1) return kExitOk;  // stopped cleanly

    // The host ended without deactivating. Act only on its own activation:
    // a host that has taken over since holds hooks of its own. A holder of
    // the mutex that died leaves it abandoned: it is ours all the same.
    HANDLE mutex = CreateMutexA(nullptr, FALSE, kActivationMutexName);
    if (mutex) WaitForSingleObject(mutex, INFINITE);
    const SharedState* state = library.State();
    int result = kExitOk;
    if (state->HooksActive != 0 && state->MouseHook == mouseHook) {
        result = library.UnHookHooks(true) ? kExitOk : kExitStuck;
    }
    if (mutex) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
    return result;
}
