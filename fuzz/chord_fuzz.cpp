// Drives the chord machine with arbitrary message sequences and checks, after
// every step, the rules of the two-button chord: at most one pending press,
// a chord only on the press that completes it, and the utility-window answer
// mattering only where the machine asked for it.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include "hooks/chord_machine.h"
#include "hooks/mouse_move.h"
#include "placement/desk.h"

namespace {

// The messages worth sending: the eight button messages, the double-clicks,
// middle button, wheel and moves the machine must ignore.
constexpr uint32_t kMessages[] = {
    kNcLButtonDown, kNcLButtonUp, kNcRButtonDown, kNcRButtonUp,
    kLButtonDown,   kLButtonUp,   kRButtonDown,   kRButtonUp,
    0x00A3 /* WM_NCLBUTTONDBLCLK */, 0x00A6 /* WM_NCRBUTTONDBLCLK */,
    0x0203 /* WM_LBUTTONDBLCLK */,   0x0206 /* WM_RBUTTONDBLCLK */,
    0x0207 /* WM_MBUTTONDOWN */,     0x020A /* WM_MOUSEWHEEL */,
    0x0200 /* WM_MOUSEMOVE */,       0x00A0 /* WM_NCMOUSEMOVE */,
};
constexpr size_t kMessageCount = sizeof kMessages / sizeof kMessages[0];

// A few window handles so that presses meet on the same window often.
constexpr uint32_t kWindows[] = {0x10010, 0x10020, 0x10030, 0x7FFFFFFF, 0xFFFFFFFF};

struct Reader {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
    bool more() const { return pos < size; }
    uint8_t byte() { return pos < size ? data[pos++] : 0; }
    uint32_t word() {
        uint32_t w = 0;
        for (int i = 0; i < 4; ++i) w = (w << 8) | byte();
        return w;
    }
};

[[noreturn]] void Fail(const char* what, ChordState s, uint32_t msg, uint32_t wnd, bool util) {
    fprintf(stderr, "chord property broken: %s (state L=%#x R=%#x, message %#x, window %#x, utility %d)\n",
            what, s.leftDownWnd, s.rightDownWnd, msg, wnd, util);
    abort();
}

bool IsDown(uint32_t m) {
    return m == kNcLButtonDown || m == kNcRButtonDown || m == kLButtonDown || m == kRButtonDown;
}
bool IsUp(uint32_t m) {
    return m == kNcLButtonUp || m == kNcRButtonUp || m == kLButtonUp || m == kRButtonUp;
}
bool IsRightDown(uint32_t m) { return m == kNcRButtonDown || m == kRButtonDown; }
bool IsNonClientDown(uint32_t m) { return m == kNcLButtonDown || m == kNcRButtonDown; }

bool Valid(ChordState s) { return s.leftDownWnd == 0 || s.rightDownWnd == 0; }

void CheckStep(ChordState s, uint32_t msg, uint32_t wnd, bool util) {
    const ChordStep step = StepChord(s, msg, wnd, util);
    const ChordState n = step.next;

    // Whatever the state was (a block of random bytes included), a button
    // message leaves at most one press pending.
    if (IsChordButtonMessage(msg) && !Valid(n)) Fail("two presses pending", s, msg, wnd, util);
    if (step.chord && (n.leftDownWnd != 0 || n.rightDownWnd != 0))
        Fail("a chord left a press pending", s, msg, wnd, util);

    // The utility answer may only matter where the machine says it needs it.
    if (!NeedsUtilityTest(s, msg, wnd)) {
        const ChordStep other = StepChord(s, msg, wnd, !util);
        if (other.chord != step.chord || other.chordWnd != step.chordWnd ||
            other.next.leftDownWnd != n.leftDownWnd || other.next.rightDownWnd != n.rightDownWnd)
            Fail("the unasked utility answer changed the step", s, msg, wnd, util);
    }

    if (!Valid(s)) return;  // the rest holds for states the machine itself produces

    // Which press completes a chord: the other button, on the pending window;
    // a client-area right press also on the IDE's utility window.
    bool completes = false;
    uint32_t on = 0;
    if (IsRightDown(msg) && s.leftDownWnd != 0) {
        on = s.leftDownWnd;
        completes = wnd == on || (msg == kRButtonDown && util);
    } else if ((msg == kNcLButtonDown || msg == kLButtonDown) && s.rightDownWnd != 0) {
        on = s.rightDownWnd;
        completes = wnd == on;
    }
    if (step.chord != completes) Fail(completes ? "missed chord" : "chord on a press that completes none", s, msg, wnd, util);
    if (step.chord && step.chordWnd != on) Fail("chord on the wrong window", s, msg, wnd, util);
    if (step.chord && !IsDown(msg)) Fail("chord on a message that is no press", s, msg, wnd, util);

    if (!IsChordButtonMessage(msg)) {
        if (n.leftDownWnd != s.leftDownWnd || n.rightDownWnd != s.rightDownWnd)
            Fail("a non-button message changed the state", s, msg, wnd, util);
    } else if (IsUp(msg)) {
        if (n.leftDownWnd != 0 || n.rightDownWnd != 0) Fail("a release left a press pending", s, msg, wnd, util);
    } else if (!step.chord) {
        // Only a non-client press leaves a press pending, on its own window
        // and for its own button; a client-area press ends any pending one.
        ChordState want = {0, 0};
        if (msg == kNcLButtonDown) want.leftDownWnd = wnd;
        if (msg == kNcRButtonDown) want.rightDownWnd = wnd;
        if (n.leftDownWnd != want.leftDownWnd || n.rightDownWnd != want.rightDownWnd)
            Fail(IsNonClientDown(msg) ? "a non-client press is not pending" : "a client press left a press pending",
                 s, msg, wnd, util);
    }
}

// The two tests a move must pass, as the hook states them.
void CheckMove(int16_t left, int16_t right, int32_t x, int32_t y, int32_t workRight) {
    const bool leftUp = (static_cast<uint16_t>(left) & 0x8000) == 0;
    if (MovePassesButtonTest(left, right) != (leftUp || right != 0)) {
        fprintf(stderr, "button test wrong for left %#x right %#x\n", left & 0xFFFF, right & 0xFFFF);
        abort();
    }
    const bool corner = y <= 5 && (x <= 5 || int64_t{x} >= int64_t{workRight} - 5);
    if (InTopCorner(x, y, Rect{0, 0, workRight, 768}) != corner) {
        fprintf(stderr, "corner test wrong at (%d, %d), work right %d\n", x, y, workRight);
        abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader in{data, size};
    // The first step may start from anything the block can hold.
    ChordState s = {0, 0};
    const uint8_t start = in.byte();
    if (start & 1) s.leftDownWnd = (start & 2) ? in.word() : kWindows[(start >> 2) % 5];
    if (start & 0x40) s.rightDownWnd = (start & 0x80) ? in.word() : kWindows[(start >> 4) % 5];

    while (in.more()) {
        const uint8_t op = in.byte();
        if (op == 0xFF) {  // now and then a move through the two move tests
            const int16_t left = static_cast<int16_t>(in.word());
            const int16_t right = static_cast<int16_t>(in.word());
            const int32_t x = static_cast<int32_t>(in.word());
            const int32_t y = static_cast<int32_t>(in.word());
            CheckMove(left, right, x, y, static_cast<int32_t>(in.word()));
            continue;
        }
        const uint32_t msg = (op & 0x80) && (op & 0x40) ? in.word() : kMessages[op % kMessageCount];
        const uint8_t w = in.byte();
        const uint32_t wnd = (w & 0x80) ? in.word() : (w % 8 < 5 ? kWindows[w % 8] : 0);
        const bool util = (w & 0x40) != 0;
        CheckStep(s, msg, wnd, util);
        s = StepChord(s, msg, wnd, util).next;
    }
    return 0;
}
