// Scaled displays and changing work areas: the conversion of a hook's point
// between DPI contexts, the quick decision a process makes from its memo of
// a window's home monitor, and the places a work-area change asks for.
#include <gtest/gtest.h>

#include <climits>

#include "placement/dpi_scale.h"
#include "placement/objinsp_geometry.h"
#include "placement/toolbar_geometry.h"
#include "placement_expect.h"

namespace {

TEST(DpiScale, ConvertsAsWindowsVirtualises) {
    struct Case {
        int32_t value, toDpi, fromDpi, expected;
    };
    const Case cases[] = {
        {800, 96, 144, 533},        // physical 800 at 150 %, as an unaware IDE sees it
        {1023, 96, 144, 682},       // the last physical column: the IDE's last logical one
        {1020, 96, 144, 680},
        {2, 96, 144, 1},
        {0, 96, 144, 0},
        {-1, 96, 144, -1},          // -0.67: half away from zero, as MulDiv rounds
        {-195, 144, 96, -293},      // -292.5
        {683, 144, 96, 1025},       // 1024.5
        {1023, 96, 120, 818},       // 125 %
        {500, 144, 144, 500},       // one context: unchanged
        {500, 0, 144, 500},         // no DPI known: unchanged
        {500, 96, -1, 500},
        {INT32_MAX, 144, 96, INT32_MAX},  // held at the 32-bit limits, never wrapped
        {INT32_MIN, 144, 96, INT32_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScaleCoordinate(c.value, c.toDpi, c.fromDpi), c.expected)
            << c.value << " from " << c.fromDpi << " to " << c.toDpi << " DPI";
    }
}

Desk Make(std::initializer_list<Monitor> monitors) {
    Desk desk = {};
    for (const Monitor& m : monitors) desk.monitors[desk.count++] = m;
    return desk;
}

constexpr Rect kScreen = {0, 0, 1024, 768};
// The desks a process may see: one screen, a bar along the top, a
// neighbour at the right, one above, and the 150 % screen as an unaware
// process sees it.
const Desk kDesks[] = {
    Make({{kScreen, kScreen}}),
    Make({{kScreen, {0, 40, 1024, 768}}}),
    Make({{kScreen, kScreen}, {{1024, 0, 2048, 768}, {1024, 0, 2048, 768}}}),
    Make({{kScreen, kScreen}, {{0, -768, 1024, 0}, {0, -768, 1024, 0}}}),
    Make({{{0, 0, 683, 512}, {0, 0, 683, 512}}}),
};

// Where the full decision on the desk places nothing.
bool ToolBarMoveDoesNothing(const Rect& wnd, const Desk& desk, int32_t x, int32_t y) {
    if (InTopCorner(desk, x, y)) return true;
    switch (ToolBarEdgeOp(wnd, desk, x, y)) {
        case EdgeOp::None: return true;
        case EdgeOp::Hide: return !ToolBarHidePlacement(wnd, desk, false).act;
        case EdgeOp::Show: break;
    }
    return false;
}

bool InspectorMoveDoesNothing(const Rect& wnd, const Desk& desk, int32_t x, int32_t y) {
    if (InTopCorner(desk, x, y)) return true;
    switch (InspectorEdgeOp(wnd, desk, x, y)) {
        case EdgeOp::None: return true;
        case EdgeOp::Hide: return !InspectorHidePlacement(wnd, desk, false).act;
        case EdgeOp::Show: break;
    }
    return false;
}

// Every window the rules leave: shown at the top or a side, hidden there,
// and one the user dragged elsewhere.
Rect MainWindows(const Desk& desk, int i) {
    const Rect& work = desk.monitors[0].work;
    const Rect shown = {work.left, work.top, work.right, work.top + 67};
    const Rect rects[] = {shown, {work.left, work.top + kStrip - 67, work.right, work.top + kStrip},
                          {100, 300, 700, 400}};
    return rects[i];
}

Rect Inspectors(const Desk& desk, int i) {
    const Rect& work = desk.monitors[0].work;
    const Rect rects[] = {{work.left, 67, work.left + 200, 367},
                          {work.left + kStrip - 200, 67, work.left + kStrip, 367},
                          {work.right - 200, 67, work.right, 367},
                          {work.right - kStrip, 67, work.right - kStrip + 200, 367},
                          {300, 200, 500, 500}};
    return rects[i];
}

// The memo may only ever spare a move that the whole desk would leave alone.
TEST(HomeMemo, AQuickDecisionIsIdleOnlyWhereTheDeskAgrees) {
    int quick = 0, checked = 0;
    for (const Desk& desk : kDesks) {
        for (int32_t y = -30; y <= 800; y += 3) {
            for (int32_t x = -40; x <= 2100; x += 7) {
                for (int i = 0; i < 3; ++i) {
                    const Rect wnd = MainWindows(desk, i);
                    const HomeMemo memo = ToolBarMemo(1, wnd, desk);
                    ASSERT_TRUE(MemoHolds(memo, 1, wnd, false));
                    if (ToolBarMoveIsIdle(memo, wnd, x, y)) {
                        ++quick;
                        ASSERT_TRUE(ToolBarMoveDoesNothing(wnd, desk, x, y))
                            << "main window " << i << " at " << x << "," << y;
                    }
                    ++checked;
                }
                for (int i = 0; i < 5; ++i) {
                    const Rect wnd = Inspectors(desk, i);
                    const HomeMemo memo = InspectorMemo(1, wnd, desk, false);
                    if (InspectorMoveIsIdle(memo, wnd, x, y)) {
                        ++quick;
                        ASSERT_TRUE(InspectorMoveDoesNothing(wnd, desk, x, y))
                            << "inspector " << i << " at " << x << "," << y;
                    }
                    ++checked;
                }
            }
        }
    }
    // Over this grid (much of it where a shown window must hide) the memo
    // spares two moves in five; a memo that spared nothing would fail here.
    EXPECT_GT(quick, checked / 3) << quick << " of " << checked;
}

TEST(HomeMemo, TheCommonestMovesAreQuickAndTheStripsAreNot) {
    const Desk& desk = kDesks[0];
    const Rect hiddenMain = {0, -95, 1024, 5}, shownMain = {0, 0, 1024, 100};
    const Rect hiddenLeft = {-195, 100, 5, 600};
    struct Case {
        const char* what;
        bool inspector;
        Rect wnd;
        int32_t x, y;
        bool idle;
    };
    const Case cases[] = {
        {"main window hidden, pointer far below", false, hiddenMain, 500, 600, true},
        {"main window shown, pointer in the neutral band", false, shownMain, 500, 110, true},
        {"main window hidden, pointer in the strip", false, hiddenMain, 500, 2, false},
        {"main window shown, pointer past its limit", false, shownMain, 500, 126, false},
        {"inspector hidden, pointer far right", true, hiddenLeft, 700, 300, true},
        {"inspector hidden, pointer in its strip", true, hiddenLeft, 2, 300, false},
    };
    for (const Case& c : cases) {
        const HomeMemo memo = c.inspector ? InspectorMemo(7, c.wnd, desk, false)
                                          : ToolBarMemo(7, c.wnd, desk);
        const bool idle = c.inspector ? InspectorMoveIsIdle(memo, c.wnd, c.x, c.y)
                                      : ToolBarMoveIsIdle(memo, c.wnd, c.x, c.y);
        EXPECT_EQ(idle, c.idle) << c.what;
    }
}

TEST(HomeMemo, HoldsOnlyForTheSameWindowRectangleAndSetting) {
    const Rect wnd = {-195, 100, 5, 600};
    const HomeMemo memo = InspectorMemo(7, wnd, kDesks[0], false);
    EXPECT_TRUE(MemoHolds(memo, 7, wnd, false));
    EXPECT_FALSE(MemoHolds(memo, 8, wnd, false));               // another window
    EXPECT_FALSE(MemoHolds(memo, 7, {-194, 100, 6, 600}, false));  // moved
    EXPECT_FALSE(MemoHolds(memo, 7, wnd, true));                // full height now
    EXPECT_FALSE(MemoHolds(HomeMemo{}, 0, {}, false));         // nothing remembered
}

// A task bar moved, resized or hidden while both windows are hidden: the
// rules applied again on the new work area.
TEST(WorkAreaChange, HiddenWindowsFollowTheNewEdges) {
    const Desk barTop = Make({{kScreen, {0, 40, 1024, 768}}});
    const Desk barLeft = Make({{kScreen, {60, 0, 1024, 768}}});
    const Desk barRight = Make({{kScreen, {0, 0, 984, 768}}});
    const Desk noBar = Make({{kScreen, kScreen}});
    struct Case {
        const char* what;
        const Desk& desk;
        bool inspector;
        Rect wnd;
        Placement expected;
    };
    const Case cases[] = {
        {"bar moved to the top: main window hides below it", barTop, false, {0, -95, 1024, 5},
         {true, 0, -55, 1024, 100, kNoActivate}},
        {"bar gone from the top: main window hides at the screen's edge", noBar, false,
         {0, -55, 1024, 45}, {true, 0, -95, 1024, 100, kNoActivate}},
        {"bar moved to the left: inspector hides beside it", barLeft, true, {-195, 100, 5, 600},
         {true, -135, 100, 200, 500, kNoSize | kNoActivate}},
        {"right edge drawn in: inspector hides at the new edge", barRight, true,
         {1019, 100, 1219, 600}, {true, 979, 100, 200, 500, kNoSize | kNoActivate}},
        {"no change: nothing moves", noBar, true, {-195, 100, 5, 600}, kNoPlacement},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectPlacement(c.inspector ? InspectorHidePlacement(c.wnd, c.desk, false)
                                    : ToolBarHidePlacement(c.wnd, c.desk, false),
                        c.expected);
    }
}

}  // namespace
