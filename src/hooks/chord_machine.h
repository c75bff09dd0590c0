// The two-button chord on a window's non-client area, as a pure state
// machine over message numbers and window handle values.
#pragma once

#include <stdint.h>

// Mouse button messages the chord machine reacts to.
constexpr uint32_t kNcLButtonDown = 0x00A1;
constexpr uint32_t kNcLButtonUp = 0x00A2;
constexpr uint32_t kNcRButtonDown = 0x00A4;
constexpr uint32_t kNcRButtonUp = 0x00A5;
constexpr uint32_t kLButtonDown = 0x0201;
constexpr uint32_t kLButtonUp = 0x0202;
constexpr uint32_t kRButtonDown = 0x0204;
constexpr uint32_t kRButtonUp = 0x0205;

// The pending press, as kept in the shared block: at most one of the two is
// non-zero. Both zero is idle; both non-zero counts as idle too.
struct ChordState {
    uint32_t leftDownWnd;
    uint32_t rightDownWnd;
};

struct ChordStep {
    ChordState next;
    bool chord;         // the press completes a chord ...
    uint32_t chordWnd;  // ... on this window (the one pressed first)
};

// True for the eight press and release messages above; every other message
// (double-clicks, middle button, wheel, moves) leaves the state alone.
// Inline: the mouse hook asks it for every mouse message.
inline bool IsChordButtonMessage(uint32_t message) {
    switch (message) {
        case kNcLButtonDown:
        case kNcLButtonUp:
        case kNcRButtonDown:
        case kNcRButtonUp:
        case kLButtonDown:
        case kLButtonUp:
        case kRButtonDown:
        case kRButtonUp:
            return true;
        default:
            return false;
    }
}

// True only when the answer of the utility-window test can change the step:
// a client-area right press while a left press is pending on another window.
// The test costs a class-name fetch, so callers ask this first.
bool NeedsUtilityTest(ChordState state, uint32_t message, uint32_t wnd);

// One button message to window `wnd`. `wndIsUtility` is whether `wnd` is the
// IDE's utility window; it is read only where NeedsUtilityTest holds.
ChordStep StepChord(ChordState state, uint32_t message, uint32_t wnd, bool wndIsUtility);
