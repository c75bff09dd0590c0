// The desktop's monitors as plain rectangles, and the tests that tie a
// window or the pointer to one of them. No Windows types: the Win32 side
// (read_desk.cpp) fills a Desk from the system.
#pragma once

#include "geometry.h"

// Monitors past this many are left out; a desk has a handful.
constexpr int32_t kMaxMonitors = 16;

struct Monitor {
    Rect area;  // the whole monitor
    Rect work;  // its work area: the monitor less its task bars
};

// Every monitor of the desktop; `count` is at least 1.
struct Desk {
    int32_t count;
    Monitor monitors[kMaxMonitors];
};

inline bool Contains(const Rect& r, int32_t x, int32_t y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

inline bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The monitor that holds most of `r`; the nearest one when none holds any.
const Monitor& MonitorHoldingMost(const Desk& desk, const Rect& r);

// True when `r` covers part of a monitor other than `home`: a window placed
// there would show on that monitor.
bool ReachesAnotherMonitor(const Desk& desk, const Monitor& home, const Rect& r);

// Where the pointer is, seen from a window's home monitor. A pointer on
// another monitor never shows the window; one outside every monitor is
// judged by the home work area's edges alone.
enum class PointerPlace { Home, OtherMonitor, Nowhere };
PointerPlace WhereIsPointer(const Desk& desk, const Monitor& home, int32_t x, int32_t y);

// True when the pointer lies in the 5-pixel square at either top corner of
// the work area, or beyond it away from the work area.
inline bool InTopCorner(int32_t x, int32_t y, const Rect& work) {
    constexpr int64_t kCorner = 5;
    // Widened so that edges near the 32-bit limits cannot wrap.
    if (y > static_cast<int64_t>(work.top) + kCorner) return false;
    return x <= static_cast<int64_t>(work.left) + kCorner ||
           x >= static_cast<int64_t>(work.right) - kCorner;
}

// The corner test of a mouse move, where neither edge trigger may run: the
// top corners of the work area of the monitor under the pointer, or of the
// nearest monitor for a pointer outside every monitor.
bool InTopCorner(const Desk& desk, int32_t x, int32_t y);
