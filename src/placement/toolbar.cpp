#include "toolbar.h"

#include "../discovery/discovery.h"
#include "../exports.h"
#include "../state/shared_state.h"
#include "place_window.h"
#include "read_desk.h"
#include "toolbar_geometry.h"

void HideToolBar() {
    if (!g_state) return;
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
    RECT r;
    if (!ReadWindowRect(&g_state->AppBuilderWnd, &r)) return;
    Desk desk;
    ReadDesk(&desk);
    PlaceWindow(AsWnd(g_state->AppBuilderWnd), ToolBarShowPlacement(ToRect(r), desk));
}

void ToolBarEdgeTrigger(const Desk& desk, int32_t x, int32_t y) {
    if (!g_state) return;
    // One read of the rectangle decides and places: this runs on every mouse move.
    RECT r;
    if (!ReadWindowRect(&g_state->AppBuilderWnd, &r)) return;
    const Rect wnd = ToRect(r);
    switch (ToolBarEdgeOp(wnd, desk, x, y)) {
        case EdgeOp::Show:
            PlaceWindow(AsWnd(g_state->AppBuilderWnd), ToolBarShowPlacement(wnd, desk));
            break;
        case EdgeOp::Hide:
            PlaceWindow(AsWnd(g_state->AppBuilderWnd),
                        ToolBarHidePlacement(wnd, desk, g_state->MenuActive != 0));
            break;
        case EdgeOp::None: break;
    }
}

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
