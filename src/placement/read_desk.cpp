#include "read_desk.h"

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
    return desk->count < kMaxMonitors;
}

}  // namespace

void ReadDesk(Desk* desk) {
    desk->count = 0;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(desk));
    if (desk->count > 0) return;
    // No monitor could be read: the primary screen from the corner.
    const Rect area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    desk->monitors[0] = {area, area};
    desk->count = 1;
}
