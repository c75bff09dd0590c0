// The button test a mouse move must pass before the edge triggers see it.
// Pure: the key-state words come in as plain values. Inline: it runs on
// every mouse move of every hooked thread.
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
