// The DLL's entry point. The library links no C run-time, so this is the
// whole start-up: remember the module handle and map the shared block.
#include <windows.h>

#include "state/shared_state.h"

extern "C" BOOL WINAPI PanorelaEntry(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = instance;
    LibraryNotify(static_cast<int32_t>(reason));
    return TRUE;
}
