#include "dpi_context.h"

#include "dpi_scale.h"

namespace {

// The DPI functions, found at run time: they exist from Windows 10 1607 on.
struct DpiApi {
    DPI_AWARENESS_CONTEXT(WINAPI* windowContext)(HWND);
    DPI_AWARENESS_CONTEXT(WINAPI* threadContext)();
    DPI_AWARENESS_CONTEXT(WINAPI* setThreadContext)(DPI_AWARENESS_CONTEXT);
    DPI_AWARENESS(WINAPI* awareness)(DPI_AWARENESS_CONTEXT);
    int32_t systemDpi;
};

DpiApi g_api;
// 0 not looked up yet, 1 found, -1 missing. Threads that race here find and
// store the same values; the state is published last.
int g_apiState = 0;

template <class Function>
bool Find(HMODULE user32, const char* name, Function* function) {
    *function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
    return *function != nullptr;
}

bool DpiApiFound() {
    const int state = __atomic_load_n(&g_apiState, __ATOMIC_ACQUIRE);
    if (state != 0) return state > 0;
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    UINT(WINAPI * systemDpi)() = nullptr;
    const bool found = user32 && Find(user32, "GetWindowDpiAwarenessContext", &g_api.windowContext) &&
                       Find(user32, "GetThreadDpiAwarenessContext", &g_api.threadContext) &&
                       Find(user32, "SetThreadDpiAwarenessContext", &g_api.setThreadContext) &&
                       Find(user32, "GetAwarenessFromDpiAwarenessContext", &g_api.awareness) &&
                       Find(user32, "GetDpiForSystem", &systemDpi);
    if (found) {
        // GetDpiForSystem answers 96 to a thread that is not DPI-aware.
        const DPI_AWARENESS_CONTEXT own = g_api.setThreadContext(DPI_AWARENESS_CONTEXT_SYSTEM_AWARE);
        g_api.systemDpi = static_cast<int32_t>(systemDpi());
        if (own) g_api.setThreadContext(own);
    }
    __atomic_store_n(&g_apiState, found ? 1 : -1, __ATOMIC_RELEASE);
    return found;
}

// A window's context never changes, so each process asks once per window.
// Two places: the IDE main window and the inspector.
struct KnownWindow {
    HWND wnd;
    DPI_AWARENESS_CONTEXT context;
    DPI_AWARENESS awareness;
    bool ownProcess;
};
KnownWindow g_known[2];
unsigned g_nextKnown = 0;

// The handle is stored last and read first, so that a thread of this
// process never takes another window's context for this one's.
const KnownWindow& Know(HWND wnd) {
    for (const KnownWindow& known : g_known) {
        if (__atomic_load_n(&known.wnd, __ATOMIC_ACQUIRE) == wnd) return known;
    }
    KnownWindow& slot = g_known[g_nextKnown++ % 2];
    __atomic_store_n(&slot.wnd, static_cast<HWND>(nullptr), __ATOMIC_RELEASE);
    DWORD process = 0;
    GetWindowThreadProcessId(wnd, &process);
    slot.context = g_api.windowContext(wnd);
    slot.awareness = slot.context ? g_api.awareness(slot.context) : DPI_AWARENESS_INVALID;
    slot.ownProcess = process == GetCurrentProcessId();
    // A window that is gone is asked again next time.
    if (slot.context) __atomic_store_n(&slot.wnd, wnd, __ATOMIC_RELEASE);
    return slot;
}

// Unaware contexts count in Windows' logical pixels; every aware one in
// the system's. Several monitors at different scales would need the
// monitor's own DPI for a per-monitor-aware context.
int32_t DpiOf(DPI_AWARENESS awareness) {
    return awareness == DPI_AWARENESS_UNAWARE ? kLogicalDpi : g_api.systemDpi;
}

}  // namespace

WindowDpiScope::WindowDpiScope(HWND wnd) {
    if (!wnd || !DpiApiFound()) return;
    const KnownWindow& known = Know(wnd);
    // The IDE's threads share its context: nothing to switch there.
    if (known.ownProcess || !known.context) return;
    // One awareness, one coordinate space (per-monitor v1 and v2 differ
    // in other things).
    const DPI_AWARENESS thread = g_api.awareness(g_api.threadContext());
    if (thread == known.awareness) return;
    threadDpi_ = DpiOf(thread);
    windowDpi_ = DpiOf(known.awareness);
    previous_ = g_api.setThreadContext(known.context);
}

WindowDpiScope::~WindowDpiScope() {
    if (previous_) g_api.setThreadContext(previous_);
}

POINT WindowDpiScope::FromThread(POINT pt) const {
    if (!previous_) return pt;
    return {ScaleCoordinate(pt.x, windowDpi_, threadDpi_), ScaleCoordinate(pt.y, windowDpi_, threadDpi_)};
}
