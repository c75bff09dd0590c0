#include "shared_state.h"

#include "../exports.h"

SharedState* g_state = nullptr;
HINSTANCE g_module = nullptr;

static HANDLE g_mapping = nullptr;
static const uint32_t kNoHooks[3] = {0, 0, 0};
const uint32_t* g_hookHandles = kNoHooks;

void RefreshWorkArea() {
    RECT area;
    // If the query fails the edges stay as they were.
    area.right = g_state->WorkRight;
    area.bottom = g_state->WorkBottom;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    g_state->WorkRight = area.right;
    g_state->WorkBottom = area.bottom;
}

void OpenSharedState() {
    g_mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, PNR_MAP_SIZE,
                                   PNR_MAP_NAME);
    // Read at once: any later call may overwrite the last error.
    const DWORD error = GetLastError();
    if (!g_mapping) return;  // another object holds the name: stay inert
    const bool existed = error == ERROR_ALREADY_EXISTS;

    void* view = MapViewOfFile(g_mapping, FILE_MAP_WRITE, 0, 0, PNR_MAP_SIZE);
    if (!view) {
        CloseHandle(g_mapping);
        g_mapping = nullptr;
        return;
    }
    g_state = static_cast<SharedState*>(view);
    g_hookHandles = &g_state->MouseHook;
    if (existed) return;  // a later process changes nothing in the block

    RefreshWorkArea();
    g_state->MenuActive = 0;
    g_state->HostFlagB = 0;
    g_state->HostFlagA = 0;
    g_state->HostValue = 0;
    g_state->IdleMark = 0;
}

void CloseSharedState() {
    g_hookHandles = kNoHooks;
    if (g_state) {
        FlushViewOfFile(g_state, PNR_MAP_SIZE);
        UnmapViewOfFile(g_state);
        g_state = nullptr;
    }
    if (g_mapping) {
        CloseHandle(g_mapping);
        g_mapping = nullptr;
    }
}

void LibraryNotify(int32_t reason) {
    switch (reason) {
        case DLL_PROCESS_ATTACH: OpenSharedState(); break;
        case DLL_PROCESS_DETACH: CloseSharedState(); break;
        default: break;
    }
}

PNR_EXPORT SharedState* GetMapData() {
    if (!g_state) return nullptr;
    g_state->HostString1.Text[0] = 0;
    g_state->HostString2.Text[0] = 0;
    return g_state;
}
