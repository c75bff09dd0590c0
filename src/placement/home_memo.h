// What this process last found of a window's home monitor. A mouse move
// that finds the window's rectangle as it was then is decided against that
// monitor alone, without reading the desk: most moves while the library is
// active find a hidden window and the pointer far from its strip. A display
// or work-area change makes each process that sees it forget its memos
// (message_hooks.cpp), and where the change asks the window to move, the
// rules applied again in the IDE move it, which retires every process's memo.
#pragma once

#include "desk.h"

struct HomeMemo {
    uint32_t wnd;      // the window's handle; 0: nothing remembered
    Rect rect;         // its rectangle when the home was found
    Monitor home;      // its home monitor then
    bool fullHeight;   // the inspector's full-height setting then
    bool hideIsIdle;   // hiding it then placed nothing: hidden already, or no free edge
};

inline bool SameRect(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// True when the memo speaks of this window as it stands now.
inline bool MemoHolds(const HomeMemo& memo, uint32_t wnd, const Rect& rect, bool fullHeight) {
    return memo.wnd != 0 && memo.wnd == wnd && memo.fullHeight == fullHeight &&
           SameRect(memo.rect, rect);
}

// The memo's home as a desk of one monitor. On it a pointer is never on
// another monitor, which only ever lets a strip show the window: the quick
// decisions below therefore answer "nothing to do" only where the whole
// desk would too.
inline Desk HomeDesk(const HomeMemo& memo) {
    Desk desk;
    desk.count = 1;
    desk.monitors[0] = memo.home;
    return desk;
}

// What a move asks, judged on the memo's home: nothing at all, or a hide of
// a window whose hiding places nothing.
inline bool AsksNothing(EdgeOp op, const HomeMemo& memo) {
    return op == EdgeOp::None || (op == EdgeOp::Hide && memo.hideIsIdle);
}
