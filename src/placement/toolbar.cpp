#include "toolbar.h"

#include "../discovery/discovery.h"
#include "../exports.h"
#include "../state/shared_state.h"
#include "dpi_context.h"
#include "place_window.h"
#include "read_desk.h"
#include "toolbar_geometry.h"

namespace {

// This process's memo of the main window's home monitor.
HomeMemo g_memo;

}  // namespace

void HideToolBar() {
    if (!g_state) return;
    const WindowDpiScope scope(AsWnd(g_state->AppBuilderWnd));
    RECT r;
    // Read first: a stale handle is repaired even while a menu loop runs.
    if (!ReadWindowRect(&g_state->AppBuilderWnd, &r)) return;
    Desk desk;
    ReadDesk(&desk);
    PlaceWindow(AsWnd(g_state->AppBuilderWnd),
                ToolBarHidePlacement(ToRect(r), desk, g_state->MenuActive != 0));
}

void ShowToolBar() {
    if (!g_state) return;
    const WindowDpiScope scope(AsWnd(g_state->AppBuilderWnd));
    RECT r;
    if (!ReadWindowRect(&g_state->AppBuilderWnd, &r)) return;
    Desk desk;
    ReadDesk(&desk);
    PlaceWindow(AsWnd(g_state->AppBuilderWnd), ToolBarShowPlacement(ToRect(r), desk));
}

void ToolBarEdgeTrigger(int32_t x, int32_t y, bool cornersStop) {
    if (!g_state) return;
    const WindowDpiScope scope(AsWnd(g_state->AppBuilderWnd));
    // One read of the rectangle decides and places: this runs on every mouse move.
    RECT r;
    if (!ReadWindowRect(&g_state->AppBuilderWnd, &r, Rediscovery::Throttled)) return;
    const Rect wnd = ToRect(r);
    const POINT pt = scope.FromThread({x, y});
    const uint32_t handle = g_state->AppBuilderWnd;
    if (MemoHolds(g_memo, handle, wnd, false) && ToolBarMoveIsIdle(g_memo, wnd, pt.x, pt.y)) return;
    Desk desk;
    ReadDesk(&desk);
    g_memo = ToolBarMemo(handle, wnd, desk);
    if (cornersStop && InTopCorner(desk, pt.x, pt.y)) return;
    switch (ToolBarEdgeOp(wnd, desk, pt.x, pt.y)) {
        case EdgeOp::Show:
            PlaceWindow(AsWnd(handle), ToolBarShowPlacement(wnd, desk));
            break;
        case EdgeOp::Hide:
            PlaceWindow(AsWnd(handle), ToolBarHidePlacement(wnd, desk, g_state->MenuActive != 0));
            break;
        case EdgeOp::None: break;
    }
}

void ForgetToolBarHome() { g_memo.wnd = 0; }

PNR_EXPORT void SetToolBarHidingMode(uint32_t eax) {
    if (!g_state) return;
    const uint8_t hiding = FlagFromEax(eax);
    g_state->ToolBarHiding = hiding;
    if (hiding) {
        HideToolBar();
    } else {
        ShowToolBar();
    }
}
