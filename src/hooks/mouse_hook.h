// The system-wide mouse hook: chord toggles and edge tracking.
#pragma once

#include <windows.h>

#include "hooks/chord_machine.h"

extern "C" {
// The hook procedure. Its entry tests the hook code and the message number
// only, and passes every other message on at once; the messages it acts on
// go on, with the same arguments, to MouseHookWork. The entry is in
// hook_entries_i386.S in the shipped 32-bit build, in mouse_hook.cpp else.
LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MouseHookWork(int code, WPARAM wParam, LPARAM lParam);
}

// The messages MouseHookProc lets through: moves and chord buttons lie in
// two ranges of six numbers, from WM_NCMOUSEMOVE and from WM_MOUSEMOVE, that
// differ in one bit group; one masked comparison takes both ranges (the
// double-clicks in them and a few numbers beyond pass through too, and
// MouseHookWork passes them on).
constexpr UINT kMouseRangeGap = WM_MOUSEMOVE - WM_NCMOUSEMOVE;
static_assert(kMouseRangeGap == 0x160 && kNcRButtonUp - WM_NCMOUSEMOVE == 5 &&
                  kRButtonUp - WM_MOUSEMOVE == 5,
              "the two ranges, as hook_entries_i386.S tests them");
inline bool InMouseRanges(UINT message) {
    return ((message - WM_NCMOUSEMOVE) & ~kMouseRangeGap) <= 5;
}

// The activity guard: sliding is allowed while either IDE window is enabled
// (no modal dialog of the IDE is up), or while the host's form is in front.
bool CanSlide();
