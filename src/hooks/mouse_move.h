// The two tests a mouse move must pass before the edge triggers see it.
// Pure: the key-state words and coordinates come in as plain values.
#pragma once

#include <stdint.h>

// True when GetAsyncKeyState's word says the button is down now (top bit).
bool ButtonHeld(int16_t keyState);

// The button test. `rightState` is only consulted (and need only be
// queried) while the left button is held: a move while dragging with the
// left button is ignored unless the right button is down or was pressed
// since the last query.
bool MovePassesButtonTest(int16_t leftState, int16_t rightState);

// True when the pointer lies in the top-left or top-right 5-pixel corner,
// where neither edge trigger may run.
bool InTopCorner(int32_t x, int32_t y, int32_t workRight);
