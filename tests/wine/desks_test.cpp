// Desks of several monitors, each in a Wine session and X display of its
// own (scripts/lib/desk-session.sh names the desk in PNR_DESK): the stand-in
// IDE in another process, the library activated by this host, and real
// pointer input moving its windows through the hooks. Monitors 1024 x 768.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "host.h"
#include "program.h"
#include "pointer.h"
#include "stand_in.h"

namespace {

struct Box {
    int left, top, right, bottom;
};

bool operator==(const RECT& r, const Box& b) {
    return r.left == b.left && r.top == b.top && r.right == b.right && r.bottom == b.bottom;
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    reinterpret_cast<std::vector<MONITORINFO>*>(data)->push_back(info);
    return TRUE;
}

std::vector<MONITORINFO> Monitors() {
    std::vector<MONITORINFO> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

class OnDesk : public ::testing::Test {
protected:
    // The desk as Windows must see it: the second monitor, and the primary
    // one's work area.
    virtual Box Second() const = 0;
    virtual Box PrimaryWork() const { return {0, 0, 1024, 768}; }

    void SetUp() override {
        const std::vector<MONITORINFO> monitors = Monitors();
        ASSERT_EQ(monitors.size(), 2u) << "Wine sees " << monitors.size()
                                       << " monitors (32-bit Wine needs libxinerama1:i386)";
        for (const MONITORINFO& m : monitors) {
            if (m.dwFlags & MONITORINFOF_PRIMARY) {
                ASSERT_TRUE(m.rcWork == PrimaryWork()) << "primary work area " << m.rcWork.left
                                                       << "," << m.rcWork.top;
            } else {
                ASSERT_TRUE(m.rcMonitor == Second()) << "second monitor at " << m.rcMonitor.left
                                                     << "," << m.rcMonitor.top;
            }
        }
        GetAsyncKeyState(VK_RBUTTON);
        GetAsyncKeyState(VK_LBUTTON);
        ASSERT_TRUE(host.Loaded());
        state = host.MapData();
        ASSERT_NE(state, nullptr);
        ASSERT_TRUE(ide.Started());
        ASSERT_NE(ide.Command("backdrop"), 0);
        main = FindAppBuilder();
        inspector = FindInspector();
        ASSERT_TRUE(MovePointer(500, 300));
    }

    void TearDown() override {
        if (state && state->HooksActive) EXPECT_TRUE(host.UnHookHooks(true));
    }

    // Places both windows, switches both modes on and activates.
    void Activate(const Box& mainAt, const Box& inspectorAt) {
        Place(main, mainAt);
        Place(inspector, inspectorAt);
        state->ToolBarHiding = 1;
        state->ObjInspHiding = 1;
        state->InspectorFullHeight = 0;
        state->HideInspectorWhenActive = 1;
        ASSERT_TRUE(host.SetHooks());
    }

    static void Place(HWND wnd, const Box& b) {
        SetWindowPos(wnd, nullptr, b.left, b.top, b.right - b.left, b.bottom - b.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }

    bool Becomes(HWND wnd, const Box& b) { return WaitFor([&] { return WindowRect(wnd) == b; }); }

    // The pointer goes there; nothing may move.
    bool StillAfterMoveTo(int x, int y) {
        const RECT mainBefore = WindowRect(main), inspectorBefore = WindowRect(inspector);
        if (!MovePointer(x, y)) return false;
        PumpFor(Slowed(400));
        const RECT mainAfter = WindowRect(main), inspectorAfter = WindowRect(inspector);
        return EqualRect(&mainBefore, &mainAfter) && EqualRect(&inspectorBefore, &inspectorAfter);
    }

    Host host;
    SharedState* state = nullptr;
    StandIn ide;
    HWND main = nullptr, inspector = nullptr;
};

constexpr Box kMain = {0, 0, 1024, 100};
constexpr Box kMainHidden = {0, -95, 1024, 5};
constexpr Box kInspectorLeft = {0, 100, 200, 600};
constexpr Box kInspectorLeftHidden = {-195, 100, 5, 600};
constexpr Box kInspectorRight = {824, 100, 1024, 600};
constexpr Box kInspectorRightHidden = {1019, 100, 1219, 600};

// The second monitor at (1024,0).
class NeighbourRight : public OnDesk {
    Box Second() const override { return {1024, 0, 2048, 768}; }
};

TEST_F(NeighbourRight, InspectorDockedRightLivesAtTheLeftAndTheNeighbourShowsNothing) {
    ASSERT_NO_FATAL_FAILURE(Activate(kMain, kInspectorRight));
    EXPECT_TRUE(Becomes(inspector, kInspectorLeftHidden));
    EXPECT_TRUE(Becomes(main, kMainHidden));
    EXPECT_TRUE(StillAfterMoveTo(1536, 384));
    EXPECT_TRUE(StillAfterMoveTo(1536, 2));
    ASSERT_TRUE(MovePointer(2, 384));
    EXPECT_TRUE(Becomes(inspector, kInspectorLeft));
}

TEST_F(NeighbourRight, IdeOnTheSecondMonitorStaysThere) {
    ASSERT_NO_FATAL_FAILURE(Activate({1024, 0, 2048, 100}, {1848, 100, 2048, 600}));
    EXPECT_TRUE(Becomes(main, {1024, -95, 2048, 5}));
    EXPECT_TRUE(Becomes(inspector, {2043, 100, 2243, 600}));
    EXPECT_TRUE(StillAfterMoveTo(500, 2));
    EXPECT_TRUE(StillAfterMoveTo(1021, 300));
    ASSERT_TRUE(MovePointer(1500, 2));
    EXPECT_TRUE(Becomes(main, {1024, 0, 2048, 100}));
    ASSERT_TRUE(MovePointer(1500, 400));
    EXPECT_TRUE(Becomes(main, {1024, -95, 2048, 5}));
    ASSERT_TRUE(MovePointer(2045, 400));
    EXPECT_TRUE(Becomes(inspector, {1848, 100, 2048, 600}));
}

// A display change that brought the neighbour while the inspector was
// hidden at the right edge of a single monitor. Wine 8 reads Xinerama's
// monitors only when its session starts, so the inspector is put where the
// single monitor hid it and the window gets the WM_DISPLAYCHANGE that
// Windows sends every top-level window after the change.
TEST_F(NeighbourRight, DisplayChangeTakesAHiddenInspectorOffTheNeighbour) {
    ASSERT_NO_FATAL_FAILURE(Activate(kMain, kInspectorLeft));
    ASSERT_TRUE(Becomes(inspector, kInspectorLeftHidden));
    Place(inspector, kInspectorRightHidden);
    SendMessageA(main, WM_DISPLAYCHANGE, 32, MAKELPARAM(2048, 768));
    EXPECT_TRUE(Becomes(inspector, kInspectorLeftHidden));
}

// The second monitor at (-1024,0), left of the primary one.
class NeighbourLeft : public OnDesk {
    Box Second() const override { return {-1024, 0, 0, 768}; }
};

TEST_F(NeighbourLeft, InspectorDockedLeftLivesAtTheRightAndTheNeighbourShowsNothing) {
    ASSERT_NO_FATAL_FAILURE(Activate(kMain, kInspectorLeft));
    EXPECT_TRUE(Becomes(inspector, kInspectorRightHidden));
    EXPECT_TRUE(Becomes(main, kMainHidden));
    EXPECT_TRUE(StillAfterMoveTo(-512, 384));
    EXPECT_TRUE(StillAfterMoveTo(-512, 2));
    ASSERT_TRUE(MovePointer(1022, 384));
    EXPECT_TRUE(Becomes(inspector, kInspectorRight));
}

// The second monitor at (0,-768), above the primary one.
class NeighbourAbove : public OnDesk {
    Box Second() const override { return {0, -768, 1024, 0}; }
};

TEST_F(NeighbourAbove, MainWindowStaysShownAndTheUpperMonitorShowsNothing) {
    ASSERT_NO_FATAL_FAILURE(Activate(kMain, kInspectorLeft));
    EXPECT_TRUE(Becomes(inspector, kInspectorLeftHidden));
    EXPECT_TRUE(StillAfterMoveTo(600, 400));
    EXPECT_TRUE(WindowRect(main) == kMain);
    EXPECT_TRUE(StillAfterMoveTo(512, -384));
}

TEST_F(NeighbourAbove, DisplayChangeBringsBackAMainWindowHiddenBelowTheNeighbour) {
    ASSERT_NO_FATAL_FAILURE(Activate(kMain, kInspectorLeft));
    Place(main, kMainHidden);
    SendMessageA(main, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 1536));
    EXPECT_TRUE(Becomes(main, kMain));
}

// A task bar 40 high along the top of the primary monitor.
class TopBar : public OnDesk {
    Box Second() const override { return {1024, 0, 2048, 768}; }
    Box PrimaryWork() const override { return {0, 40, 1024, 768}; }
};

TEST_F(TopBar, MainWindowHidesAndShowsBelowTheBar) {
    ASSERT_NO_FATAL_FAILURE(Activate({0, 40, 1024, 140}, kInspectorLeft));
    EXPECT_TRUE(Becomes(main, {0, -55, 1024, 45}));
    // Pushed against the top of the monitor, over the bar: shown below it.
    ASSERT_TRUE(MovePointer(500, 0));
    EXPECT_TRUE(Becomes(main, {0, 40, 1024, 140}));
    ASSERT_TRUE(MovePointer(500, 400));
    EXPECT_TRUE(Becomes(main, {0, -55, 1024, 45}));
    EXPECT_TRUE(StillAfterMoveTo(1500, 2));
}

}  // namespace

// Runs the tests of the desk this session was started with; none is a failure.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const char* desk = std::getenv("PNR_DESK");
    if (!desk) {
        std::fprintf(stderr, "desks_test: run it through scripts/wine-run --desk NAME\n");
        return 2;
    }
    std::string suite;
    for (const char* c = desk; *c; ++c) {
        if (*c == '_') continue;
        suite += (c == desk || c[-1] == '_') ? static_cast<char>(std::toupper(*c)) : *c;
    }
    ::testing::GTEST_FLAG(filter) = suite + ".*";
    const int status = RUN_ALL_TESTS();
    if (::testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
        std::fprintf(stderr, "desks_test: no tests for the desk %s\n", desk);
        return 1;
    }
    return status;
}
