// Compares placements field by field, so a failure names the wrong value.
#pragma once

#include <gtest/gtest.h>

#include "placement/geometry.h"

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
