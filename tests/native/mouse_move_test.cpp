#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "hooks/mouse_move.h"
#include "placement/desk.h"

namespace {

// GetAsyncKeyState words: top bit = held now, low bit = pressed since the
// last query.
constexpr int16_t kUp = 0;
constexpr int16_t kHeld = static_cast<int16_t>(0x8000);
constexpr int16_t kHeldAndPressed = static_cast<int16_t>(0x8001);
constexpr int16_t kPressedSince = 0x0001;
constexpr int16_t kOtherBit = 0x0100;

struct ButtonCase {
    int16_t left;
    int16_t right;
    bool handled;
};

class ButtonTest : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(ButtonTest, IgnoresMovesWhileOnlyTheLeftButtonIsHeld) {
    const ButtonCase& c = GetParam();
    EXPECT_EQ(MovePassesButtonTest(c.left, c.right), c.handled)
        << std::hex << "left " << c.left << " right " << c.right;
}

// CTest names each case by its words: left_held_right_up_ignored.
std::string KeyWordName(int16_t word) {
    switch (word) {
    case kUp: return "up";
    case kHeld: return "held";
    case kHeldAndPressed: return "heldAndPressed";
    case kPressedSince: return "pressedSince";
    case kOtherBit: return "otherBit";
    default: {
        char hex[16];
        snprintf(hex, sizeof hex, "word%04X", static_cast<unsigned>(static_cast<uint16_t>(word)));
        return hex;
    }
    }
}

std::string ButtonCaseName(const ::testing::TestParamInfo<ButtonCase>& info) {
    const ButtonCase& c = info.param;
    return "left_" + KeyWordName(c.left) + "_right_" + KeyWordName(c.right) +
           (c.handled ? "_handled" : "_ignored");
}

INSTANTIATE_TEST_SUITE_P(
    KeyStateWords, ButtonTest,
    ::testing::Values(ButtonCase{kUp, kUp, true},
                      // Only the top bit of the left word counts.
                      ButtonCase{kPressedSince, kUp, true},
                      ButtonCase{0x7FFF, kUp, true},
                      ButtonCase{kHeld, kUp, false},
                      ButtonCase{kHeldAndPressed, kUp, false},
                      // Any bit of the right word lets the move through.
                      ButtonCase{kHeld, kHeld, true},
                      ButtonCase{kHeld, kPressedSince, true},
                      ButtonCase{kHeld, kOtherBit, true},
                      ButtonCase{kHeldAndPressed, kHeldAndPressed, true}),
    ButtonCaseName);

struct CornerCase {
    int32_t x;
    int32_t y;
    bool corner;
};

constexpr int32_t kWorkRight = 1024;

class CornerTest : public ::testing::TestWithParam<CornerCase> {};

TEST_P(CornerTest, StopsOnlyInsideTheTwoTopCornerSquares) {
    const CornerCase& c = GetParam();
    EXPECT_EQ(InTopCorner(c.x, c.y, Rect{0, 0, kWorkRight, 768}), c.corner)
        << "(" << c.x << ", " << c.y << ")";
}

// CTest names each case by its point: x1019_y5_work1024_stops.
std::string Coordinate(int32_t value) {
    return value < 0 ? "minus" + std::to_string(-static_cast<int64_t>(value)) : std::to_string(value);
}

std::string CornerCaseName(const ::testing::TestParamInfo<CornerCase>& info) {
    const CornerCase& c = info.param;
    return "x" + Coordinate(c.x) + "_y" + Coordinate(c.y) + "_work" + Coordinate(kWorkRight) +
           (c.corner ? "_stops" : "_passes");
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, CornerTest,
    ::testing::Values(CornerCase{5, 5, true}, CornerCase{0, 0, true}, CornerCase{6, 0, false},
                      CornerCase{0, 6, false}, CornerCase{6, 5, false}, CornerCase{5, 6, false},
                      CornerCase{-100, 0, true}, CornerCase{-100, -100, true},
                      CornerCase{-100, 6, false}, CornerCase{kWorkRight - 5, 5, true},
                      CornerCase{kWorkRight - 6, 5, false}, CornerCase{kWorkRight - 5, 6, false},
                      CornerCase{kWorkRight + 50, -3, true}, CornerCase{512, 0, false},
                      CornerCase{512, -20, false}),
    CornerCaseName);

TEST(CornerTest, ExtremeWorkRightDoesNotWrap) {
    EXPECT_TRUE(InTopCorner(INT32_MAX - 5, 0, Rect{0, 0, INT32_MAX, 768}));
    EXPECT_FALSE(InTopCorner(INT32_MAX - 6, 0, Rect{0, 0, INT32_MAX, 768}));
    // WorkRight - 5 wrapped in 32 bits would put the limit near INT32_MAX.
    EXPECT_TRUE(InTopCorner(100, 0, Rect{0, 0, INT32_MIN, 768}));
}

}  // namespace
