// Where the object inspector goes: shown against the left or right edge of
// the work area, or slid off that edge until a strip stays on screen. The
// edge follows the window's centre on every call.
#pragma once

#include "geometry.h"

enum class Side { Left, Right };

// Right when the centre lies past the middle of the work area; a tie goes left.
Side InspectorSide(const Rect& wnd, int32_t workRight);

// Slide off the window's edge. Full height also moves it to the top of the
// work area and stretches it to the bottom.
Placement InspectorHidePlacement(const Rect& wnd, int32_t workRight, int32_t workBottom,
                                 bool fullHeight);

// Slide back when the window sticks out beyond its edge; otherwise only raise.
Placement InspectorSlideBackPlacement(const Rect& wnd, int32_t workRight, int32_t workBottom,
                                      bool fullHeight);

// Against its edge, from the main window's height down to the work area's
// bottom. `main` is null when the main window's rectangle could not be read.
Placement InspectorFullPlacement(const Rect& wnd, const Rect* main, int32_t workRight,
                                 int32_t workBottom);

// The main window's height assumed when its rectangle cannot be read.
constexpr int32_t kFallbackMainHeight = 75;

// Show near the window's edge, Hide (subject to InspectorMayHide) when the
// pointer is well clear of it, else None.
EdgeOp InspectorEdgeOp(const Rect& wnd, int32_t x, int32_t workRight);

// The inspector stays while it has the focus unless the host asks otherwise.
inline bool InspectorMayHide(bool hideWhenActive, bool inspectorIsForeground) {
    return hideWhenActive || !inspectorIsForeground;
}
