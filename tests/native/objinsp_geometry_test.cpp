// The object inspector's side, its places and its edge trigger, on a work
// area 1024 wide (half 512) and 740 high, with an inspector 200 x 500.
#include <gtest/gtest.h>

#include "placement/objinsp_geometry.h"
#include "placement_expect.h"

namespace {

constexpr int32_t kRight = 1024;
constexpr int32_t kBottom = 740;
constexpr Placement kNothing = kNoPlacement;

constexpr Rect kShownLeft = {0, 100, 200, 600};
constexpr Rect kHiddenLeft = {-195, 100, 5, 600};
constexpr Rect kShownRight = {824, 100, 1024, 600};
constexpr Rect kHiddenRight = {1019, 100, 1219, 600};
constexpr Rect kRightAt600 = {600, 100, 800, 600};

struct SideCase {
    Rect wnd;
    int32_t workRight;
    Side expected;
};

TEST(InspectorGeometry, SideFollowsTheCentre) {
    const SideCase cases[] = {
        {kShownLeft, kRight, Side::Left},
        {kHiddenLeft, kRight, Side::Left},
        {kShownRight, kRight, Side::Right},
        {kHiddenRight, kRight, Side::Right},
        {kRightAt600, kRight, Side::Right},
        // Centre 511, 512 (the tie goes left), 513.
        {{411, 0, 611, 500}, kRight, Side::Left},
        {{412, 0, 612, 500}, kRight, Side::Left},
        {{413, 0, 613, 500}, kRight, Side::Right},
        // An odd width: 201 div 2 = 100, centre 512.
        {{412, 0, 613, 500}, kRight, Side::Left},
        // An odd work area: 1025 div 2 = 512.
        {{412, 0, 612, 500}, 1025, Side::Left},
        {{413, 0, 613, 500}, 1025, Side::Right},
    };
    for (const SideCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "left " << c.wnd.left << " right " << c.wnd.right
                                        << " work right " << c.workRight);
        EXPECT_EQ(InspectorSide(c.wnd, {0, 0, c.workRight, kBottom}), c.expected);
    }
}

struct PlaceCase {
    const char* what;
    Rect wnd;
    bool fullHeight;
    Placement expected;
};

TEST(InspectorGeometry, Hide) {
    const PlaceCase cases[] = {
        {"left, own height", kShownLeft, false, {true, -195, 100, 200, 500, 0x0011}},
        {"left, full height", kShownLeft, true, {true, -195, 0, 200, 740, 0x0010}},
        {"left, right edge 5 is hidden", kHiddenLeft, false, kNothing},
        {"left, right edge 5 is hidden, full height", kHiddenLeft, true, kNothing},
        {"left, right edge 6 is moved", {-194, 100, 6, 600}, false,
         {true, -195, 100, 200, 500, 0x0011}},
        {"left, centre on the tie", {412, 100, 612, 600}, false,
         {true, -195, 100, 200, 500, 0x0011}},
        {"right, own height", kShownRight, false, {true, 1019, 100, 200, 500, 0x0011}},
        {"right, full height", kShownRight, true, {true, 1019, 0, 200, 740, 0x0010}},
        {"right, left edge 1019 is hidden", kHiddenRight, false, kNothing},
        {"right, left edge 1019 is hidden, full height", kHiddenRight, true, kNothing},
        {"right, left edge 1018 is moved", {1018, 100, 1218, 600}, false,
         {true, 1019, 100, 200, 500, 0x0011}},
        {"right, one past the tie", {413, 100, 613, 600}, false,
         {true, 1019, 100, 200, 500, 0x0011}},
        {"right, at 600", kRightAt600, false, {true, 1019, 100, 200, 500, 0x0011}},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectPlacement(InspectorHidePlacement(c.wnd, OneMonitor(kRight, kBottom), c.fullHeight), c.expected);
    }
}

TEST(InspectorGeometry, SlideBack) {
    const PlaceCase cases[] = {
        {"hidden left, own height", kHiddenLeft, false, {true, 0, 100, 200, 500, 0x0011}},
        {"hidden left, full height", kHiddenLeft, true, {true, 0, 0, 200, 740, 0x0010}},
        {"left edge 0 is only raised", kShownLeft, false, {true, 0, 100, 200, 500, 0x0013}},
        {"left edge 0 is only raised, full height", kShownLeft, true,
         {true, 0, 100, 200, 500, 0x0013}},
        {"left edge -1 is moved", {-1, 100, 199, 600}, false, {true, 0, 100, 200, 500, 0x0011}},
        {"hidden right, own height", kHiddenRight, false, {true, 824, 100, 200, 500, 0x0011}},
        {"hidden right, full height", kHiddenRight, true, {true, 824, 0, 200, 740, 0x0010}},
        {"right edge 1024 is only raised", kShownRight, false,
         {true, 824, 100, 200, 500, 0x0013}},
        {"right edge 1025 is moved", {825, 100, 1025, 600}, false,
         {true, 824, 100, 200, 500, 0x0011}},
        {"inside the work area on the right is only raised", kRightAt600, true,
         {true, 600, 100, 200, 500, 0x0013}},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectPlacement(InspectorSlideBackPlacement(c.wnd, OneMonitor(kRight, kBottom), c.fullHeight),
                        c.expected);
    }
}

struct FullCase {
    const char* what;
    Rect wnd;
    bool mainReadable;
    Rect main;
    Placement expected;
};

TEST(InspectorGeometry, FullPlacementBelowTheMainWindow) {
    const Rect mainShown = {0, 0, 1024, 100};
    const FullCase cases[] = {
        {"left", kShownLeft, true, mainShown, {true, 0, 100, 200, 640, 0x0010}},
        {"right", kShownRight, true, mainShown, {true, 824, 100, 200, 640, 0x0010}},
        {"hidden left comes back", kHiddenLeft, true, mainShown, {true, 0, 100, 200, 640, 0x0010}},
        {"hidden right comes back", kHiddenRight, true, mainShown,
         {true, 824, 100, 200, 640, 0x0010}},
        {"right at 600 goes to the edge", kRightAt600, true, mainShown,
         {true, 824, 100, 200, 640, 0x0010}},
        {"main window hidden: its height counts, not its bottom", kShownLeft, true,
         {0, -95, 1024, 5}, {true, 0, 100, 200, 640, 0x0010}},
        {"main window 60 high, lower down", kShownLeft, true, {0, 40, 1024, 100},
         {true, 0, 60, 200, 680, 0x0010}},
        {"unreadable main window counts as 75 high", kShownLeft, false, {},
         {true, 0, 75, 200, 665, 0x0010}},
        {"unreadable main window, right", kShownRight, false, {},
         {true, 824, 75, 200, 665, 0x0010}},
    };
    for (const FullCase& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectPlacement(
            InspectorFullPlacement(c.wnd, c.mainReadable ? &c.main : nullptr, OneMonitor(kRight, kBottom)),
            c.expected);
    }
}

struct TriggerCase {
    Rect wnd;
    int32_t x;
    EdgeOp expected;
};

TEST(InspectorGeometry, EdgeTrigger) {
    const TriggerCase cases[] = {
        // Left: x < 5 shows, negative included.
        {kHiddenLeft, 3, EdgeOp::Show},
        {kHiddenLeft, 4, EdgeOp::Show},
        {kHiddenLeft, -7, EdgeOp::Show},
        {kHiddenLeft, 5, EdgeOp::None},
        // Hidden left: limit 5 + 50.
        {kHiddenLeft, 55, EdgeOp::None},
        {kHiddenLeft, 56, EdgeOp::Hide},
        // Shown left: limit 200 + 50.
        {kShownLeft, 2, EdgeOp::Show},
        {kShownLeft, 5, EdgeOp::None},
        {kShownLeft, 249, EdgeOp::None},
        {kShownLeft, 250, EdgeOp::None},
        {kShownLeft, 251, EdgeOp::Hide},
        // Right: only x > 1019 shows, four columns inside the work area.
        {kHiddenRight, 1020, EdgeOp::Show},
        {kHiddenRight, 1023, EdgeOp::Show},
        {kHiddenRight, 1500, EdgeOp::Show},
        {kHiddenRight, 1019, EdgeOp::None},
        {kShownRight, 1020, EdgeOp::Show},
        {kShownRight, 1019, EdgeOp::None},
        // Right: the limit 1024 - 250 = 774 comes from the work area's edge,
        // whether the window is shown, hidden or elsewhere.
        {kShownRight, 775, EdgeOp::None},
        {kShownRight, 774, EdgeOp::None},
        {kShownRight, 773, EdgeOp::Hide},
        {kHiddenRight, 774, EdgeOp::None},
        {kHiddenRight, 773, EdgeOp::Hide},
        {kRightAt600, 700, EdgeOp::Hide},
        {kRightAt600, 774, EdgeOp::None},
        // A width of 203 has a quarter of 50.
        {{0, 100, 203, 600}, 253, EdgeOp::None},
        {{0, 100, 203, 600}, 254, EdgeOp::Hide},
        {{821, 100, 1024, 600}, 771, EdgeOp::None},
        {{821, 100, 1024, 600}, 770, EdgeOp::Hide},
    };
    for (const TriggerCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "window left " << c.wnd.left << ", x " << c.x);
        EXPECT_STREQ(OpName(InspectorEdgeOp(c.wnd, OneMonitor(kRight, kBottom), c.x, 300)), OpName(c.expected));
    }
}

}  // namespace
