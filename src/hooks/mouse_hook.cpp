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
    const bool utility =
        NeedsUtilityTest(state, message, wnd) && HasUpperClass(target, "TPUTILWINDOW");
    const ChordStep step = StepChord(state, message, wnd, utility);
    const bool toggled = step.chord && ToggleByChord(step.chordWnd);
    g_state->LeftDownWnd = step.next.leftDownWnd;
    g_state->RightDownWnd = step.next.rightDownWnd;
    return toggled;
}

void TrackMove(POINT pt) {
    const SHORT left = GetAsyncKeyState(VK_LBUTTON);
    const SHORT right = ButtonHeld(left) ? GetAsyncKeyState(VK_RBUTTON) : 0;
    if (!MovePassesButtonTest(left, right)) return;  // a left-button drag
    g_state->IdleMark = 0;
    if (InTopCorner(pt.x, pt.y, g_state->WorkRight)) return;
    if (g_state->ObjInspHiding && CanSlide()) InspectorEdgeTrigger(pt.x);
    if (g_state->ToolBarHiding && CanSlide()) ToolBarEdgeTrigger(pt.x, pt.y);
}

}  // namespace

bool CanSlide() {
    if (!g_state) return false;
    if (IsWindowEnabled(AsWnd(g_state->AppBuilderWnd))) return true;
    if (IsWindowEnabled(AsWnd(g_state->InspectorWnd))) return true;
    // Both disabled: a modal dialog is up, unless it is the host's own form.
    char name[kForegroundClassBufferSize];
    const int length = GetClassNameA(GetForegroundWindow(), name, kForegroundClassBufferSize);
    return length > 0 && TextEquals(name, length, PNR_HOST_FORM_CLASS);
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_state) {
        const UINT message = static_cast<UINT>(wParam);
        const MOUSEHOOKSTRUCT* mouse = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        if (IsChordButtonMessage(message)) {
            if (TrackChord(message, mouse->hwnd)) return 1;  // consumed: the chord's second press
        } else if (message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE) {
            TrackMove(mouse->pt);
        }
    }
    return CallNextHookEx(g_state ? AsHook(g_state->MouseHook) : nullptr, code, wParam, lParam);
}
