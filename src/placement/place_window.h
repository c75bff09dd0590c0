// The edge between the placement decisions and Windows.
#pragma once

#include <windows.h>

#include "geometry.h"

static_assert(kNoSize == SWP_NOSIZE && kNoMove == SWP_NOMOVE && kNoActivate == SWP_NOACTIVATE,
              "placement flags are Windows' own");

inline Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Every placement also raises the window (HWND_TOP, never SWP_NOZORDER) and
// never activates it.
inline void PlaceWindow(HWND wnd, const Placement& p) {
    if (!p.act) return;
    SetWindowPos(wnd, HWND_TOP, p.x, p.y, p.width, p.height, p.flags);
}
