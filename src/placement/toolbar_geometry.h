// Where the IDE main window goes: shown at the top of the screen, or slid up
// until only its lowest rows stay on screen.
#pragma once

#include "geometry.h"

// Slide up so the bottom edge lands at the strip, unless a menu loop is
// running or the window is already that high.
Placement ToolBarHidePlacement(const Rect& wnd, int32_t workRight, bool menuActive);

// Back to the top left corner when the window sticks out above the screen;
// otherwise only raised.
Placement ToolBarShowPlacement(const Rect& wnd, int32_t workRight);

// A pointer row in the strip shows the window before any rectangle is read.
inline bool ToolBarStripHit(int32_t y) { return y < kStrip; }

// The whole trigger: Show in the strip, Hide once the pointer is more than a
// quarter of the window's height below its bottom edge, else None.
EdgeOp ToolBarEdgeOp(const Rect& wnd, int32_t y);
