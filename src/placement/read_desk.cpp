#include "read_desk.h"

#include "../state/shared_state.h"
#include "place_window.h"

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    Desk* desk = reinterpret_cast<Desk*>(data);
    MONITORINFO info;
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    Monitor& m = desk->monitors[desk->count++];
    m.area = ToRect(info.rcMonitor);
    m.work = ToRect(info.rcWork);
    if (info.dwFlags & MONITORINFOF_PRIMARY) {
        m.work.right = g_state->WorkRight;
        m.work.bottom = g_state->WorkBottom;
    }
    return desk->count < kMaxMonitors;
}

}  // namespace

void ReadDesk(Desk* desk) {
    desk->count = 0;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(desk));
    if (desk->count > 0) return;
    // No monitor could be read: one monitor, the block's work area from the corner.
    const Rect area = {0, 0, g_state->WorkRight, g_state->WorkBottom};
    desk->monitors[0] = {area, area};
    desk->count = 1;
}
