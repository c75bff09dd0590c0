// The two tests a mouse move must pass before the edge triggers see it.
// Pure: the key-state words and coordinates come in as plain values. Inline:
// they run on every mouse move of every hooked thread.
#pragma once

#include <stdint.h>

// True when GetAsyncKeyState's word says the button is down now (top bit).
inline bool ButtonHeld(int16_t keyState) { return keyState < 0; }

// The button test. `rightState` is only consulted (and need only be
// queried) while the left button is held: a move while dragging with the
// left button is ignored unless the right button is down or was pressed
// since the last query.
inline bool MovePassesButtonTest(int16_t leftState, int16_t rightState) {
    return !ButtonHeld(leftState) || rightState != 0;
}

// True when the pointer lies in the top-left or top-right 5-pixel corner,
// where neither edge trigger may run.
inline bool InTopCorner(int32_t x, int32_t y, int32_t workRight) {
    constexpr int64_t kCorner = 5;
    if (y > kCorner) return false;
    // Widened so that a work area near the 32-bit limits cannot wrap.
    return x <= kCorner || static_cast<int64_t>(x) >= static_cast<int64_t>(workRight) - kCorner;
}
