#include "toolbar_geometry.h"

Placement ToolBarHidePlacement(const Rect& wnd, int32_t workRight, bool menuActive) {
    if (menuActive) return kNoPlacement;
    if (wnd.bottom <= kStrip) return kNoPlacement;  // hidden already, or higher still
    const int32_t height = Height(wnd);
    return {true, 0, kStrip - height, workRight, height, kNoActivate};
}

Placement ToolBarShowPlacement(const Rect& wnd, int32_t workRight) {
    const int32_t height = Height(wnd);
    // A window the user placed lower keeps its place.
    const uint32_t flags = wnd.top < 0 ? kNoActivate : kRaiseOnly;
    return {true, 0, 0, workRight, height, flags};
}

EdgeOp ToolBarEdgeOp(const Rect& wnd, int32_t y) {
    if (ToolBarStripHit(y)) return EdgeOp::Show;
    const int32_t limit = wnd.bottom + Height(wnd) / 4;
    return y > limit ? EdgeOp::Hide : EdgeOp::None;
}
