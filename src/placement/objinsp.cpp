#include "objinsp.h"

#include "../discovery/discovery.h"
#include "../exports.h"
#include "../state/shared_state.h"
#include "dpi_context.h"
#include "objinsp_geometry.h"
#include "place_window.h"
#include "read_desk.h"

namespace {

// This process's memo of the inspector's home monitor.
HomeMemo g_memo;

}  // namespace

void HideInspector() {
    if (!g_state) return;
    const WindowDpiScope scope(AsWnd(g_state->InspectorWnd));
    RECT r;
    if (!ReadWindowRect(&g_state->InspectorWnd, &r)) return;
    Desk desk;
    ReadDesk(&desk);
    PlaceWindow(AsWnd(g_state->InspectorWnd),
                InspectorHidePlacement(ToRect(r), desk, g_state->InspectorFullHeight != 0));
}

void ShowInspector(bool place) {
    if (!g_state) return;
    // The main window belongs to the inspector's process: one context serves both.
    const WindowDpiScope scope(AsWnd(g_state->InspectorWnd));
    RECT r;
    if (!ReadWindowRect(&g_state->InspectorWnd, &r)) return;
    const Rect wnd = ToRect(r);
    Desk desk;
    ReadDesk(&desk);
    Placement p;
    if (place) {
        // The main window is read once, without discovery; unreadable, it
        // counts as 75 pixels high.
        RECT m;
        Rect main = {};
        const bool haveMain = GetWindowRect(AsWnd(g_state->AppBuilderWnd), &m) != 0;
        if (haveMain) main = ToRect(m);
        p = InspectorFullPlacement(wnd, haveMain ? &main : nullptr, desk);
    } else {
        p = InspectorSlideBackPlacement(wnd, desk, g_state->InspectorFullHeight != 0);
    }
    PlaceWindow(AsWnd(g_state->InspectorWnd), p);
}

void InspectorEdgeTrigger(int32_t x, int32_t y, bool cornersStop) {
    if (!g_state) return;
    const WindowDpiScope scope(AsWnd(g_state->InspectorWnd));
    // The side, and so every limit, depends on the rectangle: read it first,
    // once, for the decision and the placement alike.
    RECT r;
    if (!ReadWindowRect(&g_state->InspectorWnd, &r, Rediscovery::Throttled)) return;
    const Rect wnd = ToRect(r);
    const POINT pt = scope.FromThread({x, y});
    const uint32_t handle = g_state->InspectorWnd;
    const bool fullHeight = g_state->InspectorFullHeight != 0;
    if (MemoHolds(g_memo, handle, wnd, fullHeight) && InspectorMoveIsIdle(g_memo, wnd, pt.x, pt.y)) {
        return;
    }
    Desk desk;
    ReadDesk(&desk);
    g_memo = InspectorMemo(handle, wnd, desk, fullHeight);
    if (cornersStop && InTopCorner(desk, pt.x, pt.y)) return;
    switch (InspectorEdgeOp(wnd, desk, pt.x, pt.y)) {
        case EdgeOp::Show:
            PlaceWindow(AsWnd(g_state->InspectorWnd), InspectorSlideBackPlacement(wnd, desk, fullHeight));
            break;
        case EdgeOp::Hide: {
            const bool whenActive = g_state->HideInspectorWhenActive != 0;
            // The foreground window is asked only when its answer matters.
            const bool foreground =
                !whenActive && GetForegroundWindow() == AsWnd(g_state->InspectorWnd);
            if (InspectorMayHide(whenActive, foreground)) {
                PlaceWindow(AsWnd(g_state->InspectorWnd), InspectorHidePlacement(wnd, desk, fullHeight));
            }
            break;
        }
        case EdgeOp::None: break;
    }
}

void ForgetInspectorHome() { g_memo.wnd = 0; }

PNR_EXPORT void SetObjInspHidingMode(uint32_t eax) {
    if (!g_state) return;
    const uint8_t hiding = FlagFromEax(eax);
    g_state->ObjInspHiding = hiding;
    if (hiding) {
        HideInspector();
    } else {
        ShowInspector(true);
    }
}
