// Where the IDE main window goes: shown at the top of its home monitor's
// work area, or slid up off that edge until only its lowest rows stay on
// screen. Its home is the monitor whose top strip it is hidden in, else the
// monitor that holds most of it.
#pragma once

#include "desk.h"
#include "home_memo.h"

const Monitor& ToolBarHome(const Desk& desk, const Rect& wnd);

// Slide up so the bottom edge lands at the strip, unless a menu loop is
// running or the window is already that high. Where another monitor adjoins
// the top edge over the work area's columns the window is not hidden: one
// that sticks out above the work area comes back instead.
Placement ToolBarHidePlacement(const Rect& wnd, const Desk& desk, bool menuActive);

// Back to the work area's top left corner when the window sticks out above
// it; otherwise only raised.
Placement ToolBarShowPlacement(const Rect& wnd, const Desk& desk);

// The trigger: Show for a pointer in the home monitor's top strip (every row
// above the work area's top edge + 5, across the work area's columns), Hide
// once the pointer is more than a quarter of the window's height below its
// bottom edge, else None. A pointer on another monitor never shows it.
EdgeOp ToolBarEdgeOp(const Rect& wnd, const Desk& desk, int32_t x, int32_t y);

// What this process learns of the window from a full decision on the desk.
HomeMemo ToolBarMemo(uint32_t wndHandle, const Rect& wnd, const Desk& desk);

// True when the move certainly asks nothing of the window, judged on the
// memo's home monitor alone (the memo must hold for `wnd`): the pointer is
// between the strip and the limit, or below the limit of a window whose
// hiding places nothing.
bool ToolBarMoveIsIdle(const HomeMemo& memo, const Rect& wnd, int32_t x, int32_t y);
