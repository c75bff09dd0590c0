// Both windows on desks of several monitors: each keeps to its home monitor,
// hides only off an edge that no other monitor adjoins, and shows only for a
// pointer on its home monitor. Monitors 1024 x 768; the primary at (0,0).
#include <gtest/gtest.h>

#include "placement/objinsp_geometry.h"
#include "placement/toolbar_geometry.h"
#include "placement_expect.h"

namespace {

constexpr Rect kPrimary = {0, 0, 1024, 768};

Desk Make(std::initializer_list<Monitor> monitors) {
    Desk desk = {};
    for (const Monitor& m : monitors) desk.monitors[desk.count++] = m;
    return desk;
}

const Desk kRight = Make({{kPrimary, kPrimary}, {{1024, 0, 2048, 768}, {1024, 0, 2048, 768}}});
const Desk kLeft = Make({{kPrimary, kPrimary}, {{-1024, 0, 0, 768}, {-1024, 0, 0, 768}}});
const Desk kAbove = Make({{kPrimary, kPrimary}, {{0, -768, 1024, 0}, {0, -768, 1024, 0}}});
const Desk kBothSides = Make({{kPrimary, kPrimary}, {{-1024, 0, 0, 768}, {-1024, 0, 0, 768}},
                              {{1024, 0, 2048, 768}, {1024, 0, 2048, 768}}});
// A task bar 40 high along the top of the primary monitor.
const Desk kTopBar = Make({{kPrimary, {0, 40, 1024, 768}}, {{1024, 0, 2048, 768}, {1024, 0, 2048, 768}}});

constexpr Rect kMain = {0, 0, 1024, 100};
constexpr Rect kMainHidden = {0, -95, 1024, 5};
constexpr Rect kMainOnSecond = {1024, 0, 2048, 100};
constexpr Rect kInspLeft = {0, 100, 200, 600};
constexpr Rect kInspLeftHidden = {-195, 100, 5, 600};
constexpr Rect kInspRight = {824, 100, 1024, 600};
constexpr Rect kInspRightHidden = {1019, 100, 1219, 600};
constexpr Rect kInspOnSecond = {1848, 100, 2048, 600};

enum class Op { ToolBarHide, ToolBarShow, InspectorHide, InspectorHideFull, InspectorSlideBack };

struct PlaceCase {
    const char* what;
    const Desk& desk;
    Op op;
    Rect wnd;
    Placement expected;
};

Placement Decide(const PlaceCase& c) {
    switch (c.op) {
        case Op::ToolBarHide: return ToolBarHidePlacement(c.wnd, c.desk, false);
        case Op::ToolBarShow: return ToolBarShowPlacement(c.wnd, c.desk);
        case Op::InspectorHide: return InspectorHidePlacement(c.wnd, c.desk, false);
        case Op::InspectorHideFull: return InspectorHidePlacement(c.wnd, c.desk, true);
        case Op::InspectorSlideBack: return InspectorSlideBackPlacement(c.wnd, c.desk, false);
    }
    return kNoPlacement;
}

TEST(Desks, PlacementsKeepToTheHomeMonitorAndAFreeEdge) {
    const PlaceCase cases[] = {
        {"main window, neighbour right: hides off the top", kRight, Op::ToolBarHide, kMain,
         {true, 0, -95, 1024, 100, 0x0010}},
        {"main window, neighbour above: stays", kAbove, Op::ToolBarHide, kMain, kNoPlacement},
        {"main window hidden, neighbour added above: comes back", kAbove, Op::ToolBarHide,
         kMainHidden, {true, 0, 0, 1024, 100, 0x0010}},
        {"main window on the second monitor hides there", kRight, Op::ToolBarHide, kMainOnSecond,
         {true, 1024, -95, 1024, 100, 0x0010}},
        {"main window on the second monitor shows there", kRight, Op::ToolBarShow,
         {1024, -95, 2048, 5}, {true, 1024, 0, 1024, 100, 0x0010}},
        {"top bar: hides to the work area's top + 5", kTopBar, Op::ToolBarHide, kMain,
         {true, 0, -55, 1024, 100, 0x0010}},
        {"top bar: hidden there already", kTopBar, Op::ToolBarHide, {0, -55, 1024, 45},
         kNoPlacement},
        {"top bar: shows below the bar", kTopBar, Op::ToolBarShow, {0, -55, 1024, 45},
         {true, 0, 40, 1024, 100, 0x0010}},
        {"top bar: a window under the bar moves below it", kTopBar, Op::ToolBarShow, kMain,
         {true, 0, 40, 1024, 100, 0x0010}},
        {"inspector at the right, neighbour right: lives at the left", kRight, Op::InspectorHide,
         kInspRight, {true, -195, 100, 200, 500, 0x0011}},
        {"the same, full height", kRight, Op::InspectorHideFull, kInspRight,
         {true, -195, 0, 200, 768, 0x0010}},
        {"hidden right, neighbour added right: moves to the left", kRight, Op::InspectorHide,
         kInspRightHidden, {true, -195, 100, 200, 500, 0x0011}},
        {"inspector at the left, neighbour left: lives at the right", kLeft, Op::InspectorHide,
         kInspLeft, {true, 1019, 100, 200, 500, 0x0011}},
        {"neighbours on both sides: stays", kBothSides, Op::InspectorHide, kInspLeft,
         kNoPlacement},
        {"neighbours on both sides, hidden: comes back", kBothSides, Op::InspectorHide,
         kInspLeftHidden, {true, 0, 100, 200, 500, 0x0011}},
        {"inspector on the second monitor hides off its outer edge", kRight, Op::InspectorHide,
         kInspOnSecond, {true, 2043, 100, 200, 500, 0x0011}},
        {"and slides back there", kRight, Op::InspectorSlideBack, {2043, 100, 2243, 600},
         {true, 1848, 100, 200, 500, 0x0011}},
        {"a neighbour beside other rows leaves the edge free",
         Make({{kPrimary, kPrimary}, {{1024, 600, 2048, 1368}, {1024, 600, 2048, 1368}}}),
         Op::InspectorHide, kInspRight, {true, 1019, 100, 200, 500, 0x0011}},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectPlacement(Decide(c), c.expected);
    }
}

enum class Window { Main, Inspector };

struct TriggerCase {
    const char* what;
    const Desk& desk;
    Window window;
    Rect wnd;
    int32_t x, y;
    EdgeOp expected;
};

TEST(Desks, OnlyThePointerOnTheHomeMonitorShowsAWindow) {
    const TriggerCase cases[] = {
        {"neighbour above: its rows show nothing", kAbove, Window::Main, kMainHidden, 512, -384,
         EdgeOp::None},
        {"neighbour left: its top rows show nothing", kLeft, Window::Main, kMainHidden, -500, 2,
         EdgeOp::None},
        {"the strip of the primary still shows", kRight, Window::Main, kMainHidden, 500, 2,
         EdgeOp::Show},
        {"on the second monitor: the primary's strip shows nothing", kRight, Window::Main,
         {1024, -95, 2048, 5}, 500, 2, EdgeOp::None},
        {"on the second monitor: its own strip shows", kRight, Window::Main, {1024, -95, 2048, 5},
         1500, 2, EdgeOp::Show},
        {"top bar: over the bar shows", kTopBar, Window::Main, {0, -55, 1024, 45}, 500, 2,
         EdgeOp::Show},
        {"top bar: the strip's last row", kTopBar, Window::Main, {0, -55, 1024, 45}, 500, 44,
         EdgeOp::Show},
        {"top bar: below the strip", kTopBar, Window::Main, {0, -55, 1024, 45}, 500, 45,
         EdgeOp::None},
        {"outside every monitor: above the strip, as on one monitor", kRight, Window::Main,
         kMainHidden, 500, -20, EdgeOp::Show},
        {"neighbour right: its columns show nothing", kRight, Window::Inspector, kInspRightHidden,
         1536, 384, EdgeOp::None},
        {"neighbour left: its columns show nothing", kLeft, Window::Inspector, kInspLeftHidden,
         -512, 384, EdgeOp::None},
        {"leaving for the neighbour hides", kRight, Window::Inspector, kInspLeft, 1536, 384,
         EdgeOp::Hide},
        {"on the second monitor: its outer strip shows", kRight, Window::Inspector,
         {2043, 100, 2243, 600}, 2045, 300, EdgeOp::Show},
        {"on the second monitor: the primary's right strip shows nothing", kRight,
         Window::Inspector, {2043, 100, 2243, 600}, 1021, 300, EdgeOp::Hide},
    };
    for (const TriggerCase& c : cases) {
        SCOPED_TRACE(c.what);
        const EdgeOp op = c.window == Window::Main ? ToolBarEdgeOp(c.wnd, c.desk, c.x, c.y)
                                                   : InspectorEdgeOp(c.wnd, c.desk, c.x, c.y);
        EXPECT_STREQ(OpName(op), OpName(c.expected));
    }
}

TEST(Desks, HomeAndCorners) {
    // Most of the window decides, else the nearest monitor.
    EXPECT_EQ(&MonitorHoldingMost(kRight, {900, 0, 1300, 100}), &kRight.monitors[1]);
    EXPECT_EQ(&MonitorHoldingMost(kRight, {3000, 0, 3100, 100}), &kRight.monitors[1]);
    EXPECT_EQ(&MonitorHoldingMost(kRight, {-900, 0, -800, 100}), &kRight.monitors[0]);
    // A hidden window belongs where its strip is, though most of it lies elsewhere.
    EXPECT_EQ(&ToolBarHome(kAbove, kMainHidden), &kAbove.monitors[0]);
    EXPECT_EQ(&InspectorHome(kRight, kInspRightHidden), &kRight.monitors[0]);
    // The corners of the work area under the pointer, or of the nearest one.
    EXPECT_TRUE(InTopCorner(kRight, 1021, 3));
    EXPECT_TRUE(InTopCorner(kRight, 1028, 3));
    EXPECT_FALSE(InTopCorner(kRight, 1030, 3));
    EXPECT_TRUE(InTopCorner(kRight, 2045, 3));
    EXPECT_TRUE(InTopCorner(kTopBar, 2, 44));
    EXPECT_FALSE(InTopCorner(kTopBar, 2, 46));
    EXPECT_TRUE(InTopCorner(kRight, 3000, -50));
}

}  // namespace
