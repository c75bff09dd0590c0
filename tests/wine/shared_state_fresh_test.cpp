// The shared block's life: creation defaults, later processes that change
// nothing, and a fresh block once every process has let go of it. This
// program starts in a Wine session where no other process holds the block,
// and its tests run in the order written.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host.h"
#include "program.h"
#include "stand_in.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Snapshot(const SharedState* state) {
    const uint8_t* p = reinterpret_cast<const uint8_t*>(state);
    return Bytes(p, p + PNR_MAP_SIZE);
}

// Every byte of the block gets a distinct, recognisable value.
void FillPattern(SharedState* state) {
    uint8_t* p = reinterpret_cast<uint8_t*>(state);
    for (int i = 0; i < PNR_MAP_SIZE; ++i) p[i] = static_cast<uint8_t>(i * 7 + 1);
}

RECT WorkArea() {
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// A new block is zero apart from the measured work area.
void ExpectFreshBlock(const SharedState* state, int right, int bottom) {
    EXPECT_EQ(state->WorkRight, right);
    EXPECT_EQ(state->WorkBottom, bottom);
    const Bytes bytes = Snapshot(state);
    for (int i = 0; i < PNR_MAP_SIZE; ++i) {
        if (i >= 36 && i < 44) continue;  // WorkRight, WorkBottom
        ASSERT_EQ(bytes[i], 0) << "byte " << i;
    }
}

void ExpectUnchangedBut(const Bytes& before, const SharedState* state, std::vector<int> changed) {
    const Bytes after = Snapshot(state);
    for (int i = 0; i < PNR_MAP_SIZE; ++i) {
        bool mayChange = false;
        for (int c : changed) mayChange |= c == i;
        if (!mayChange) ASSERT_EQ(after[i], before[i]) << "byte " << i;
    }
}

TEST(SharedBlock, FirstLoadCreatesZeroedBlockWithTheWorkArea) {
    Host host;
    ASSERT_TRUE(host.Loaded());
    SharedState* state = host.MapData();
    ASSERT_NE(state, nullptr);
    const RECT area = WorkArea();
    ExpectFreshBlock(state, area.right, area.bottom);
    EXPECT_TRUE(host.RegistersKept());
}

TEST(SharedBlock, LaterProcessFindsTheBlockAndChangesNothing) {
    Host host;
    SharedState* state = host.MapData();
    ASSERT_NE(state, nullptr);
    FillPattern(state);
    state->ToolBarHiding = 1;
    state->AppBuilderWnd = 0x00012345;
    state->WorkRight = 777;
    const Bytes before = Snapshot(state);

    StandIn other("--empty");
    ASSERT_TRUE(other.Started());
    ASSERT_NE(other.Command("load"), 0);  // the library loads in a second process
    ExpectUnchangedBut(before, state, {});
    EXPECT_EQ(other.Command("unload"), 1);
    other.Stop();
    ExpectUnchangedBut(before, state, {});
}

DWORD WINAPI IdleThread(LPVOID) { return 0; }

TEST(SharedBlock, ThreadAttachAndDetachLeaveTheBlockAlone) {
    Host host;
    SharedState* state = host.MapData();
    ASSERT_NE(state, nullptr);
    FillPattern(state);
    const Bytes before = Snapshot(state);
    for (int i = 0; i < 4; ++i) {
        HANDLE thread = CreateThread(nullptr, 0, IdleThread, nullptr, 0, nullptr);
        ASSERT_NE(thread, nullptr);
        WaitForSingleObject(thread, Slowed(5000));
        CloseHandle(thread);
    }
    ExpectUnchangedBut(before, state, {});
    EXPECT_EQ(host.MapData(), state);
}

TEST(SharedBlock, GetMapDataEmptiesBothStringsAndNothingElse) {
    Host host;
    SharedState* state = host.MapData();
    ASSERT_NE(state, nullptr);
    FillPattern(state);
    const Bytes before = Snapshot(state);

    SharedState* again = host.MapData();
    EXPECT_EQ(again, state);
    EXPECT_EQ(state->HostString1.Text[0], 0);
    EXPECT_EQ(state->HostString2.Text[0], 0);
    // Only the two length bytes are written; the characters stay.
    ExpectUnchangedBut(before, state, {68, 324});
    EXPECT_EQ(host.MapData(), state);
    EXPECT_TRUE(host.RegistersKept());
}

TEST(SharedBlock, FillWndLeavesEverythingButTheThreeHandles) {
    Host host;
    SharedState* state = host.MapData();
    ASSERT_NE(state, nullptr);
    FillPattern(state);
    const Bytes before = Snapshot(state);
    host.FillWnd();
    // EditWnd (592), AppBuilderWnd (20) and InspectorWnd (16): no IDE runs here.
    EXPECT_EQ(state->EditWnd, 0u);
    EXPECT_EQ(state->AppBuilderWnd, 0u);
    EXPECT_EQ(state->InspectorWnd, 0u);
    ExpectUnchangedBut(before, state, {16, 17, 18, 19, 20, 21, 22, 23, 592, 593, 594, 595});
}

TEST(SharedBlock, FreshBlockOnceEveryProcessHasUnloaded) {
    {
        Host host;
        SharedState* state = host.MapData();
        ASSERT_NE(state, nullptr);
        FillPattern(state);
    }
    Host host;
    SharedState* state = host.MapData();
    ASSERT_NE(state, nullptr);
    const RECT area = WorkArea();
    ExpectFreshBlock(state, area.right, area.bottom);
}

TEST(SharedBlock, OnlyTheRightAndBottomEdgesOfTheWorkAreaAreKept) {
    const RECT original = WorkArea();
    RECT docked = {60, 40, 1000, 700};  // as with task bars at the left and top
    ASSERT_TRUE(SystemParametersInfoA(SPI_SETWORKAREA, 0, &docked, 0));
    const RECT seen = WorkArea();
    {
        Host host;
        SharedState* state = host.MapData();
        ASSERT_NE(state, nullptr);
        ExpectFreshBlock(state, seen.right, seen.bottom);
        EXPECT_EQ(seen.right, 1000);
        EXPECT_EQ(seen.bottom, 700);
    }
    RECT restore = original;
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &restore, 0);
}

TEST(SharedBlock, InertWhenAnotherObjectHoldsTheName) {
    HANDLE squatter = CreateEventA(nullptr, TRUE, FALSE, PNR_MAP_NAME);
    ASSERT_NE(squatter, nullptr);
    {
        Host host;
        ASSERT_TRUE(host.Loaded());  // the library still loads...
        EXPECT_EQ(host.MapData(), nullptr);  // ...but has no block to offer
        host.FillWnd();
        EXPECT_TRUE(host.RegistersKept());
    }
    CloseHandle(squatter);

    Host host;
    EXPECT_NE(host.MapData(), nullptr);  // the name is free again
}

}  // namespace
