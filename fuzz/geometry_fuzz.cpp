// Drives the hide and show decisions of both windows with arbitrary window
// rectangles and work areas, applies each placement the way SetWindowPos
// would, and checks what the user sees: a hidden window leaves exactly a
// 5-pixel strip, hiding it again does nothing, and showing it puts its edge
// back where it belongs.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <initializer_list>

#include "placement/objinsp_geometry.h"
#include "placement/toolbar_geometry.h"

namespace {

struct Reader {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
    uint32_t word() {
        uint32_t w = 0;
        for (int i = 0; i < 4; ++i) w = (w << 8) | (pos < size ? data[pos++] : 0);
        return w;
    }
    // A value in [lo, hi].
    int32_t in(int32_t lo, int32_t hi) {
        return lo + static_cast<int32_t>(word() % static_cast<uint32_t>(hi - lo + 1));
    }
};

// The rectangle after SetWindowPos with this placement.
Rect Apply(const Rect& r, const Placement& p) {
    if (!p.act) return r;
    Rect out = r;
    if (!(p.flags & kNoMove)) {
        out = {p.x, p.y, p.x + Width(r), p.y + Height(r)};
    }
    if (!(p.flags & kNoSize)) {
        out.right = out.left + p.width;
        out.bottom = out.top + p.height;
    }
    return out;
}

[[noreturn]] void Fail(const char* what, const Rect& r, int32_t workRight, int32_t workBottom) {
    fprintf(stderr, "geometry property broken: %s (window %d,%d,%d,%d; work area %d x %d)\n", what,
            r.left, r.top, r.right, r.bottom, workRight, workBottom);
    abort();
}

void CheckToolBar(const Rect& r, int32_t workRight, int32_t workBottom, bool menuActive) {
    const Placement hide = ToolBarHidePlacement(r, workRight, menuActive);
    if (menuActive) {
        if (hide.act) Fail("tool bar hidden during a menu loop", r, workRight, workBottom);
        return;
    }
    if (r.bottom <= kStrip) {
        if (hide.act) Fail("a hidden tool bar was moved again", r, workRight, workBottom);
        return;
    }
    if (!hide.act || (hide.flags & kNoActivate) == 0)
        Fail("a shown tool bar was not hidden without activation", r, workRight, workBottom);
    const Rect hidden = Apply(r, hide);
    // Rows 0 to 4 stay on screen, across the whole work area.
    if (hidden.bottom != kStrip || hidden.top >= 0 || hidden.left != 0 || hidden.right != workRight ||
        Height(hidden) != Height(r))
        Fail("hidden tool bar does not leave a 5-row strip", r, workRight, workBottom);
    if (ToolBarHidePlacement(hidden, workRight, false).act)
        Fail("hiding the hidden tool bar moved it", r, workRight, workBottom);
    // The strip shows it; nothing between the strip and the limit hides it.
    for (int32_t y : {-1, 0, kStrip - 1})
        if (ToolBarEdgeOp(hidden, y) != EdgeOp::Show) Fail("strip does not show the tool bar", r, workRight, workBottom);
    const Rect shown = Apply(hidden, ToolBarShowPlacement(hidden, workRight));
    if (shown.top != 0 || shown.left != 0 || shown.right != workRight || Height(shown) != Height(r))
        Fail("show after hide did not bring the tool bar to the top edge", r, workRight, workBottom);
    // A pointer that hides the shown window never shows the hidden one: no flicker.
    const int32_t y = r.bottom + Height(r) / 4 + 1;
    if (r.top >= 0 && ToolBarEdgeOp(r, y) == EdgeOp::Hide && ToolBarEdgeOp(hidden, y) == EdgeOp::Show)
        Fail("a hiding pointer shows the hidden tool bar", r, workRight, workBottom);
    // A window lower on screen is only raised, never moved.
    const Placement raise = ToolBarShowPlacement(r, workRight);
    if (r.top >= 0 && (raise.flags & (kNoMove | kNoSize)) != (kNoMove | kNoSize))
        Fail("show moved a tool bar that was on screen", r, workRight, workBottom);
}

void CheckInspector(const Rect& r, int32_t workRight, int32_t workBottom, bool fullHeight) {
    const Side side = InspectorSide(r, workRight);
    const Placement hide = InspectorHidePlacement(r, workRight, workBottom, fullHeight);
    const bool alreadyHidden = side == Side::Left ? r.right <= kStrip : workRight - r.left <= kStrip;
    if (alreadyHidden) {
        if (hide.act) Fail("a hidden inspector was moved again", r, workRight, workBottom);
        return;
    }
    if (!hide.act || (hide.flags & kNoActivate) == 0)
        Fail("a shown inspector was not hidden without activation", r, workRight, workBottom);
    const Rect hidden = Apply(r, hide);
    // Exactly five columns stay inside the work area, on the window's own side.
    const int32_t onScreen = side == Side::Left ? hidden.right : workRight - hidden.left;
    if (onScreen != kStrip || Width(hidden) != Width(r))
        Fail("hidden inspector does not leave a 5-column strip", r, workRight, workBottom);
    if (fullHeight ? (hidden.top != 0 || hidden.bottom != workBottom)
                   : (hidden.top != r.top || hidden.bottom != r.bottom))
        Fail("hiding changed the inspector's rows wrongly", r, workRight, workBottom);
    if (InspectorSide(hidden, workRight) != side) Fail("the hidden inspector changed sides", r, workRight, workBottom);
    if (InspectorHidePlacement(hidden, workRight, workBottom, fullHeight).act)
        Fail("hiding the hidden inspector moved it", r, workRight, workBottom);
    // Its strip shows it.
    const int32_t stripX = side == Side::Left ? 0 : workRight - 1;
    if (InspectorEdgeOp(hidden, stripX, workRight) != EdgeOp::Show)
        Fail("the strip does not show the inspector", r, workRight, workBottom);
    const Rect shown = Apply(hidden, InspectorSlideBackPlacement(hidden, workRight, workBottom, fullHeight));
    const bool atEdge = side == Side::Left ? shown.left == 0 : shown.right == workRight;
    if (!atEdge || Width(shown) != Width(r)) Fail("show after hide did not restore the edge", r, workRight, workBottom);
    if (fullHeight ? (shown.top != 0 || shown.bottom != workBottom)
                   : (shown.top != r.top || shown.bottom != r.bottom))
        Fail("show after hide changed the inspector's rows wrongly", r, workRight, workBottom);
    // A window that stood against its edge comes back exactly there.
    if ((side == Side::Left ? r.left == 0 : r.right == workRight) && (shown.left != r.left || shown.right != r.right))
        Fail("show after hide did not restore the column", r, workRight, workBottom);
    // Hysteresis: a pointer that hides the inspector standing at its edge
    // never shows it once hidden.
    if (side == Side::Left ? r.left == 0 : r.right == workRight) {
        for (int32_t x = -2; x <= workRight + 1; x += (workRight / 97) + 1) {
            if (InspectorEdgeOp(r, x, workRight) == EdgeOp::Hide && InspectorEdgeOp(hidden, x, workRight) == EdgeOp::Show)
                Fail("a hiding pointer shows the hidden inspector", r, workRight, workBottom);
        }
    }
    // Full placement: against the edge, below the main window, to the bottom.
    const Rect main = {0, 0, workRight, 40};
    const Rect placed = Apply(r, InspectorFullPlacement(r, &main, workRight, workBottom));
    if (placed.top != Height(main) || placed.bottom != workBottom || Width(placed) != Width(r) ||
        !(side == Side::Left ? placed.left == 0 : placed.right == workRight))
        Fail("full placement is not against the edge below the main window", r, workRight, workBottom);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader in{data, size};
    // Sizes a desktop can have: windows wider than 5 pixels and no wider than
    // the work area, placed anywhere within a few screens of it.
    const int32_t workRight = in.in(12, 16384);
    const int32_t workBottom = in.in(12, 16384);
    const uint32_t flags = in.word();

    const int32_t tbHeight = in.in(kStrip + 1, 2 * workBottom);
    const int32_t tbLeft = in.in(-2 * workRight, 2 * workRight);
    const int32_t tbTop = in.in(-2 * workBottom, 2 * workBottom);
    const int32_t tbWidth = in.in(1, 2 * workRight);
    CheckToolBar({tbLeft, tbTop, tbLeft + tbWidth, tbTop + tbHeight}, workRight, workBottom, flags & 1);

    const int32_t width = in.in(kStrip + 1, workRight);
    const int32_t height = in.in(1, 2 * workBottom);
    int32_t left = in.in(-width, workRight);
    // Often against one of the edges, where a shown inspector usually stands.
    if (flags & 4) left = (flags & 8) ? 0 : workRight - width;
    const int32_t top = in.in(-workBottom, workBottom);
    CheckInspector({left, top, left + width, top + height}, workRight, workBottom, flags & 2);
    return 0;
}
