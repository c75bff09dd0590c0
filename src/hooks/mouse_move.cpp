#include "mouse_move.h"

namespace {
constexpr int64_t kCorner = 5;
}

bool ButtonHeld(int16_t keyState) { return keyState < 0; }

bool MovePassesButtonTest(int16_t leftState, int16_t rightState) {
    return !ButtonHeld(leftState) || rightState != 0;
}

bool InTopCorner(int32_t x, int32_t y, int32_t workRight) {
    if (y > kCorner) return false;
    // Widened so that a work area near the 32-bit limits cannot wrap.
    return x <= kCorner || static_cast<int64_t>(x) >= static_cast<int64_t>(workRight) - kCorner;
}
