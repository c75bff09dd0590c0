#include "mouse_hook.h"

#include "discovery/class_name.h"
#include "discovery/text_match.h"
#include "hooks/chord_machine.h"
#include "hooks/mouse_move.h"
#include "placement/objinsp.h"
#include "placement/toolbar.h"
#include "state/shared_state.h"

namespace {

// Room for 70 characters and the NUL: one more than the other class tests.
constexpr int kForegroundClassBufferSize = 71;

// Inverts the mode of the IDE window `chordWnd`; false when it is neither.
bool ToggleByChord(uint32_t chordWnd) {
    if (chordWnd == g_state->InspectorWnd) {
        g_state->ObjInspHiding ^= 1;
    } else if (chordWnd == g_state->AppBuilderWnd) {
        g_state->ToolBarHiding ^= 1;
    } else {
        return false;
    }
    // The first press may have opened a menu or started a drag in the IDE;
    // Escape to the inspector ends it. Posted: the IDE's thread may be busy.
    PostMessageA(AsWnd(g_state->InspectorWnd), WM_KEYDOWN, VK_ESCAPE, 0);
    return true;
}

// Returns true when the press completes a chord on an IDE window.
bool TrackChord(UINT message, HWND target) {
    const ChordState state = {g_state->LeftDownWnd, g_state->RightDownWnd};
    const uint32_t wnd = WndValue(target);
    // The utility-window test decides only between a chord on the pending
    // window and no chord, and both end idle: unless that window is one of
    // the two IDE windows the answer changes nothing, so no class name is
    // fetched for it.
    const bool utility = NeedsUtilityTest(state, message, wnd) &&
                         (state.leftDownWnd == g_state->InspectorWnd ||
                          state.leftDownWnd == g_state->AppBuilderWnd) &&
                         HasUpperClass(target, "TPUTILWINDOW");
    const ChordStep step = StepChord(state, message, wnd, utility);
    const bool toggled = step.chord && ToggleByChord(step.chordWnd);
    g_state->LeftDownWnd = step.next.leftDownWnd;
    g_state->RightDownWnd = step.next.rightDownWnd;
    return toggled;
}

// The two out-of-line parts of MouseHookProc, so that a move with both modes
// off carries neither.
__attribute__((noinline)) LRESULT CALLBACK TrackButton(int code, WPARAM wParam, LPARAM lParam) {
    const HWND target = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam)->hwnd;
    if (TrackChord(static_cast<UINT>(wParam), target)) return 1;  // consumed: the chord's second press
    return CallNextHookEx(AsHook(g_hookHandles[0]), code, wParam, lParam);
}

// Each trigger works in its window's DPI context and makes the corner test
// there, on the monitors as that context sees them.
__attribute__((noinline)) void SlideOnMove(const POINT& pt) {
    constexpr bool kCornersStop = true;
    if (g_state->ObjInspHiding && CanSlide()) InspectorEdgeTrigger(pt.x, pt.y, kCornersStop);
    if (g_state->ToolBarHiding && CanSlide()) ToolBarEdgeTrigger(pt.x, pt.y, kCornersStop);
}

void TrackMove(SharedState* state, const MOUSEHOOKSTRUCT* mouse) {
    const SHORT left = GetAsyncKeyState(VK_LBUTTON);
    const SHORT right = ButtonHeld(left) ? GetAsyncKeyState(VK_RBUTTON) : 0;
    if (!MovePassesButtonTest(left, right)) return;  // a left-button drag
    state->IdleMark = 0;
    if (state->ObjInspHiding || state->ToolBarHiding) SlideOnMove(mouse->pt);
}

}  // namespace

bool CanSlide() {
    if (!g_state) return false;
    if (IsWindowEnabled(AsWnd(g_state->AppBuilderWnd))) return true;
    if (IsWindowEnabled(AsWnd(g_state->InspectorWnd))) return true;
    // Neither names a window (the IDE was closed, or restarted): the
    // triggers may run, so that their rediscovery finds the new windows.
    if (!IsWindow(AsWnd(g_state->AppBuilderWnd)) && !IsWindow(AsWnd(g_state->InspectorWnd))) {
        return true;
    }
    // Both disabled: a modal dialog is up, unless it is the host's own form.
    char name[kForegroundClassBufferSize];
    const int length = GetClassNameA(GetForegroundWindow(), name, kForegroundClassBufferSize);
    return length > 0 && TextEquals(name, length, PNR_HOST_FORM_CLASS);
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const UINT message = static_cast<UINT>(wParam);
        SharedState* const state = g_state;
        if (message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE) {
            if (state) TrackMove(state, reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam));
        } else if (state && IsChordButtonMessage(message)) {
            return TrackButton(code, wParam, lParam);
        }
    }
    return CallNextHookEx(AsHook(g_hookHandles[0]), code, wParam, lParam);
}
