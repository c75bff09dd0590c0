// Compares placements field by field, so a failure names the wrong value.
#pragma once

#include <gtest/gtest.h>

#include "placement/desk.h"

inline void ExpectPlacement(const Placement& actual, const Placement& expected) {
    EXPECT_EQ(actual.act, expected.act);
    if (!expected.act) return;  // position and flags of "nothing" mean nothing
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.width, expected.width);
    EXPECT_EQ(actual.height, expected.height);
    EXPECT_EQ(actual.flags, expected.flags);
}

inline const char* OpName(EdgeOp op) {
    switch (op) {
        case EdgeOp::Show: return "Show";
        case EdgeOp::Hide: return "Hide";
        case EdgeOp::None: break;
    }
    return "None";
}

// A desk of one monitor whose work area is all of it, from the corner.
inline Desk OneMonitor(int32_t right, int32_t bottom) {
    Desk desk = {};
    desk.count = 1;
    desk.monitors[0].area = desk.monitors[0].work = {0, 0, right, bottom};
    return desk;
}
