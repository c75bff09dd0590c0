// The IDE main window's two places and its edge trigger, on a work area 1024
// wide unless a case says otherwise.
#include <gtest/gtest.h>

#include "placement/toolbar_geometry.h"
#include "placement_expect.h"

namespace {

constexpr Placement kNothing = kNoPlacement;

struct HideCase {
    const char* what;
    Rect wnd;
    int32_t workRight;
    bool menuActive;
    Placement expected;
};

TEST(ToolBarGeometry, Hide) {
    const HideCase cases[] = {
        {"shown 100 high goes to Y -95", {0, 0, 1024, 100}, 1024, false,
         {true, 0, -95, 1024, 100, 0x0010}},
        {"bottom 5 is hidden already", {0, -95, 1024, 5}, 1024, false, kNothing},
        {"bottom 6 is moved", {0, -94, 1024, 6}, 1024, false, {true, 0, -95, 1024, 100, 0x0010}},
        {"bottom 4 lies higher still", {0, -96, 1024, 4}, 1024, false, kNothing},
        {"far above the screen", {0, -300, 1024, -200}, 1024, false, kNothing},
        {"left edge and width reset", {37, 40, 537, 140}, 1024, false,
         {true, 0, -95, 1024, 100, 0x0010}},
        {"width follows the work area", {0, 0, 1024, 60}, 800, false,
         {true, 0, -55, 800, 60, 0x0010}},
        {"menu loop stops the hide", {0, 0, 1024, 100}, 1024, true, kNothing},
        {"menu loop, bottom 6", {0, -94, 1024, 6}, 1024, true, kNothing},
    };
    for (const HideCase& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectPlacement(ToolBarHidePlacement(c.wnd, OneMonitor(c.workRight, 768), c.menuActive), c.expected);
    }
}

struct ShowCase {
    const char* what;
    Rect wnd;
    int32_t workRight;
    Placement expected;
};

TEST(ToolBarGeometry, Show) {
    const ShowCase cases[] = {
        {"hidden at Y -95 comes back", {0, -95, 1024, 5}, 1024, {true, 0, 0, 1024, 100, 0x0010}},
        {"top -1 is moved", {0, -1, 1024, 99}, 1024, {true, 0, 0, 1024, 100, 0x0010}},
        {"top 0 is only raised", {0, 0, 1024, 100}, 1024, {true, 0, 0, 1024, 100, 0x0013}},
        {"top 40 keeps its place", {100, 40, 600, 140}, 1024, {true, 0, 0, 1024, 100, 0x0013}},
        {"hidden and narrow gets the work area's width", {30, -95, 530, 5}, 1000,
         {true, 0, 0, 1000, 100, 0x0010}},
    };
    for (const ShowCase& c : cases) {
        SCOPED_TRACE(c.what);
        ExpectPlacement(ToolBarShowPlacement(c.wnd, OneMonitor(c.workRight, 768)), c.expected);
    }
}

struct TriggerCase {
    Rect wnd;
    int32_t y;
    EdgeOp expected;
};

TEST(ToolBarGeometry, EdgeTrigger) {
    const Rect shown = {0, 0, 1024, 100};
    const Rect hidden = {0, -95, 1024, 5};
    const TriggerCase cases[] = {
        // The strip: rows 0 to 4, and anything above the screen.
        {hidden, 3, EdgeOp::Show},
        {hidden, 4, EdgeOp::Show},
        {hidden, 0, EdgeOp::Show},
        {hidden, -1, EdgeOp::Show},
        {hidden, -5000, EdgeOp::Show},
        {shown, 4, EdgeOp::Show},
        {shown, 5, EdgeOp::None},
        // Shown 100 high: limit 100 + 25.
        {shown, 124, EdgeOp::None},
        {shown, 125, EdgeOp::None},
        {shown, 126, EdgeOp::Hide},
        // Hidden: limit 5 + 25.
        {hidden, 5, EdgeOp::None},
        {hidden, 29, EdgeOp::None},
        {hidden, 30, EdgeOp::None},
        {hidden, 31, EdgeOp::Hide},
        // Heights of 3 or less have no quarter: any row past the bottom hides.
        {{0, 10, 1024, 13}, 13, EdgeOp::None},
        {{0, 10, 1024, 13}, 14, EdgeOp::Hide},
        {{0, 10, 1024, 11}, 12, EdgeOp::Hide},
        // Height 4 is the first with a quarter of one pixel.
        {{0, 10, 1024, 14}, 15, EdgeOp::None},
        {{0, 10, 1024, 14}, 16, EdgeOp::Hide},
        // Height 7 still has a quarter of one, 8 of two.
        {{0, 10, 1024, 17}, 18, EdgeOp::None},
        {{0, 10, 1024, 17}, 19, EdgeOp::Hide},
        {{0, 10, 1024, 18}, 20, EdgeOp::None},
        {{0, 10, 1024, 18}, 21, EdgeOp::Hide},
        // A window lower down: the limit follows its bottom edge.
        {{0, 40, 1024, 140}, 165, EdgeOp::None},
        {{0, 40, 1024, 140}, 166, EdgeOp::Hide},
    };
    for (const TriggerCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "window top " << c.wnd.top << " bottom " << c.wnd.bottom
                                        << ", y " << c.y);
        EXPECT_STREQ(OpName(ToolBarEdgeOp(c.wnd, OneMonitor(1024, 768), 500, c.y)), OpName(c.expected));
    }
}

}  // namespace
