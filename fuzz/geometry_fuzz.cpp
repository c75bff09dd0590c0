// Drives the hide and show decisions of both windows with arbitrary window
// rectangles on desks of one to three monitors, applies each placement the
// way SetWindowPos would, and checks what the user sees: a hidden window
// leaves exactly a 5-pixel strip on its home monitor and shows on no other,
// hiding it again does nothing, its strip shows it, showing it puts its edge
// back, and a pointer on another monitor never shows it.
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
    if (!(p.flags & kNoMove)) out = {p.x, p.y, p.x + Width(r), p.y + Height(r)};
    if (!(p.flags & kNoSize)) {
        out.right = out.left + p.width;
        out.bottom = out.top + p.height;
    }
    return out;
}

[[noreturn]] void Fail(const char* what, const Rect& r, const Desk& desk) {
    fprintf(stderr, "geometry property broken: %s (window %d,%d,%d,%d)\n", what, r.left, r.top,
            r.right, r.bottom);
    for (int32_t i = 0; i < desk.count; ++i) {
        const Monitor& m = desk.monitors[i];
        fprintf(stderr, "  monitor %d,%d,%d,%d work %d,%d,%d,%d\n", m.area.left, m.area.top,
                m.area.right, m.area.bottom, m.work.left, m.work.top, m.work.right, m.work.bottom);
    }
    abort();
}

// A point of each monitor other than `home`, where no window may show.
template <class Op>
void CheckOtherMonitors(const Desk& desk, const Monitor& home, const Rect& r, Op op) {
    for (int32_t i = 0; i < desk.count; ++i) {
        const Rect& a = desk.monitors[i].area;
        if (&desk.monitors[i] == &home) continue;
        for (const int32_t x : {a.left, a.right - 1}) {
            for (const int32_t y : {a.top, a.bottom - 1}) {
                if (op(x, y) == EdgeOp::Show) Fail("a pointer on another monitor shows", r, desk);
            }
        }
    }
}

void CheckToolBar(const Rect& r, const Desk& desk, bool menuActive) {
    const Placement hide = ToolBarHidePlacement(r, desk, menuActive);
    if (menuActive) {
        if (hide.act) Fail("tool bar moved during a menu loop", r, desk);
        return;
    }
    const Monitor& home = ToolBarHome(desk, r);
    const Rect& work = home.work;
    CheckOtherMonitors(desk, home, r, [&](int32_t x, int32_t y) { return ToolBarEdgeOp(r, desk, x, y); });
    // A window on no monitor goes to the nearest one; only the pointer rule holds there.
    if (!hide.act || !Overlap(r, home.area)) return;
    if ((hide.flags & kNoActivate) == 0) Fail("tool bar placed with activation", r, desk);
    const Rect placed = Apply(r, hide);
    if (Height(placed) != Height(r) || placed.left != work.left || placed.right != work.right)
        Fail("tool bar not placed across its work area", r, desk);
    if (placed.top == work.top) return;  // no free edge: brought back instead
    // Rows work.top to work.top + 4 stay, on the home monitor alone.
    if (placed.bottom != work.top + kStrip) Fail("hidden tool bar leaves no 5-row strip", r, desk);
    if (ReachesAnotherMonitor(desk, home, placed)) Fail("hidden tool bar shows on another monitor", r, desk);
    if (&ToolBarHome(desk, placed) != &home) Fail("hiding changed the tool bar's home", r, desk);
    if (ToolBarHidePlacement(placed, desk, false).act) Fail("hiding the hidden tool bar moved it", r, desk);
    if (ToolBarEdgeOp(placed, desk, work.left, work.top) != EdgeOp::Show)
        Fail("strip does not show the tool bar", r, desk);
    const Rect shown = Apply(placed, ToolBarShowPlacement(placed, desk));
    if (shown.top != work.top || shown.left != work.left || shown.right != work.right)
        Fail("show after hide did not bring the tool bar to the top edge", r, desk);
}

void CheckInspector(const Rect& r, const Desk& desk, bool fullHeight) {
    const Monitor& home = InspectorHome(desk, r);
    const Rect& work = home.work;
    CheckOtherMonitors(desk, home, r, [&](int32_t x, int32_t y) { return InspectorEdgeOp(r, desk, x, y); });
    const Placement hide = InspectorHidePlacement(r, desk, fullHeight);
    if (!hide.act || !Overlap(r, home.area)) return;
    if ((hide.flags & kNoActivate) == 0) Fail("inspector placed with activation", r, desk);
    const Rect placed = Apply(r, hide);
    if (Width(placed) != Width(r)) Fail("hiding changed the inspector's width", r, desk);
    if (fullHeight ? (placed.top != work.top || placed.bottom != work.bottom)
                   : (placed.top != r.top || placed.bottom != r.bottom))
        Fail("hiding changed the inspector's rows wrongly", r, desk);
    if (placed.left == work.left || placed.right == work.right) return;  // brought back
    const bool left = placed.right == work.left + kStrip;
    if (!left && placed.left != work.right - kStrip) Fail("hidden inspector leaves no 5-column strip", r, desk);
    if (ReachesAnotherMonitor(desk, home, placed)) Fail("hidden inspector shows on another monitor", r, desk);
    if (&InspectorHome(desk, placed) != &home) Fail("hiding changed the inspector's home", r, desk);
    if (InspectorHidePlacement(placed, desk, fullHeight).act) Fail("hiding the hidden inspector moved it", r, desk);
    // Its strip shows it, on a row of the home monitor.
    const int32_t y = placed.top > home.area.top ? placed.top : home.area.top;
    if (y < home.area.bottom && y < placed.bottom &&
        InspectorEdgeOp(placed, desk, left ? work.left : work.right - 1, y) != EdgeOp::Show)
        Fail("the strip does not show the inspector", r, desk);
    const Rect shown = Apply(placed, InspectorSlideBackPlacement(placed, desk, fullHeight));
    if (left ? shown.left != work.left : shown.right != work.right)
        Fail("show after hide did not restore the edge", r, desk);
}

// A monitor beside `m` on one of its four sides, shifted along it.
Rect Beside(const Rect& m, uint32_t side, int32_t w, int32_t h, int32_t shift) {
    switch (side % 4) {
        case 0: return {m.right, m.top + shift, m.right + w, m.top + shift + h};
        case 1: return {m.left - w, m.top + shift, m.left, m.top + shift + h};
        case 2: return {m.left + shift, m.top - h, m.left + shift + w, m.top};
        default: return {m.left + shift, m.bottom, m.left + shift + w, m.bottom + h};
    }
}

// Its work area: the monitor less a bar along one side, or all of it.
Rect WorkOf(const Rect& area, Reader& in) {
    Rect work = area;
    const int32_t bar = in.in(0, 60);
    switch (in.word() % 6) {
        case 0: work.top += bar; break;
        case 1: work.bottom -= bar; break;
        case 2: work.left += bar; break;
        case 3: work.right -= bar; break;
        default: break;
    }
    return work;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Reader in{data, size};
    Desk desk = {};
    const Rect primary = {0, 0, in.in(200, 8192), in.in(200, 8192)};
    desk.monitors[0] = {primary, WorkOf(primary, in)};
    desk.count = 1;
    const uint32_t layout = in.word();
    for (int32_t i = 1; i <= static_cast<int32_t>(layout % 3); ++i) {
        const int32_t w = in.in(200, 8192), h = in.in(200, 8192);
        const Rect area = Beside(desk.monitors[i - 1].area, in.word(), w, h, in.in(-h / 2, h / 2));
        // Monitors never overlap.
        bool overlaps = false;
        for (int32_t j = 0; j < desk.count; ++j) overlaps |= Overlap(area, desk.monitors[j].area);
        if (overlaps) break;
        desk.monitors[desk.count++] = {area, WorkOf(area, in)};
    }
    const uint32_t flags = in.word();
    const Rect& home = desk.monitors[in.word() % desk.count].work;
    const int32_t span = Width(home), rows = Height(home);

    const int32_t tbLeft = in.in(home.left - span, home.right);
    const int32_t tbTop = in.in(home.top - rows, home.bottom);
    const int32_t tbWidth = in.in(1, 2 * span), tbHeight = in.in(kStrip + 1, rows);
    CheckToolBar({tbLeft, tbTop, tbLeft + tbWidth, tbTop + tbHeight}, desk, flags & 1);

    const int32_t width = in.in(kStrip + 1, span), height = in.in(1, rows);
    int32_t left = in.in(home.left - width, home.right);
    // Often against one of the edges, where a shown inspector usually stands.
    if (flags & 4) left = (flags & 8) ? home.left : home.right - width;
    const int32_t top = in.in(home.top - rows / 2, home.bottom - 1);
    CheckInspector({left, top, left + width, top + height}, desk, flags & 2);
    return 0;
}
