#include "toolbar.h"

#include "../discovery/discovery.h"
#include "../exports.h"
#include "../state/shared_state.h"
#include "place_window.h"
#include "toolbar_geometry.h"

void HideToolBar() {
    if (!g_state) return;
    RECT r;
    // Read first: a stale handle is repaired even while a menu loop runs.
    if (!ReadWindowRect(&g_state->AppBuilderWnd, &r)) return;
    PlaceWindow(AsWnd(g_state->AppBuilderWnd),
                ToolBarHidePlacement(ToRect(r), g_state->WorkRight, g_state->MenuActive != 0));
}

void ShowToolBar() {
    if (!g_state) return;
    RECT r;
    if (!ReadWindowRect(&g_state->AppBuilderWnd, &r)) return;
    PlaceWindow(AsWnd(g_state->AppBuilderWnd), ToolBarShowPlacement(ToRect(r), g_state->WorkRight));
}

void ToolBarEdgeTrigger(int32_t, int32_t y) {
    if (!g_state) return;
    // In the strip no rectangle is needed: this runs on every mouse move.
    if (ToolBarStripHit(y)) {
        ShowToolBar();
        return;
    }
    RECT r;
    if (!ReadWindowRect(&g_state->AppBuilderWnd, &r)) return;
    if (ToolBarEdgeOp(ToRect(r), y) == EdgeOp::Hide) HideToolBar();
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
