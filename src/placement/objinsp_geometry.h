// Where the object inspector goes: shown against the left or right edge of
// its home monitor's work area, or slid off that edge until a strip stays on
// screen. Its home is the monitor at whose edge it is hidden, else the
// monitor that holds most of it; its nearer edge follows its centre on every
// call.
#pragma once

#include "desk.h"
#include "home_memo.h"

enum class Side { Left, Right };

const Monitor& InspectorHome(const Desk& desk, const Rect& wnd);

// Right when the centre lies past the middle of the work area; a tie goes left.
Side InspectorSide(const Rect& wnd, const Rect& work);

// Slide off the nearer edge, or off the other one where another monitor
// adjoins the nearer edge over the rows the hidden window would take; where
// both are taken the window is not hidden, and one that sticks out comes
// back instead. Full height also moves it to the top of the work area and
// stretches it to the bottom.
Placement InspectorHidePlacement(const Rect& wnd, const Desk& desk, bool fullHeight);

// Slide back when the window sticks out beyond its nearer edge; otherwise
// only raise.
Placement InspectorSlideBackPlacement(const Rect& wnd, const Desk& desk, bool fullHeight);

// Against its nearer edge, from the main window's height below the work
// area's top down to its bottom. `main` is null when the main window's
// rectangle could not be read.
Placement InspectorFullPlacement(const Rect& wnd, const Rect* main, const Desk& desk);

// The main window's height assumed when its rectangle cannot be read.
constexpr int32_t kFallbackMainHeight = 75;

// Show for a pointer in the strip at the nearer edge (on the home monitor,
// or outside every monitor), Hide (subject to InspectorMayHide) when the
// pointer is well clear of the window, else None.
EdgeOp InspectorEdgeOp(const Rect& wnd, const Desk& desk, int32_t x, int32_t y);

// The inspector stays while it has the focus unless the host asks otherwise.
inline bool InspectorMayHide(bool hideWhenActive, bool inspectorIsForeground) {
    return hideWhenActive || !inspectorIsForeground;
}

// What this process learns of the window from a full decision on the desk.
HomeMemo InspectorMemo(uint32_t wndHandle, const Rect& wnd, const Desk& desk, bool fullHeight);

// True when the move certainly asks nothing of the window, judged on the
// memo's home monitor alone (the memo must hold for `wnd`): the pointer is
// between the strip and the hide limit, or past the limit of a window whose
// hiding places nothing.
bool InspectorMoveIsIdle(const HomeMemo& memo, const Rect& wnd, int32_t x, int32_t y);
