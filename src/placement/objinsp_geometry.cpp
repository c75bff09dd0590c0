#include "objinsp_geometry.h"

namespace {

bool RowsOverlap(const Rect& wnd, const Rect& work) {
    return wnd.top < work.bottom && wnd.bottom > work.top;
}

// Hidden at an edge of this work area: only the strip inside it.
bool HiddenAtSide(const Rect& wnd, const Rect& work) {
    if (!RowsOverlap(wnd, work)) return false;
    const bool left = wnd.right > work.left && wnd.right <= work.left + kStrip;
    const bool right = wnd.left >= work.right - kStrip && wnd.left < work.right;
    return left || right;
}

// Hidden on that side already: only the strip inside the work area, or the
// whole window beyond the monitor. A strip under a task bar at that side
// (one that moved there while the window was hidden) is placed anew.
bool HiddenOn(Side side, const Rect& wnd, const Monitor& home) {
    const Rect& work = home.work;
    if (side == Side::Left) {
        return (wnd.right > work.left && wnd.right <= work.left + kStrip) ||
               wnd.right <= home.area.left;
    }
    return (wnd.left >= work.right - kStrip && wnd.left < work.right) || wnd.left >= home.area.right;
}

int32_t HiddenX(Side side, const Rect& wnd, const Rect& work) {
    return side == Side::Left ? work.left + kStrip - Width(wnd) : work.right - kStrip;
}

// A move to column x: with full height to the top and the work area's
// height, otherwise keeping the window's top and size.
Placement MoveTo(const Rect& wnd, int32_t x, const Rect& work, bool fullHeight) {
    if (fullHeight) return {true, x, work.top, Width(wnd), Height(work), kNoActivate};
    return {true, x, wnd.top, Width(wnd), Height(wnd), kNoSize | kNoActivate};
}

// True when the window hidden at that side would show on no other monitor.
bool SideIsFree(Side side, const Rect& wnd, const Desk& desk, const Monitor& home,
                bool fullHeight) {
    const Rect& work = home.work;
    const int32_t x = HiddenX(side, wnd, work);
    const Rect hidden = fullHeight ? Rect{x, work.top, x + Width(wnd), work.bottom}
                                   : Rect{x, wnd.top, x + Width(wnd), wnd.bottom};
    return !ReachesAnotherMonitor(desk, home, hidden);
}

Side Other(Side side) { return side == Side::Left ? Side::Right : Side::Left; }

Placement SlideBack(const Rect& wnd, const Rect& work, bool fullHeight) {
    if (InspectorSide(wnd, work) == Side::Left) {
        if (wnd.left >= work.left) {
            return {true, wnd.left, wnd.top, Width(wnd), Height(wnd), kRaiseOnly};
        }
        return MoveTo(wnd, work.left, work, fullHeight);
    }
    if (wnd.right <= work.right) {
        return {true, wnd.left, wnd.top, Width(wnd), Height(wnd), kRaiseOnly};
    }
    return MoveTo(wnd, work.right - Width(wnd), work, fullHeight);
}

}  // namespace

const Monitor& InspectorHome(const Desk& desk, const Rect& wnd) {
    for (int32_t i = 0; i < desk.count; ++i) {
        if (HiddenAtSide(wnd, desk.monitors[i].work)) return desk.monitors[i];
    }
    return MonitorHoldingMost(desk, wnd);
}

Side InspectorSide(const Rect& wnd, const Rect& work) {
    const int32_t centre = wnd.left + Width(wnd) / 2;
    return centre > work.left + Width(work) / 2 ? Side::Right : Side::Left;
}

Placement InspectorHidePlacement(const Rect& wnd, const Desk& desk, bool fullHeight) {
    const Monitor& home = InspectorHome(desk, wnd);
    const Rect& work = home.work;
    Side side = InspectorSide(wnd, work);
    if (!SideIsFree(side, wnd, desk, home, fullHeight)) {
        side = Other(side);
        if (!SideIsFree(side, wnd, desk, home, fullHeight)) {
            // No free edge: the window stays shown while its mode is on.
            const Placement back = SlideBack(wnd, work, fullHeight);
            return back.flags == kRaiseOnly ? kNoPlacement : back;
        }
    }
    if (HiddenOn(side, wnd, home)) return kNoPlacement;
    return MoveTo(wnd, HiddenX(side, wnd, work), work, fullHeight);
}

Placement InspectorSlideBackPlacement(const Rect& wnd, const Desk& desk, bool fullHeight) {
    return SlideBack(wnd, InspectorHome(desk, wnd).work, fullHeight);
}

Placement InspectorFullPlacement(const Rect& wnd, const Rect* main, const Desk& desk) {
    const Rect& work = InspectorHome(desk, wnd).work;
    // The main window's height, not its bottom: a hidden main window still
    // counts as shown.
    const int32_t mainHeight = main ? Height(*main) : kFallbackMainHeight;
    const int32_t width = Width(wnd);
    const int32_t x = InspectorSide(wnd, work) == Side::Left ? work.left : work.right - width;
    const int32_t y = work.top + mainHeight;
    return {true, x, y, width, work.bottom - y, kNoActivate};
}

EdgeOp InspectorEdgeOp(const Rect& wnd, const Desk& desk, int32_t x, int32_t y) {
    const Monitor& home = InspectorHome(desk, wnd);
    const Rect& work = home.work;
    const bool mayShow = WhereIsPointer(desk, home, x, y) != PointerPlace::OtherMonitor;
    const int32_t width = Width(wnd);
    if (InspectorSide(wnd, work) == Side::Left) {
        if (mayShow && x < work.left + kStrip) return EdgeOp::Show;
        return x > wnd.right + width / 4 ? EdgeOp::Hide : EdgeOp::None;
    }
    // The right side is no mirror of the left: four columns show it, and the
    // hide limit is measured from the work area's edge, not the window's.
    if (mayShow && x > work.right - kStrip) return EdgeOp::Show;
    return x < work.right - (width + width / 4) ? EdgeOp::Hide : EdgeOp::None;
}

HomeMemo InspectorMemo(uint32_t wndHandle, const Rect& wnd, const Desk& desk, bool fullHeight) {
    return {wndHandle, wnd, InspectorHome(desk, wnd), fullHeight,
            !InspectorHidePlacement(wnd, desk, fullHeight).act};
}

bool InspectorMoveIsIdle(const HomeMemo& memo, const Rect& wnd, int32_t x, int32_t y) {
    return AsksNothing(InspectorEdgeOp(wnd, HomeDesk(memo), x, y), memo);
}
