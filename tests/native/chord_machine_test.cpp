#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "hooks/chord_machine.h"

namespace {

constexpr uint32_t V = 0x1001;  // window of the pending press
constexpr uint32_t W = 0x2002;  // another window

constexpr ChordState kIdle = {0, 0};
constexpr ChordState LeftOn(uint32_t wnd) { return {wnd, 0}; }
constexpr ChordState RightOn(uint32_t wnd) { return {0, wnd}; }

// Double-clicks, middle button, wheel and moves.
constexpr uint32_t kNcLButtonDblClk = 0x00A3, kNcRButtonDblClk = 0x00A6;
constexpr uint32_t kLButtonDblClk = 0x0203, kRButtonDblClk = 0x0206;
constexpr uint32_t kNcMButtonDown = 0x00A7, kMButtonDown = 0x0207, kMButtonUp = 0x0208;
constexpr uint32_t kMouseWheel = 0x020A, kMouseHWheel = 0x020E, kMouseMove = 0x0200;

struct Row {
    const char* name;
    ChordState state;
    uint32_t message;
    uint32_t wnd;
    bool utility;
    ChordState next;
    bool chord;
    uint32_t chordWnd;
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

class ChordTable : public ::testing::TestWithParam<Row> {};

TEST_P(ChordTable, GivesNextStateAndChord) {
    const Row& row = GetParam();
    const ChordStep step = StepChord(row.state, row.message, row.wnd, row.utility);
    EXPECT_EQ(step.next.leftDownWnd, row.next.leftDownWnd);
    EXPECT_EQ(step.next.rightDownWnd, row.next.rightDownWnd);
    EXPECT_EQ(step.chord, row.chord);
    if (row.chord) {
        EXPECT_EQ(step.chordWnd, row.chordWnd);
    }
}

// Every row of the table, each with the utility-window answer that must not
// matter set both ways where it could.
INSTANTIATE_TEST_SUITE_P(
    EveryRow, ChordTable,
    ::testing::Values(
        Row{"IdleNcLeftStartsLeft", kIdle, kNcLButtonDown, W, false, LeftOn(W), false, 0},
        Row{"IdleNcRightStartsRight", kIdle, kNcRButtonDown, W, false, RightOn(W), false, 0},
        Row{"IdleClientLeftStaysIdle", kIdle, kLButtonDown, W, false, kIdle, false, 0},
        Row{"IdleClientRightStaysIdle", kIdle, kRButtonDown, W, false, kIdle, false, 0},
        Row{"IdleClientRightOnUtilityStaysIdle", kIdle, kRButtonDown, W, true, kIdle, false, 0},

        Row{"LeftNcLeftReplaces", LeftOn(V), kNcLButtonDown, W, false, LeftOn(W), false, 0},
        Row{"LeftNcLeftSameWindow", LeftOn(V), kNcLButtonDown, V, false, LeftOn(V), false, 0},
        Row{"LeftNcRightSameWindowChords", LeftOn(V), kNcRButtonDown, V, false, kIdle, true, V},
        Row{"LeftNcRightOtherStartsRight", LeftOn(V), kNcRButtonDown, W, false, RightOn(W), false, 0},
        Row{"LeftNcRightOnUtilityNoTest", LeftOn(V), kNcRButtonDown, W, true, RightOn(W), false, 0},
        Row{"LeftClientRightSameWindowChords", LeftOn(V), kRButtonDown, V, false, kIdle, true, V},
        Row{"LeftClientRightOnUtilityChordsOnV", LeftOn(V), kRButtonDown, W, true, kIdle, true, V},
        Row{"LeftClientRightOtherEnds", LeftOn(V), kRButtonDown, W, false, kIdle, false, 0},
        Row{"LeftClientLeftEnds", LeftOn(V), kLButtonDown, V, false, kIdle, false, 0},
        Row{"LeftClientLeftOnUtilityEnds", LeftOn(V), kLButtonDown, W, true, kIdle, false, 0},

        Row{"RightNcRightReplaces", RightOn(V), kNcRButtonDown, W, false, RightOn(W), false, 0},
        Row{"RightNcLeftSameWindowChords", RightOn(V), kNcLButtonDown, V, false, kIdle, true, V},
        Row{"RightNcLeftOtherStartsLeft", RightOn(V), kNcLButtonDown, W, false, LeftOn(W), false, 0},
        Row{"RightClientLeftSameWindowChords", RightOn(V), kLButtonDown, V, false, kIdle, true, V},
        Row{"RightClientLeftOtherEnds", RightOn(V), kLButtonDown, W, false, kIdle, false, 0},
        Row{"RightClientLeftOnUtilityEnds", RightOn(V), kLButtonDown, W, true, kIdle, false, 0},
        Row{"RightClientRightEnds", RightOn(V), kRButtonDown, V, false, kIdle, false, 0},
        Row{"RightClientRightOnUtilityEnds", RightOn(V), kRButtonDown, W, true, kIdle, false, 0},

        Row{"LeftNcLeftUpEnds", LeftOn(V), kNcLButtonUp, V, false, kIdle, false, 0},
        Row{"LeftNcRightUpEnds", LeftOn(V), kNcRButtonUp, V, false, kIdle, false, 0},
        Row{"LeftClientLeftUpEnds", LeftOn(V), kLButtonUp, W, false, kIdle, false, 0},
        Row{"LeftClientRightUpEnds", LeftOn(V), kRButtonUp, V, false, kIdle, false, 0},
        Row{"RightNcLeftUpEnds", RightOn(V), kNcLButtonUp, V, false, kIdle, false, 0},
        Row{"RightNcRightUpEnds", RightOn(V), kNcRButtonUp, W, false, kIdle, false, 0},
        Row{"RightClientLeftUpEnds", RightOn(V), kLButtonUp, V, false, kIdle, false, 0},
        Row{"RightClientRightUpEnds", RightOn(V), kRButtonUp, V, false, kIdle, false, 0},
        Row{"IdleReleaseStaysIdle", kIdle, kNcLButtonUp, V, false, kIdle, false, 0},

        // Both fields set (a damaged block) is taken as idle.
        Row{"BothSetClientRightIsIdle", {V, W}, kRButtonDown, V, true, kIdle, false, 0},
        Row{"BothSetNcRightStartsRight", {V, W}, kNcRButtonDown, V, false, RightOn(V), false, 0},
        Row{"BothSetNcLeftStartsLeft", {V, W}, kNcLButtonDown, W, false, LeftOn(W), false, 0},
        Row{"BothSetReleaseIsIdle", {V, W}, kLButtonUp, W, false, kIdle, false, 0}),
    [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

class OtherMessages : public ::testing::TestWithParam<uint32_t> {};

TEST_P(OtherMessages, NeitherStartCompleteNorEndAPendingPress) {
    const uint32_t message = GetParam();
    EXPECT_FALSE(IsChordButtonMessage(message));
    for (const ChordState state : {kIdle, LeftOn(V), RightOn(V)}) {
        for (const uint32_t wnd : {V, W}) {
            const ChordStep step = StepChord(state, message, wnd, true);
            EXPECT_FALSE(step.chord);
            EXPECT_EQ(step.next.leftDownWnd, state.leftDownWnd);
            EXPECT_EQ(step.next.rightDownWnd, state.rightDownWnd);
        }
    }
}

// CTest names each case by its message: NcLButtonDblClk.
std::string MessageName(const ::testing::TestParamInfo<uint32_t>& info) {
    switch (info.param) {
    case kNcLButtonDblClk: return "NcLButtonDblClk";
    case kNcRButtonDblClk: return "NcRButtonDblClk";
    case kLButtonDblClk: return "LButtonDblClk";
    case kRButtonDblClk: return "RButtonDblClk";
    case kNcMButtonDown: return "NcMButtonDown";
    case kMButtonDown: return "MButtonDown";
    case kMButtonUp: return "MButtonUp";
    case kMouseWheel: return "MouseWheel";
    case kMouseHWheel: return "MouseHWheel";
    case kMouseMove: return "MouseMove";
    default: return "message" + std::to_string(info.param);
    }
}

INSTANTIATE_TEST_SUITE_P(DoubleClickMiddleWheelMove, OtherMessages,
                         ::testing::Values(kNcLButtonDblClk, kNcRButtonDblClk, kLButtonDblClk,
                                           kRButtonDblClk, kNcMButtonDown, kMButtonDown,
                                           kMButtonUp, kMouseWheel, kMouseHWheel, kMouseMove),
                         MessageName);

TEST(ChordMachine, ClientPressNeverStartsAPendingPress) {
    for (const uint32_t message : {kLButtonDown, kRButtonDown, kLButtonUp, kRButtonUp}) {
        for (const ChordState state : {kIdle, LeftOn(V), RightOn(V)}) {
            for (const bool utility : {false, true}) {
                const ChordStep step = StepChord(state, message, W, utility);
                EXPECT_EQ(step.next.leftDownWnd, 0u) << message;
                EXPECT_EQ(step.next.rightDownWnd, 0u) << message;
            }
        }
    }
}

TEST(ChordMachine, UtilityTestAskedOnlyForClientRightPressAfterLeftOnAnotherWindow) {
    EXPECT_TRUE(NeedsUtilityTest(LeftOn(V), kRButtonDown, W));
    EXPECT_FALSE(NeedsUtilityTest(LeftOn(V), kRButtonDown, V));  // same window chords anyway
    EXPECT_FALSE(NeedsUtilityTest(LeftOn(V), kNcRButtonDown, W));
    EXPECT_FALSE(NeedsUtilityTest(LeftOn(V), kLButtonDown, W));
    EXPECT_FALSE(NeedsUtilityTest(RightOn(V), kRButtonDown, W));
    EXPECT_FALSE(NeedsUtilityTest(RightOn(V), kLButtonDown, W));
    EXPECT_FALSE(NeedsUtilityTest(kIdle, kRButtonDown, W));
    EXPECT_FALSE(NeedsUtilityTest(LeftOn(V), kRButtonDblClk, W));
    EXPECT_FALSE(NeedsUtilityTest(ChordState{V, V}, kRButtonDown, W));
}

}  // namespace
