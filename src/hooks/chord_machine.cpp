#include "chord_machine.h"

namespace {

constexpr ChordState kIdle = {0, 0};

ChordStep Next(ChordState next) { return ChordStep{next, false, 0}; }
ChordStep LeftPending(uint32_t wnd) { return Next(ChordState{wnd, 0}); }
ChordStep RightPending(uint32_t wnd) { return Next(ChordState{0, wnd}); }
ChordStep ChordOn(uint32_t wnd) { return ChordStep{kIdle, true, wnd}; }

}  // namespace

bool NeedsUtilityTest(ChordState state, uint32_t message, uint32_t wnd) {
    return message == kRButtonDown && state.leftDownWnd != 0 && state.rightDownWnd == 0 &&
           state.leftDownWnd != wnd;
}

ChordStep StepChord(ChordState state, uint32_t message, uint32_t wnd, bool wndIsUtility) {
    if (!IsChordButtonMessage(message)) return Next(state);
    // Both set never comes from our own writes, only from a damaged block:
    // take it as idle rather than complete a chord from it.
    if (state.leftDownWnd != 0 && state.rightDownWnd != 0) state = kIdle;

    if (state.leftDownWnd != 0) {
        const uint32_t pending = state.leftDownWnd;
        switch (message) {
            case kNcLButtonDown: return LeftPending(wnd);  // the newer press replaces it
            case kNcRButtonDown: return wnd == pending ? ChordOn(pending) : RightPending(wnd);
            // The IDE's utility window takes the right press while a menu of
            // the window pressed first is being opened.
            case kRButtonDown:
                return wnd == pending || wndIsUtility ? ChordOn(pending) : Next(kIdle);
            default: return Next(kIdle);  // client left press or any release
        }
    }

    if (state.rightDownWnd != 0) {
        const uint32_t pending = state.rightDownWnd;
        switch (message) {
            case kNcRButtonDown: return RightPending(wnd);
            case kNcLButtonDown: return wnd == pending ? ChordOn(pending) : LeftPending(wnd);
            case kLButtonDown: return wnd == pending ? ChordOn(pending) : Next(kIdle);
            default: return Next(kIdle);
        }
    }

    // Idle: only a non-client press leaves a press pending.
    switch (message) {
        case kNcLButtonDown: return LeftPending(wnd);
        case kNcRButtonDown: return RightPending(wnd);
        default: return Next(kIdle);
    }
}
