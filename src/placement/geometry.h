// Plain rectangles and placements for the decisions that slide the IDE's
// windows away and back. No Windows types here, so the decisions build and
// run natively; the Win32 side converts RECT at the edge.
#pragma once

#include <stdint.h>

// Screen pixels, right and bottom exclusive, as GetWindowRect gives them.
struct Rect {
    int32_t left, top, right, bottom;
};

inline int32_t Width(const Rect& r) { return r.right - r.left; }
inline int32_t Height(const Rect& r) { return r.bottom - r.top; }

// The SetWindowPos flags a placement may carry (same values as Windows').
constexpr uint32_t kNoSize = 0x0001;
constexpr uint32_t kNoMove = 0x0002;
constexpr uint32_t kNoActivate = 0x0010;
// Position and size ignored: the window only rises in the Z order.
constexpr uint32_t kRaiseOnly = kNoSize | kNoMove | kNoActivate;

// What is left on screen of a hidden window, in pixels.
constexpr int32_t kStrip = 5;

// One SetWindowPos call, or none when `act` is false.
struct Placement {
    bool act;
    int32_t x, y, width, height;
    uint32_t flags;
};

constexpr Placement kNoPlacement = {false, 0, 0, 0, 0, 0};

// What a mouse position asks of an edge trigger.
enum class EdgeOp { None, Show, Hide };
