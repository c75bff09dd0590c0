#include "objinsp_geometry.h"

Side InspectorSide(const Rect& wnd, int32_t workRight) {
    const int32_t centre = wnd.left + Width(wnd) / 2;
    return centre > workRight / 2 ? Side::Right : Side::Left;
}

// A move to column x: with full height to the top and the work area's
// height, otherwise keeping the window's top and size.
static Placement MoveTo(const Rect& wnd, int32_t x, int32_t workBottom, bool fullHeight) {
    if (fullHeight) return {true, x, 0, Width(wnd), workBottom, kNoActivate};
    return {true, x, wnd.top, Width(wnd), Height(wnd), kNoSize | kNoActivate};
}

Placement InspectorHidePlacement(const Rect& wnd, int32_t workRight, int32_t workBottom,
                                 bool fullHeight) {
    int32_t x;
    if (InspectorSide(wnd, workRight) == Side::Left) {
        if (wnd.right <= kStrip) return kNoPlacement;
        x = kStrip - Width(wnd);
    } else {
        if (workRight - wnd.left <= kStrip) return kNoPlacement;
        x = workRight - kStrip;
    }
    return MoveTo(wnd, x, workBottom, fullHeight);
}

Placement InspectorSlideBackPlacement(const Rect& wnd, int32_t workRight, int32_t workBottom,
                                      bool fullHeight) {
    int32_t x;
    if (InspectorSide(wnd, workRight) == Side::Left) {
        if (wnd.left >= 0) return {true, wnd.left, wnd.top, Width(wnd), Height(wnd), kRaiseOnly};
        x = 0;
    } else {
        if (wnd.right <= workRight) {
            return {true, wnd.left, wnd.top, Width(wnd), Height(wnd), kRaiseOnly};
        }
        x = workRight - Width(wnd);
    }
    return MoveTo(wnd, x, workBottom, fullHeight);
}

Placement InspectorFullPlacement(const Rect& wnd, const Rect* main, int32_t workRight,
                                 int32_t workBottom) {
    // The main window's height, not its bottom: a hidden main window still
    // counts as shown.
    const int32_t mainHeight = main ? Height(*main) : kFallbackMainHeight;
    const int32_t width = Width(wnd);
    const int32_t x = InspectorSide(wnd, workRight) == Side::Left ? 0 : workRight - width;
    return {true, x, mainHeight, width, workBottom - mainHeight, kNoActivate};
}

EdgeOp InspectorEdgeOp(const Rect& wnd, int32_t x, int32_t workRight) {
    const int32_t width = Width(wnd);
    if (InspectorSide(wnd, workRight) == Side::Left) {
        if (x < kStrip) return EdgeOp::Show;
        return x > wnd.right + width / 4 ? EdgeOp::Hide : EdgeOp::None;
    }
    // The right side is no mirror of the left: four columns show it, and the
    // hide limit is measured from the work area's edge, not the window's.
    if (x > workRight - kStrip) return EdgeOp::Show;
    return x < workRight - (width + width / 4) ? EdgeOp::Hide : EdgeOp::None;
}
