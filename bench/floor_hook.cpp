// The benchmark's (b2): the least any library of this kind must do. It maps
// a named 2028-byte block at load exactly as panorela.dll does (creating it
// and measuring the work area when it is the first), keeps its hook handles
// there, and on a mouse move with both hiding modes off does only what a move
// must: the key-state reads, the idle-mark store, the corner test and
// CallNextHookEx. The other two hooks compare hook code and message number.
#include <windows.h>
#include <stdint.h>

namespace {

constexpr DWORD kSize = 2028;

struct Block {
    uint32_t reserved0;
    uint32_t hooks[3];
    uint8_t pad[20];
    int32_t workRight;   // 36
    int32_t workBottom;  // 40
    uint8_t pad2[544];
    uint8_t idleMark;    // 588
};
static_assert(__builtin_offsetof(Block, workRight) == 36, "layout");
static_assert(__builtin_offsetof(Block, idleMark) == 588, "layout");

HINSTANCE g_module;
HANDLE g_mapping;
Block* g_block;

HHOOK Hook(int i) { return reinterpret_cast<HHOOK>(static_cast<intptr_t>(static_cast<int32_t>(g_block ? g_block->hooks[i] : 0))); }

LRESULT CALLBACK MouseProc(int code, WPARAM w, LPARAM l) {
    if (code == HC_ACTION && g_block && (w == WM_MOUSEMOVE || w == WM_NCMOUSEMOVE)) {
        const SHORT left = GetAsyncKeyState(VK_LBUTTON);
        if (left >= 0 || GetAsyncKeyState(VK_RBUTTON) != 0) {
            g_block->idleMark = 0;
            const POINT pt = reinterpret_cast<const MOUSEHOOKSTRUCT*>(l)->pt;
            volatile bool corner = pt.y <= 5 && (pt.x <= 5 || pt.x >= g_block->workRight - 5);
            (void)corner;
        }
    }
    return CallNextHookEx(Hook(0), code, w, l);
}

LRESULT CALLBACK CallWndProc(int code, WPARAM w, LPARAM l) {
    if (code == HC_ACTION && g_block) {
        volatile UINT m = reinterpret_cast<const CWPSTRUCT*>(l)->message;
        (void)m;
    }
    return CallNextHookEx(Hook(1), code, w, l);
}

LRESULT CALLBACK GetMsgProc(int code, WPARAM w, LPARAM l) {
    if (code == HC_ACTION && g_block) {
        volatile UINT m = reinterpret_cast<const MSG*>(l)->message;
        (void)m;
    }
    return CallNextHookEx(Hook(2), code, w, l);
}

void Open() {
    g_mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSize, "PNR_BENCH_FLOOR_MAP");
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    if (!g_mapping) return;
    g_block = static_cast<Block*>(MapViewOfFile(g_mapping, FILE_MAP_WRITE, 0, 0, kSize));
    if (!g_block || existed) return;
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    g_block->workRight = area.right;
    g_block->workBottom = area.bottom;
    g_block->idleMark = 0;
}

void Close() {
    if (g_block) {
        FlushViewOfFile(g_block, kSize);
        UnmapViewOfFile(g_block);
    }
    if (g_mapping) CloseHandle(g_mapping);
    g_block = nullptr;
    g_mapping = nullptr;
}

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI BenchInstall(void) {
    if (!g_block) return FALSE;
    g_block->hooks[0] = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(SetWindowsHookExA(WH_MOUSE, MouseProc, g_module, 0)));
    g_block->hooks[1] = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(SetWindowsHookExA(WH_CALLWNDPROC, CallWndProc, g_module, 0)));
    g_block->hooks[2] = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(SetWindowsHookExA(WH_GETMESSAGE, GetMsgProc, g_module, 0)));
    return g_block->hooks[0] && g_block->hooks[1] && g_block->hooks[2];
}

extern "C" __declspec(dllexport) BOOL WINAPI BenchRemove(void) {
    if (!g_block) return FALSE;
    BOOL ok = TRUE;
    for (int i = 0; i < 3; ++i) {
        if (g_block->hooks[i] && !UnhookWindowsHookEx(Hook(i))) ok = FALSE;
        g_block->hooks[i] = 0;
    }
    return ok;
}

extern "C" BOOL WINAPI FloorEntry(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        Open();
    } else if (reason == DLL_PROCESS_DETACH) {
        Close();
    }
    return TRUE;
}
