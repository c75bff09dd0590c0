#include "toolbar_geometry.h"

namespace {

// Hidden in this work area's top strip: the bottom edge within its first
// rows, over its columns.
bool HiddenAtTop(const Rect& wnd, const Rect& work) {
    return wnd.bottom > work.top && wnd.bottom <= work.top + kStrip && wnd.left < work.right &&
           wnd.right > work.left;
}

Placement AtTop(const Rect& work, int32_t y, int32_t height, uint32_t flags) {
    return {true, work.left, y, Width(work), height, flags};
}

}  // namespace

const Monitor& ToolBarHome(const Desk& desk, const Rect& wnd) {
    for (int32_t i = 0; i < desk.count; ++i) {
        if (HiddenAtTop(wnd, desk.monitors[i].work)) return desk.monitors[i];
    }
    return MonitorHoldingMost(desk, wnd);
}

Placement ToolBarHidePlacement(const Rect& wnd, const Desk& desk, bool menuActive) {
    if (menuActive) return kNoPlacement;
    const Monitor& home = ToolBarHome(desk, wnd);
    const Rect& work = home.work;
    const int32_t height = Height(wnd);
    const Rect hidden = {work.left, work.top + kStrip - height, work.right, work.top + kStrip};
    if (ReachesAnotherMonitor(desk, home, hidden)) {
        // No free edge: the window stays shown while its mode is on.
        return wnd.top < work.top ? AtTop(work, work.top, height, kNoActivate) : kNoPlacement;
    }
    // Hidden already: its strip in the work area's first rows, or the whole
    // window above the monitor. A strip under a task bar along the top (one
    // that moved there while the window was hidden) is placed anew.
    const bool inStrip = wnd.bottom > work.top && wnd.bottom <= work.top + kStrip;
    if (inStrip || wnd.bottom <= home.area.top) return kNoPlacement;
    return AtTop(work, hidden.top, height, kNoActivate);
}

Placement ToolBarShowPlacement(const Rect& wnd, const Desk& desk) {
    const Rect& work = ToolBarHome(desk, wnd).work;
    // A window the user placed lower keeps its place.
    const uint32_t flags = wnd.top < work.top ? kNoActivate : kRaiseOnly;
    return AtTop(work, work.top, Height(wnd), flags);
}

EdgeOp ToolBarEdgeOp(const Rect& wnd, const Desk& desk, int32_t x, int32_t y) {
    const Monitor& home = ToolBarHome(desk, wnd);
    const Rect& work = home.work;
    const PointerPlace place = WhereIsPointer(desk, home, x, y);
    const bool overColumns = place == PointerPlace::Nowhere ||
                             (place == PointerPlace::Home && x >= work.left && x < work.right);
    if (overColumns && y < work.top + kStrip) return EdgeOp::Show;
    const int32_t limit = wnd.bottom + Height(wnd) / 4;
    return y > limit ? EdgeOp::Hide : EdgeOp::None;
}

HomeMemo ToolBarMemo(uint32_t wndHandle, const Rect& wnd, const Desk& desk) {
    // Judged as if no menu loop ran: the memo outlives the loop.
    return {wndHandle, wnd, ToolBarHome(desk, wnd), false,
            !ToolBarHidePlacement(wnd, desk, false).act};
}

bool ToolBarMoveIsIdle(const HomeMemo& memo, const Rect& wnd, int32_t x, int32_t y) {
    return AsksNothing(ToolBarEdgeOp(wnd, HomeDesk(memo), x, y), memo);
}
